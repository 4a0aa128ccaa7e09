#include "control.h"

#include "twips.h"

void Control::setGeometry(float left, float top, float width, float height) {
    // Only a visible control has a place on the screen to leave.
    const QRect before = visible_ ? pixelBox() : QRect();
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    pixelBox_ = QRect(twips::toPixels(left), twips::toPixels(top), twips::toPixels(width),
                      twips::toPixels(height));
    placeChanged(visible_, before);
}

void Control::setVisible(bool visible) {
    if (visible == visible_)
        return;
    visible_ = visible;
    placeChanged(!visible, visible ? QRect() : pixelBox());
}
