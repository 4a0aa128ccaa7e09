#include "label.h"

#include "areaaccessible.h"
#include "color.h"
#include "twips.h"

#include <QFontMetricsF>
#include <QPainter>

Label::Label(FormArea &area) : WindowlessControl(area, FormArea::Labels) {
    text_.setTextFormat(Qt::PlainText);
}

void Label::copyDesignOf(const Label &element0) {
    setGeometry(element0.left(), element0.top(), element0.width(), element0.height());
    caption_ = element0.caption_;
    font_ = element0.font_;
    foreColor_ = element0.foreColor_;
    autoSize_ = element0.autoSize_;
    text_ = element0.text_;
    textSize_ = element0.textSize_;
}

void Label::setCaption(const QString &caption) {
    if (caption == caption_)
        return;
    caption_ = caption;
    showText();
}

void Label::setForeColor(int color) {
    if (color == foreColor_)
        return;
    foreColor_ = color;
    repaint();
}

void Label::setFont(const FontSpec &font) {
    font_ = font;
    showText();
}

void Label::setFontName(const QString &name) {
    font_.name = name;
    showText();
}

void Label::setFontSize(double pointSize) {
    font_.pointSize = pointSize;
    showText();
}

void Label::setFontBold(bool bold) {
    font_.bold = bold;
    showText();
}

// Centred in the box as a rectangle's text would be, and kept within it: ink that overhangs the
// box would stay behind when the text changes.
void Label::paint(QPainter &painter) const {
    if (caption_.isEmpty())
        return;
    const QRect box = pixelBox();
    painter.setClipRect(box);
    painter.setFont(fonts::resolve(font_));
    painter.setPen(toQColor(foreColor_));
    painter.drawStaticText(QPointF(box.x() + (box.width() - textSize_.width()) / 2,
                                   box.y() + (box.height() - textSize_.height()) / 2),
                           text_);
    painter.setClipping(false);
}

QAccessibleInterface *Label::makeAccessibleInterface() const {
    return new LabelAccessible(*this);
}

// Most texts are a single character, a count or a letter, which the metrics measure without laying
// out a line.
qreal Label::advanceOf(const QString &text) const {
    const QFontMetricsF &metrics = fonts::metrics(font_);
    if (text.size() == 1)
        return metrics.horizontalAdvance(text.front());
    return text.isEmpty() ? 0 : metrics.horizontalAdvance(text);
}

void Label::showText() {
    const QString shown = fonts::displayText(caption_, font_);
    // A new board's labels share the template's text until their own differs.
    if (text_.text() != shown)
        text_.setText(shown);
    textSize_ = QSizeF(advanceOf(shown), fonts::lineHeight(font_));
    if (autoSize_)
        setGeometry(left(), top(), static_cast<float>(twips::fromPixels(textSize_.width())),
                    static_cast<float>(twips::fromPixels(textSize_.height())));
    repaint();
    tellAssistiveTools(QAccessible::NameChanged);
}
