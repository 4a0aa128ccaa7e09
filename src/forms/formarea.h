#pragma once

#include <QColor>
#include <QWidget>

#include <array>
#include <vector>

class CommandButton;
class WindowlessControl;

// The window's inner area, the one widget of every form: it draws the form's controls, shapes
// first, then labels, then command buttons, each layer in its z-order; it routes the mouse to the
// buttons and keeps which of them has the keyboard focus. The tab order is the order the buttons
// were made in.
class FormArea : public QWidget {
    Q_OBJECT

public:
    enum Layer { Shapes, Labels, Buttons };

    explicit FormArea(QWidget *parent);

    void setBackdrop(const QColor &colour);

    // The windowless controls of a layer, from back to front.
    const std::vector<WindowlessControl *> &controls(Layer layer) const { return layers_[layer]; }
    void add(WindowlessControl *control, Layer layer);
    void remove(WindowlessControl *control, Layer layer);
    void bringToFront(WindowlessControl *control, Layer layer);
    // Has the box painted again.
    void invalidate(const QRect &box);
    // A button about to go: it no longer has the focus, nor is it held.
    void forget(const CommandButton *button);

    // The button with the focus, null while the form itself holds it.
    CommandButton *focusedButton() const { return focused_; }
    // Gives the focus to the first button in the tab order that is shown and enabled.
    void focusFirstButton();
    // The button the left mouse button went down on, while it is held there.
    CommandButton *heldButton() const { return pointerOnPressed_ ? pressed_ : nullptr; }

signals:
    // A control of the area was shown or hidden.
    void visibilityChanged(const WindowlessControl *control);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    bool focusNextPrevChild(bool next) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    const std::vector<WindowlessControl *> &buttons() const { return layers_[Buttons]; }
    CommandButton *buttonAt(const QPoint &point) const;
    // The next button along the tab order from `from` (from either end when null) that is shown,
    // enabled and passes `wanted`; null when there is none.
    template <class Wanted>
    CommandButton *nextButton(const CommandButton *from, bool forward, Wanted wanted) const;
    void setFocusedButton(CommandButton *button);
    void setPressed(CommandButton *button, bool pointerOn);
    void repaintButton(const CommandButton *button);

    QColor backdrop_ = Qt::white;
    // What is to be painted again, in one box.
    QRect invalid_;
    std::array<std::vector<WindowlessControl *>, 3> layers_;
    CommandButton *focused_ = nullptr;
    CommandButton *pressed_ = nullptr;
    // The button whose MouseDown is being handled, until the handler discards it.
    CommandButton *handling_ = nullptr;
    bool pointerOnPressed_ = false;
    // Space went down on the focused button: its release clicks.
    bool spaceDown_ = false;
};
