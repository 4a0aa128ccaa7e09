#include "gamefixture.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QCoreApplication>
#include <QImage>
#include <QTest>

#include <algorithm>

// A new game takes its cells' controls from those made ready while the previous board was looked
// at. Made earlier or made on the spot, they must give the very same game.
class tst_reserve : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void readyControlsMakeTheGameAFreshOneWould_data();
    void readyControlsMakeTheGameAFreshOneWould();
    void reserveHoldsWhatTheLastGameTook_data();
    void reserveHoldsWhatTheLastGameTook();
};

namespace {

enum Preset { Easy, Medium, Hard };

QString layerOf(const gameboard &board, const QWidget *parent) {
    if (parent == board.buttonLayer())
        return QStringLiteral("area");
    if (parent == board.shapeLayer())
        return QStringLiteral("shapes");
    if (parent == board.labelLayer())
        return QStringLiteral("labels");
    return QStringLiteral("elsewhere");
}

// Everything of a widget that Qt or the game can act on, in one line.
QString stateOf(const gameboard &board, const QWidget *widget) {
    QString attributes;
    for (int a = 0; a < Qt::WA_AttributeCount; ++a)
        attributes += widget->testAttribute(static_cast<Qt::WidgetAttribute>(a)) ? '1' : '0';
    const QWidget *parent = widget->parentWidget();
    const QRect box = widget->geometry();
    QStringList parts{
        QString::fromLatin1(widget->metaObject()->className()),
        layerOf(board, parent),
        QString::number(parent->children().indexOf(widget)),
        QStringLiteral("%1,%2 %3x%4").arg(box.x()).arg(box.y()).arg(box.width()).arg(box.height()),
        widget->isHidden() ? QStringLiteral("hidden") : QStringLiteral("shown"),
        widget->isEnabled() ? QStringLiteral("enabled") : QStringLiteral("disabled"),
        widget->font().toString(),
        QString::number(widget->focusPolicy()),
        QString::number(widget->windowFlags().toInt()),
        QString::number(widget->palette().resolveMask()),
        attributes};
    if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
        parts << button->text() << QString::number(button->isDown());
    if (QAccessibleInterface *face =
            QAccessible::queryAccessibleInterface(const_cast<QWidget *>(widget)))
        parts << QString::number(face->role()) << face->text(QAccessible::Name);
    return parts.join(QLatin1Char('|'));
}

int visibleWidgets(const QWidget &window) {
    const auto widgets = window.findChildren<QWidget *>();
    return static_cast<int>(
        std::count_if(widgets.begin(), widgets.end(), [](QWidget *w) { return w->isVisible(); }));
}

QStringList boardState(GameFixture &game) {
    const gameboard &board = game.board();
    QStringList states;
    for (int k = 1; k <= game.cellCount(); ++k) {
        const QString cell = QStringLiteral("cell %1: ").arg(k);
        states << cell + stateOf(board, board.square[k].widget())
               << cell + stateOf(board, board.background[k].widget())
               << cell + stateOf(board, board.mine[k].widget());
    }
    return states;
}

struct Played {
    int coversReady = 0;
    QStringList newBoard;
    QStringList afterPress;
    QImage picture;
};

// Plays `previous`, then `next`, and records the new game as it starts and after one press.
Played play(int previous, int next, bool readyAhead) {
    GameFixture game;
    game.choose(previous);
    if (readyAhead)
        game.waitUntilIdle();
    Played played;
    played.coversReady = game.window().reserve<CommandButton>().readyCount();
    game.choose(next);
    played.newBoard = boardState(game);
    played.picture = game.window().grab().toImage();
    game.pressCover(game.cellCount() / 2 + 3);
    played.afterPress = boardState(game);
    return played;
}

// The first line that differs, for a message that shows where.
QString firstDifference(const QStringList &expected, const QStringList &actual) {
    for (int i = 0; i < std::min(expected.size(), actual.size()); ++i) {
        if (expected[i] != actual[i])
            return QStringLiteral("made on the spot: %1\nmade ready: %2")
                .arg(expected[i], actual[i]);
    }
    return QStringLiteral("%1 lines against %2").arg(expected.size()).arg(actual.size());
}

} // namespace

// A label whose font is not in use yet takes its size after the board is painted, however its
// controls were made; a press puts every font of the board in use before any comparison.
void tst_reserve::initTestCase() {
    GameFixture game;
    game.pressCover(game.cellsWithLabel(QStringLiteral("M")).front());
    QCOMPARE(game.board().face.caption(), QStringLiteral("L"));
}

void tst_reserve::readyControlsMakeTheGameAFreshOneWould_data() {
    QTest::addColumn<int>("previous");
    QTest::addColumn<int>("next");
    QTest::newRow("Easy again") << int(Easy) << int(Easy);
    QTest::newRow("Hard again") << int(Hard) << int(Hard);
    QTest::newRow("Easy after Hard, more ready than taken") << int(Hard) << int(Easy);
    QTest::newRow("Hard after Easy, fewer ready than taken") << int(Easy) << int(Hard);
    QTest::newRow("Hard after Medium") << int(Medium) << int(Hard);
}

void tst_reserve::readyControlsMakeTheGameAFreshOneWould() {
    QFETCH(int, previous);
    QFETCH(int, next);
    const Played onTheSpot = play(previous, next, false);
    const Played ready = play(previous, next, true);
    const Difficulty &before = difficulties[previous];
    QCOMPARE(onTheSpot.coversReady, 0);
    QCOMPARE(ready.coversReady, before.cols * before.rows);
    QVERIFY2(onTheSpot.newBoard == ready.newBoard,
             qPrintable(firstDifference(onTheSpot.newBoard, ready.newBoard)));
    QVERIFY2(onTheSpot.afterPress == ready.afterPress,
             qPrintable(firstDifference(onTheSpot.afterPress, ready.afterPress)));
    QVERIFY(onTheSpot.newBoard != onTheSpot.afterPress);
    QCOMPARE(ready.picture, onTheSpot.picture);
}

void tst_reserve::reserveHoldsWhatTheLastGameTook_data() {
    QTest::addColumn<QList<int>>("presets");
    QTest::newRow("Easy") << QList<int>{Easy};
    QTest::newRow("Hard") << QList<int>{Hard};
    QTest::newRow("Hard, then Easy") << QList<int>{Hard, Easy};
    QTest::newRow("Easy, then Medium, then Hard") << QList<int>{Easy, Medium, Hard};
}

void tst_reserve::reserveHoldsWhatTheLastGameTook() {
    QFETCH(QList<int>, presets);
    GameFixture game;
    for (int preset : presets) {
        game.choose(preset);
        const int visible = visibleWidgets(game.window());
        QVERIFY(game.waitUntilIdle());
        QCOMPARE(visibleWidgets(game.window()), visible);
    }
    const Difficulty &last = difficulties[presets.constLast()];
    const int cells = last.cols * last.rows;
    QCOMPARE(game.window().reserve<CommandButton>().readyCount(), cells);
    QCOMPARE(game.window().reserve<Shape>().readyCount(), cells);
    QCOMPARE(game.window().reserve<Label>().readyCount(), cells);
    // The stage holds the board alone.
    QCOMPARE(game.window().stage()->findChildren<QWidget *>().size(),
             game.board().area()->findChildren<QWidget *>().size() + 1);
}

QTEST_MAIN(tst_reserve)
#include "tst_reserve.moc"
