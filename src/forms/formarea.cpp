#include "formarea.h"

#include "accessiblefactory.h"
#include "areaaccessible.h"
#include "commandbutton.h"
#include "devicepixels.h"
#include "label.h"
#include "tableaccessible.h"
#include "twips.h"
#include "windowlesscontrol.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

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

// The shown buttons by where they lie: each box filed under every square of a coarse grid that it
// touches, so that the buttons over a point are found among a few.
class ButtonGrid {
public:
    ButtonGrid(const std::vector<WindowlessControl *> &buttons, const QSize &size)
        : columns_(size.width() / side + 1), squares_(columns_ * (size.height() / side + 1)) {
        const QRect area(QPoint(0, 0), size);
        for (const WindowlessControl *button : buttons) {
            const QRect &box = button->pixelBox();
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

// The table's interface refers to the area: it goes first.
FormArea::~FormArea() {
    if (tableId_)
        QAccessible::deleteAccessibleInterface(tableId_);
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
    // A cascade hides hundreds of covers inside a box already waiting to be painted.
    const QRect grown = invalid_ | box;
    if (grown == invalid_)
        return;
    invalid_ = grown;
    update(invalid_);
}

void FormArea::focusFirstButton() {
    setFocusedButton(nextButton(nullptr, true));
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
            const QRect &box = control->pixelBox();
            if (region.intersects(box) && (layer == Buttons || !grid.covers(box)))
                control->paint(painter, box);
        }
    }
    // Over the focused button, or over what it uncovered once it is hidden.
    if (focused_ && focusShown_ && hasFocus()) {
        QStyleOptionFocusRect frame;
        frame.initFrom(this);
        frame.rect = focused_->pixelBox().adjusted(3, 3, -3, -3);
        frame.backgroundColor = palette().color(QPalette::Button);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &frame, &painter, this);
    }
}

// The game acts when a mouse button goes down, not on release.
void FormArea::mousePressEvent(QMouseEvent *event) {
    event->accept();
    CommandButton *button = buttonAt(event->position().toPoint());
    if (!button)
        return;
    if (focusShown_) {
        focusShown_ = false;
        repaintButton(focused_);
    }
    press(button, buttonCode(event->button()), shiftState(event->modifiers()),
          event->position() - button->pixelBox().topLeft());
    // The handler may have discarded the button, with its whole form, or hidden or disabled it.
    if (handling_ == button && isActive(button) && event->button() == Qt::LeftButton)
        setPressed(button, true);
    handling_ = nullptr;
}

void FormArea::press(CommandButton *button, int code, int shift, const QPointF &at) {
    setFocusedButton(button);
    handling_ = button;
    button->raiseMouseDown(code, shift, static_cast<float>(twips::fromPixels(at.x())),
                           static_cast<float>(twips::fromPixels(at.y())));
}

// A press that comes from no pointer: from a key, or from an assistive tool.
void FormArea::pressMiddle(CommandButton *button, int code) {
    const QRect box = button->pixelBox();
    press(button, code, 0, QPointF(box.width() / 2.0, box.height() / 2.0));
    handling_ = nullptr;
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

// Space and Enter click a button that has a Click; on one that has none they are a left press, and
// the Menu key or Shift+F10 a right press, once the keyboard has moved the focus there.
void FormArea::keyPressEvent(QKeyEvent *event) {
    const bool control = event->modifiers() & Qt::ControlModifier;
    const bool canPress = focused_ && isActive(focused_) && focusShown_;
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (focused_ && isActive(focused_) && focused_->isClickable()) {
            if (event->key() != Qt::Key_Space) {
                focused_->raiseClick();
            } else if (!event->isAutoRepeat()) {
                spaceDown_ = true;
                setPressed(focused_, true);
            }
        } else if (canPress && !event->isAutoRepeat()) {
            pressMiddle(focused_, CommandButton::LeftButton);
        }
        return;
    case Qt::Key_Menu:
    case Qt::Key_F10:
        if (event->key() == Qt::Key_F10 && event->modifiers() != Qt::ShiftModifier)
            break;
        if (menuKeyTaken_ == ByContextMenu)
            menuKeyTaken_ = NotTaken;
        else if (pressForMenu())
            menuKeyTaken_ = ByKey;
        return;
    case Qt::Key_Up:
    case Qt::Key_Left:
    case Qt::Key_Down:
    case Qt::Key_Right: {
        // Off the table the arrows go along the tab order.
        const bool forward = event->key() == Qt::Key_Down || event->key() == Qt::Key_Right;
        const int rows = event->key() == Qt::Key_Up ? -1 : event->key() == Qt::Key_Down;
        const int columns = event->key() == Qt::Key_Left ? -1 : event->key() == Qt::Key_Right;
        moveFocus(focusedCell() < 0 ? nextButton(focused_, forward) : cellAway(rows, columns));
        return;
    }
    case Qt::Key_Home:
    case Qt::Key_End:
        if (focusedCell() >= 0) {
            const int way = event->key() == Qt::Key_Home ? -1 : 1;
            moveFocus(cellAway(control ? way * tableCells() : 0, way * tableColumns_));
        }
        return;
    default:
        break;
    }
    event->ignore();
}

// The platform may send the Menu key or Shift+F10 as a key, as a context menu event, or as both
// in either order: whichever comes first of one stroke presses, and the other is let go.
void FormArea::contextMenuEvent(QContextMenuEvent *event) {
    event->accept();
    if (event->reason() != QContextMenuEvent::Keyboard)
        return;
    if (menuKeyTaken_ == ByKey)
        menuKeyTaken_ = NotTaken;
    else if (pressForMenu())
        menuKeyTaken_ = ByContextMenu;
}

bool FormArea::pressForMenu() {
    if (!focused_ || !isActive(focused_) || !focusShown_ || focused_->isClickable())
        return false;
    pressMiddle(focused_, CommandButton::RightButton);
    return true;
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
    moveFocus(nextButton(focused_, next));
    return true;
}

void FormArea::moveFocus(CommandButton *button) {
    if (!button)
        return;
    // The style draws a focus frame only once the keyboard has moved the focus in the window.
    window()->setAttribute(Qt::WA_KeyboardFocusChange);
    focusShown_ = true;
    setFocusedButton(button);
    repaintButton(button);
}

int FormArea::focusedCell() const {
    return focused_ ? focused_->tableCell() : -1;
}

CommandButton *FormArea::cellAway(int rows, int columns) const {
    const int cell = focusedCell();
    const int lastRow = (tableCells() - 1) / tableColumns_;
    const int row = std::clamp(cell / tableColumns_ + rows, 0, lastRow);
    const int column = std::clamp(cell % tableColumns_ + columns, 0, tableColumns_ - 1);
    return tableButtons_[std::size_t(std::min(row * tableColumns_ + column, tableCells() - 1))];
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

CommandButton *FormArea::nextButton(const CommandButton *from, bool forward) const {
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
        if (isActive(button))
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
    if (!focused_ || !hasFocus() || !QAccessible::isActive())
        return;
    QAccessibleInterface *told = focusedCell() < 0 ? focused_->accessibleInterface()
                                                   : tableAccessible()->cell(focusedCell());
    QAccessibleEvent event(told, QAccessible::Focus);
    QAccessible::updateAccessibility(&event);
}

void FormArea::setTable(std::vector<CommandButton *> buttons, std::vector<Label *> contents,
                        int columns) {
    for (std::size_t cell = 0; cell < tableButtons_.size(); ++cell) {
        tableButtons_[cell]->setTableCell(-1);
        tableContents_[cell]->setTableCell(-1);
    }
    tableButtons_ = std::move(buttons);
    tableContents_ = std::move(contents);
    tableColumns_ = columns;
    for (std::size_t cell = 0; cell < tableButtons_.size(); ++cell) {
        tableButtons_[cell]->setTableCell(int(cell));
        tableContents_[cell]->setTableCell(int(cell));
    }
    if (tableId_)
        tableAccessible()->reset();
}

QString FormArea::cellName(int cell) const {
    const CommandButton &button = tableButton(cell);
    if (button.isVisible())
        return spoken(true, button.caption(), button.font(), button.shownText());
    const Label &content = *tableContents_[std::size_t(cell)];
    return spoken(false, content.caption(), content.font(), content.shownText());
}

void FormArea::pressCell(int cell, int button) {
    CommandButton *pressed = tableButtons_[std::size_t(cell)];
    if (isActive(pressed))
        pressMiddle(pressed, button);
}

void FormArea::tellCellChanged(int cell) const {
    if (tableId_ && QAccessible::isActive())
        tableAccessible()->cellChanged(cell);
}

TableAccessible *FormArea::tableAccessible() const {
    if (!tableId_)
        tableId_ = QAccessible::registerAccessibleInterface(
            new TableAccessible(const_cast<FormArea &>(*this)));
    return static_cast<TableAccessible *>(QAccessible::accessibleInterface(tableId_));
}

QString FormArea::spoken(bool onButton, const QString &caption, const FontSpec &font,
                         const QString &drawn) const {
    return speech_ ? speech_(onButton, caption, font.name) : drawn;
}

bool FormArea::isBeneathShownButton(const QRect &box) const {
    return std::any_of(buttons().begin(), buttons().end(), [&](const WindowlessControl *button) {
        return button->isVisible() && button->pixelBox().contains(box);
    });
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
        invalidate(button->pixelBox());
}
