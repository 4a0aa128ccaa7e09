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
    outline_ = toQColor(color).darker(125);
    repaint();
}

// Two fills rather than a stroked outline: a board paints hundreds of these at once.
void Shape::paint(QPainter &painter) const {
    const QRect box = pixelBox();
    painter.fillRect(box, outline_);
    painter.fillRect(box.adjusted(1, 1, -1, -1), toQColor(backColor_));
}
