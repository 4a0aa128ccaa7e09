#include "gamefixture.h"
#include "hiderecorder.h"

#include "board/module1.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHash>
#include <QList>
#include <QTest>
#include <QWindow>

#include <algorithm>
#include <memory>

namespace {

struct Preset {
    int cols;
    int rows;
};

Preset presetOf(const QString &action) {
    if (action == QLatin1String("mnuHrd"))
        return {32, 20};
    if (action == QLatin1String("mnuMed"))
        return {16, 16};
    return {8, 8};
}

// Plants the mines and begins a new game of the preset through its menu item.
bool startGame(GameFixture &game, const QString &action, QList<int> mines) {
    const Preset preset = presetOf(action);
    GameFixture::plantMines(std::vector<int>(mines.begin(), mines.end()), preset.cols, preset.rows);
    game.triggerMenu(action);
    // The window takes the new board's size from its posted layout request, as between events.
    QCoreApplication::sendPostedEvents();
    GameFixture::flushDeletes();
    std::sort(mines.begin(), mines.end());
    const std::vector<int> placed = game.cellsWithLabel(QStringLiteral("M"));
    return QList<int>(placed.begin(), placed.end()) == mines;
}

QPoint inWindow(GameFixture &game, const QPoint &onArea) {
    return game.board().area()->mapTo(&game.window(), onArea);
}

// A press of the player's pointer at a point of the window: the window decides which control is
// under the pointer, so hidden controls and controls without handlers are passed over.
void pressOver(GameFixture &game, const QPoint &at, Qt::MouseButton button,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::mousePress(game.window().windowHandle(), button, modifiers, at);
    QTest::mouseRelease(game.window().windowHandle(), button, modifiers, at);
}

void press(GameFixture &game, int cell, Qt::MouseButton button = Qt::LeftButton,
           Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    pressOver(game, inWindow(game, game.board().square[cell].pixelBox().center()), button,
              modifiers);
}

QList<int> coveredCells(const GameFixture &game) {
    QList<int> cells;
    for (int k = 1; k <= game.cellCount(); ++k)
        if (game.board().square[k].isVisible())
            cells.append(k);
    return cells;
}

// Easy layouts. Row three full of mines: row one is empty, row two numbered.
const QList<int> rowThree{17, 18, 19, 20, 21, 22, 23, 24, 63, 64};
// Row six full of mines: row eight is empty, row seven numbered.
const QList<int> rowSix{41, 42, 43, 44, 45, 46, 47, 48, 1, 2};
// Four mines two steps from cell 28, so that 28 is empty and its eight neighbours are numbered.
const QList<int> ring{12, 26, 30, 44, 57, 58, 59, 60, 63, 64};
// Eight mines round cell 10.
const QList<int> eightRound{1, 2, 3, 9, 11, 17, 18, 19, 63, 64};
// Row four full of mines: rows one and two are empty, row three numbered.
const QList<int> rowFour{25, 26, 27, 28, 29, 30, 31, 32, 63, 64};

// Hard layout: 31, 63 and 64 numbered round the empty corner cell 32; cell 33 empty.
QList<int> hardCorner() {
    QList<int> mines{30, 96};
    for (int k = 481; mines.size() < 100; ++k)
        mines.append(k);
    return mines;
}

} // namespace

class tst_uncover : public QObject {
    Q_OBJECT

private slots:
    void numberedCellUncoversAlone_data();
    void numberedCellUncoversAlone();
    void spreadOrder_data();
    void spreadOrder();
    void flaggedEmptyCellInsideRegion();
    void flaggedSafeCellResistsLeftPress_data();
    void flaggedSafeCellResistsLeftPress();
    void uncoveredCellTakesNoPress_data();
    void uncoveredCellTakesNoPress();
    void otherButtonsDoNothing_data();
    void otherButtonsDoNothing();
    void modifiersAreIgnored_data();
    void modifiersAreIgnored();
    void actsWhenTheButtonGoesDown();
    void secondPressOfDoublePressCounts_data();
    void secondPressOfDoublePressCounts();
};

void tst_uncover::numberedCellUncoversAlone_data() {
    QTest::addColumn<QList<int>>("mines");
    QTest::addColumn<int>("cell");
    QTest::addColumn<QString>("number");

    QTest::newRow("left edge, two") << rowThree << 9 << "2";
    QTest::newRow("inside, three") << rowThree << 12 << "3";
    QTest::newRow("right edge, two") << rowThree << 56 << "2";
    QTest::newRow("bottom edge, one") << rowThree << 62 << "1";
    QTest::newRow("next to the empty cell, one") << ring << 20 << "1";
    QTest::newRow("surrounded, eight") << eightRound << 10 << "8";
    QTest::newRow("top edge, one") << rowSix << 3 << "1";
}

void tst_uncover::numberedCellUncoversAlone() {
    QFETCH(QList<int>, mines);
    QFETCH(int, cell);
    QFETCH(QString, number);

    GameFixture game;
    QVERIFY(startGame(game, "mnuEZ", mines));
    QCOMPARE(game.board().mine[cell].caption(), number);
    HideRecorder hidden(game);

    press(game, cell);

    QCOMPARE(hidden.order, QList<int>{cell});
    QCOMPARE(game.board().covered, 63);
    QCOMPARE(game.visibleCovers(), 63);
    QCOMPARE(game.board().mine[cell].caption(), number);
    QCOMPARE(game.board().face.caption(), QStringLiteral("K"));
}

void tst_uncover::spreadOrder_data() {
    QTest::addColumn<QString>("preset");
    QTest::addColumn<QList<int>>("mines");
    QTest::addColumn<QList<int>>("flags");
    QTest::addColumn<int>("cell");
    QTest::addColumn<QList<int>>("order");

    // One block: above left to right, left, right, below left to right.
    QTest::newRow("one block") << "mnuEZ" << ring << QList<int>{} << 28
                               << QList<int>{28, 19, 20, 21, 27, 29, 35, 36, 37};
    // Along the top row to its end before any cell of the row below is offered.
    QTest::newRow("top row from the corner")
        << "mnuEZ" << rowThree << QList<int>{} << 1
        << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 15, 16, 14, 13, 12, 11, 10, 9};
    // The left neighbour is followed first, the right one only after its whole spread.
    QTest::newRow("top row from the middle")
        << "mnuEZ" << rowThree << QList<int>{} << 5
        << QList<int>{5, 4, 3, 2, 1, 9, 10, 11, 12, 13, 6, 7, 8, 15, 16, 14};
    // The row above comes before the left neighbour.
    QTest::newRow("bottom row from the corner")
        << "mnuEZ" << rowSix << QList<int>{} << 64
        << QList<int>{64, 55, 56, 63, 54, 62, 53, 61, 52, 60, 51, 59, 50, 58, 49, 57};
    // A flagged empty cell is not uncovered and does not pass the spread on.
    QTest::newRow("stopped by a flag")
        << "mnuEZ" << rowThree << QList<int>{4} << 1 << QList<int>{1, 2, 3, 10, 11, 12, 9};
    // The top right corner of Hard: 33 starts the next row and is no neighbour.
    QTest::newRow("Hard top right corner")
        << "mnuHrd" << hardCorner() << QList<int>{} << 32 << QList<int>{32, 31, 63, 64};
}

void tst_uncover::spreadOrder() {
    QFETCH(QString, preset);
    QFETCH(QList<int>, mines);
    QFETCH(QList<int>, flags);
    QFETCH(int, cell);
    QFETCH(QList<int>, order);

    GameFixture game;
    QVERIFY(startGame(game, preset, mines));
    for (int flag : flags)
        press(game, flag, Qt::RightButton);
    const int before = game.board().covered;
    HideRecorder hidden(game);

    press(game, cell);

    QCOMPARE(hidden.order, order);
    QCOMPARE(game.board().covered, before - order.size());
    QCOMPARE(game.visibleCovers(), int(game.board().covered));
    for (int flag : flags) {
        QVERIFY(game.board().square[flag].isVisible());
        QCOMPARE(game.board().square[flag].caption(), QStringLiteral("M"));
    }
    QCOMPARE(game.board().face.caption(), QStringLiteral("K"));
}

void tst_uncover::flaggedEmptyCellInsideRegion() {
    GameFixture game;
    QVERIFY(startGame(game, "mnuEZ", rowFour));
    press(game, 10, Qt::RightButton);
    QCOMPARE(game.board().mine[10].caption(), QString());

    press(game, 1);

    // Rows one to three open round the flag, which keeps its cover and its mark.
    QList<int> expected{10};
    for (int k = 25; k <= 64; ++k)
        expected.append(k);
    QCOMPARE(coveredCells(game), expected);
    QCOMPARE(game.board().covered, 64 - 23);
    QCOMPARE(game.board().square[10].caption(), QStringLiteral("M"));
    QCOMPARE(game.board().leftcount, 9);
}

void tst_uncover::flaggedSafeCellResistsLeftPress_data() {
    QTest::addColumn<int>("cell");

    QTest::newRow("numbered") << 12;
    QTest::newRow("empty, whose region would open") << 1;
}

void tst_uncover::flaggedSafeCellResistsLeftPress() {
    QFETCH(int, cell);

    GameFixture game;
    QVERIFY(startGame(game, "mnuEZ", rowThree));
    press(game, cell, Qt::RightButton);
    HideRecorder hidden(game);

    press(game, cell);

    QVERIFY(hidden.order.isEmpty());
    QVERIFY(game.board().square[cell].isVisible());
    QCOMPARE(game.board().square[cell].caption(), QStringLiteral("M"));
    QCOMPARE(game.board().covered, 64);
    QCOMPARE(game.board().face.caption(), QStringLiteral("K"));
    QVERIFY(game.board().Timer1.interval() > 0);
}

void tst_uncover::uncoveredCellTakesNoPress_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("button");

    for (const char *target : {"where the cover was", "label", "rectangle"}) {
        QTest::addRow("%s, left", target) << target << int(Qt::LeftButton);
        QTest::addRow("%s, right", target) << target << int(Qt::RightButton);
    }
}

void tst_uncover::uncoveredCellTakesNoPress() {
    QFETCH(QString, target);
    QFETCH(int, button);

    GameFixture game;
    QVERIFY(startGame(game, "mnuEZ", rowThree));
    gameboard &board = game.board();
    // A press through the window reaches a cover that is still there.
    press(game, 11, Qt::RightButton);
    QCOMPARE(board.square[11].caption(), QStringLiteral("M"));
    press(game, 12);
    QVERIFY(!board.square[12].isVisible());

    // The middle of the cell, the label's text, or the rectangle's corner clear of the label.
    QPoint at = inWindow(game, board.square[12].pixelBox().center());
    if (target == QLatin1String("label"))
        at = inWindow(game, board.mine[12].pixelBox().topLeft() + QPoint(3, 6));
    if (target == QLatin1String("rectangle"))
        at = inWindow(game, board.background[12].pixelBox().topLeft() + QPoint(1, 1));
    // The label and the rectangle are the area's own drawing, and the area has no handler.
    QCOMPARE(game.window().childAt(at), board.area());
    pressOver(game, at, Qt::MouseButton(button));

    QCOMPARE(board.square[12].caption(), QString());
    QVERIFY(!board.square[12].isVisible());
    QCOMPARE(board.covered, 63);
    QCOMPARE(board.leftcount, 9);
    QCOMPARE(board.minesleft.caption(), QStringLiteral("009"));
    QCOMPARE(board.mine[12].caption(), QStringLiteral("3"));
    QCOMPARE(board.face.caption(), QStringLiteral("K"));
}

void tst_uncover::otherButtonsDoNothing_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("cell");

    const QList<int> buttons{Qt::MiddleButton, Qt::BackButton, Qt::ForwardButton};
    for (int button : buttons) {
        QTest::addRow("button %d on a mine", button) << button << 20;
        QTest::addRow("button %d on an empty cell", button) << button << 1;
        QTest::addRow("button %d on a numbered cell", button) << button << 12;
    }
}

void tst_uncover::otherButtonsDoNothing() {
    QFETCH(int, button);
    QFETCH(int, cell);

    GameFixture game;
    QVERIFY(startGame(game, "mnuEZ", rowThree));
    HideRecorder hidden(game);

    press(game, cell, Qt::MouseButton(button));

    QVERIFY(hidden.order.isEmpty());
    QCOMPARE(game.board().covered, 64);
    QCOMPARE(game.board().square[cell].caption(), QString());
    QVERIFY(game.board().square[cell].isEnabled());
    QCOMPARE(game.cellsWithLabel("N").size(), std::size_t(0));
    QCOMPARE(game.board().face.caption(), QStringLiteral("K"));
    QCOMPARE(game.board().leftcount, 10);
}

void tst_uncover::modifiersAreIgnored_data() {
    QTest::addColumn<int>("modifiers");

    QTest::newRow("Shift") << int(Qt::ShiftModifier);
    QTest::newRow("Ctrl") << int(Qt::ControlModifier);
    QTest::newRow("Alt") << int(Qt::AltModifier);
    QTest::newRow("Shift+Ctrl+Alt")
        << int(Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
}

void tst_uncover::modifiersAreIgnored() {
    QFETCH(int, modifiers);
    const auto held = Qt::KeyboardModifiers(modifiers);

    GameFixture game;
    QVERIFY(startGame(game, "mnuEZ", rowThree));
    HideRecorder hidden(game);

    press(game, 12, Qt::LeftButton, held);
    QCOMPARE(hidden.order, QList<int>{12});
    press(game, 1, Qt::LeftButton, held);
    QCOMPARE(game.board().covered, 64 - 16);
    press(game, 40, Qt::RightButton, held);
    QCOMPARE(game.board().square[40].caption(), QStringLiteral("M"));
    press(game, 20, Qt::LeftButton, held);
    QCOMPARE(game.board().mine[20].caption(), QStringLiteral("N"));
    QCOMPARE(game.board().face.caption(), QStringLiteral("L"));
}

void tst_uncover::actsWhenTheButtonGoesDown() {
    GameFixture game;
    QVERIFY(startGame(game, "mnuEZ", rowThree));
    QWindow *window = game.window().windowHandle();
    auto pointOver = [&game](int cell) { return spotOf(game.window(), game.board().square[cell]); };

    QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, pointOver(1));
    QCOMPARE(game.board().covered, 64 - 16);
    QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, pointOver(1));
    QCOMPARE(game.board().covered, 64 - 16);

    QTest::mousePress(window, Qt::RightButton, Qt::NoModifier, pointOver(40));
    QCOMPARE(game.board().square[40].caption(), QStringLiteral("M"));
    QTest::mouseRelease(window, Qt::RightButton, Qt::NoModifier, pointOver(40));
    QCOMPARE(game.board().square[40].caption(), QStringLiteral("M"));

    QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, pointOver(21));
    QCOMPARE(game.board().face.caption(), QStringLiteral("L"));
    QCOMPARE(game.board().mine[21].caption(), QStringLiteral("N"));
    QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, pointOver(21));
    QCOMPARE(game.board().face.caption(), QStringLiteral("L"));
}

void tst_uncover::secondPressOfDoublePressCounts_data() {
    QTest::addColumn<bool>("flaggedBefore");
    QTest::addColumn<QString>("flag");
    QTest::addColumn<int>("leftcount");

    // Each of the two right presses toggles the flag.
    QTest::newRow("unflagged cover") << false << "" << 10;
    QTest::newRow("flagged cover") << true << "M" << 9;
}

void tst_uncover::secondPressOfDoublePressCounts() {
    QFETCH(bool, flaggedBefore);
    QFETCH(QString, flag);
    QFETCH(int, leftcount);

    GameFixture game;
    QVERIFY(startGame(game, "mnuEZ", rowThree));
    if (flaggedBefore)
        press(game, 40, Qt::RightButton);
    QTest::mouseDClick(game.window().windowHandle(), Qt::RightButton, Qt::NoModifier,
                       spotOf(game.window(), game.board().square[40]));

    QCOMPARE(game.board().square[40].caption(), flag);
    QCOMPARE(game.board().leftcount, leftcount);
    QCOMPARE(game.board().covered, 64);
}

QTEST_MAIN(tst_uncover)
#include "tst_uncover.moc"
