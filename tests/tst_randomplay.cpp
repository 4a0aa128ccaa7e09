#include "gamefixture.h"
#include "randomplay_driver.h"
#include "randomplay_invariants.h"

#include <QCoreApplication>
#include <QFile>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <algorithm>

namespace {

bool isSoak() {
    return qEnvironmentVariableIntValue("PEBBLERUN_SOAK") != 0;
}

// Resident memory of this process, in KiB.
long residentKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').front().toLong();
    return -1;
}

// Half the runs begin shortly before midnight, so that the clock crosses it within a game.
float startTime(quint64 seed) {
    return seed % 2 ? 86340.0f : 36000.0f;
}

} // namespace

class tst_randomplay : public QObject {
    Q_OBJECT

private slots:
    void randomPlay_data();
    void randomPlay();
    void newGamesLeaveNothingBehind();
    void uncoveredCellTakesNoFlag_data();
    void uncoveredCellTakesNoFlag();
};

void tst_randomplay::randomPlay_data() {
    QTest::addColumn<quint64>("seed");
    QTest::addColumn<qlonglong>("events");
    QTest::addColumn<QString>("start");
    QTest::addColumn<float>("timeOfDay");

    const QStringList presets{QStringLiteral("mnuEZ"), QStringLiteral("mnuMed"),
                              QStringLiteral("mnuHrd")};
    if (qEnvironmentVariableIsSet("PEBBLERUN_SEED")) {
        const quint64 seed = qEnvironmentVariable("PEBBLERUN_SEED").toULongLong();
        const qlonglong events = qEnvironmentVariableIntValue("PEBBLERUN_EVENTS");
        QTest::addRow("replay of seed %llu", seed)
            << seed << (events > 0 ? events : 5000) << presets[int(seed % 3)] << startTime(seed);
        return;
    }
    const int runs = isSoak() ? 20 : 4;
    const qlonglong events = isSoak() ? 50000 : 5000;
    for (int run = 0; run < runs; ++run) {
        const quint64 seed = (isSoak() ? 1000 : 10) + quint64(run);
        const float timeOfDay = run % 2 ? 86340.0f : 36000.0f;
        QTest::addRow("seed %llu", seed) << seed << events << presets[int(seed % 3)] << timeOfDay;
    }
}

void tst_randomplay::randomPlay() {
    QFETCH(quint64, seed);
    QFETCH(qlonglong, events);
    QFETCH(QString, start);
    QFETCH(float, timeOfDay);

    GameFixture game(timeOfDay, seed);
    game.triggerMenu(start);
    GameFixture::flushDeletes();
    QCoreApplication::processEvents();
    RandomPlayer player(game, seed);
    const QString broken = player.play(events);
    const PlayStats &stats = player.stats();
    qInfo("seed %llu: %lld events, %lld presses, %lld new games, %lld wins, %lld losses, "
          "%lld cells uncovered, %lld ticks across midnight",
          seed, stats.events, stats.presses, stats.newGames, stats.wins, stats.losses,
          stats.cellsUncovered, stats.midnights);
    QVERIFY2(broken.isEmpty(), qPrintable(broken));
    QCOMPARE(stats.events, events);
    if (events >= 5000) {
        // A run this long must have reached every kind of state it claims to check.
        QVERIFY2(stats.wins > 0 && stats.losses > 0 && stats.newGames > 0 && stats.midnights > 0,
                 "the run never won, lost, restarted or crossed midnight");
    }
}

// Every new game is built from nothing: each preset leaves the same objects and, once the
// allocator has settled, the same resident memory, however many games came before it.
void tst_randomplay::newGamesLeaveNothingBehind() {
    const int games = isSoak() ? 10000 : 60;
    const int settled = 100;
    GameFixture game;
    long baseline = -1;
    long peak = 0;
    long last = 0;
    std::vector<int> objects(Preset::all().size(), -1);
    for (int i = 0; i < games; ++i) {
        const std::size_t which = std::size_t(i) % Preset::all().size();
        const Preset &preset = Preset::all()[which];
        // Alternate the menu item and its shortcut key; now and then play a little first.
        if (i % 2)
            game.triggerMenu(preset.action);
        else
            game.shortcut(QKeySequence(Qt::CTRL | (which == 0   ? Qt::Key_E
                                                   : which == 1 ? Qt::Key_M
                                                                : Qt::Key_H)));
        QVERIFY2(game.window().action(preset.action)->isChecked() &&
                     game.board().square.count() == preset.cells() + 1,
                 qPrintable(QStringLiteral("game %1 did not become %2").arg(i).arg(preset.action)));
        game.pressCover(1 + (i * 7) % preset.cells(), Qt::RightButton);
        game.pressCover(1 + (i * 13) % preset.cells());
        game.tick();
        if (i % 5 == 0)
            game.clickFace();
        GameFixture::flushDeletes();
        QCoreApplication::processEvents();

        // The objects of the games: the forms and the widgets and timers of the window's area
        // (the style's animations come and go on their own).
        const QObjectList children = game.window().children();
        const int count =
            int(std::count_if(children.begin(), children.end(),
                              [](QObject *child) { return dynamic_cast<Form *>(child); }) +
                game.board().area()->findChildren<QWidget *>().size() +
                game.board().findChildren<QTimer *>().size());
        if (objects[which] < 0)
            objects[which] = count;
        QVERIFY2(
            count == objects[which],
            qPrintable(QStringLiteral("game %1 on %2 leaves %3 objects of games in the window, "
                                      "the first one %4")
                           .arg(i)
                           .arg(preset.action)
                           .arg(count)
                           .arg(objects[which])));
        if (which + 1 == Preset::all().size()) {
            last = residentKiB();
            if (i >= settled && baseline < 0)
                baseline = last;
            if (baseline >= 0)
                peak = std::max(peak, last);
            if (isSoak() && (i + 1) % 999 == 0)
                qInfo("after %d new games: resident %ld KiB", i + 1, last);
        }
    }
    game.clickFace();
    GameFixture::flushDeletes();
    const Preset &lastPreset = Preset::all()[std::size_t(games - 1) % Preset::all().size()];
    const BoardSnapshot state = BoardSnapshot::of(game.board(), lastPreset.cells());
    const QString broken = invariants::fresh(game.window(), game.board(), state, lastPreset);
    QVERIFY2(broken.isEmpty(), qPrintable(broken));
    if (isSoak()) {
        qInfo("%d new games: resident %ld KiB after game %d, %ld KiB at the end, peak %ld KiB, "
              "growth %ld KiB",
              games, baseline, settled, last, peak, last - baseline);
        QVERIFY2(last - baseline < 2048 && peak - baseline < 2048,
                 qPrintable(QStringLiteral("resident memory grew by %1 KiB (peak %2 KiB)")
                                .arg(last - baseline)
                                .arg(peak - baseline)));
    }
}

void tst_randomplay::uncoveredCellTakesNoFlag_data() {
    // The button still held from the press that uncovered the cell, if any.
    QTest::addColumn<Qt::MouseButton>("held");
    QTest::addRow("right press sent to the hidden cover") << Qt::NoButton;
    QTest::addRow("right click while the uncovering left press is held") << Qt::LeftButton;
}

// Once a cell is uncovered its cover is hidden and raises no MouseDown, however a right press
// reaches it: sent to the window's area, or while the left button that uncovered it is
// still down.
void tst_randomplay::uncoveredCellTakesNoFlag() {
    QFETCH(Qt::MouseButton, held);

    // Mines on the bottom row and at the right end of the row above: cell 49 borders two.
    GameFixture::plantMines({57, 58, 59, 60, 61, 62, 63, 64, 56, 55}, 8, 8);
    GameFixture game;
    QCoreApplication::processEvents();
    const int cell = 49;
    QCOMPARE(game.board().mine[cell].caption(), QStringLiteral("2"));
    QWindow *window = game.window().windowHandle();
    const QPoint spot = spotOf(game.window(), game.board().square[cell]);

    if (held != Qt::NoButton) {
        QTest::mousePress(window, held, Qt::NoModifier, spot);
        QVERIFY(!game.board().square[cell].isVisible());
        QTest::mousePress(window, Qt::RightButton, Qt::NoModifier, spot);
        QTest::mouseRelease(window, Qt::RightButton, Qt::NoModifier, spot);
        QTest::mouseRelease(window, held, Qt::NoModifier, spot);
    } else {
        game.pressCover(cell);
        QVERIFY(!game.board().square[cell].isVisible());
        QWidget *area = game.window().area();
        const QPoint centre = centreOf(game.board().square[cell]);
        QMouseEvent down(QEvent::MouseButtonPress, centre, area->mapToGlobal(centre),
                         Qt::RightButton, Qt::RightButton, Qt::NoModifier);
        QCoreApplication::sendEvent(area, &down);
    }
    QCOMPARE(game.board().square[cell].caption(), QString());
    QCOMPARE(game.board().leftcount, 10);
    QCOMPARE(game.board().minesleft.caption(), QStringLiteral("010"));
}

QTEST_MAIN(tst_randomplay)
#include "tst_randomplay.moc"
