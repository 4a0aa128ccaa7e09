#include "gamefixture.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QTest>
#include <QWidget>

namespace {

// Easy mines along the diagonal: cell 2 counts two of them, cell 4 none.
const std::vector<int> mines = {1, 8, 10, 19, 28, 37, 46, 55, 56, 57};

QAccessibleInterface *interfaceOf(const CommandButton &button) {
    return button.accessibleInterface();
}

QAccessibleInterface *tableOf(const gameboard &board) {
    QAccessibleInterface *area = QAccessible::queryAccessibleInterface(board.area());
    QAccessibleInterface *table = area->child(0);
    return table && table->role() == QAccessible::Table ? table : nullptr;
}

QAccessibleInterface *cellOf(const gameboard &board, int k) {
    QAccessibleTableInterface *table = tableOf(board)->tableInterface();
    const int columns = table->columnCount();
    return table->cellAt((k - 1) / columns, (k - 1) % columns);
}

// What an assistive tool finds at a label's place among the children of the window's area.
QAccessibleInterface *interfaceAt(const gameboard &board, const Label &label) {
    QAccessibleInterface *area = QAccessible::queryAccessibleInterface(board.area());
    const QPoint centre = board.area()->mapToGlobal(label.pixelBox().center());
    for (int i = 0; i < area->childCount(); ++i) {
        QAccessibleInterface *child = area->child(i);
        if (child->role() == QAccessible::StaticText && child->rect().contains(centre) &&
            !child->state().invisible) {
            return area->indexOfChild(child) == i && child->parent() == area ? child : nullptr;
        }
    }
    return nullptr;
}

// Every name and description an assistive tool can read in the window.
QStringList toldTexts(QAccessibleInterface *object) {
    QStringList texts{object->text(QAccessible::Name), object->text(QAccessible::Description)};
    for (int i = 0; i < object->childCount(); ++i)
        texts += toldTexts(object->child(i));
    return texts;
}

// A game with the diagonal's mines, played up to `scene`: "playing" with cell 2 uncovered and cell
// 3 flagged, or "lost" besides with cell 10 flagged and cell 4, a wrong flag, and cell 1 pressed.
void play(GameFixture &game, const QString &scene) {
    GameFixture::plantMines(mines, 8, 8);
    game.triggerMenu("mnuNew");
    GameFixture::flushDeletes();
    game.tick();
    game.pressCover(2);
    game.pressCover(3, Qt::RightButton);
    if (scene == QLatin1String("lost")) {
        game.pressCover(10, Qt::RightButton);
        game.pressCover(4, Qt::RightButton);
        game.pressCover(1);
    }
}

} // namespace

// What assistive tools are told of the window, and what they can do with it.
class tst_accessibility : public QObject {
    Q_OBJECT

private slots:
    void controlsAreDescribed_data();
    void controlsAreDescribed();
    void nothingHiddenIsTold_data();
    void nothingHiddenIsTold();
    void cellActions_data();
    void cellActions();
    void pressingTheFaceStartsANewGame();
};

void tst_accessibility::controlsAreDescribed_data() {
    QTest::addColumn<QString>("scene");
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("role");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description");

    const int cell = QAccessible::Cell;
    QTest::newRow("covered cell") << "playing"
                                  << "5" << cell << "covered"
                                  << "";
    QTest::newRow("flagged cell") << "playing"
                                  << "3" << cell << "flagged"
                                  << "";
    QTest::newRow("count") << "playing"
                           << "2" << cell << "2"
                           << "";
    QTest::newRow("face in play") << "playing"
                                  << "face" << int(QAccessible::Button) << "New game, playing"
                                  << "";
    QTest::newRow("mines-left counter") << "playing"
                                        << "counter" << int(QAccessible::StaticText) << "009"
                                        << "mines left";
    QTest::newRow("clock") << "playing"
                           << "clock" << int(QAccessible::StaticText) << "00:00"
                           << "time";
    QTest::newRow("exploded mine") << "lost"
                                   << "1" << cell << "exploded mine"
                                   << "";
    QTest::newRow("mine") << "lost"
                          << "8" << cell << "mine"
                          << "";
    QTest::newRow("flagged mine") << "lost"
                                  << "10" << cell << "mine"
                                  << "";
    QTest::newRow("wrong flag, still covered") << "lost"
                                               << "4" << cell << "flagged"
                                               << "";
    QTest::newRow("still covered") << "lost"
                                   << "5" << cell << "covered"
                                   << "";
    QTest::newRow("face after a loss") << "lost"
                                       << "face" << int(QAccessible::Button) << "New game, lost"
                                       << "";
}

void tst_accessibility::controlsAreDescribed() {
    QFETCH(QString, scene);
    QFETCH(QString, control);
    QFETCH(int, role);
    QFETCH(QString, name);
    QFETCH(QString, description);

    GameFixture game;
    play(game, scene);
    gameboard &board = game.board();
    QAccessibleInterface *described = nullptr;
    if (control == QLatin1String("face"))
        described = interfaceOf(board.face);
    else if (control == QLatin1String("counter"))
        described = interfaceAt(board, board.minesleft);
    else if (control == QLatin1String("clock"))
        described = interfaceAt(board, board.time);
    else
        described = cellOf(board, control.toInt());

    QVERIFY(described);
    QCOMPARE(int(described->role()), role);
    QCOMPARE(described->text(QAccessible::Name), name);
    QCOMPARE(described->text(QAccessible::Description), description);
    if (role == QAccessible::Cell) {
        const int k = control.toInt();
        QCOMPARE(described->tableCellInterface()->rowIndex(), (k - 1) / 8);
        QCOMPARE(described->tableCellInterface()->columnIndex(), (k - 1) % 8);
        QCOMPARE(described->rect().topLeft(),
                 board.area()->mapToGlobal(board.square[k].pixelBox().topLeft()));
    }
}

void tst_accessibility::nothingHiddenIsTold_data() {
    QTest::addColumn<int>("preset");
    QTest::newRow("Easy") << 0;
    QTest::newRow("Hard") << 2;
}

// On a new board every cell is covered: no mine, count or template text is told, and the table has
// the board's rows and columns.
void tst_accessibility::nothingHiddenIsTold() {
    QFETCH(int, preset);
    GameFixture game;
    game.choose(preset);
    const Difficulty &difficulty = difficulties[preset];
    QAccessibleTableInterface *table = tableOf(game.board())->tableInterface();
    QCOMPARE(table->rowCount(), difficulty.rows);
    QCOMPARE(table->columnCount(), difficulty.cols);
    QCOMPARE(tableOf(game.board())->childCount(), difficulty.rows * difficulty.cols);

    QStringList told = toldTexts(QAccessible::queryAccessibleInterface(&game.window()));
    told.removeAll(QString());
    for (const QString &text : told) {
        QVERIFY2(text != QLatin1String("mine") && text != QLatin1String("XX") &&
                     !(text.size() == 1 && text.front().isDigit()),
                 qPrintable(text));
    }
    QCOMPARE(told.count(QStringLiteral("covered")), difficulty.rows * difficulty.cols);
}

void tst_accessibility::cellActions_data() {
    QTest::addColumn<int>("cell");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("name");

    QTest::newRow("Press on a covered cell") << 6 << "Press"
                                             << "empty";
    QTest::newRow("ShowMenu on a covered cell") << 5 << "ShowMenu"
                                                << "flagged";
    QTest::newRow("ShowMenu on a flagged cell") << 3 << "ShowMenu"
                                                << "covered";
    QTest::newRow("Press on an uncovered cell") << 2 << "Press"
                                                << "2";
    QTest::newRow("ShowMenu on an uncovered cell") << 2 << "ShowMenu"
                                                   << "2";
    QTest::newRow("Press on a flagged cell") << 3 << "Press"
                                             << "flagged";
}

// A cell's actions are a left and a right press; where the mouse would do nothing, so do they.
void tst_accessibility::cellActions() {
    QFETCH(int, cell);
    QFETCH(QString, action);
    QFETCH(QString, name);

    GameFixture game;
    play(game, QStringLiteral("playing"));
    QAccessibleInterface *told = cellOf(game.board(), cell);
    QVERIFY(told->actionInterface()->actionNames().contains(action));
    told->actionInterface()->doAction(action);
    QCOMPARE(told->text(QAccessible::Name), name);
    QCOMPARE(game.board().face.caption(), QStringLiteral("K"));

    // After the end of the game every cell is greyed, and neither action does anything.
    game.pressCover(1);
    told = cellOf(game.board(), 17);
    QVERIFY(told->state().disabled);
    told->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    told->actionInterface()->doAction(QAccessibleActionInterface::showMenuAction());
    QCOMPARE(told->text(QAccessible::Name), QStringLiteral("covered"));
}

// The face's press action is a click: a new game, every cover back.
void tst_accessibility::pressingTheFaceStartsANewGame() {
    GameFixture game;
    game.pressCover(game.cellsWithLabel(QStringLiteral("1")).front());
    QCOMPARE(game.visibleCovers(), 63);

    QAccessibleInterface *face = interfaceOf(game.board().face);
    QVERIFY(face);
    QAccessibleActionInterface *actions = face->actionInterface();
    QVERIFY(actions);
    QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    actions->doAction(QAccessibleActionInterface::pressAction());
    GameFixture::flushDeletes();

    QCOMPARE(game.visibleCovers(), 64);
    QCOMPARE(game.board().covered, 64);
}

QTEST_MAIN(tst_accessibility)
#include "tst_accessibility.moc"
