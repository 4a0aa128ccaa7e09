#include "gamefixture.h"

#include "board/module1.h"

#include <QAction>
#include <QTest>

class tst_startup : public QObject {
    Q_OBJECT

private slots:
    void firstStartIsEasy();
};

void tst_startup::firstStartIsEasy() {
    GameFixture game;
    QCOMPARE(Module1::cols, 8);
    QCOMPARE(Module1::rows, 8);
    QCOMPARE(Module1::totalmines, 10);
    QCOMPARE(game.board().covered, 64);
    QCOMPARE(game.cellsWithLabel("M").size(), std::size_t(10));
    QVERIFY(game.window().action("mnuEZ")->isChecked());
}

QTEST_MAIN(tst_startup)
#include "tst_startup.moc"
