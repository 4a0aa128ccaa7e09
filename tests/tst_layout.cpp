#include "gamefixture.h"

#include "board/module1.h"
#include "forms/runtime.h"

#include <QTest>
#include <QWidget>

class tst_layout : public QObject {
    Q_OBJECT

private slots:
    void windowAndFace_data();
    void windowAndFace();
    void cellCorners_data();
    void cellCorners();
    void everyCellInPlace_data();
    void everyCellInPlace();
    void templatesNeverShown_data();
    void templatesNeverShown();
    void windowResizedWithinTheCommand_data();
    void windowResizedWithinTheCommand();
};

void tst_layout::windowAndFace_data() {
    QTest::addColumn<int>("preset");
    QTest::addColumn<int>("cols");
    QTest::addColumn<int>("rows");
    QTest::addColumn<float>("width");
    QTest::addColumn<float>("height");
    QTest::addColumn<float>("faceLeft");
    QTest::addColumn<QRect>("faceOnScreen");
    QTest::newRow("Easy") << 0 << 8 << 8 << 2513.0f << 3580.0f << 1056.5f << QRect(70, 2, 27, 27);
    QTest::newRow("Medium") << 1 << 16 << 16 << 4913.0f << 5980.0f << 2256.5f
                            << QRect(150, 2, 27, 27);
    QTest::newRow("Hard") << 2 << 32 << 20 << 9713.0f << 7180.0f << 4656.5f
                          << QRect(310, 2, 27, 27);
}

void tst_layout::windowAndFace() {
    QFETCH(int, preset);
    QFETCH(int, cols);
    QFETCH(int, rows);
    QFETCH(float, width);
    QFETCH(float, height);
    QFETCH(float, faceLeft);
    QFETCH(QRect, faceOnScreen);
    GameFixture game;
    // Each preset is reached from another one, so that the window really is resized.
    game.choose((preset + 1) % 3);
    game.choose(preset);
    gameboard &board = game.board();

    QCOMPARE(board.cellsize, 300.0);
    QCOMPARE(board.width(), width);
    QCOMPARE(board.height(), height);
    QCOMPARE(board.caption(), QStringLiteral("Pebblerun"));
    QCOMPARE(board.backColor(), runtime::RGB(255, 255, 0));

    QCOMPARE(board.face.left(), faceLeft);
    QCOMPARE(board.face.top(), 25.0f);
    QCOMPARE(board.face.width(), 400.0f);
    QCOMPARE(board.face.height(), 400.0f);
    QCOMPARE(board.face.caption(), QStringLiteral("K"));
    QCOMPARE(board.face.font().name, QStringLiteral("Wingdings"));
    QCOMPARE(board.face.font().pointSize, 18.0);
    QVERIFY(board.face.isVisible());
    QCOMPARE(board.face.pixelBox(), faceOnScreen);

    // The inner area below the menu bar holds exactly the strip and the board.
    const QSize inner(pixelsOf(width - 113), pixelsOf(height - 680));
    QCOMPARE(inner, QSize(pixelsOf(cols * 300.0), pixelsOf(500 + rows * 300.0)));
    QCOMPARE(board.area()->size(), inner);
    QCOMPARE(game.window().centralWidget()->size(), inner);
    const QRect lastCell = board.square[cols * rows].pixelBox();
    QCOMPARE(lastCell.right(), inner.width() - 1);
    QCOMPARE(lastCell.bottom(), inner.height() - 1);
    QVERIFY(board.area()->rect().contains(board.face.pixelBox()));
}

void tst_layout::cellCorners_data() {
    QTest::addColumn<int>("preset");
    QTest::addColumn<int>("cell");
    QTest::addColumn<float>("left");
    QTest::addColumn<float>("top");
    QTest::newRow("Easy cell 1") << 0 << 1 << 0.0f << 500.0f;
    QTest::newRow("Easy cell cols") << 0 << 8 << 2100.0f << 500.0f;
    QTest::newRow("Easy cell cols+1") << 0 << 9 << 0.0f << 800.0f;
    QTest::newRow("Easy cell 64") << 0 << 64 << 2100.0f << 2600.0f;
    QTest::newRow("Medium cell 1") << 1 << 1 << 0.0f << 500.0f;
    QTest::newRow("Medium cell cols") << 1 << 16 << 4500.0f << 500.0f;
    QTest::newRow("Medium cell cols+1") << 1 << 17 << 0.0f << 800.0f;
    QTest::newRow("Medium cell 256") << 1 << 256 << 4500.0f << 5000.0f;
    QTest::newRow("Hard cell 1") << 2 << 1 << 0.0f << 500.0f;
    QTest::newRow("Hard cell cols") << 2 << 32 << 9300.0f << 500.0f;
    QTest::newRow("Hard cell cols+1") << 2 << 33 << 0.0f << 800.0f;
    QTest::newRow("Hard cell 640") << 2 << 640 << 9300.0f << 6200.0f;
}

void tst_layout::cellCorners() {
    QFETCH(int, preset);
    QFETCH(int, cell);
    QFETCH(float, left);
    QFETCH(float, top);
    GameFixture game;
    game.choose(preset);
    gameboard &board = game.board();
    for (Control *part : {static_cast<Control *>(&board.square[cell]),
                          static_cast<Control *>(&board.background[cell])}) {
        QCOMPARE(part->left(), left);
        QCOMPARE(part->top(), top);
        QCOMPARE(part->width(), 300.0f);
        QCOMPARE(part->height(), 300.0f);
    }
    // The label is centred by the box of "XX", 225 x 195.
    QCOMPARE(board.mine[cell].left(), left + 37.5f);
    QCOMPARE(board.mine[cell].top(), top + 52.5f);
}

void tst_layout::everyCellInPlace_data() {
    QTest::addColumn<int>("preset");
    QTest::newRow("Easy") << 0;
    QTest::newRow("Medium") << 1;
    QTest::newRow("Hard") << 2;
}

void tst_layout::everyCellInPlace() {
    QFETCH(int, preset);
    GameFixture game;
    game.choose(preset);
    gameboard &board = game.board();
    const int cols = Module1::cols;
    for (int k = 1; k <= game.cellCount(); ++k) {
        const int i = (k - 1) / cols;
        const int j = (k - 1) % cols;
        const QByteArray where = QByteArray("cell ") + QByteArray::number(k);
        for (Control *part : {static_cast<Control *>(&board.square[k]),
                              static_cast<Control *>(&board.background[k])}) {
            QVERIFY2(part->left() == 300.0f * j && part->top() == 300.0f * i + 500, where);
            QVERIFY2(part->width() == 300.0f && part->height() == 300.0f, where);
            QVERIFY2(part->isVisible(), where);
            // Neighbouring cells touch on the screen: no gap, no overlap.
            const QRect expected(pixelsOf(300.0 * j), pixelsOf(300.0 * i + 500), 20, 20);
            QVERIFY2(part->pixelBox() == expected, where);
        }
        const Label &label = board.mine[k];
        QVERIFY2(label.left() == 300.0f * j + 37.5f && label.top() == 300.0f * i + 552.5f, where);
        QVERIFY2(label.isVisible(), where);
    }
}

void tst_layout::templatesNeverShown_data() {
    everyCellInPlace_data();
}

void tst_layout::templatesNeverShown() {
    QFETCH(int, preset);
    GameFixture game;
    game.choose(preset);
    QVERIFY(game.window().isVisible());
    gameboard &board = game.board();
    QVERIFY(!board.square[0].isVisible());
    QVERIFY(!board.background[0].isVisible());
    QVERIFY(!board.mine[0].isVisible());
    // Sized so that their copies come out at `cellsize`; the label keeps "XX" to centre by.
    QCOMPARE(board.square[0].width(), 300.0f);
    QCOMPARE(board.square[0].height(), 300.0f);
    QCOMPARE(board.background[0].width(), 300.0f);
    QCOMPARE(board.background[0].height(), 300.0f);
    QCOMPARE(board.mine[0].caption(), QStringLiteral("XX"));
    QCOMPARE(board.mine[0].width(), 225.0f);
    QCOMPARE(board.mine[0].height(), 195.0f);
}

void tst_layout::windowResizedWithinTheCommand_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("cell");
    QTest::newRow("Medium") << QStringLiteral("mnuMed") << 256;
    QTest::newRow("Hard") << QStringLiteral("mnuHrd") << 640;
}

// A press right after choosing a larger board must land on it, before any event is processed.
void tst_layout::windowResizedWithinTheCommand() {
    QFETCH(QString, item);
    QFETCH(int, cell);
    GameFixture game;
    game.triggerMenu(item);
    gameboard &board = game.board();
    QCOMPARE(game.window().centralWidget()->size(), board.area()->size());
    const QPoint centre = spotOf(game.window(), board.square[cell]);
    QVERIFY2(game.window().rect().contains(centre), "the last cell lies outside the window");
    QTest::mousePress(game.window().windowHandle(), Qt::RightButton, Qt::NoModifier, centre);
    QCOMPARE(board.square[cell].caption(), QStringLiteral("M"));
}

QTEST_MAIN(tst_layout)
#include "tst_layout.moc"
