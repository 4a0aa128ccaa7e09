#pragma once

#include <QAccessible>
#include <QColor>
#include <QWidget>

#include <array>
#include <functional>
#include <vector>

class CommandButton;
class Label;
class TableAccessible;
class WindowlessControl;
struct FontSpec;

// The window's inner area, the one widget of every form: it draws the form's controls, shapes
// first, then labels, then command buttons, each layer in its z-order; it routes the mouse to the
// buttons and keeps which of them has the keyboard focus. The tab order is the order the buttons
// were made in. A form may lay some buttons out as a table, over labels that show what lies
// beneath them: the arrow keys then move the focus over it by row and column, and assistive tools
// see it as a table of cells.
class FormArea : public QWidget {
    Q_OBJECT

public:
    enum Layer { Shapes, Labels, Buttons };

    explicit FormArea(QWidget *parent);
    ~FormArea() override;

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

    // The button with the focus, null while the form itself holds it. The focus may rest on a
    // button that is hidden or greyed since, as on a cell whose cover is gone.
    CommandButton *focusedButton() const { return focused_; }
    void setFocusedButton(CommandButton *button);
    // Gives the focus to the first button in the tab order that is shown and enabled.
    void focusFirstButton();
    // Whether the keyboard moved the focus to where it is: only then does a key press the
    // focused button, and only then is the focus drawn.
    bool isFocusShown() const { return focusShown_; }

    // The table: `buttons` in rows of `columns`, each over the label at the same index. Empty
    // vectors take it away.
    void setTable(std::vector<CommandButton *> buttons, std::vector<Label *> contents, int columns);
    int tableCells() const { return int(tableButtons_.size()); }
    int tableColumns() const { return tableColumns_; }
    CommandButton &tableButton(int cell) const { return *tableButtons_[std::size_t(cell)]; }
    // What assistive tools are told a cell shows: its button while that is shown, else its label.
    QString cellName(int cell) const;
    // A press of the mouse button `button` (the runtime's code) on a cell's button, if it takes
    // one.
    void pressCell(int cell, int button);
    // Tells assistive tools that a cell shows something else.
    void tellCellChanged(int cell) const;
    TableAccessible *tableAccessible() const;

    // What assistive tools say for a caption in a font, on a button or a label: a picture font's
    // letters stand for what they show. Without it, what is drawn.
    using Speech =
        std::function<QString(bool onButton, const QString &caption, const QString &fontName)>;
    void setSpeech(Speech speech) { speech_ = std::move(speech); }
    QString spoken(bool onButton, const QString &caption, const FontSpec &font,
                   const QString &drawn) const;
    // Whether a shown button's box holds all of `box`.
    bool isBeneathShownButton(const QRect &box) const;
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
    void contextMenuEvent(QContextMenuEvent *event) override;
    bool focusNextPrevChild(bool next) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    const std::vector<WindowlessControl *> &buttons() const { return layers_[Buttons]; }
    CommandButton *buttonAt(const QPoint &point) const;
    // The next button along the tab order from `from` (from either end when null) that is shown
    // and enabled; null when there is none.
    CommandButton *nextButton(const CommandButton *from, bool forward) const;
    // Raises the button's MouseDown; the press gives it the focus first, which the handler may
    // move.
    void press(CommandButton *button, int code, int shift, const QPointF &at);
    // The same, in the button's middle, with no Shift, Ctrl or Alt.
    void pressMiddle(CommandButton *button, int code);
    // Moves the focus by keyboard to `button`, if there is one.
    void moveFocus(CommandButton *button);
    // The table's cell that has the focus, or -1.
    int focusedCell() const;
    // The button `rows` and `columns` away from the focused cell, held within the table.
    CommandButton *cellAway(int rows, int columns) const;
    // A right press on the focused button, for the Menu key or Shift+F10, if it takes one.
    bool pressForMenu();
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
    bool focusShown_ = false;
    // Which of the two events of a Menu key stroke pressed, so that the other does not.
    enum { NotTaken, ByKey, ByContextMenu } menuKeyTaken_ = NotTaken;
    std::vector<CommandButton *> tableButtons_;
    std::vector<Label *> tableContents_;
    int tableColumns_ = 0;
    Speech speech_;
    mutable QAccessible::Id tableId_ = 0;
};
