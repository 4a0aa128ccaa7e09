#pragma once

#include <QFont>
#include <QSizeF>
#include <QString>

#include <memory>

class QFontMetricsF;
class QTextLayout;

// A control's font as the game names it: an empty name is the platform's default font.
struct FontSpec {
    QString name;
    double pointSize = 0; // 0: the default font's size
    bool bold = false;

    bool operator==(const FontSpec &other) const {
        return name == other.name && pointSize == other.pointSize && bold == other.bold;
    }
};

namespace fonts {

// The Qt font that draws the wanted font; Wingdings and Impact fall back to installed equivalents.
const QFont &resolve(const FontSpec &wanted);
// Whether the wanted font has been resolved before, so that measuring in it loads no font.
bool wasResolved(const FontSpec &wanted);
const QFontMetricsF &metrics(const FontSpec &wanted);

// A text laid out once for drawing many times, and the box that centring it goes by: its natural
// width and the height of its line.
struct TextBlock {
    std::shared_ptr<const QTextLayout> layout;
    QSizeF box;
};
TextBlock layOut(const FontSpec &wanted, const QString &text);
// The advance of a text in the wanted font, as metrics(wanted) measures it.
qreal horizontalAdvance(const FontSpec &wanted, const QString &text);

// The text to draw for a caption: where Wingdings is missing its letters become the
// pictograms they stand for, where an installed font has them; the caption keeps the letters.
QString displayText(const QString &caption, const FontSpec &wanted);

} // namespace fonts
