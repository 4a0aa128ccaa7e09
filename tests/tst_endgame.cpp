#include "gamefixture.h"

#include "board/module1.h"
#include "forms/runtime.h"

#include <QCoreApplication>
#include <QList>
#include <QTest>
#include <QWindow>

#include <algorithm>
#include <cstdlib>

namespace {

// Plants the mines and begins a new Easy game through its menu item.
bool startEasy(GameFixture &game, QList<int> mines) {
    GameFixture::plantMines(std::vector<int>(mines.begin(), mines.end()), 8, 8);
    game.triggerMenu(QStringLiteral("mnuEZ"));
    QCoreApplication::sendPostedEvents();
    GameFixture::flushDeletes();
    // The clock shows its first time now; ticks of the running timer that may arrive while the
    // test presses leave it so, since the fixture's clock stands still.
    game.tick();
    std::sort(mines.begin(), mines.end());
    const std::vector<int> placed = game.cellsWithLabel(QStringLiteral("M"));
    return QList<int>(placed.begin(), placed.end()) == mines;
}

// A press of the player's pointer over the middle of cover `cell`, routed by the window.
void press(GameFixture &game, int cell, Qt::MouseButton button = Qt::LeftButton) {
    const QPoint at = spotOf(game.window(), game.board().square[cell]);
    QTest::mousePress(game.window().windowHandle(), button, Qt::NoModifier, at);
    QTest::mouseRelease(game.window().windowHandle(), button, Qt::NoModifier, at);
}

// Plays a script: k is a left press on cell k, -k a right press on it.
void play(GameFixture &game, const QList<int> &presses) {
    for (int p : presses)
        press(game, std::abs(p), p > 0 ? Qt::LeftButton : Qt::RightButton);
}

struct CellState {
    bool covered;
    bool enabled;
    QString flag;
    QString label;
    int color;
    FontSpec font;
    int fill;

    bool operator==(const CellState &o) const {
        return covered == o.covered && enabled == o.enabled && flag == o.flag && label == o.label &&
               color == o.color && font == o.font && fill == o.fill;
    }
};

// Everything the player can see of a game, and the counts behind it.
struct GameState {
    QList<CellState> cells; // cells[k - 1] is cell k
    QString face;
    int interval;
    int covered;
    int leftcount;
    QString counter;
    QString clock;
};

GameState stateOf(const GameFixture &game) {
    const gameboard &b = game.board();
    GameState state{{},          b.face.caption(),      b.Timer1.interval(), b.covered,
                    b.leftcount, b.minesleft.caption(), b.time.caption()};
    for (int k = 1; k <= game.cellCount(); ++k)
        state.cells.append({b.square[k].isVisible(), b.square[k].isEnabled(), b.square[k].caption(),
                            b.mine[k].caption(), b.mine[k].foreColor(), b.mine[k].font(),
                            b.background[k].backColor()});
    return state;
}

QString differences(const GameState &a, const GameState &b) {
    QStringList found;
    if (a.face != b.face)
        found << QStringLiteral("face %1 / %2").arg(a.face, b.face);
    if (a.interval != b.interval)
        found << QStringLiteral("interval %1 / %2").arg(a.interval).arg(b.interval);
    if (a.covered != b.covered)
        found << QStringLiteral("covered %1 / %2").arg(a.covered).arg(b.covered);
    if (a.leftcount != b.leftcount || a.counter != b.counter)
        found << QStringLiteral("counter %1 / %2").arg(a.counter, b.counter);
    if (a.clock != b.clock)
        found << QStringLiteral("clock %1 / %2").arg(a.clock, b.clock);
    if (a.cells.size() != b.cells.size())
        found << QStringLiteral("board size");
    for (int i = 0; i < std::min(a.cells.size(), b.cells.size()); ++i)
        if (!(a.cells[i] == b.cells[i]))
            found << QStringLiteral("cell %1").arg(i + 1);
    return found.join(QStringLiteral(", "));
}

constexpr int xColor = runtime::RGB(255, 50, 50);

// Row three full of mines: row one is empty, row two numbered, rows four to eight empty
// but for the numbers round 63 and 64.
const QList<int> rowThree{17, 18, 19, 20, 21, 22, 23, 24, 63, 64};
// Ten mines in the top left corner: a press on cell 64 opens every other cell.
const QList<int> corner{1, 2, 3, 4, 5, 9, 10, 11, 12, 13};

} // namespace

class tst_endgame : public QObject {
    Q_OBJECT

private slots:
    void pressOnMine_data();
    void pressOnMine();
    void win_data();
    void win();
    void cascadeWinEndsAsSingleWin();
    void endedGameTakesNoPress_data();
    void endedGameTakesNoPress();
};

void tst_endgame::pressOnMine_data() {
    QTest::addColumn<QList<int>>("before");
    QTest::addColumn<int>("mine");
    QTest::addColumn<QString>("exploded");
    QTest::addColumn<QList<int>>("wrongFlags");

    QTest::newRow("first press") << QList<int>{} << 20 << "N" << QList<int>{};
    // Flags on a mine (18), on a number (12) and on an empty cell (40); rows one and two open.
    QTest::newRow("after play, with flags")
        << QList<int>{-18, -12, -40, 1} << 20 << "N" << QList<int>{12, 40};
    // The exploded mine's cover still carries its flag when the board is revealed.
    QTest::newRow("flagged mine") << QList<int>{-20, -12} << 20 << "X" << QList<int>{12};
    QTest::newRow("corner mine") << QList<int>{-1, 8} << 64 << "N" << QList<int>{1};
}

void tst_endgame::pressOnMine() {
    QFETCH(QList<int>, before);
    QFETCH(int, mine);
    QFETCH(QString, exploded);
    QFETCH(QList<int>, wrongFlags);

    GameFixture game;
    QVERIFY(startEasy(game, rowThree));
    play(game, before);
    game.setTime(game.time() + 3);
    game.tick();
    const GameState was = stateOf(game);
    QCOMPARE(was.face, QStringLiteral("K"));

    press(game, mine);

    const GameState now = stateOf(game);
    QCOMPARE(now.face, QStringLiteral("L"));
    QCOMPARE(now.interval, 0);
    QCOMPARE(now.covered, was.covered);
    QCOMPARE(now.leftcount, was.leftcount);
    QCOMPARE(now.counter, was.counter);
    QCOMPARE(now.clock, was.clock);
    for (int k = 1; k <= 64; ++k) {
        const CellState &a = was.cells[k - 1];
        const CellState &b = now.cells[k - 1];
        const QByteArray cell = QByteArray::number(k);
        QVERIFY2(!b.enabled, cell);
        QVERIFY2(b.flag == a.flag, cell);
        QVERIFY2(b.font == a.font, cell);
        QVERIFY2(b.fill == a.fill, cell);
        if (k == mine) {
            QCOMPARE(b.label, exploded);
            QCOMPARE(b.font.name, QStringLiteral("Wingdings"));
            QCOMPARE(b.font.pointSize, 10.0);
            QCOMPARE(b.color, exploded == QLatin1String("X") ? xColor : a.color);
            QVERIFY(!b.covered);
        } else if (rowThree.contains(k)) {
            QVERIFY2(b.label == QLatin1String("M"), cell);
            QVERIFY2(!b.covered, cell);
            QVERIFY2(b.color == a.color, cell);
        } else if (wrongFlags.contains(k)) {
            QVERIFY2(b.covered, cell);
            QVERIFY2(b.flag == QLatin1String("M"), cell);
            QVERIFY2(b.label == QLatin1String("X"), cell);
            QVERIFY2(b.color == xColor, cell);
        } else {
            QVERIFY2(b.covered == a.covered, cell);
            QVERIFY2(b.label == a.label, cell);
            QVERIFY2(b.color == a.color, cell);
        }
    }
}

void tst_endgame::win_data() {
    QTest::addColumn<QList<int>>("presses");
    QTest::addColumn<QString>("counter");

    // The last safe cell is uncovered deep in the spread, and every call above it wins again.
    QTest::newRow("cascade") << QList<int>{64} << "010";
    QTest::newRow("cascade, flagged mines") << QList<int>{-1, -13, 64} << "008";
    // A flag holds back the number 17 until it is taken off and 17 is pressed last.
    QTest::newRow("numbered last cell") << QList<int>{-17, 64, -17, 17} << "010";
    QTest::newRow("numbered last cell, flagged mine") << QList<int>{-6, -12, 64, -6, 6} << "009";
}

void tst_endgame::win() {
    QFETCH(QList<int>, presses);
    QFETCH(QString, counter);

    GameFixture game;
    QVERIFY(startEasy(game, corner));
    const GameState was = stateOf(game);
    play(game, presses.mid(0, presses.size() - 1));
    QCOMPARE(game.board().face.caption(), QStringLiteral("K"));
    QVERIFY(game.board().Timer1.interval() > 0);

    play(game, presses.mid(presses.size() - 1));

    const GameState now = stateOf(game);
    QCOMPARE(now.face, QStringLiteral("J"));
    QCOMPARE(now.interval, 0);
    QCOMPARE(now.covered, 10);
    QCOMPARE(now.counter, counter);
    QCOMPARE(now.clock, was.clock);
    for (int k = 1; k <= 64; ++k) {
        const CellState &a = was.cells[k - 1];
        const CellState &b = now.cells[k - 1];
        const QByteArray cell = QByteArray::number(k);
        QVERIFY2(!b.enabled, cell);
        QVERIFY2(!b.covered, cell);
        QVERIFY2(b.label == a.label, cell);
        QVERIFY2(b.color == a.color, cell);
        QVERIFY2(b.fill == a.fill, cell);
        QVERIFY2(b.flag == (presses.contains(-k) && corner.contains(k) ? "M" : ""), cell);
    }
}

void tst_endgame::cascadeWinEndsAsSingleWin() {
    GameFixture cascade;
    QVERIFY(startEasy(cascade, corner));
    play(cascade, {64});

    GameFixture single;
    QVERIFY(startEasy(single, corner));
    play(single, {-22, 64, -22});
    QCOMPARE(single.board().face.caption(), QStringLiteral("K"));
    play(single, {22});

    const QString diff = differences(stateOf(cascade), stateOf(single));
    QVERIFY2(diff.isEmpty(), qPrintable(diff));
    QCOMPARE(single.board().face.caption(), QStringLiteral("J"));
}

void tst_endgame::endedGameTakesNoPress_data() {
    QTest::addColumn<QList<int>>("mines");
    QTest::addColumn<QList<int>>("presses");
    QTest::addColumn<QString>("face");

    QTest::newRow("won") << corner << QList<int>{-1, 64} << "J";
    QTest::newRow("lost") << rowThree << QList<int>{-12, -18, 1, 20} << "L";
}

void tst_endgame::endedGameTakesNoPress() {
    QFETCH(QList<int>, mines);
    QFETCH(QList<int>, presses);
    QFETCH(QString, face);

    GameFixture game;
    QVERIFY(startEasy(game, mines));
    play(game, presses);
    const GameState ended = stateOf(game);
    QCOMPARE(ended.face, face);

    for (int k = 1; k <= 64; ++k) {
        press(game, k, Qt::LeftButton);
        press(game, k, Qt::RightButton);
        QTest::mouseClick(game.window().area(), Qt::LeftButton, Qt::NoModifier,
                          centreOf(game.board().square[k]));
        QTest::mouseClick(game.window().area(), Qt::RightButton, Qt::NoModifier,
                          centreOf(game.board().square[k]));
    }
    QString diff = differences(ended, stateOf(game));
    QVERIFY2(diff.isEmpty(), qPrintable(diff));

    // A tick that still arrives neither moves the clock nor resets the face.
    game.setTime(game.time() + 75);
    game.tick();
    diff = differences(ended, stateOf(game));
    QVERIFY2(diff.isEmpty(), qPrintable(diff));

    // Only the face and the menus act: the face begins a new game.
    game.clickFace();
    GameFixture::flushDeletes();
    QCOMPARE(game.board().face.caption(), QStringLiteral("K"));
    QCOMPARE(game.board().covered, 64);
    QVERIFY(game.board().Timer1.interval() > 0);
    QVERIFY(game.board().square[1].isEnabled());
}

QTEST_MAIN(tst_endgame)
#include "tst_endgame.moc"
