#pragma once

#include "control.h"

class QWidget;
class ShapeWidget;

// A filled rectangle.
class Shape : public Control {
public:
    explicit Shape(QWidget *parent);

    // Takes the design-time properties of the template into this new, hidden shape.
    void copyDesignOf(const Shape &element0);

    int backColor() const { return backColor_; }
    void setBackColor(int color);

private:
    ShapeWidget *shape_;
    int backColor_ = 0xFFFFFF;
};
