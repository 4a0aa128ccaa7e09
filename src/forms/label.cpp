#include "label.h"

#include "areaaccessible.h"
#include "color.h"
#include "twips.h"

#include <QFontMetricsF>
#include <QImage>
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

// Whether the text, centred in a box of `size`, leaves ink outside it: drawn once, black on white,
// into a scratch image with room around the box. A board asks it of the same few texts hundreds
// of times, so the answers are kept.
bool leavesBox(const QStaticText &text, const FontSpec &font, const QSizeF &textSize,
               const QSize &size) {
    struct Answer {
        QString shown;
        FontSpec font;
        QSize size;
        bool leaves;
    };
    static std::vector<Answer> known;
    for (const Answer &answer : known) {
        if (answer.size == size && answer.font == font && answer.shown == text.text())
            return answer.leaves;
    }
    if (known.size() >= 64)
        known.clear();
    const int room = int(textSize.height()) + 1;
    QImage scratch(size + QSize(2 * room, 2 * room), QImage::Format_RGB32);
    scratch.fill(Qt::white);
    QPainter painter(&scratch);
    painter.setFont(fonts::resolve(font));
    painter.drawStaticText(QPointF(room + (size.width() - textSize.width()) / 2,
                                   room + (size.height() - textSize.height()) / 2),
                           text);
    painter.end();
    const QRect inside(QPoint(room, room), size);
    bool leaves = false;
    for (int y = 0; y < scratch.height() && !leaves; ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(scratch.constScanLine(y));
        for (int x = 0; x < scratch.width() && !leaves; ++x)
            leaves = line[x] != qRgb(255, 255, 255) && !inside.contains(x, y);
    }
    known.push_back({text.text(), font, size, leaves});
    return leaves;
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
    checkedSize_ = QSize();
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
// box would stay behind when the text changes. A clip costs a glyph more than its drawing, so
// only text seen to overhang is clipped; on a scaled screen the ink falls elsewhere, and all is.
void Label::paint(QPainter &painter, const QRect &box) const {
    if (caption_.isEmpty())
        return;
    if (box.size() != checkedSize_) {
        checkedSize_ = box.size();
        overhangs_ = leavesBox(text_, font_, textSize_, checkedSize_);
    }
    const bool clipped = overhangs_ || painter.device()->devicePixelRatio() != 1;
    if (clipped)
        painter.setClipRect(box);
    painter.setFont(fonts::resolve(font_));
    painter.setPen(toQColor(foreColor_));
    painter.drawStaticText(QPointF(box.x() + (box.width() - textSize_.width()) / 2,
                                   box.y() + (box.height() - textSize_.height()) / 2),
                           text_);
    if (clipped)
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
    checkedSize_ = QSize();
    if (autoSize_)
        setGeometry(left(), top(), static_cast<float>(twips::fromPixels(textSize_.width())),
                    static_cast<float>(twips::fromPixels(textSize_.height())));
    repaint();
    tellAssistiveTools(QAccessible::NameChanged);
}
