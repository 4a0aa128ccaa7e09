#include "areaaccessible.h"

#include "commandbutton.h"
#include "formarea.h"
#include "label.h"

#include <algorithm>

namespace {

constexpr FormArea::Layer toldLayers[] = {FormArea::Buttons, FormArea::Labels};

} // namespace

AreaAccessible::AreaAccessible(FormArea *area) : QAccessibleWidget(area, QAccessible::Client) {}

FormArea &AreaAccessible::area() const {
    return *static_cast<FormArea *>(widget());
}

int AreaAccessible::childCount() const {
    std::size_t count = 0;
    for (FormArea::Layer layer : toldLayers)
        count += area().controls(layer).size();
    return static_cast<int>(count);
}

QAccessibleInterface *AreaAccessible::child(int index) const {
    if (index < 0)
        return nullptr;
    auto at = static_cast<std::size_t>(index);
    for (FormArea::Layer layer : toldLayers) {
        const auto &controls = area().controls(layer);
        if (at < controls.size())
            return controls[at]->accessibleInterface();
        at -= controls.size();
    }
    return nullptr;
}

int AreaAccessible::indexOfChild(const QAccessibleInterface *child) const {
    const auto *told = dynamic_cast<const ControlAccessible *>(child);
    if (!told)
        return -1;
    int before = 0;
    for (FormArea::Layer layer : toldLayers) {
        const auto &controls = area().controls(layer);
        const auto found = std::find(controls.begin(), controls.end(), &told->control());
        if (found != controls.end())
            return before + static_cast<int>(found - controls.begin());
        before += static_cast<int>(controls.size());
    }
    return -1;
}

// The topmost control shown at the point, as the player sees it.
QAccessibleInterface *AreaAccessible::childAt(int x, int y) const {
    const QPoint point = area().mapFromGlobal(QPoint(x, y));
    for (FormArea::Layer layer : toldLayers) {
        const auto &controls = area().controls(layer);
        for (auto it = controls.rbegin(); it != controls.rend(); ++it) {
            if ((*it)->isVisible() && (*it)->pixelBox().contains(point))
                return (*it)->accessibleInterface();
        }
    }
    return nullptr;
}

QAccessibleInterface *AreaAccessible::focusChild() const {
    const CommandButton *focused = area().focusedButton();
    return focused && area().hasFocus() ? focused->accessibleInterface() : nullptr;
}

QAccessible::State AreaAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    if (focusChild())
        state.focused = false;
    return state;
}

QWindow *ControlAccessible::window() const {
    return control_.area().window()->windowHandle();
}

QAccessibleInterface *ControlAccessible::parent() const {
    return QAccessible::queryAccessibleInterface(&control_.area());
}

QRect ControlAccessible::rect() const {
    const QRect box = control_.pixelBox();
    return QRect(control_.area().mapToGlobal(box.topLeft()), box.size());
}

QAccessible::State ControlAccessible::state() const {
    QAccessible::State state;
    state.invisible = !control_.isVisible() || !control_.area().isVisible();
    return state;
}

LabelAccessible::LabelAccessible(const Label &label) : ControlAccessible(label), label_(label) {}

QString LabelAccessible::text(QAccessible::Text kind) const {
    return kind == QAccessible::Name ? label_.shownText() : QString();
}

QAccessible::State LabelAccessible::state() const {
    QAccessible::State state = ControlAccessible::state();
    state.readOnly = true;
    return state;
}

ButtonAccessible::ButtonAccessible(const CommandButton &button)
    : ControlAccessible(button), button_(button) {}

QString ButtonAccessible::text(QAccessible::Text kind) const {
    return kind == QAccessible::Name ? button_.shownText() : QString();
}

QAccessible::State ButtonAccessible::state() const {
    QAccessible::State state = ControlAccessible::state();
    state.focusable = true;
    state.focused = button_.hasFocus();
    state.pressed = button_.isDown();
    state.disabled = !button_.isEnabled();
    return state;
}

void *ButtonAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::ActionInterface)
        return static_cast<QAccessibleActionInterface *>(this);
    return nullptr;
}

QStringList ButtonAccessible::actionNames() const {
    return {pressAction()};
}

void ButtonAccessible::doAction(const QString &action) {
    if (action == pressAction() && button_.isEnabled() && button_.isVisible())
        button_.raiseClick();
}
