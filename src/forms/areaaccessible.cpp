#include "areaaccessible.h"

#include "commandbutton.h"
#include "formarea.h"
#include "label.h"
#include "tableaccessible.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr FormArea::Layer toldLayers[] = {FormArea::Buttons, FormArea::Labels};

// Controls of the table are told of as its cells.
bool isOwnChild(const WindowlessControl *control) {
    return control->tableCell() < 0;
}

// Whether the player can see the control: shown, and not wholly beneath a shown button.
bool isSeen(const WindowlessControl &control) {
    return control.isVisible() && control.area().isVisible() &&
           (dynamic_cast<const CommandButton *>(&control) ||
            !control.area().isBeneathShownButton(control.pixelBox()));
}

} // namespace

AreaAccessible::AreaAccessible(FormArea *area) : QAccessibleWidget(area, QAccessible::Client) {}

FormArea &AreaAccessible::area() const {
    return *static_cast<FormArea *>(widget());
}

// The table first, if the form has one, then the buttons and labels that are not in it.
std::vector<const WindowlessControl *> AreaAccessible::ownChildren() const {
    std::vector<const WindowlessControl *> children;
    for (FormArea::Layer layer : toldLayers) {
        const auto &controls = area().controls(layer);
        std::copy_if(controls.begin(), controls.end(), std::back_inserter(children), isOwnChild);
    }
    return children;
}

int AreaAccessible::childCount() const {
    return int(ownChildren().size()) + (area().tableCells() > 0);
}

QAccessibleInterface *AreaAccessible::child(int index) const {
    if (area().tableCells() > 0 && index-- == 0)
        return area().tableAccessible();
    const auto children = ownChildren();
    return index >= 0 && std::size_t(index) < children.size()
               ? children[std::size_t(index)]->accessibleInterface()
               : nullptr;
}

int AreaAccessible::indexOfChild(const QAccessibleInterface *child) const {
    const int table = area().tableCells() > 0;
    if (table && child == area().tableAccessible())
        return 0;
    const auto *told = dynamic_cast<const ControlAccessible *>(child);
    if (!told)
        return -1;
    const auto children = ownChildren();
    const auto found = std::find(children.begin(), children.end(), &told->control());
    return found == children.end() ? -1 : table + int(found - children.begin());
}

// The topmost thing shown at the point, as the player sees it.
QAccessibleInterface *AreaAccessible::childAt(int x, int y) const {
    const QPoint point = area().mapFromGlobal(QPoint(x, y));
    for (FormArea::Layer layer : toldLayers) {
        const auto &controls = area().controls(layer);
        for (auto it = controls.rbegin(); it != controls.rend(); ++it) {
            if (!(*it)->isVisible() || !(*it)->pixelBox().contains(point))
                continue;
            return (*it)->tableCell() < 0 ? (*it)->accessibleInterface()
                                          : area().tableAccessible()->cell((*it)->tableCell());
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

// What the player cannot see is neither shown nor named.
QString ControlAccessible::text(QAccessible::Text kind) const {
    if (!isSeen(control_))
        return {};
    if (kind == QAccessible::Description)
        return control_.accessibleDescription();
    return kind == QAccessible::Name ? name() : QString();
}

QAccessible::State ControlAccessible::state() const {
    QAccessible::State state;
    state.invisible = !isSeen(control_);
    return state;
}

LabelAccessible::LabelAccessible(const Label &label) : ControlAccessible(label), label_(label) {}

QString LabelAccessible::name() const {
    return label_.area().spoken(false, label_.caption(), label_.font(), label_.shownText());
}

QAccessible::State LabelAccessible::state() const {
    QAccessible::State state = ControlAccessible::state();
    state.readOnly = true;
    return state;
}

ButtonAccessible::ButtonAccessible(const CommandButton &button)
    : ControlAccessible(button), button_(button) {}

QString ButtonAccessible::name() const {
    return button_.area().spoken(true, button_.caption(), button_.font(), button_.shownText());
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
