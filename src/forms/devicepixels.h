#pragma once

#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QTransform>

namespace devicepixels {

// Qt 6.4's painter leaves a device pixel ratio below 1 out of its transform, though it clips in
// device pixels: a widget would draw at full size into its reduced box, mostly clipped away. Later
// Qt scales by itself; which kind of painter this is, is seen once, on an image at half a pixel.
inline bool painterIgnoresRatiosBelowOne() {
    static const bool ignores = [] {
        QImage probe(1, 1, QImage::Format_RGB32);
        probe.setDevicePixelRatio(0.5);
        QPainter painter(&probe);
        return painter.deviceTransform().m11() == 1;
    }();
    return ignores;
}

// Gives the painter the scale where Qt left it out.
inline void scalePainter(QPainter &painter) {
    const qreal ratio = painter.device()->devicePixelRatio();
    if (ratio >= 1 || !painterIgnoresRatiosBelowOne())
        return;
    const QTransform toDevice = painter.deviceTransform();
    painter.setWorldTransform(toDevice * QTransform::fromScale(ratio, ratio) * toDevice.inverted());
}

} // namespace devicepixels
