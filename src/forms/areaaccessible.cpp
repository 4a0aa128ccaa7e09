#include "areaaccessible.h"

#include "formarea.h"
#include "label.h"

#include <algorithm>

AreaAccessible::AreaAccessible(FormArea *area) : QAccessibleWidget(area, QAccessible::Client) {}

FormArea &AreaAccessible::area() const {
    return *static_cast<FormArea *>(widget());
}

int AreaAccessible::childCount() const {
    return QAccessibleWidget::childCount() +
           static_cast<int>(area().controls(FormArea::Labels).size());
}

QAccessibleInterface *AreaAccessible::child(int index) const {
    const int widgets = QAccessibleWidget::childCount();
    if (index < widgets)
        return QAccessibleWidget::child(index);
    const auto &labels = area().controls(FormArea::Labels);
    const auto label = static_cast<std::size_t>(index - widgets);
    return label < labels.size() ? labels[label]->accessibleInterface() : nullptr;
}

int AreaAccessible::indexOfChild(const QAccessibleInterface *child) const {
    const auto *label = dynamic_cast<const LabelAccessible *>(child);
    if (!label)
        return QAccessibleWidget::indexOfChild(child);
    const auto &labels = area().controls(FormArea::Labels);
    const auto found = std::find(labels.begin(), labels.end(), &label->label());
    if (found == labels.end())
        return -1;
    return QAccessibleWidget::childCount() + static_cast<int>(found - labels.begin());
}

QWindow *LabelAccessible::window() const {
    return label_.area().window()->windowHandle();
}

QAccessibleInterface *LabelAccessible::parent() const {
    return QAccessible::queryAccessibleInterface(&label_.area());
}

QString LabelAccessible::text(QAccessible::Text kind) const {
    return kind == QAccessible::Name ? label_.shownText() : QString();
}

QRect LabelAccessible::rect() const {
    const QRect box = label_.pixelBox();
    return QRect(label_.area().mapToGlobal(box.topLeft()), box.size());
}

QAccessible::State LabelAccessible::state() const {
    QAccessible::State state;
    state.invisible = !label_.isVisible() || !label_.area().isVisible();
    state.readOnly = true;
    return state;
}
