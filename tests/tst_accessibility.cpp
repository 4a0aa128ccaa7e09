#include "gamefixture.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QTest>
#include <QWidget>

namespace {

QAccessibleInterface *interfaceOf(const CommandButton &button) {
    return button.accessibleInterface();
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

} // namespace

// What assistive tools are told of the board's controls.
class tst_accessibility : public QObject {
    Q_OBJECT

private slots:
    void controlsAreDescribed_data();
    void controlsAreDescribed();
    void pressingTheFaceStartsANewGame();
    void disabledCoverIgnoresThePressAction();
};

void tst_accessibility::controlsAreDescribed_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("role");
    QTest::addColumn<QString>("name");

    QTest::newRow("flagged cover") << "cover" << int(QAccessible::Button) << "M";
    QTest::newRow("uncovered count") << "count" << int(QAccessible::StaticText) << "1";
    QTest::newRow("mines-left counter") << "counter" << int(QAccessible::StaticText) << "009";
    QTest::newRow("clock") << "clock" << int(QAccessible::StaticText) << "00:00";
}

void tst_accessibility::controlsAreDescribed() {
    QFETCH(QString, control);
    QFETCH(int, role);
    QFETCH(QString, name);

    GameFixture game;
    game.tick();
    gameboard &board = game.board();
    const int flagged = game.cellsWithLabel(QStringLiteral("M")).front();
    game.pressCover(flagged, Qt::RightButton);
    const int count = game.cellsWithLabel(QStringLiteral("1")).front();
    game.pressCover(count);

    QAccessibleInterface *described = interfaceOf(board.square[flagged]);
    if (control == QLatin1String("count"))
        described = interfaceAt(board, board.mine[count]);
    else if (control == QLatin1String("counter"))
        described = interfaceAt(board, board.minesleft);
    else if (control == QLatin1String("clock"))
        described = interfaceAt(board, board.time);

    QVERIFY(described);
    QCOMPARE(int(described->role()), role);
    QCOMPARE(described->text(QAccessible::Name), name);
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

// After a loss every cover is disabled; an assistive press on one changes nothing.
void tst_accessibility::disabledCoverIgnoresThePressAction() {
    GameFixture game;
    game.pressCover(game.cellsWithLabel(QStringLiteral("M")).front());
    const int safe = game.cellsWithLabel(QStringLiteral("1")).front();
    QAccessibleInterface *cover = interfaceOf(game.board().square[safe]);
    QVERIFY(cover);
    QVERIFY(cover->state().disabled);

    cover->actionInterface()->doAction(QAccessibleActionInterface::pressAction());

    QCOMPARE(game.board().face.caption(), QStringLiteral("L"));
    QVERIFY(game.board().square[safe].isVisible());
}

QTEST_MAIN(tst_accessibility)
#include "tst_accessibility.moc"
