#pragma once

#include "control.h"
#include "fonts.h"

#include <QString>

#include <functional>

class QWidget;
class ButtonWidget;

// A command button. It raises MouseDown when a mouse button goes down on it, and Click
// when it is clicked (mouse release, Space or Enter).
class CommandButton : public Control {
public:
    // Mouse button codes and Shift state bits as the runtime reports them.
    enum Button { LeftButton = 1, RightButton = 2, MiddleButton = 4 };
    enum ShiftState { ShiftKey = 1, CtrlKey = 2, AltKey = 4 };
    using MouseDownHandler = std::function<void(int button, int shift, float x, float y)>;
    using ClickHandler = std::function<void()>;

    explicit CommandButton(QWidget *parent);
    ~CommandButton() override;

    // Takes the design-time properties of the template into this new, hidden button.
    void copyDesignOf(const CommandButton &element0);

    const QString &caption() const { return caption_; }
    void setCaption(const QString &caption);
    bool isEnabled() const { return enabled_; }
    void setEnabled(bool enabled) {
        if (enabled != enabled_)
            changeEnabled(enabled);
    }

    const FontSpec &font() const { return font_; }
    void setFont(const FontSpec &font);
    void setFontName(const QString &name);

    // Whether Tab and the initial focus reach the button.
    void setTabStop(bool tabStop);

    void setMouseDownHandler(MouseDownHandler handler) { mouseDown_ = std::move(handler); }
    void setClickHandler(ClickHandler handler);

private:
    friend class ButtonWidget;
    void applyFont();
    void changeEnabled(bool enabled);

    ButtonWidget *button_;
    QString caption_;
    FontSpec font_;
    bool enabled_ = true;
    bool tabStop_ = true;
    MouseDownHandler mouseDown_;
    ClickHandler click_;
};
