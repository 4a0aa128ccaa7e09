#include "control.h"

#include "twips.h"

#include <QWidget>

void Control::setLeft(float left) {
    left_ = left;
    updateGeometry();
}

void Control::setTop(float top) {
    top_ = top;
    updateGeometry();
}

void Control::setWidth(float width) {
    settleSize();
    width_ = width;
    updateGeometry();
}

void Control::setHeight(float height) {
    settleSize();
    height_ = height;
    updateGeometry();
}

void Control::setGeometry(float left, float top, float width, float height) {
    settleSize();
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    updateGeometry();
}

void Control::changeVisible(bool visible) {
    visible_ = visible;
    if (visible && geometryPending_)
        applyGeometry();
    widget_->setVisible(visible);
}

void Control::copyGeometry(const Control &other) {
    setGeometry(other.left_, other.top_, other.width(), other.height());
}

// A hidden control's widget takes its place when it is shown: a new game places every control
// several times over before any of them is seen.
void Control::updateGeometry() {
    if (visible_)
        applyGeometry();
    else
        geometryPending_ = true;
}

// Both edges are rounded, not the size, so that neighbouring controls touch without gaps.
void Control::applyGeometry() {
    geometryPending_ = false;
    const int x = twips::toPixels(left_);
    const int y = twips::toPixels(top_);
    widget_->setGeometry(x, y, twips::toPixels(left_ + width_) - x,
                         twips::toPixels(top_ + height_) - y);
}
