#pragma once

#include "fonts.h"
#include "windowlesscontrol.h"

#include <QString>

#include <functional>

// A command button, drawn by its form's area above every label and shape. It raises MouseDown when
// a mouse button goes down on it, and Click when it is clicked (the left button released on it,
// Space or Enter while it has the focus).
class CommandButton : public WindowlessControl {
public:
    // Mouse button codes and Shift state bits as the runtime reports them.
    enum Button { LeftButton = 1, RightButton = 2, MiddleButton = 4 };
    enum ShiftState { ShiftKey = 1, CtrlKey = 2, AltKey = 4 };
    using MouseDownHandler = std::function<void(int button, int shift, float x, float y)>;
    using ClickHandler = std::function<void()>;

    explicit CommandButton(FormArea &area);
    ~CommandButton() override;

    // Takes the design-time properties of the template into this new, hidden button.
    void copyDesignOf(const CommandButton &element0);

    const QString &caption() const { return caption_; }
    void setCaption(const QString &caption);
    bool isEnabled() const { return enabled_; }
    void setEnabled(bool enabled);

    const FontSpec &font() const { return font_; }
    // The caption as drawn: where the font stands in for another, its letters may be pictograms.
    const QString &shownText() const { return text_; }
    void setFont(const FontSpec &font);
    void setFontName(const QString &name);

    void setMouseDownHandler(MouseDownHandler handler) { mouseDown_ = std::move(handler); }
    void setClickHandler(ClickHandler handler) { click_ = std::move(handler); }
    // Whether the button has a Click for Space and Enter to raise.
    bool isClickable() const { return bool(click_); }

    // Raise the events. The handlers may discard the button, its whole form with it.
    void raiseMouseDown(int button, int shift, float x, float y) const;
    void raiseClick() const;

    // Drawn sunken while the left button is held on it.
    bool isDown() const;
    bool hasFocus() const;
    void setFocus();

    void paint(QPainter &painter, const QRect &box) const override;

protected:
    QAccessibleInterface *makeAccessibleInterface() const override;

private:
    void showText();

    QString caption_;
    FontSpec font_;
    bool enabled_ = true;
    // The caption as drawn, in the font that draws it.
    QString text_;
    QFont shownFont_;
    MouseDownHandler mouseDown_;
    ClickHandler click_;
};
