#include "windowlesscontrol.h"

WindowlessControl::WindowlessControl(FormArea &area, FormArea::Layer layer)
    : area_(area), layer_(layer) {
    area_.add(this, layer_);
}

WindowlessControl::~WindowlessControl() {
    repaint();
    area_.remove(this, layer_);
}

// A new game sets up its board while the area is hidden, and nothing is painted until it is shown.
void WindowlessControl::repaint() const {
    if (isVisible() && area_.isVisible())
        area_.update(pixelBox());
}

void WindowlessControl::placeChanged(bool wasVisible, const QRect &before) {
    if (wasVisible && area_.isVisible())
        area_.update(before);
    repaint();
}
