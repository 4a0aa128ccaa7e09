#include "gamefixture.h"

#include "forms/runtime.h"

#include <QTest>
#include <QTime>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr float tenOClock = 36000;
constexpr float tenToMidnight = 86390;

// Easy mines on the four corners and along a diagonal.
const std::vector<int> easyMines = {1, 8, 10, 19, 28, 37, 46, 55, 57, 64};

QString clockText(const GameFixture &game) {
    return game.board().time.caption();
}

QTimer *timerOfTheForm(const GameFixture &game) {
    const QList<QTimer *> timers = game.board().findChildren<QTimer *>();
    return timers.size() == 1 ? timers.front() : nullptr;
}

} // namespace

class tst_clock : public QObject {
    Q_OBJECT

private slots:
    void designTextUntilTheFirstTick();
    void texts_data();
    void texts();
    void minuteBetweenTheTwoReadings_data();
    void minuteBetweenTheTwoReadings();
    void systemClockSet_data();
    void systemClockSet();
    void systemMonotonicClockIgnoresTheTimeOfDay();
    void acrossMidnight_data();
    void acrossMidnight();
    void tickSetsTheNeutralFace();
    void frozenAtTheEnd_data();
    void frozenAtTheEnd();
    void clockPlacement_data();
    void clockPlacement();
    void newGameStartsFromZero();
    void platformTimer_data();
    void platformTimer();
    void systemClockIsTheLocalTimeOfDay_data();
    void systemClockIsTheLocalTimeOfDay();
    void wholeGameWithFlagsAndClock_data();
    void wholeGameWithFlagsAndClock();
};

void tst_clock::designTextUntilTheFirstTick() {
    GameFixture game(tenOClock);
    QCOMPARE(clockText(game), "0:00.0");
    QVERIFY(game.board().time.isVisible());

    // Time passes, but only a tick rewrites the text.
    game.setTime(tenOClock + 75);
    QCOMPARE(clockText(game), "0:00.0");

    game.tick();
    QCOMPARE(clockText(game), "01:15");
}

void tst_clock::texts_data() {
    QTest::addColumn<float>("elapsed");
    QTest::addColumn<QString>("text");

    QTest::newRow("0.4") << 0.4f << "00:00";
    QTest::newRow("59.9") << 59.9f << "00:59";
    QTest::newRow("60.0") << 60.0f << "01:00";
    QTest::newRow("754.2") << 754.2f << "12:34";
    QTest::newRow("5999.5") << 5999.5f << "99:59";
    QTest::newRow("6000.0") << 6000.0f << "00:00";
    QTest::newRow("6065.0") << 6065.0f << "01:05";
}

void tst_clock::texts() {
    QFETCH(float, elapsed);
    QFETCH(QString, text);

    GameFixture game(tenOClock);
    game.setTime(tenOClock + elapsed);
    game.tick();

    QCOMPARE(clockText(game), text);
    QCOMPARE(game.board().face.caption(), "K");

    // The text depends on the time of day alone, not on how many ticks came.
    game.tick();
    QCOMPARE(clockText(game), text);
}

void tst_clock::minuteBetweenTheTwoReadings_data() {
    QTest::addColumn<double>("first");
    QTest::addColumn<double>("second");
    QTest::addColumn<QString>("text");
    QTest::addColumn<float>("next");
    QTest::addColumn<QString>("nextText");

    QTest::newRow("00:60") << 59.9 << 60.1 << "00:60" << 60.2f << "01:00";
    QTest::newRow("04:60") << 299.9 << 300.1 << "04:60" << 300.2f << "05:00";
    QTest::newRow("99:60") << 5999.9 << 6000.1 << "99:60" << 6000.2f << "00:00";
    QTest::newRow("within a minute") << 9.9 << 10.1 << "00:10" << 11.0f << "00:11";
}

// The minutes come from the first reading of the time, the seconds from the second.
void tst_clock::minuteBetweenTheTwoReadings() {
    QFETCH(double, first);
    QFETCH(double, second);
    QFETCH(QString, text);
    QFETCH(float, next);
    QFETCH(QString, nextText);

    GameFixture game(tenOClock);
    const double start = game.board().starttime;
    const std::vector<double> readings = {start + first, start + second};
    std::size_t read = 0;
    runtime::setMonotonicClock([&] { return readings.at(std::min(read++, readings.size() - 1)); });
    game.tick();
    runtime::setMonotonicClock([&game] { return game.monotonicTime(); });

    QCOMPARE(read, readings.size());
    QCOMPARE(clockText(game), text);

    game.setTime(tenOClock + next);
    game.tick();
    QCOMPARE(clockText(game), nextText);
}

void tst_clock::systemClockSet_data() {
    QTest::addColumn<float>("step");

    QTest::newRow("summer time begins") << 3600.0f;
    QTest::newRow("summer time ends") << -3600.0f;
    QTest::newRow("set back 30 s") << -30.0f;
    QTest::newRow("set to just before midnight") << 86395.0f - tenOClock;
}

// The game lasts as long as it lasts, whatever the system clock is set to meanwhile.
void tst_clock::systemClockSet() {
    QFETCH(float, step);

    GameFixture game(tenOClock);
    game.setTime(tenOClock + 13);
    game.tick();
    QCOMPARE(clockText(game), "00:13");

    game.setWallClock(game.time() + step);
    game.tick();
    QCOMPARE(clockText(game), "00:13");

    game.setTime(game.time() + 2);
    game.tick();
    QCOMPARE(clockText(game), "00:15");
}

// With the system's own monotonic clock, an hour put on the time of day leaves the clock near zero.
void tst_clock::systemMonotonicClockIgnoresTheTimeOfDay() {
    GameFixture game(tenOClock);
    runtime::setMonotonicClock({});
    game.triggerMenu("mnuNew");
    GameFixture::flushDeletes();

    game.setWallClock(tenOClock + 3613);
    game.tick();

    QVERIFY2(clockText(game).startsWith("00:"), qPrintable(clockText(game)));
}

void tst_clock::acrossMidnight_data() {
    QTest::addColumn<float>("start");
    QTest::addColumn<float>("now");
    QTest::addColumn<QString>("text");

    QTest::newRow("before midnight") << tenToMidnight << 86395.0f << "00:05";
    QTest::newRow("at midnight") << tenToMidnight << 0.0f << "00:10";
    QTest::newRow("5 s after midnight") << tenToMidnight << 5.0f << "00:15";
    QTest::newRow("an hour after midnight") << tenToMidnight << 3605.0f << "60:15";
    QTest::newRow("late start, long game") << 80000.0f << 1000.0f << "23:20";
    QTest::newRow("started at midnight") << 0.0f << 754.2f << "12:34";
}

// The time of day restarts at midnight, and the game goes on.
void tst_clock::acrossMidnight() {
    QFETCH(float, start);
    QFETCH(float, now);
    QFETCH(QString, text);

    GameFixture game(start);
    game.setTime(now);
    game.tick();

    QCOMPARE(clockText(game), text);
}

// Nothing in play changes the face but the tick; a face written over shows that the tick rewrites
// it.
void tst_clock::tickSetsTheNeutralFace() {
    GameFixture game(tenOClock);
    game.board().face.setCaption("J");
    game.setTime(tenOClock + 1);
    game.tick();
    QCOMPARE(game.board().face.caption(), "K");
    QCOMPARE(clockText(game), "00:01");
}

void tst_clock::frozenAtTheEnd_data() {
    QTest::addColumn<bool>("won");
    QTest::addColumn<bool>("tickedBefore");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("face");

    QTest::newRow("win") << true << true << "12:34"
                         << "J";
    QTest::newRow("loss") << false << true << "12:34"
                          << "L";
    QTest::newRow("loss before the first tick") << false << false << "0:00.0"
                                                << "L";
}

void tst_clock::frozenAtTheEnd() {
    QFETCH(bool, won);
    QFETCH(bool, tickedBefore);
    QFETCH(QString, text);
    QFETCH(QString, face);

    GameFixture game(tenOClock);
    GameFixture::plantMines(easyMines, 8, 8);
    game.triggerMenu("mnuNew");
    GameFixture::flushDeletes();
    game.setTime(tenOClock + 754.2f);
    if (tickedBefore)
        game.tick();
    if (won)
        game.uncoverEverySafeCell();
    else
        game.pressCover(easyMines.back());
    QCOMPARE(game.board().face.caption(), face);
    QCOMPARE(game.board().Timer1.interval(), 0);
    QCOMPARE(clockText(game), text);

    // One more tick after the end, much later.
    game.setTime(tenOClock + 1000);
    game.tick();

    QCOMPARE(clockText(game), text);
    QCOMPARE(game.board().face.caption(), face);
}

void tst_clock::clockPlacement_data() {
    QTest::addColumn<QString>("menu");
    QTest::addColumn<float>("left");

    QTest::newRow("Easy") << "mnuEZ" << 55.75f;
    QTest::newRow("Medium") << "mnuMed" << 655.75f;
    QTest::newRow("Hard") << "mnuHrd" << 1855.75f;
}

// Placed once, by the box of the design text "0:00.0" (945 x 435), and not again at the ticks.
void tst_clock::clockPlacement() {
    QFETCH(QString, menu);
    QFETCH(float, left);

    GameFixture game(tenOClock);
    game.triggerMenu(menu);
    const Label &time = game.board().time;
    QCOMPARE(time.caption(), "0:00.0");
    QCOMPARE(time.width(), 945.0f);
    QCOMPARE(time.height(), 435.0f);
    QCOMPARE(time.left(), left);
    QCOMPARE(time.top(), 32.5f);

    game.setTime(tenOClock + 754.2f);
    game.tick();

    QCOMPARE(time.caption(), "12:34");
    QCOMPARE(time.left(), left);
    QCOMPARE(time.top(), 32.5f);
}

void tst_clock::newGameStartsFromZero() {
    GameFixture game(tenOClock);
    game.setTime(tenOClock + 754.2f);
    game.tick();
    QCOMPARE(clockText(game), "12:34");

    game.clickFace();
    GameFixture::flushDeletes();

    QCOMPARE(clockText(game), "0:00.0");
    QCOMPARE(game.board().Timer1.interval(), 1);
    game.setTime(tenOClock + 754.2f + 5);
    game.tick();
    QCOMPARE(clockText(game), "00:05");
}

void tst_clock::platformTimer_data() {
    QTest::addColumn<QString>("menu");

    QTest::newRow("first game") << QString();
    QTest::newRow("new game") << "mnuNew";
    QTest::newRow("Hard") << "mnuHrd";
}

// Asked for 1 ms, the timer ticks no faster than the platform's granularity; the end stops it.
void tst_clock::platformTimer() {
    QFETCH(QString, menu);

    GameFixture game(tenOClock);
    if (!menu.isEmpty()) {
        game.triggerMenu(menu);
        GameFixture::flushDeletes();
    }
    QCOMPARE(game.board().Timer1.interval(), 1);
    QTimer *timer = timerOfTheForm(game);
    QVERIFY2(timer, "the form holds exactly one platform timer");
    QVERIFY(timer->isActive());
    QVERIFY2(timer->interval() >= TimerControl::granularityMs,
             qPrintable(QString("ticks every %1 ms").arg(timer->interval())));
    // The platform's tick reaches the clock.
    game.setTime(tenOClock + 61);
    QVERIFY(QMetaObject::invokeMethod(timer, "timeout"));
    QCOMPARE(clockText(game), "01:01");

    game.pressCover(game.cellsWithLabel("M").front());

    QCOMPARE(game.board().face.caption(), "L");
    QCOMPARE(game.board().Timer1.interval(), 0);
    QVERIFY(!timer->isActive());
    QVERIFY(!game.board().Timer1.isRunning());
    // A tick still on its way when the clock stopped changes nothing.
    game.setTime(tenOClock + 200);
    QVERIFY(QMetaObject::invokeMethod(timer, "timeout"));
    QCOMPARE(clockText(game), "01:01");
    QCOMPARE(game.board().face.caption(), "L");
}

void tst_clock::wholeGameWithFlagsAndClock_data() {
    QTest::addColumn<QString>("menu");
    QTest::addColumn<int>("cols");
    QTest::addColumn<int>("rows");
    QTest::addColumn<std::vector<int>>("mines");
    QTest::addColumn<QString>("counterAtEnd");

    QTest::newRow("Easy") << "mnuEZ" << 8 << 8 << easyMines << "007";
    std::vector<int> medium;
    for (int m = 1; m <= 40; ++m)
        medium.push_back(m * 6);
    QTest::newRow("Medium") << "mnuMed" << 16 << 16 << medium << "037";
}

void tst_clock::wholeGameWithFlagsAndClock() {
    QFETCH(QString, menu);
    QFETCH(int, cols);
    QFETCH(int, rows);
    QFETCH(std::vector<int>, mines);
    QFETCH(QString, counterAtEnd);

    GameFixture game(tenOClock);
    GameFixture::plantMines(mines, cols, rows);
    game.triggerMenu(menu);
    GameFixture::flushDeletes();
    QCOMPARE(game.cellsWithLabel("M"), mines);
    gameboard *board = &game.board();

    // Three mines flagged, and a safe cell flagged by mistake, which resists a left press.
    const int safe = mines.front() + 1;
    for (int cell : {mines[0], mines[2], mines[4], safe})
        game.pressCover(cell, Qt::RightButton);
    game.setTime(tenOClock + 42.5f);
    game.tick();
    QCOMPARE(clockText(game), "00:42");
    game.pressCover(safe);
    QVERIFY(board->square[safe].isVisible());
    QCOMPARE(board->face.caption(), "K");

    game.pressCover(safe, Qt::RightButton);
    game.setTime(tenOClock + 95);
    game.tick();
    QCOMPARE(clockText(game), "01:35");
    QCOMPARE(board->minesleft.caption(), counterAtEnd);

    game.uncoverEverySafeCell();

    QCOMPARE(&game.board(), board);
    QCOMPARE(board->face.caption(), "J");
    QCOMPARE(board->Timer1.interval(), 0);
    QCOMPARE(board->covered, static_cast<std::int16_t>(mines.size()));
    QCOMPARE(game.visibleCovers(), 0);
    QCOMPARE(board->minesleft.caption(), counterAtEnd);
    for (int cell : {mines[0], mines[2], mines[4]})
        QCOMPARE(board->square[cell].caption(), "M");
    QCOMPARE(board->square[mines[1]].caption(), "");

    game.setTime(tenOClock + 200);
    game.tick();
    QCOMPARE(clockText(game), "01:35");
    QCOMPARE(board->face.caption(), "J");
    QCOMPARE(board->minesleft.caption(), counterAtEnd);
}

void tst_clock::systemClockIsTheLocalTimeOfDay_data() {
    QTest::addColumn<QByteArray>("zone");

    QTest::newRow("UTC") << QByteArray("UTC");
    QTest::newRow("half an hour off, east") << QByteArray("Asia/Kolkata");
    QTest::newRow("half an hour off, west") << QByteArray("America/St_Johns");
    QTest::newRow("fourteen hours ahead") << QByteArray("Pacific/Kiritimati");
}

// The clock reads the zone's offset once a second rather than at every tick; within that second
// of a change of zone it tells the local time of day again.
void tst_clock::systemClockIsTheLocalTimeOfDay() {
    QFETCH(QByteArray, zone);

    const QByteArray savedZone = qgetenv("TZ");
    qputenv("TZ", zone);
    runtime::setClock({});
    const auto secondsOff = [] {
        const double local = QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
        const double off = std::fabs(runtime::Timer() - local);
        return std::min(off, 86400 - off);
    };
    QTRY_VERIFY2_WITH_TIMEOUT(secondsOff() < 0.1,
                              qPrintable(QString("%1 s off the time of day").arg(secondsOff())),
                              3000);

    if (savedZone.isNull())
        qunsetenv("TZ");
    else
        qputenv("TZ", savedZone);
}

QTEST_MAIN(tst_clock)
#include "tst_clock.moc"
