#pragma once

#include <QFont>
#include <QString>

class QFontMetricsF;

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
const QFontMetricsF &metrics(const FontSpec &wanted);
// The height of a line in the wanted font, as metrics(wanted) give it.
qreal lineHeight(const FontSpec &wanted);

// The text to draw for a caption: where Wingdings is missing its letters become the
// pictograms they stand for, where an installed font has them; the caption keeps the letters.
QString displayText(const QString &caption, const FontSpec &wanted);

} // namespace fonts
