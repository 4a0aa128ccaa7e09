#pragma once

#include "control.h"
#include "formarea.h"

#include <QAccessible>

class QPainter;

// A control without a window of its own, such as a label or a shape: its form's area draws it.
class WindowlessControl : public Control {
public:
    ~WindowlessControl() override;

    // Draws the control in its box on the area, `box` being its pixelBox().
    virtual void paint(QPainter &painter, const QRect &box) const = 0;
    // Has the area draw the control again.
    void repaint() const;
    // Puts the control in front of the others of its layer.
    void bringToFront() { area_.bringToFront(this, layer_); }

    FormArea &area() const { return area_; }

    // What assistive tools are told of the control, made when one first asks; null for a control
    // they are not told of.
    QAccessibleInterface *accessibleInterface() const;
    // What the control is, told beside what it shows (a clock's "time").
    const QString &accessibleDescription() const { return description_; }
    void setAccessibleDescription(const QString &description) { description_ = description; }
    // The cell of its area's table the control belongs to, or -1; a cell is told of as a whole.
    int tableCell() const { return tableCell_; }
    void setTableCell(int cell) { tableCell_ = cell; }

protected:
    WindowlessControl(FormArea &area, FormArea::Layer layer);

    virtual QAccessibleInterface *makeAccessibleInterface() const { return nullptr; }
    // Tells assistive tools of a change to the control, if one has asked about it.
    void tellAssistiveTools(QAccessible::Event change) const;
    // The control's interface if an assistive tool has asked about the control, else null.
    QAccessibleInterface *toldInterface() const;

private:
    void placeChanged(bool wasVisible, const QRect &before) override;

    FormArea &area_;
    FormArea::Layer layer_;
    mutable QAccessible::Id accessibleId_ = 0;
    QString description_;
    int tableCell_ = -1;
};
