#include "window/gameboard.h"

#include "forms/runtime.h"

using runtime::Abs;
using runtime::Right;

void gameboard::rightclick(std::int16_t index) {
    // Both tests look at the text as it was, so a flag just removed is not set again.
    const QString v = square[index].caption();
    if (v == QLatin1String("M")) {
        square[index].setCaption(QString());
        leftcount = static_cast<std::int16_t>(leftcount + 1);
    }
    if (v == QLatin1String("")) {
        square[index].setCaption(QStringLiteral("M"));
        leftcount = static_cast<std::int16_t>(leftcount - 1);
    }
    minecounter();
}

void gameboard::minecounter() {
    // Adding 10000 pads to three digits and drops any digit beyond the third.
    QString t;
    if (leftcount >= 0)
        t = Right(QString::number(leftcount + 10000), 3);
    else
        t = QLatin1Char('-') + Right(QString::number(static_cast<int>(Abs(leftcount)) + 10000), 3);
    minesleft.setCaption(t);
    // Placed anew from its measured size, centred in the strip right of the face.
    minesleft.setLeft(static_cast<float>(faceleft / 2.0 * 3 + facewidth - minesleft.width() / 2.0));
    minesleft.setTop(static_cast<float>(250 - minesleft.height() / 2.0));
    minesleft.setVisible(true);
}
