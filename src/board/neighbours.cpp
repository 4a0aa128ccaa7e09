#include "window/gameboard.h"

#include "board/module1.h"
#include "forms/runtime.h"

using runtime::RGB;

void gameboard::surround() {
    int n = 0;
    for (int r = 1; r <= Module1::rows; ++r) {
        for (int c = 1; c <= Module1::cols; ++c) {
            ++n;
            if (mine[n].caption() == QLatin1String("M"))
                continue;
            int count = 0;
            lookaround(r, c, count);
            mine[n].setFontBold(true);
            if (count > 0) {
                mine[n].setCaption(QString::number(count));
                if (count == 1)
                    mine[n].setForeColor(RGB(0, 0, 255));
                if (count == 2)
                    mine[n].setForeColor(RGB(0, 128, 128));
                if (count == 3)
                    mine[n].setForeColor(RGB(0, 63, 0));
                if (count >= 4)
                    mine[n].setForeColor(RGB(255, 0, 0));
            }
        }
    }
}

void gameboard::lookaround(int yy, int xx, int &mines) {
    mines = 0;
    for (int y = yy - 1; y <= yy + 1; ++y) {
        for (int x = xx - 1; x <= xx + 1; ++x) {
            if (y > 0 && y <= Module1::rows && x > 0 && x <= Module1::cols) {
                const int k = (y - 1) * Module1::cols + x;
                if (mine[k].caption() == QLatin1String("M"))
                    ++mines;
            }
        }
    }
}
