#include "gameboard.h"

#include "forms/runtime.h"

using runtime::Int;
using runtime::Right;

void gameboard::display() {
    faceleft = face.left();
    facewidth = face.width();
    // Measured on the monotonic clock: the time of day jumps at midnight, with daylight saving
    // time and when the system clock is set.
    starttime = runtime::monotonicSeconds();
    // Centred by the box of the design text "0:00.0", halfway between the left edge and the face.
    time.setLeft(faceleft / 2 - time.width() / 2);
    time.setTop(250 - time.height() / 2);
    time.setVisible(true);
}

void gameboard::Timer1_Timer() {
    if (!(Timer1.interval() > 0))
        return;
    const double t1 = runtime::monotonicSeconds();
    const QString minutes =
        Right(QString::number(static_cast<long long>(Int((t1 - starttime) / 60) + 1000)), 2);
    const double t2 = runtime::monotonicSeconds();
    const double e = t2 - starttime;
    const QString seconds =
        Right(QString::number(static_cast<long long>(Int(e - 60 * minutes.toInt()) + 1000)), 2);
    time.setCaption(minutes + QLatin1Char(':') + seconds);
    face.setCaption(QStringLiteral("K"));
}
