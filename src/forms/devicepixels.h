#pragma once

#include <QPaintDevice>
#include <QPainter>
#include <QTransform>

namespace devicepixels {

// Qt 6.4's painter leaves a device pixel ratio below 1 out of its transform, though it clips in
// device pixels: a widget would draw at full size into its reduced box, mostly clipped away. The
// painter is given the scale here.
inline void scalePainter(QPainter &painter) {
    const qreal ratio = painter.device()->devicePixelRatio();
    if (ratio >= 1)
        return;
    const QTransform toDevice = painter.deviceTransform();
    painter.setWorldTransform(toDevice * QTransform::fromScale(ratio, ratio) * toDevice.inverted());
}

} // namespace devicepixels
