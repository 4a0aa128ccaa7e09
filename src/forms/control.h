#pragma once

class QWidget;

// A control of a form: its position and size in twips, as last written, and its visibility.
// The widget's pixel geometry is derived from these values; Qt's parent owns the widget.
class Control {
public:
    Control(const Control &) = delete;
    Control &operator=(const Control &) = delete;
    virtual ~Control() = default;

    float left() const { return left_; }
    float top() const { return top_; }
    float width() const {
        settleSize();
        return width_;
    }
    float height() const {
        settleSize();
        return height_;
    }
    void setLeft(float left);
    void setTop(float top);
    void setWidth(float width);
    void setHeight(float height);
    void setGeometry(float left, float top, float width, float height);

    // The control's own flag: a control can be visible on a form that is not shown yet.
    bool isVisible() const { return visible_; }
    // The end of a game repeats its reveal once for every enclosing step of the spread; a control
    // that is already as asked stays untouched, since each widget change costs Qt events.
    void setVisible(bool visible) {
        if (visible != visible_)
            changeVisible(visible);
    }

    QWidget *widget() const { return widget_; }

protected:
    explicit Control(QWidget *widget) : widget_(widget) {}
    // A control that works out its own size only when it is needed brings Width and Height up to
    // date here, before they are read or written.
    virtual void settleSize() const {}
    void copyGeometry(const Control &other);
    void updateGeometry();

private:
    void changeVisible(bool visible);
    void applyGeometry();

    QWidget *widget_;
    float left_ = 0;
    float top_ = 0;
    float width_ = 0;
    float height_ = 0;
    bool visible_ = false;
    bool geometryPending_ = false;
};
