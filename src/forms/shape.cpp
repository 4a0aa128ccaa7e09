#include "shape.h"

#include "color.h"
#include "drawnlooks.h"

#include <QImage>
#include <QPainter>

void Shape::copyDesignOf(const Shape &element0) {
    setGeometry(element0.left(), element0.top(), element0.width(), element0.height());
    setBackColor(element0.backColor_);
}

void Shape::setBackColor(int color) {
    if (color == backColor_)
        return;
    backColor_ = color;
    repaint();
}

namespace {

// Two fills rather than a stroked outline. A slightly darker outline, four fifths of each channel,
// keeps neighbouring open cells apart.
void fill(QPainter &painter, const QRect &box, const QColor &colour) {
    painter.fillRect(box,
                     QColor(colour.red() * 4 / 5, colour.green() * 4 / 5, colour.blue() * 4 / 5));
    painter.fillRect(box.adjusted(1, 1, -1, -1), colour);
}

struct Look {
    QSize size;
    int colour;

    bool operator==(const Look &other) const {
        return size == other.size && colour == other.colour;
    }
};

} // namespace

// A board paints hundreds of these at once, in a few sizes and colours. Copies keep their edges
// exact only at whole pixels, so a scaled screen has them filled in place.
void Shape::paint(QPainter &painter, const QRect &box) const {
    const QColor colour = toQColor(backColor_);
    if (painter.device()->devicePixelRatio() != 1) {
        fill(painter, box, colour);
        return;
    }
    static DrawnLooks<Look> filled;
    filled.paint(painter, box.topLeft(), {box.size(), backColor_}, [&] {
        QImage image(box.size(), QImage::Format_RGB32);
        QPainter onImage(&image);
        fill(onImage, image.rect(), colour);
        onImage.end();
        return image;
    });
}
