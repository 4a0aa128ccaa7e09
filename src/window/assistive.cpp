#include "gameboard.h"

#include "board/module1.h"

namespace {

const QString wingdings = QStringLiteral("Wingdings");

// What an assistive tool says for what a cover or a label shows: the letters of the picture font
// stand for a mine or a face, and an empty cover or label for a covered or an empty cell.
QString spoken(bool onButton, const QString &caption, const QString &fontName) {
    const bool pictures = fontName.compare(wingdings, Qt::CaseInsensitive) == 0;
    if (onButton && caption.isEmpty())
        return QStringLiteral("covered");
    if (onButton && caption == QLatin1String("M") && !pictures)
        return QStringLiteral("flagged");
    if (onButton && pictures && caption == QLatin1String("K"))
        return QStringLiteral("New game, playing");
    if (onButton && pictures && caption == QLatin1String("J"))
        return QStringLiteral("New game, won");
    if (onButton && pictures && caption == QLatin1String("L"))
        return QStringLiteral("New game, lost");
    if (caption.isEmpty())
        return QStringLiteral("empty");
    if (pictures && caption == QLatin1String("M"))
        return QStringLiteral("mine");
    if (pictures && caption == QLatin1String("N"))
        return QStringLiteral("exploded mine");
    if (caption == QLatin1String("X"))
        return QStringLiteral("wrong flag");
    return caption;
}

} // namespace

// The board as assistive tools and the keyboard see it: a table of the covers over their labels,
// row by row, named in words.
void gameboard::describeBoard() {
    area()->setSpeech(spoken);
    time.setAccessibleDescription(QStringLiteral("time"));
    minesleft.setAccessibleDescription(QStringLiteral("mines left"));
    std::vector<CommandButton *> covers;
    std::vector<Label *> contents;
    for (int k = 1; k <= Module1::cols * Module1::rows; ++k) {
        covers.push_back(&square[k]);
        contents.push_back(&mine[k]);
    }
    area()->setTable(std::move(covers), std::move(contents), Module1::cols);
}
