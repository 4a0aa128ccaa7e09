#pragma once

#include <QRect>

// A control of a form: its position and size in twips, as last written, and its visibility. Where
// it lies on the screen derives from these values.
class Control {
public:
    Control(const Control &) = delete;
    Control &operator=(const Control &) = delete;
    virtual ~Control() = default;

    float left() const { return left_; }
    float top() const { return top_; }
    float width() const { return width_; }
    float height() const { return height_; }
    void setLeft(float left) { setGeometry(left, top_, width_, height_); }
    void setTop(float top) { setGeometry(left_, top, width_, height_); }
    void setWidth(float width) { setGeometry(left_, top_, width, height_); }
    void setHeight(float height) { setGeometry(left_, top_, width_, height); }
    void setGeometry(float left, float top, float width, float height);

    // The control's own flag: a control can be visible on a form that is not shown yet.
    bool isVisible() const { return visible_; }
    // The end of a game repeats its reveal once for every enclosing step of the spread; a control
    // that is already as asked stays untouched.
    void setVisible(bool visible);

    // The control's box in logical pixels. Its corner and its size are each rounded, so that a
    // control keeps its shape wherever it lies: a square stays square. Controls whose places and
    // sizes are whole pixels, as a board's cells are, still touch. Kept, since every paint asks it
    // of every control.
    const QRect &pixelBox() const { return pixelBox_; }

protected:
    Control() = default;
    // The control moved, was resized, shown or hidden; `before` is the box it had if it was
    // visible.
    virtual void placeChanged(bool wasVisible, const QRect &before) = 0;

private:
    float left_ = 0;
    float top_ = 0;
    float width_ = 0;
    float height_ = 0;
    QRect pixelBox_{0, 0, 0, 0};
    bool visible_ = false;
};
