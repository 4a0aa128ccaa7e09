#pragma once

#include "control.h"
#include "fonts.h"

#include <QString>

#include <functional>

class ButtonWidget;
class FormArea;
class QWidget;

// A command button, a widget of its own on the form's area, above everything the area draws. It
// raises MouseDown when a mouse button goes down on it, and Click when it is clicked (mouse
// release, Space or Enter).
class CommandButton : public Control {
public:
    // Mouse button codes and Shift state bits as the runtime reports them.
    enum Button { LeftButton = 1, RightButton = 2, MiddleButton = 4 };
    enum ShiftState { ShiftKey = 1, CtrlKey = 2, AltKey = 4 };
    using MouseDownHandler = std::function<void(int button, int shift, float x, float y)>;
    using ClickHandler = std::function<void()>;

    explicit CommandButton(FormArea &area);
    // The widget goes with the area, unless it is handling an event, which may have asked for
    // this: it then leaves the area hidden and is deleted once the event is over.
    ~CommandButton() override;

    // Takes the design-time properties of the template into this new, hidden button.
    void copyDesignOf(const CommandButton &element0);

    const QString &caption() const { return caption_; }
    void setCaption(const QString &caption);
    bool isEnabled() const { return enabled_; }
    void setEnabled(bool enabled);

    const FontSpec &font() const { return font_; }
    void setFont(const FontSpec &font);
    void setFontName(const QString &name);

    void setMouseDownHandler(MouseDownHandler handler);
    void setClickHandler(ClickHandler handler);

    QWidget *widget() const;

private:
    void placeChanged(bool wasVisible, const QRect &before) override;
    void applyFont();

    ButtonWidget *button_;
    QString caption_;
    FontSpec font_;
    bool enabled_ = true;
};
