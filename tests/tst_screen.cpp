#include "gamefixture.h"

#include "forms/color.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QImage>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <vector>

// What the window shows on the screen, read back from what was painted into it: every cell shows
// its cover while the cover is visible and its open cell once it is not. Covers spare the paint
// of what lies beneath them, so a cell opened, or a board replaced, must still be painted afresh.
class tst_screen : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cellsShowWhatTheirControlsHold_data();
    void cellsShowWhatTheirControlsHold();
    void newBoardIsPaintedBeforeTheOldIsDeleted_data();
    void newBoardIsPaintedBeforeTheOldIsDeleted();
};

namespace {

enum class Moment { NewBoard, AfterSpread, AfterWin, AfterLoss, AfterAnotherBoard };

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
    return window.screen()->grabWindow(window.winId()).toImage();
}

// Notes the first paint of a widget on the window's current board.
class FirstPaintWatch : public QObject {
public:
    FirstPaintWatch(FormHost &window, QStringList &order) : window_(window), order_(order) {}

protected:
    bool eventFilter(QObject *object, QEvent *event) override {
        if (event->type() != QEvent::Paint || painted_ || !object->isWidgetType())
            return false;
        const Form *board = window_.form();
        if (board && board->area()->isAncestorOf(static_cast<QWidget *>(object))) {
            painted_ = true;
            order_ << QStringLiteral("new board painted");
        }
        return false;
    }

private:
    FormHost &window_;
    QStringList &order_;
    bool painted_ = false;
};

// A point inside a cell, clear of its outline, its cover's edges and its centred text.
QPoint probeIn(FormHost &window, const Control &cell) {
    return cell.widget()->mapTo(&window, QPoint(4, 4));
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

    const QImage shot = screenOf(game.window());
    gameboard &board = game.board();
    const QColor coverFace = board.square[1].widget()->grab().toImage().pixelColor(4, 4);
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

void tst_screen::newBoardIsPaintedBeforeTheOldIsDeleted_data() {
    QTest::addColumn<QKeySequence>("keys");
    QTest::newRow("Hard after Easy") << QKeySequence(Qt::CTRL | Qt::Key_H);
    QTest::newRow("Easy again") << QKeySequence(Qt::Key_F2);
}

// The event loop deletes the discarded board's controls; the player should not wait for that.
void tst_screen::newBoardIsPaintedBeforeTheOldIsDeleted() {
    QFETCH(QKeySequence, keys);
    GameFixture game;
    game.window().show();
    QVERIFY(QTest::qWaitForWindowExposed(&game.window()));
    QTest::qWait(20);
    QStringList order;
    // A loop of its own: the test library's waits delete what is pending between passes.
    QEventLoop loop;
    connect(game.board().area(), &QObject::destroyed, &loop, [&order, &loop] {
        order << QStringLiteral("old board deleted");
        loop.quit();
    });
    FirstPaintWatch watch(game.window(), order);
    qApp->installEventFilter(&watch);
    QTimer::singleShot(0, &game.window(), [&] { game.shortcut(keys); });
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    loop.exec();
    qApp->removeEventFilter(&watch);
    QCOMPARE(order, QStringList({QStringLiteral("new board painted"),
                                 QStringLiteral("old board deleted")}));
}

QTEST_MAIN(tst_screen)
#include "tst_screen.moc"
