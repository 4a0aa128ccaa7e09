#pragma once

#include "commandbutton.h"

#include <QAbstractButton>

// The widget of a command button. An abstract button rather than a push button: a push button asks
// its parent for a new layout when it is first polished, and a board of them floods the event
// queue with those requests.
class ButtonWidget : public QAbstractButton {
public:
    explicit ButtonWidget(QWidget *parent);

    CommandButton::MouseDownHandler mouseDown;

    // Whether the widget is in the middle of handling an event of its own.
    bool isHandlingEvent() const { return eventDepth_ > 0; }
    // Whether Space or Enter on the button raises a Click.
    bool isClickedByKeys() const;

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void passFocusOn();

    int eventDepth_ = 0;
};
