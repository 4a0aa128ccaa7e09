#pragma once

#include "control.h"
#include "formarea.h"

class QAccessibleInterface;
class QPainter;

// A control without a window of its own, such as a label or a shape: its form's area draws it.
class WindowlessControl : public Control {
public:
    ~WindowlessControl() override;

    // Draws the control in its box on the area.
    virtual void paint(QPainter &painter) const = 0;
    // Has the area draw the control again.
    void repaint() const;
    // Puts the control in front of the others of its layer.
    void bringToFront() { area_.bringToFront(this, layer_); }

    FormArea &area() const { return area_; }

    // What assistive tools are told of the control, made when one first asks; null for a control
    // they are not told of.
    virtual QAccessibleInterface *accessibleInterface() { return nullptr; }

protected:
    WindowlessControl(FormArea &area, FormArea::Layer layer);

private:
    void placeChanged(bool wasVisible, const QRect &before) override;

    FormArea &area_;
    FormArea::Layer layer_;
};
