#include "control.h"

#include "twips.h"

void Control::setGeometry(float left, float top, float width, float height) {
    const QRect before = pixelBox();
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    placeChanged(visible_, before);
}

void Control::setVisible(bool visible) {
    if (visible == visible_)
        return;
    visible_ = visible;
    placeChanged(!visible, pixelBox());
}

QRect Control::pixelBox() const {
    const int x = twips::toPixels(left_);
    const int y = twips::toPixels(top_);
    return QRect(x, y, twips::toPixels(left_ + width_) - x, twips::toPixels(top_ + height_) - y);
}
