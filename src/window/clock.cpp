#include "gameboard.h"

#include "forms/runtime.h"

using runtime::Int;
using runtime::Right;

namespace {

constexpr double secondsPerDay = 86400;

// The time of day restarts at midnight; a reading before the start belongs to the next day.
double elapsedSince(double starttime, float now) {
    double elapsed = now - starttime;
    if (elapsed < 0)
        elapsed += secondsPerDay;
    return elapsed;
}

} // namespace

void gameboard::display() {
    faceleft = face.left();
    facewidth = face.width();
    starttime = runtime::Timer();
    // Centred by the box of the design text "0:00.0", halfway between the left edge and the face.
    time.setLeft(faceleft / 2 - time.width() / 2);
    time.setTop(250 - time.height() / 2);
    time.setVisible(true);
}

void gameboard::Timer1_Timer() {
    if (!(Timer1.interval() > 0))
        return;
    const double t1 = runtime::Timer();
    const QString minutes = Right(
        QString::number(static_cast<long long>(Int(elapsedSince(starttime, t1) / 60) + 1000)), 2);
    const double t2 = runtime::Timer();
    const double e = elapsedSince(starttime, t2);
    const QString seconds =
        Right(QString::number(static_cast<long long>(Int(e - 60 * minutes.toInt()) + 1000)), 2);
    time.setCaption(minutes + QLatin1Char(':') + seconds);
    face.setCaption(QStringLiteral("K"));
}
