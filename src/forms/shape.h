#pragma once

#include "windowlesscontrol.h"

// A filled rectangle.
class Shape : public WindowlessControl {
public:
    explicit Shape(FormArea &area) : WindowlessControl(area, FormArea::Shapes) {}

    // Takes the design-time properties of the template into this new, hidden shape.
    void copyDesignOf(const Shape &element0);

    int backColor() const { return backColor_; }
    void setBackColor(int color);

    void paint(QPainter &painter, const QRect &box) const override;

private:
    int backColor_ = 0xFFFFFF;
};
