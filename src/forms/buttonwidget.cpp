#include "buttonwidget.h"

#include "bevel.h"
#include "devicepixels.h"
#include "twips.h"

#include <QKeyEvent>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace {

int buttonCode(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton:
        return CommandButton::LeftButton;
    case Qt::RightButton:
        return CommandButton::RightButton;
    case Qt::MiddleButton:
        return CommandButton::MiddleButton;
    default:
        return 0;
    }
}

int shiftState(Qt::KeyboardModifiers modifiers) {
    return (modifiers & Qt::ShiftModifier ? CommandButton::ShiftKey : 0) |
           (modifiers & Qt::ControlModifier ? CommandButton::CtrlKey : 0) |
           (modifiers & Qt::AltModifier ? CommandButton::AltKey : 0);
}

} // namespace

// Tab reaches the button; a press gives it the focus once the press has been handled.
ButtonWidget::ButtonWidget(QWidget *parent) : QAbstractButton(parent) {
    setFocusPolicy(Qt::TabFocus);
}

bool ButtonWidget::isClickedByKeys() const {
    return isSignalConnected(QMetaMethod::fromSignal(&QAbstractButton::clicked));
}

bool ButtonWidget::event(QEvent *event) {
    // Nothing of the widget may be touched once it has taken its own deletion.
    if (event->type() == QEvent::DeferredDelete)
        return QAbstractButton::event(event);
    ++eventDepth_;
    const bool handled = QAbstractButton::event(event);
    --eventDepth_;
    // The button paints every pixel of its box, the same under the pointer or not; the style's
    // polish says otherwise of buttons, so it is corrected here. Opaque, a cover spares Qt
    // painting what lies beneath it.
    if (event->type() == QEvent::Polish) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setAttribute(Qt::WA_Hover, false);
    }
    return handled;
}

// A plain raised button drawn by the forms layer: a board has hundreds of them, and the style's
// rounded gradients cost more than the rest of a new game.
void ButtonWidget::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    devicepixels::scalePainter(painter);
    const QPalette &colours = palette();
    const bool sunken = isDown();
    bevel::paint(painter, size(), colours, sunken);
    if (hasFocus()) {
        QStyleOptionFocusRect frame;
        frame.initFrom(this);
        frame.rect = rect().adjusted(3, 3, -3, -3);
        frame.backgroundColor = colours.color(QPalette::Button);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &frame, &painter, this);
    }
    if (text().isEmpty())
        return;
    painter.setFont(font());
    const QRect box = sunken ? rect().translated(1, 1) : rect();
    if (!isEnabled()) {
        // Etched, as a greyed button's text is.
        painter.setPen(colours.color(QPalette::Light));
        painter.drawText(box.translated(1, 1), Qt::AlignCenter | Qt::TextDontClip, text());
    }
    painter.setPen(
        colours.color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawText(box, Qt::AlignCenter | Qt::TextDontClip, text());
}

// The game acts when a button goes down, not on release.
void ButtonWidget::mousePressEvent(QMouseEvent *event) {
    // Qt keeps input from a disabled widget but not from a hidden one; neither may act.
    if (isHidden() || !isEnabled()) {
        event->accept();
        return;
    }
    if (mouseDown) {
        // The handler may hide or disable any number of buttons; the focus waits on the form
        // meanwhile rather than hopping from each to the next.
        parentWidget()->setFocus(Qt::OtherFocusReason);
        const QPointF pos = event->position();
        mouseDown(buttonCode(event->button()), shiftState(event->modifiers()),
                  static_cast<float>(twips::fromPixels(pos.x())),
                  static_cast<float>(twips::fromPixels(pos.y())));
    }
    // The handler may have hidden or disabled this button, or taken it off its form for a new
    // one; it then takes no press of its own.
    if (isVisible() && isEnabled()) {
        setFocus(Qt::MouseFocusReason);
        QAbstractButton::mousePressEvent(event);
        return;
    }
    event->accept();
    if (parentWidget())
        passFocusOn();
}

// The second press of a quick double press is a press like any other.
void ButtonWidget::mouseDoubleClickEvent(QMouseEvent *event) {
    mousePressEvent(event);
}

// Enter clicks a button that has a Click, as Space does.
void ButtonWidget::keyPressEvent(QKeyEvent *event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && isClickedByKeys()) {
        event->accept();
        click();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

// Along the tab order, as the platform moves the focus from a widget that goes away, but past any
// button that a key clicks: reached by itself, the next Space or Enter meant for this button would
// raise that button's Click. With none left, the form keeps the focus.
void ButtonWidget::passFocusOn() {
    QWidget *area = parentWidget();
    for (QWidget *w = nextInFocusChain(); w != this; w = w->nextInFocusChain()) {
        if (w->parentWidget() != area || w->isHidden() || !w->isEnabled() ||
            !(w->focusPolicy() & Qt::TabFocus))
            continue;
        const auto *button = dynamic_cast<ButtonWidget *>(w);
        if (button && !button->isClickedByKeys()) {
            w->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    area->setFocus(Qt::OtherFocusReason);
}
