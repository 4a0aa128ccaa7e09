#include "window/gameboard.h"

#include "board/module1.h"
#include "forms/runtime.h"

using runtime::Int;
using runtime::RGB;
using runtime::Rnd;

void gameboard::loadmines(std::int16_t totalmines) {
    const auto drawCell = [] {
        // Single precision, r × cols first: the largest product stays below the cell count.
        float product = Rnd() * static_cast<float>(Module1::cols);
        product = product * static_cast<float>(Module1::rows);
        return static_cast<int>(Int(product)) + 1;
    };
    for (int m = 1; m <= totalmines; ++m) {
        int k = drawCell();
        while (mine[k].caption() == QLatin1String("M"))
            k = drawCell();
        mine[k].setFontName(QStringLiteral("Wingdings"));
        mine[k].setFontSize(10);
        mine[k].setCaption(QStringLiteral("M"));
        background[k].setBackColor(RGB(255, 0, 0));
    }
}
