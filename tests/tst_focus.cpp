#include "gamefixture.h"

#include <QApplication>
#include <QImage>
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

void play(GameFixture &game, const QString &step) {
    QWindow *window = game.window().windowHandle();
    if (step == QLatin1String("Tab"))
        QTest::keyClick(window, Qt::Key_Tab);
    else if (step == QLatin1String("Backtab"))
        QTest::keyClick(window, Qt::Key_Tab, Qt::ShiftModifier);
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
                                          << "3" << Qt::Key_Enter << false;
    QTest::newRow("region opened, Space") << "L5"
                                          << "8" << Qt::Key_Space << false;
    QTest::newRow("last cover opened, past the face") << "L64"
                                                      << "1" << Qt::Key_Space << false;
    QTest::newRow("lost, Space") << "L1"
                                 << "form" << Qt::Key_Space << false;
    QTest::newRow("lost, Return") << "L1"
                                  << "form" << Qt::Key_Return << false;
    QTest::newRow("lost, press on a greyed cover") << "L1 R20"
                                                   << "form" << Qt::Key_Space << false;
    QTest::newRow("won, Enter") << "win"
                                << "form" << Qt::Key_Enter << false;
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
    GameFixture::plantMines(mines, 8, 8);
    game.triggerMenu("mnuNew");
    GameFixture::flushDeletes();
    game.window().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&game.window()));
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

QTEST_MAIN(tst_focus)
#include "tst_focus.moc"
