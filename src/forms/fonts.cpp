#include "fonts.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetricsF>

#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace fonts {
namespace {

const QString wingdings = QStringLiteral("Wingdings");
const QString impact = QStringLiteral("Impact");

bool isInstalled(const QString &family) {
    return QFontDatabase::families().contains(family, Qt::CaseInsensitive);
}

bool wingdingsMissing() {
    static const bool missing = !isInstalled(wingdings);
    return missing;
}

bool impactMissing() {
    static const bool missing = !isInstalled(impact);
    return missing;
}

QFont buildFont(const FontSpec &wanted) {
    QFont font = QApplication::font();
    if (wanted.name.compare(wingdings, Qt::CaseInsensitive) == 0 && wingdingsMissing()) {
        font = QFont(QStringLiteral("Symbola"));
    } else if (wanted.name.compare(impact, Qt::CaseInsensitive) == 0 && impactMissing()) {
        // A heavy condensed sans stands in for Impact.
        font = QFont(QStringLiteral("DejaVu Sans Condensed"));
        font.setStretch(QFont::Condensed);
        font.setWeight(QFont::Bold);
    } else if (!wanted.name.isEmpty()) {
        font = QFont(wanted.name);
    }
    if (wanted.pointSize > 0)
        font.setPointSizeF(wanted.pointSize);
    else
        font.setPointSizeF(QApplication::font().pointSizeF());
    if (wanted.bold)
        font.setWeight(QFont::Bold);
    // The controls show digits, a few Latin letters and single pictograms, which come out the same
    // without Qt's shaping pass; skipping it keeps each font's shaping tables out of memory.
    font.setStyleStrategy(QFont::StyleStrategy(font.styleStrategy() | QFont::PreferNoShaping));
    return font;
}

struct ResolvedFont {
    QFont font;
    QFontMetricsF metrics;
    // Every label asks for it whenever its text changes, and the metrics look it up each time.
    qreal lineHeight;
    explicit ResolvedFont(const QFont &f) : font(f), metrics(f), lineHeight(metrics.height()) {}
};

// Hundreds of controls share a handful of fonts; resolving each once keeps a new game cheap.
// There are so few that a scan beats hashing.
std::vector<std::pair<FontSpec, std::unique_ptr<ResolvedFont>>> &cache() {
    static std::vector<std::pair<FontSpec, std::unique_ptr<ResolvedFont>>> resolved;
    return resolved;
}

ResolvedFont *findResolved(const FontSpec &wanted) {
    for (auto &[known, resolved] : cache())
        if (known == wanted)
            return resolved.get();
    return nullptr;
}

ResolvedFont &lookup(const FontSpec &wanted) {
    if (ResolvedFont *resolved = findResolved(wanted))
        return *resolved;
    cache().emplace_back(wanted, std::make_unique<ResolvedFont>(buildFont(wanted)));
    return *cache().back().second;
}

char32_t pictogramFor(QChar letter) {
    switch (letter.unicode()) {
    case 'J':
        return 0x263A; // smiling face
    case 'K':
        return 0x1F610; // neutral face
    case 'L':
        return 0x2639; // frowning face
    case 'M':
        return 0x1F4A3; // bomb
    case 'N':
        return 0x2620; // skull and crossbones
    case 'X':
        return 0x2720; // maltese cross
    default:
        return letter.unicode();
    }
}

// The stand-in has the same pictograms at every size, so the first size asked answers for all:
// a label's text is set long before its own size of the font is needed, and the face, drawn from
// the first paint, asks first.
bool standInHas(const FontSpec &wanted, char32_t code) {
    static std::optional<FontSpec> firstAskedByBold[2];
    std::optional<FontSpec> &asked = firstAskedByBold[wanted.bold ? 1 : 0];
    if (!asked)
        asked = wanted;
    return lookup(*asked).metrics.inFontUcs4(code);
}

} // namespace

const QFont &resolve(const FontSpec &wanted) {
    return lookup(wanted).font;
}

const QFontMetricsF &metrics(const FontSpec &wanted) {
    return lookup(wanted).metrics;
}

qreal lineHeight(const FontSpec &wanted) {
    return lookup(wanted).lineHeight;
}

QString displayText(const QString &caption, const FontSpec &wanted) {
    if (wanted.name.compare(wingdings, Qt::CaseInsensitive) != 0 || !wingdingsMissing())
        return caption;
    QString text;
    for (QChar letter : caption) {
        // Without a font that has the pictogram, the letter itself is clearer than a blank box.
        const char32_t code = pictogramFor(letter);
        if (standInHas(wanted, code))
            text += QString::fromUcs4(&code, 1);
        else
            text += letter;
    }
    return text;
}

} // namespace fonts
