#include "label.h"

#include "areaaccessible.h"
#include "color.h"
#include "twips.h"

#include <QFontMetricsF>
#include <QPainter>

#include <vector>

namespace {

// A text as drawn in a font, laid out once, with its natural width and line height in pixels.
struct PreparedText {
    QString shown;
    FontSpec font;
    QStaticText text;
    QSizeF size;
};

// Most texts are a single character, a count or a letter, which the metrics measure without laying
// out a line.
qreal advanceOf(const QString &text, const FontSpec &font) {
    const QFontMetricsF &metrics = fonts::metrics(font);
    if (text.size() == 1)
        return metrics.horizontalAdvance(text.front());
    return text.isEmpty() ? 0 : metrics.horizontalAdvance(text);
}

// A board shows a few texts hundreds of times over; labels showing the same text in the same font
// share one layout of it.
const PreparedText &prepared(const QString &shown, const FontSpec &font) {
    static std::vector<PreparedText> known;
    for (const PreparedText &text : known) {
        if (text.shown == shown && text.font == font)
            return text;
    }
    // The clock shows a new text every second.
    constexpr std::size_t mostTexts = 64;
    if (known.size() >= mostTexts)
        known.clear();
    QStaticText text(shown);
    text.setTextFormat(Qt::PlainText);
    return known.emplace_back(
        PreparedText{shown, font, text, QSizeF(advanceOf(shown, font), fonts::lineHeight(font))});
}

} // namespace

Label::Label(FormArea &area) : WindowlessControl(area, FormArea::Labels) {}

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
void Label::paint(QPainter &painter, const QRect &box) const {
    if (caption_.isEmpty())
        return;
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

void Label::showText() {
    const QString shown = fonts::displayText(caption_, font_);
    const PreparedText &text = prepared(shown, font_);
    text_ = text.text;
    textSize_ = text.size;
    if (autoSize_)
        setGeometry(left(), top(), static_cast<float>(twips::fromPixels(textSize_.width())),
                    static_cast<float>(twips::fromPixels(textSize_.height())));
    repaint();
    tellAssistiveTools(QAccessible::NameChanged);
}
