#include "window/gameboard.h"

#include "board/module1.h"
#include "forms/runtime.h"

using runtime::Int;

void gameboard::leftclick(std::int16_t index) {
    // A flag does not protect a mine: only the uncovering of a safe cell looks at it.
    if (mine[index].caption() == QLatin1String("M")) {
        mine[index].setCaption(QStringLiteral("N"));
        lose();
        return;
    }
    removesquare(index);
}

void gameboard::removesquare(std::int16_t index2) {
    const bool isCovered = square[index2].isVisible();
    const bool isFlagged = !square[index2].caption().isEmpty();
    if (!isCovered || isFlagged)
        return;
    square[index2].setVisible(false);
    covered = static_cast<std::int16_t>(covered - 1);
    if (mine[index2].caption().isEmpty())
        check(index2);
    // Tested after the spread, so every enclosing call of a winning cascade wins again.
    if (covered == Module1::totalmines)
        win();
}

void gameboard::check(std::int16_t index1) {
    const int row = static_cast<int>(Int((index1 - 1) / static_cast<double>(Module1::cols))) + 1;
    const int column = index1 - Module1::cols * (row - 1);
    for (int r = row - 1; r <= row + 1; ++r) {
        for (int c = column - 1; c <= column + 1; ++c) {
            if (r > 0 && r <= Module1::rows && c > 0 && c <= Module1::cols) {
                index1 = static_cast<std::int16_t>((r - 1) * Module1::cols + c);
                removesquare(index1);
            }
        }
    }
}
