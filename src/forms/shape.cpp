#include "shape.h"

#include "accessiblefactory.h"
#include "color.h"

#include <QAccessibleWidget>
#include <QPainter>
#include <QWidget>

class ShapeWidget : public QWidget {
public:
    using QWidget::QWidget;

    void setFill(const QColor &colour) {
        fill_ = colour;
        // A slightly darker outline keeps neighbouring open cells apart.
        outline_ = colour.darker(125);
        update();
    }

protected:
    // Two fills rather than a stroked outline: a board paints hundreds of these at once.
    void paintEvent(QPaintEvent *) override {
        QPainter painter(this);
        painter.fillRect(rect(), outline_);
        painter.fillRect(rect().adjusted(1, 1, -1, -1), fill_);
    }

private:
    QColor fill_ = Qt::white;
    QColor outline_ = QColor(Qt::white).darker(125);
};

Shape::Shape(QWidget *parent)
    : Control(new ShapeWidget(parent)), shape_(static_cast<ShapeWidget *>(widget())) {
    provideAccessibleInterface<ShapeWidget, QAccessibleWidget>();
    shape_->setAttribute(Qt::WA_TransparentForMouseEvents);
    shape_->setAttribute(Qt::WA_OpaquePaintEvent);
    shape_->hide();
}

void Shape::copyDesignOf(const Shape &element0) {
    copyGeometry(element0);
    setBackColor(element0.backColor_);
}

void Shape::setBackColor(int color) {
    backColor_ = color;
    shape_->setFill(toQColor(color));
}
