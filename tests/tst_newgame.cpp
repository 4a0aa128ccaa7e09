#include "gamefixture.h"

#include "forms/formarea.h"
#include "forms/runtime.h"

#include <QAccessible>
#include <QImage>
#include <QTest>

#include <algorithm>

// A new game starts as a window freshly made from its design: nothing of the game before it, of
// whatever difficulty and in whatever state, shows through.
class tst_newgame : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void newGameIsTheSameWhateverCameBefore_data();
    void newGameIsTheSameWhateverCameBefore();
};

namespace {

enum Preset { Easy, Medium, Hard };

// A control the area draws: where it is, and where it stands in its layer.
QString stateOf(const FormArea &area, FormArea::Layer layer, const WindowlessControl &control) {
    const auto &controls = area.controls(layer);
    const QRect box = control.pixelBox();
    return QStringLiteral("%1,%2 %3x%4 %5 at %6")
        .arg(box.x())
        .arg(box.y())
        .arg(box.width())
        .arg(box.height())
        .arg(control.isVisible() ? "shown" : "hidden")
        .arg(std::find(controls.begin(), controls.end(), &control) - controls.begin());
}

// A button besides: everything of it that the player or an assistive tool can see or act on.
QString stateOf(const FormArea &area, const CommandButton &button) {
    const FontSpec &font = button.font();
    QStringList parts{stateOf(area, FormArea::Buttons, button),
                      button.isEnabled() ? QStringLiteral("enabled") : QStringLiteral("disabled"),
                      button.caption(),
                      button.shownText(),
                      QStringLiteral("%1 %2 %3").arg(font.name).arg(font.pointSize).arg(font.bold),
                      QString::number(button.isDown()),
                      QString::number(button.hasFocus())};
    if (QAccessibleInterface *told = button.accessibleInterface())
        parts << QString::number(told->role()) << told->text(QAccessible::Name);
    return parts.join(QLatin1Char('|'));
}

QStringList boardState(GameFixture &game) {
    const gameboard &board = game.board();
    const FormArea &area = *board.area();
    QStringList states;
    for (int k = 1; k <= game.cellCount(); ++k) {
        const Label &label = board.mine[k];
        const FontSpec &font = label.font();
        states << QStringLiteral("cell %1: %2 | %3 %4 | %5 '%6' %7 %8 %9 %10")
                      .arg(k)
                      .arg(stateOf(area, board.square[k]))
                      .arg(stateOf(area, FormArea::Shapes, board.background[k]))
                      .arg(board.background[k].backColor())
                      .arg(stateOf(area, FormArea::Labels, label), label.caption(), font.name)
                      .arg(font.pointSize)
                      .arg(font.bold)
                      .arg(label.foreColor());
    }
    return states;
}

struct Played {
    QStringList newBoard;
    QStringList afterPress;
    QImage picture;
};

// Plays `previous` to its end, if there is one, then begins `next` from a known generator.
Played play(int previous, int next) {
    GameFixture game;
    if (previous >= 0) {
        game.choose(previous);
        game.pressCover(1, Qt::RightButton);
        game.pressCover(game.cellsWithLabel(QStringLiteral("M")).front());
    }
    runtime::seedGenerator(7);
    game.choose(next);
    Played played;
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
            return QStringLiteral("first game: %1\nafter another: %2").arg(expected[i], actual[i]);
    }
    return QStringLiteral("%1 lines against %2").arg(expected.size()).arg(actual.size());
}

} // namespace

// The fonts a board shows are put in use once, so that the first game compared is like the rest.
void tst_newgame::initTestCase() {
    GameFixture game;
    game.pressCover(game.cellsWithLabel(QStringLiteral("M")).front());
    QCOMPARE(game.board().face.caption(), QStringLiteral("L"));
}

void tst_newgame::newGameIsTheSameWhateverCameBefore_data() {
    QTest::addColumn<int>("previous");
    QTest::addColumn<int>("next");
    QTest::newRow("Easy after a lost Easy game") << int(Easy) << int(Easy);
    QTest::newRow("Hard after a lost Hard game") << int(Hard) << int(Hard);
    QTest::newRow("Easy after a lost Hard game") << int(Hard) << int(Easy);
    QTest::newRow("Hard after a lost Easy game") << int(Easy) << int(Hard);
    QTest::newRow("Hard after a lost Medium game") << int(Medium) << int(Hard);
}

void tst_newgame::newGameIsTheSameWhateverCameBefore() {
    QFETCH(int, previous);
    QFETCH(int, next);
    const Played first = play(-1, next);
    const Played later = play(previous, next);
    QVERIFY2(first.newBoard == later.newBoard,
             qPrintable(firstDifference(first.newBoard, later.newBoard)));
    QVERIFY2(first.afterPress == later.afterPress,
             qPrintable(firstDifference(first.afterPress, later.afterPress)));
    QVERIFY(first.newBoard != first.afterPress);
    QCOMPARE(later.picture, first.picture);
}

QTEST_MAIN(tst_newgame)
#include "tst_newgame.moc"
