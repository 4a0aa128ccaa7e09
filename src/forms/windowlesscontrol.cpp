#include "windowlesscontrol.h"

WindowlessControl::WindowlessControl(FormArea &area, FormArea::Layer layer)
    : area_(area), layer_(layer) {
    area_.add(this, layer_);
}

WindowlessControl::~WindowlessControl() {
    if (accessibleId_)
        QAccessible::deleteAccessibleInterface(accessibleId_);
    repaint();
    area_.remove(this, layer_);
}

QAccessibleInterface *WindowlessControl::accessibleInterface() const {
    if (!accessibleId_) {
        QAccessibleInterface *made = makeAccessibleInterface();
        if (!made)
            return nullptr;
        accessibleId_ = QAccessible::registerAccessibleInterface(made);
    }
    return QAccessible::accessibleInterface(accessibleId_);
}

QAccessibleInterface *WindowlessControl::toldInterface() const {
    return accessibleId_ ? QAccessible::accessibleInterface(accessibleId_) : nullptr;
}

void WindowlessControl::tellAssistiveTools(QAccessible::Event change) const {
    if (tableCell_ >= 0) {
        area_.tellCellChanged(tableCell_);
        return;
    }
    if (QAccessibleInterface *told = toldInterface()) {
        QAccessibleEvent event(told, change);
        QAccessible::updateAccessibility(&event);
    }
}

void WindowlessControl::repaint() const {
    if (isVisible())
        area_.invalidate(pixelBox());
}

void WindowlessControl::placeChanged(bool wasVisible, const QRect &before) {
    if (wasVisible)
        area_.invalidate(before);
    repaint();
    if (wasVisible == isVisible())
        return;
    emit area_.visibilityChanged(this);
    tellAssistiveTools(isVisible() ? QAccessible::ObjectShow : QAccessible::ObjectHide);
}
