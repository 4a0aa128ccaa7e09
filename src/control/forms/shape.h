#pragma once

#include "control.h"

#include <memory>

class QWidget;
class ShapeWidget;

// A filled rectangle.
class Shape : public Control {
public:
    explicit Shape(QWidget *parent);

    // A copy of the design-time properties of the template; it starts hidden.
    static std::unique_ptr<Shape> copyOf(const Shape &element0, QWidget *parent);

    int backColor() const { return backColor_; }
    void setBackColor(int color);

private:
    ShapeWidget *shape_;
    int backColor_ = 0xFFFFFF;
};
