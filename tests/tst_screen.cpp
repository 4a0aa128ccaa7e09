#include "gamefixture.h"

#include "forms/color.h"

#include <QCoreApplication>
#include <QImage>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QWindow>

#include <vector>

// What the window shows on the screen, read back from what was painted into it: every cell shows
// its cover while the cover is visible and its open cell once it is not, and the whole picture is
// what painting the window afresh gives. Covers spare the paint of what lies beneath them, and
// the board repaints only what changed, so a cell opened, a text changed or a board replaced must
// still be painted afresh.
class tst_screen : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cellsShowWhatTheirControlsHold_data();
    void cellsShowWhatTheirControlsHold();
    void oldBoardIsGoneBeforeTheNewIsPainted_data();
    void oldBoardIsGoneBeforeTheNewIsPainted();
};

namespace {

enum class Moment {
    NewBoard,
    AfterTick,
    AfterFlags,
    AfterSpread,
    AfterWin,
    AfterLoss,
    AfterAnotherBoard
};

// Hard's mines packed in a block of the given columns, from top to bottom.
std::vector<int> minesInColumns(int first, int count) {
    std::vector<int> cells;
    for (int row = 0; row < 20; ++row)
        for (int column = first; column < first + count; ++column)
            cells.push_back(row * 32 + column + 1);
    return cells;
}

// The event loop's work between two events of the player: layout and paint, the discarded
// board's deletion, and whatever that deletion leaves to paint.
void settle() {
    GameFixture::flushDeletes();
    QCoreApplication::sendPostedEvents();
}

QImage screenOf(FormHost &window) {
    settle();
    return window.screen()
        ->grabWindow(window.winId())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

// Notes the first paint of a widget on a board that replaced the window's current one.
class FirstPaintWatch : public QObject {
public:
    FirstPaintWatch(FormHost &window, QStringList &order)
        : window_(window), order_(order), old_(window.form()) {}

protected:
    bool eventFilter(QObject *object, QEvent *event) override {
        if (event->type() != QEvent::Paint || painted_ || !object->isWidgetType())
            return false;
        const Form *board = window_.form();
        if (board && board != old_ && board->area() == object) {
            painted_ = true;
            order_ << QStringLiteral("new board painted");
        }
        return false;
    }

private:
    FormHost &window_;
    QStringList &order_;
    // Null once the old board is deleted, so that a new one at the same address is not taken for
    // it.
    QPointer<const Form> old_;
    bool painted_ = false;
};

// A point inside a cell, clear of its outline, its cover's edges and its centred text.
QPoint probeIn(FormHost &window, const Control &cell) {
    return window.form()->area()->mapTo(&window, cell.pixelBox().topLeft() + QPoint(4, 4));
}

} // namespace

void tst_screen::initTestCase() {
    QVERIFY2(QGuiApplication::primaryScreen()->devicePixelRatio() == 1,
             "the probes are placed in logical pixels");
}

void tst_screen::cellsShowWhatTheirControlsHold_data() {
    QTest::addColumn<int>("preset");
    QTest::addColumn<Moment>("moment");
    QTest::newRow("Easy, new") << 0 << Moment::NewBoard;
    QTest::newRow("Hard, new") << 2 << Moment::NewBoard;
    QTest::newRow("Easy, the clock's first tick narrows its text") << 0 << Moment::AfterTick;
    QTest::newRow("Easy, eleven flags widen the counter") << 0 << Moment::AfterFlags;
    QTest::newRow("Hard, a press opens the 200 cells left of a wall of mines")
        << 2 << Moment::AfterSpread;
    QTest::newRow("Hard, a press opens every safe cell and wins") << 2 << Moment::AfterWin;
    QTest::newRow("Hard, lost on a mine") << 2 << Moment::AfterLoss;
    QTest::newRow("Medium after a Hard game") << 1 << Moment::AfterAnotherBoard;
}

void tst_screen::cellsShowWhatTheirControlsHold() {
    QFETCH(int, preset);
    QFETCH(Moment, moment);
    GameFixture game;
    game.window().show();
    QVERIFY(QTest::qWaitForWindowExposed(&game.window()));
    if (moment == Moment::AfterAnotherBoard) {
        game.choose(2);
        settle();
    }
    // A wall five columns wide leaves ten columns on its left; at the left edge it takes all.
    if (moment == Moment::AfterSpread)
        GameFixture::plantMines(minesInColumns(10, 5), 32, 20);
    if (moment == Moment::AfterWin || moment == Moment::AfterLoss)
        GameFixture::plantMines(minesInColumns(0, 5), 32, 20);
    game.choose(preset);
    settle();
    if (moment == Moment::AfterSpread)
        game.pressCover(1);
    if (moment == Moment::AfterWin)
        game.pressCover(640);
    if (moment == Moment::AfterLoss)
        game.pressCover(1);
    if (moment == Moment::AfterTick) {
        game.setTime(game.time() + 61);
        game.tick();
    }
    for (int k = 1; moment == Moment::AfterFlags && k <= 11; ++k)
        game.pressCover(k, Qt::RightButton);

    const QImage shot = screenOf(game.window());
    QVERIFY2(shot == game.window().grab().toImage().convertToFormat(QImage::Format_RGB32),
             "the screen differs from the window painted afresh");
    gameboard &board = game.board();
    const QColor coverFace(239, 239, 239);
    int covered = 0;
    int open = 0;
    for (int k = 1; k <= game.cellCount(); ++k) {
        const bool isCovered = board.square[k].isVisible();
        const QColor expected = isCovered ? coverFace : toQColor(board.background[k].backColor());
        const QColor shown = shot.pixelColor(probeIn(game.window(), board.background[k]));
        QVERIFY2(shown == expected, qPrintable(QStringLiteral("cell %1 (%2) shows %3, not %4")
                                                   .arg(k)
                                                   .arg(isCovered ? "covered" : "open")
                                                   .arg(shown.name(), expected.name())));
        ++(isCovered ? covered : open);
    }
    switch (moment) {
    case Moment::NewBoard:
    case Moment::AfterTick:
    case Moment::AfterFlags:
    case Moment::AfterAnotherBoard:
        QCOMPARE(open, 0);
        break;
    case Moment::AfterSpread:
        QCOMPARE(open, 200);
        break;
    case Moment::AfterWin:
        QCOMPARE(open, game.cellCount());
        break;
    case Moment::AfterLoss:
        QVERIFY(open > 0 && covered > 0);
        break;
    }
    QVERIFY(covered + open == game.cellCount());
}

void tst_screen::oldBoardIsGoneBeforeTheNewIsPainted_data() {
    QTest::addColumn<QString>("command");
    QTest::newRow("Hard after Easy") << "Ctrl+H";
    QTest::newRow("Easy again") << "F2";
    QTest::newRow("the face's click") << "face";
    QTest::newRow("Space on the face") << "Space";
}

// Each new game's board replaces the old one within the command: the old board is gone before
// the new one is painted or any other event is handled, however fast the commands come.
void tst_screen::oldBoardIsGoneBeforeTheNewIsPainted() {
    QFETCH(QString, command);
    GameFixture game;
    game.window().show();
    QVERIFY(QTest::qWaitForWindowExposed(&game.window()));
    for (int round = 0; round < 3; ++round) {
        QStringList order;
        connect(game.window().form(), &QObject::destroyed, &game.window(),
                [&order] { order << QStringLiteral("old board deleted"); });
        FirstPaintWatch watch(game.window(), order);
        qApp->installEventFilter(&watch);
        if (command == QLatin1String("face"))
            game.clickFace();
        else if (command == QLatin1String("Space"))
            QTest::keyClick(game.board().area(), Qt::Key_Space);
        else
            game.shortcut(QKeySequence(command));
        order << QStringLiteral("command done");
        QTRY_COMPARE(
            order, QStringList({QStringLiteral("old board deleted"), QStringLiteral("command done"),
                                QStringLiteral("new board painted")}));
        qApp->removeEventFilter(&watch);
        QVERIFY(game.window().area()->findChildren<QWidget *>().isEmpty());
    }
}

QTEST_MAIN(tst_screen)
#include "tst_screen.moc"
