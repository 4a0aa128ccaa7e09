#include "window/gameboard.h"

#include "board/module1.h"
#include "control/forms/runtime.h"

using runtime::RGB;

// Stopping the timer is what keeps the face: every tick would set it back to neutral.
void gameboard::win() {
    Timer1.setInterval(0);
    face.setCaption(QStringLiteral("J"));
    gameover();
}

void gameboard::lose() {
    Timer1.setInterval(0);
    face.setCaption(QStringLiteral("L"));
    gameover();
}

void gameboard::gameover() {
    const int n = Module1::rows * Module1::cols;
    for (int k = 1; k <= n; ++k) {
        square[k].setEnabled(false);
        const QString content = mine[k].caption();
        if (content == QLatin1String("N") || content == QLatin1String("M"))
            square[k].setVisible(false);
        if (mine[k].caption() != QLatin1String("M") && square[k].caption() == QLatin1String("M")) {
            mine[k].setCaption(QStringLiteral("X"));
            mine[k].setForeColor(RGB(255, 50, 50));
        }
    }
}
