#include "formarea.h"

#include "accessiblefactory.h"
#include "areaaccessible.h"
#include "devicepixels.h"
#include "windowlesscontrol.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

FormArea::FormArea(QWidget *parent) : QWidget(parent) {
    provideAccessibleInterface<FormArea, AreaAccessible>();
    // The area paints its backdrop over every pixel of its box.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void FormArea::setBackdrop(const QColor &colour) {
    backdrop_ = colour;
    update();
}

void FormArea::add(WindowlessControl *control, Layer layer) {
    layers_[layer].push_back(control);
}

// Controls go in the reverse of the order they came in, so the search starts from the last.
void FormArea::remove(WindowlessControl *control, Layer layer) {
    std::vector<WindowlessControl *> &controls = layers_[layer];
    const auto found = std::find(controls.rbegin(), controls.rend(), control);
    if (found != controls.rend())
        controls.erase(std::next(found).base());
}

void FormArea::bringToFront(WindowlessControl *control, Layer layer) {
    std::vector<WindowlessControl *> &controls = layers_[layer];
    if (!controls.empty() && controls.back() == control)
        return;
    remove(control, layer);
    controls.push_back(control);
    control->repaint();
}

void FormArea::paintEvent(QPaintEvent *event) {
    QPainter painter(this);
    devicepixels::scalePainter(painter);
    painter.fillRect(event->rect(), backdrop_);
    const QRegion &region = event->region();
    for (const std::vector<WindowlessControl *> &controls : layers_) {
        for (const WindowlessControl *control : controls) {
            if (control->isVisible() && region.intersects(control->pixelBox()))
                control->paint(painter);
        }
    }
}
