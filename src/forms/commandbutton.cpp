#include "commandbutton.h"

#include "areaaccessible.h"
#include "bevel.h"

#include <QPainter>

CommandButton::CommandButton(FormArea &area) : WindowlessControl(area, FormArea::Buttons) {}

CommandButton::~CommandButton() {
    area().forget(this);
}

void CommandButton::copyDesignOf(const CommandButton &element0) {
    setGeometry(element0.left(), element0.top(), element0.width(), element0.height());
    caption_ = element0.caption_;
    font_ = element0.font_;
    enabled_ = element0.enabled_;
    text_ = element0.text_;
    shownFont_ = element0.shownFont_;
}

void CommandButton::setCaption(const QString &caption) {
    if (caption == caption_)
        return;
    caption_ = caption;
    showText();
    tellAssistiveTools(QAccessible::NameChanged);
}

void CommandButton::setEnabled(bool enabled) {
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    repaint();
    if (QAccessibleInterface *told = toldInterface()) {
        QAccessible::State changed;
        changed.disabled = true;
        QAccessibleStateChangeEvent event(told, changed);
        QAccessible::updateAccessibility(&event);
    }
}

void CommandButton::setFont(const FontSpec &font) {
    font_ = font;
    showText();
}

void CommandButton::setFontName(const QString &name) {
    font_.name = name;
    showText();
}

void CommandButton::raiseMouseDown(int button, int shift, float x, float y) const {
    if (mouseDown_)
        mouseDown_(button, shift, x, y);
}

// A copy runs: the handler may discard this button.
void CommandButton::raiseClick() const {
    if (ClickHandler click = click_)
        click();
}

bool CommandButton::isDown() const {
    return area().heldButton() == this;
}

bool CommandButton::hasFocus() const {
    return area().hasFocus() && area().focusedButton() == this;
}

void CommandButton::setFocus() {
    area().setFocusedButton(this);
}

// A plain raised button: a board has hundreds of them, and the style's rounded gradients would
// cost more than the rest of a new game.
void CommandButton::paint(QPainter &painter, const QRect &box) const {
    QPalette colours = area().palette();
    if (!enabled_)
        colours.setCurrentColorGroup(QPalette::Disabled);
    const bool sunken = isDown();
    bevel::paint(painter, box, colours, sunken);
    if (text_.isEmpty())
        return;
    painter.setFont(shownFont_);
    const QRect textBox = sunken ? box.translated(1, 1) : box;
    if (!enabled_) {
        // Etched, as a greyed button's text is.
        painter.setPen(colours.color(QPalette::Light));
        painter.drawText(textBox.translated(1, 1), Qt::AlignCenter | Qt::TextDontClip, text_);
    }
    painter.setPen(
        colours.color(enabled_ ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawText(textBox, Qt::AlignCenter | Qt::TextDontClip, text_);
}

QAccessibleInterface *CommandButton::makeAccessibleInterface() const {
    return new ButtonAccessible(*this);
}

void CommandButton::showText() {
    shownFont_ = fonts::resolve(font_);
    text_ = fonts::displayText(caption_, font_);
    repaint();
}
