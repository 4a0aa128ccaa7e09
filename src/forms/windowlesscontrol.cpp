#include "windowlesscontrol.h"

WindowlessControl::WindowlessControl(FormArea &area, FormArea::Layer layer)
    : area_(area), layer_(layer) {
    area_.add(this, layer_);
}

WindowlessControl::~WindowlessControl() {
    repaint();
    area_.remove(this, layer_);
}

void WindowlessControl::repaint() const {
    if (isVisible())
        area_.update(pixelBox());
}

void WindowlessControl::placeChanged(bool wasVisible, const QRect &before) {
    if (wasVisible)
        area_.update(before);
    repaint();
}
