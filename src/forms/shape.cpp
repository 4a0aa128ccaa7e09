#include "shape.h"

#include "color.h"

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

// Two fills rather than a stroked outline: a board paints hundreds of these at once. A slightly
// darker outline, four fifths of each channel, keeps neighbouring open cells apart.
void Shape::paint(QPainter &painter, const QRect &box) const {
    const QColor fill = toQColor(backColor_);
    painter.fillRect(box, QColor(fill.red() * 4 / 5, fill.green() * 4 / 5, fill.blue() * 4 / 5));
    painter.fillRect(box.adjusted(1, 1, -1, -1), fill);
}
