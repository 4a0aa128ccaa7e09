#include "gamefixture.h"

#include <QApplication>
#include <QImage>
#include <QMap>
#include <QPointer>
#include <QTest>

#include <vector>

// The keyboard focus: the face holds it when a game's window comes up, a press on a cover takes
// it, and a key ends a game only from the face, where the player has put the focus.
class tst_focus : public QObject {
    Q_OBJECT

private slots:
    void keyAfterPlay_data();
    void keyAfterPlay();
    void keysPlayTheBoard_data();
    void keysPlayTheBoard();
};

namespace {

// Easy mines along the diagonal; cell 64 in the corner is safe and shows a number.
const std::vector<int> mines = {1, 8, 10, 19, 28, 37, 46, 55, 56, 57};

QString focusName(const gameboard &board) {
    const QWidget *focused = QApplication::focusWidget();
    if (focused != board.area())
        return focused ? QString::fromLatin1(focused->metaObject()->className())
                       : QStringLiteral("nothing");
    const CommandButton *button = board.area()->focusedButton();
    if (button == &board.face)
        return QStringLiteral("face");
    for (int k = 1; k < board.square.count(); ++k)
        if (button == &board.square[k])
            return QString::number(k);
    return QStringLiteral("form");
}

// Keys by name, as the steps give them, with their modifiers.
const QMap<QString, QPair<Qt::Key, Qt::KeyboardModifiers>> keys = {
    {QStringLiteral("Tab"), {Qt::Key_Tab, Qt::NoModifier}},
    {QStringLiteral("Backtab"), {Qt::Key_Tab, Qt::ShiftModifier}},
    {QStringLiteral("Up"), {Qt::Key_Up, Qt::NoModifier}},
    {QStringLiteral("Down"), {Qt::Key_Down, Qt::NoModifier}},
    {QStringLiteral("Left"), {Qt::Key_Left, Qt::NoModifier}},
    {QStringLiteral("Right"), {Qt::Key_Right, Qt::NoModifier}},
    {QStringLiteral("Home"), {Qt::Key_Home, Qt::NoModifier}},
    {QStringLiteral("End"), {Qt::Key_End, Qt::NoModifier}},
    {QStringLiteral("CtrlHome"), {Qt::Key_Home, Qt::ControlModifier}},
    {QStringLiteral("CtrlEnd"), {Qt::Key_End, Qt::ControlModifier}},
    {QStringLiteral("Space"), {Qt::Key_Space, Qt::NoModifier}},
    {QStringLiteral("Return"), {Qt::Key_Return, Qt::NoModifier}},
    {QStringLiteral("Menu"), {Qt::Key_Menu, Qt::NoModifier}},
    {QStringLiteral("ShiftF10"), {Qt::Key_F10, Qt::ShiftModifier}},
};

// A new game with the diagonal's mines, in the active window; false if it does not become active.
bool newDiagonalGame(GameFixture &game) {
    GameFixture::plantMines(mines, 8, 8);
    game.triggerMenu("mnuNew");
    GameFixture::flushDeletes();
    game.window().activateWindow();
    return QTest::qWaitForWindowActive(&game.window());
}

void play(GameFixture &game, const QString &step) {
    QWindow *window = game.window().windowHandle();
    if (keys.contains(step))
        QTest::keyClick(window, keys[step].first, keys[step].second);
    else if (step == QLatin1String("win"))
        game.uncoverEverySafeCell();
    else
        game.pressCover(step.mid(1).toInt(),
                        step.startsWith(QLatin1Char('L')) ? Qt::LeftButton : Qt::RightButton);
}

} // namespace

void tst_focus::keyAfterPlay_data() {
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<bool>("newGame");

    QTest::newRow("new window, Space") << ""
                                       << "face" << Qt::Key_Space << true;
    QTest::newRow("new window, Return") << ""
                                        << "face" << Qt::Key_Return << true;
    QTest::newRow("new window, Enter") << ""
                                       << "face" << Qt::Key_Enter << true;
    QTest::newRow("flag set, Space") << "R5"
                                     << "5" << Qt::Key_Space << false;
    QTest::newRow("flag set, Return") << "R5"
                                      << "5" << Qt::Key_Return << false;
    QTest::newRow("number opened, Enter") << "L2"
                                          << "2" << Qt::Key_Enter << false;
    QTest::newRow("region opened, Space") << "L5"
                                          << "5" << Qt::Key_Space << false;
    QTest::newRow("last cover opened") << "L64"
                                       << "64" << Qt::Key_Space << false;
    // The end of a game hands the face the focus: the next Space is a new game by choice.
    QTest::newRow("lost, Space") << "L1"
                                 << "face" << Qt::Key_Space << true;
    QTest::newRow("lost, Return") << "L1"
                                  << "face" << Qt::Key_Return << true;
    QTest::newRow("lost, press on a greyed cover") << "L1 R20"
                                                   << "face" << Qt::Key_Space << true;
    QTest::newRow("won, Enter") << "win"
                                << "face" << Qt::Key_Enter << true;
    QTest::newRow("Tab to the first cover") << "Tab"
                                            << "1" << Qt::Key_Space << false;
    QTest::newRow("Shift+Tab to the last cover") << "Backtab"
                                                 << "64" << Qt::Key_Return << false;
    QTest::newRow("Tab over opened covers") << "L2 Backtab"
                                            << "1" << Qt::Key_Space << false;
    QTest::newRow("lost, Tab to the face") << "L1 Tab"
                                           << "face" << Qt::Key_Space << true;
    QTest::newRow("flag set, Shift+Tab back to the face") << "R2 Backtab Backtab"
                                                          << "face" << Qt::Key_Return << true;
    QTest::newRow("flag set, F2") << "R5"
                                  << "5" << Qt::Key_F2 << true;
}

void tst_focus::keyAfterPlay() {
    QFETCH(QString, steps);
    QFETCH(QString, focus);
    QFETCH(Qt::Key, key);
    QFETCH(bool, newGame);

    GameFixture game;
    QVERIFY(newDiagonalGame(game));
    QCOMPARE(focusName(game.board()), "face");

    const QStringList played = steps.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString &step : played)
        play(game, step);
    QCOMPARE(focusName(game.board()), focus);

    // Moved there by the keyboard, a cover shows that it has the focus.
    bool isCover = false;
    const int focusedCover = focus.toInt(&isCover);
    if (isCover && steps.contains(QLatin1String("Tab"))) {
        const int other = focusedCover == 1 ? 9 : 1;
        QVERIFY(game.board().square[other].isVisible());
        QWidget *area = game.board().area();
        QVERIFY(area->grab(game.board().square[focusedCover].pixelBox()).toImage() !=
                area->grab(game.board().square[other].pixelBox()).toImage());
    }

    const QPointer<Form> before = game.window().form();
    const QString flagBefore = game.board().square[5].caption();
    QTest::keyClick(game.window().windowHandle(), key);
    GameFixture::flushDeletes();

    QCOMPARE(game.window().form() != before.data(), newGame);
    if (!newGame)
        QCOMPARE(game.board().square[5].caption(), flagBefore);
    else
        QCOMPARE(focusName(game.board()), "face");
}

void tst_focus::keysPlayTheBoard_data() {
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("covered");
    QTest::addColumn<QString>("flags");

    QTest::newRow("by row and column") << "Tab Down Down Right"
                                       << "18" << 64 << "";
    QTest::newRow("held at the edges") << "Tab Up Left"
                                       << "1" << 64 << "";
    QTest::newRow("to the row's end") << "Tab Down End"
                                      << "16" << 64 << "";
    QTest::newRow("back to its start") << "Tab Down End Home"
                                       << "9" << 64 << "";
    QTest::newRow("to the last corner") << "Tab CtrlEnd"
                                        << "64" << 64 << "";
    QTest::newRow("to the first corner") << "Backtab Up CtrlHome"
                                         << "1" << 64 << "";
    QTest::newRow("Space uncovers") << "Tab Right Space"
                                    << "2" << 63 << "";
    QTest::newRow("Return uncovers") << "Tab Right Right Return"
                                     << "3" << 63 << "";
    QTest::newRow("over an uncovered cell") << "Tab Right Space Right"
                                            << "3" << 63 << "";
    QTest::newRow("Menu flags") << "Tab Right Menu"
                                << "2" << 64 << "2";
    QTest::newRow("Shift+F10 flags and unflags") << "Tab ShiftF10 Right ShiftF10 Left ShiftF10"
                                                 << "1" << 64 << "2";
    QTest::newRow("stray keys after the mouse") << "R3 Space Return Menu"
                                                << "3" << 64 << "3";
    QTest::newRow("a mine ends the game") << "Tab Space"
                                          << "face" << 64 << "";
}

// Once the keyboard has moved the focus over the board, keys press the cell it rests on.
void tst_focus::keysPlayTheBoard() {
    QFETCH(QString, steps);
    QFETCH(QString, focus);
    QFETCH(int, covered);
    QFETCH(QString, flags);

    GameFixture game;
    QVERIFY(newDiagonalGame(game));
    for (const QString &step : steps.split(QLatin1Char(' ')))
        play(game, step);

    QCOMPARE(focusName(game.board()), focus);
    QCOMPARE(int(game.board().covered), covered);
    QStringList flagged;
    for (int k = 1; k <= game.cellCount(); ++k)
        if (game.board().square[k].caption() == QLatin1String("M"))
            flagged << QString::number(k);
    QCOMPARE(flagged.join(QLatin1Char(' ')), flags);
}

QTEST_MAIN(tst_focus)
#include "tst_focus.moc"
