#include "formarea.h"

#include "accessiblefactory.h"
#include "areaaccessible.h"
#include "commandbutton.h"
#include "devicepixels.h"
#include "twips.h"
#include "windowlesscontrol.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

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

bool isActive(const CommandButton *button) {
    return button->isVisible() && button->isEnabled();
}

bool anyButton(const CommandButton *) {
    return true;
}

// Focus passed on by a press lands on no button that a key clicks: the next Space or Enter, meant
// for the pressed button, would raise that button's Click.
bool unclickable(const CommandButton *button) {
    return !button->isClickable();
}

// The shown buttons by where they lie: each box filed under every square of a coarse grid that it
// touches, so that the buttons over a point are found among a few.
class ButtonGrid {
public:
    ButtonGrid(const std::vector<WindowlessControl *> &buttons, const QSize &size)
        : columns_(size.width() / side + 1), squares_(columns_ * (size.height() / side + 1)) {
        const QRect area(QPoint(0, 0), size);
        for (const WindowlessControl *button : buttons) {
            const QRect box = button->pixelBox();
            const QRect within = box & area;
            if (!button->isVisible() || within.isEmpty())
                continue;
            for (int y = within.top() / side; y <= within.bottom() / side; ++y)
                for (int x = within.left() / side; x <= within.right() / side; ++x)
                    squares_[std::size_t(y * columns_ + x)].push_back(box);
        }
    }

    // Whether a shown button's box holds all of `box`.
    bool covers(const QRect &box) const {
        const std::size_t at = std::size_t(box.top() / side * columns_ + box.left() / side);
        if (box.left() < 0 || box.top() < 0 || at >= squares_.size())
            return false;
        const std::vector<QRect> &near = squares_[at];
        return std::any_of(near.begin(), near.end(),
                           [&](const QRect &b) { return b.contains(box); });
    }

private:
    static constexpr int side = 32;
    int columns_;
    std::vector<std::vector<QRect>> squares_;
};

} // namespace

FormArea::FormArea(QWidget *parent) : QWidget(parent) {
    provideAccessibleInterface<FormArea, AreaAccessible>();
    // The area paints its backdrop over every pixel of its box.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

void FormArea::setBackdrop(const QColor &colour) {
    backdrop_ = colour;
    update();
}

void FormArea::add(WindowlessControl *control, Layer layer) {
    layers_[layer].push_back(control);
}

// Controls go in the reverse of the order they came in, so the search starts from the last.
void FormArea::remove(WindowlessControl *control, Layer layer) {
    std::vector<WindowlessControl *> &controls = layers_[layer];
    const auto found = std::find(controls.rbegin(), controls.rend(), control);
    if (found != controls.rend())
        controls.erase(std::next(found).base());
}

void FormArea::forget(const CommandButton *button) {
    if (button == focused_)
        focused_ = nullptr;
    if (button == pressed_)
        pressed_ = nullptr;
    if (button == handling_)
        handling_ = nullptr;
}

void FormArea::bringToFront(WindowlessControl *control, Layer layer) {
    std::vector<WindowlessControl *> &controls = layers_[layer];
    if (!controls.empty() && controls.back() == control)
        return;
    remove(control, layer);
    controls.push_back(control);
    control->repaint();
}

// A new game sets up its board unseen, and nothing is painted until it is shown. Changes between
// two paints are gathered in one box: a spread changes hundreds of cells, each of which would
// otherwise add a piece to the region Qt keeps for the next paint.
void FormArea::invalidate(const QRect &box) {
    if (!isVisible() || !updatesEnabled())
        return;
    invalid_ |= box;
    update(invalid_);
}

void FormArea::focusFirstButton() {
    setFocusedButton(nextButton(nullptr, true, anyButton));
}

void FormArea::paintEvent(QPaintEvent *event) {
    invalid_ = QRect();
    QPainter painter(this);
    devicepixels::scalePainter(painter);
    painter.fillRect(event->rect(), backdrop_);
    const QRegion &region = event->region();
    // What lies wholly beneath a shown button is not seen, and not drawn.
    const ButtonGrid grid(buttons(), size());
    for (Layer layer : {Shapes, Labels, Buttons}) {
        for (const WindowlessControl *control : layers_[layer]) {
            if (!control->isVisible())
                continue;
            const QRect box = control->pixelBox();
            if (region.intersects(box) && (layer == Buttons || !grid.covers(box)))
                control->paint(painter, box);
        }
    }
}

// The game acts when a mouse button goes down, not on release.
void FormArea::mousePressEvent(QMouseEvent *event) {
    event->accept();
    CommandButton *button = buttonAt(event->position().toPoint());
    if (!button)
        return;
    const QPointF at = event->position() - button->pixelBox().topLeft();
    handling_ = button;
    button->raiseMouseDown(buttonCode(event->button()), shiftState(event->modifiers()),
                           static_cast<float>(twips::fromPixels(at.x())),
                           static_cast<float>(twips::fromPixels(at.y())));
    // The handler may have discarded the button, with its whole form, and the new form has placed
    // the focus; or it may have hidden or disabled the button, which then passes the focus on.
    if (handling_ != button)
        return;
    handling_ = nullptr;
    if (!isActive(button)) {
        setFocusedButton(nextButton(button, true, unclickable));
        return;
    }
    setFocusedButton(button);
    if (event->button() == Qt::LeftButton)
        setPressed(button, true);
}

// The second press of a quick double press is a press like any other.
void FormArea::mouseDoubleClickEvent(QMouseEvent *event) {
    mousePressEvent(event);
}

// A held button looks pressed only while the pointer is on it, and is clicked only there.
void FormArea::mouseMoveEvent(QMouseEvent *event) {
    if (pressed_)
        setPressed(pressed_, pressed_->pixelBox().contains(event->position().toPoint()));
}

void FormArea::mouseReleaseEvent(QMouseEvent *event) {
    if (event->button() != Qt::LeftButton || !pressed_)
        return;
    CommandButton *button = pressed_;
    const bool on = button->pixelBox().contains(event->position().toPoint());
    setPressed(nullptr, false);
    if (on && isActive(button))
        button->raiseClick();
}

void FormArea::keyPressEvent(QKeyEvent *event) {
    const bool forward = event->key() == Qt::Key_Down || event->key() == Qt::Key_Right;
    switch (event->key()) {
    case Qt::Key_Space:
        if (focused_ && isActive(focused_) && !event->isAutoRepeat()) {
            spaceDown_ = true;
            setPressed(focused_, true);
        }
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (focused_ && isActive(focused_) && focused_->isClickable())
            focused_->raiseClick();
        else
            event->ignore();
        return;
    case Qt::Key_Up:
    case Qt::Key_Left:
    case Qt::Key_Down:
    case Qt::Key_Right:
        focusNextPrevChild(forward);
        return;
    default:
        event->ignore();
    }
}

void FormArea::keyReleaseEvent(QKeyEvent *event) {
    if (event->key() != Qt::Key_Space || event->isAutoRepeat() || !spaceDown_) {
        event->ignore();
        return;
    }
    spaceDown_ = false;
    CommandButton *button = heldButton();
    setPressed(nullptr, false);
    if (button && button == focused_ && isActive(button))
        button->raiseClick();
}

// Tab and Shift+Tab move the focus among the buttons, round the form.
bool FormArea::focusNextPrevChild(bool next) {
    if (CommandButton *button = nextButton(focused_, next, anyButton)) {
        window()->setAttribute(Qt::WA_KeyboardFocusChange);
        setFocusedButton(button);
    }
    return true;
}

void FormArea::focusInEvent(QFocusEvent *) {
    repaintButton(focused_);
}

void FormArea::focusOutEvent(QFocusEvent *) {
    repaintButton(focused_);
}

CommandButton *FormArea::buttonAt(const QPoint &point) const {
    for (auto it = buttons().rbegin(); it != buttons().rend(); ++it) {
        auto *button = static_cast<CommandButton *>(*it);
        if (isActive(button) && button->pixelBox().contains(point))
            return button;
    }
    return nullptr;
}

template <class Wanted>
CommandButton *FormArea::nextButton(const CommandButton *from, bool forward, Wanted wanted) const {
    const auto &all = buttons();
    const auto count = static_cast<std::ptrdiff_t>(all.size());
    if (count == 0)
        return nullptr;
    std::ptrdiff_t start = forward ? -1 : count;
    if (from)
        start = std::find(all.begin(), all.end(), from) - all.begin();
    const std::ptrdiff_t step = forward ? 1 : -1;
    for (std::ptrdiff_t n = 1; n <= count; ++n) {
        const std::ptrdiff_t at = ((start + step * n) % count + count) % count;
        auto *button = static_cast<CommandButton *>(all[static_cast<std::size_t>(at)]);
        if (isActive(button) && wanted(button))
            return button;
    }
    return nullptr;
}

void FormArea::setFocusedButton(CommandButton *button) {
    if (button == focused_)
        return;
    repaintButton(focused_);
    focused_ = button;
    repaintButton(focused_);
    if (focused_ && hasFocus() && QAccessible::isActive()) {
        QAccessibleEvent event(focused_->accessibleInterface(), QAccessible::Focus);
        QAccessible::updateAccessibility(&event);
    }
}

void FormArea::setPressed(CommandButton *button, bool pointerOn) {
    if (button == pressed_ && pointerOn == pointerOnPressed_)
        return;
    repaintButton(heldButton());
    pressed_ = button;
    pointerOnPressed_ = button && pointerOn;
    repaintButton(heldButton());
}

void FormArea::repaintButton(const CommandButton *button) {
    if (button)
        button->repaint();
}
