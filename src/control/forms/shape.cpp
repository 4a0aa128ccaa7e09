#include "shape.h"

#include "color.h"

#include <QPainter>
#include <QWidget>

class ShapeWidget : public QWidget {
public:
    using QWidget::QWidget;

    QColor fill = Qt::white;

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter painter(this);
        painter.fillRect(rect(), fill);
        // A slightly darker outline keeps neighbouring open cells apart.
        painter.setPen(fill.darker(125));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
};

Shape::Shape(QWidget *parent)
    : Control(new ShapeWidget(parent)), shape_(static_cast<ShapeWidget *>(widget())) {
    shape_->setAttribute(Qt::WA_TransparentForMouseEvents);
    shape_->setAttribute(Qt::WA_OpaquePaintEvent);
    shape_->hide();
}

std::unique_ptr<Shape> Shape::copyOf(const Shape &element0, QWidget *parent) {
    auto copy = std::make_unique<Shape>(parent);
    copy->copyGeometry(element0);
    copy->setBackColor(element0.backColor_);
    return copy;
}

void Shape::setBackColor(int color) {
    backColor_ = color;
    shape_->fill = toQColor(color);
    shape_->update();
}
