#include "gamefixture.h"

#include "forms/fonts.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTest>
#include <QWidget>

#include <vector>

// The program's first board is painted before the labels under its covers take their size, as
// their fonts are not in use yet. Each function needs a program that has not shown a board
// before, so CTest runs each in a process of its own: a new function goes into the list in
// tests/CMakeLists.txt.
class tst_firstboard : public QObject {
    Q_OBJECT

private slots:
    void pressFindsEveryLabelMeasured();
    void idleWindowMeasuresEveryLabel();
};

namespace {

// The cells whose label's widget is not at the size its control measures. Reading a label's size
// measures it, so every widget is looked at first.
QStringList labelsOffTheirSize(GameFixture &game) {
    std::vector<QRect> onScreen;
    for (int k = 1; k <= game.cellCount(); ++k)
        onScreen.push_back(game.board().mine[k].widget()->geometry());
    QStringList off;
    for (int k = 1; k <= game.cellCount(); ++k) {
        if (onScreen[static_cast<std::size_t>(k - 1)] != boxOf(game.board().mine[k]))
            off << QString::number(k);
    }
    return off;
}

// Whether the first board was shown with the mines' font not yet in use, as this test needs.
bool minesFontUnused() {
    return !fonts::wasResolved(FontSpec{QStringLiteral("Wingdings"), 10, false});
}

} // namespace

void tst_firstboard::pressFindsEveryLabelMeasured() {
    GameFixture game;
    QCoreApplication::sendPostedEvents();
    QVERIFY2(minesFontUnused(), "run this function in a process of its own");
    const int empty = game.cellsWithLabel(QString()).front();
    game.pressCover(empty);
    QVERIFY(game.visibleCovers() < game.cellCount() - 1);
    QCOMPARE(labelsOffTheirSize(game), QStringList());
}

void tst_firstboard::idleWindowMeasuresEveryLabel() {
    GameFixture game;
    QCoreApplication::sendPostedEvents();
    QVERIFY2(minesFontUnused(), "run this function in a process of its own");
    QVERIFY(game.waitUntilIdle());
    QCOMPARE(labelsOffTheirSize(game), QStringList());
}

QTEST_MAIN(tst_firstboard)
#include "tst_firstboard.moc"
