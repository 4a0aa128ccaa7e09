#include "gamefixture.h"

#include "board/module1.h"
#include "forms/runtime.h"

#include <QCoreApplication>
#include <QTest>

#include <algorithm>
#include <cstdlib>
#include <vector>

using runtime::RGB;

namespace {

enum PresetIndex { Easy, Medium, Hard };

// Stands for the template's text colour, which a cell without neighbouring mines keeps.
constexpr int templateColour = -1;

// `around`, the mines that matter to `cell`, and enough others far from it, on no cell that
// touches it on the board or follows or precedes it within a row's length.
std::vector<int> layoutAround(int preset, int cell, const std::vector<int> &around) {
    const Difficulty &p = difficulties[preset];
    const int cells = p.cols * p.rows;
    std::vector<int> candidates;
    for (int k = 1; k <= cells; ++k) {
        const bool touches = std::abs((k - 1) / p.cols - (cell - 1) / p.cols) <= 1 &&
                             std::abs((k - 1) % p.cols - (cell - 1) % p.cols) <= 1;
        if (!touches && std::abs(k - cell) > p.cols + 1 &&
            std::find(around.begin(), around.end(), k) == around.end())
            candidates.push_back(k);
    }
    std::stable_sort(candidates.begin(), candidates.end(),
                     [cell](int a, int b) { return std::abs(a - cell) > std::abs(b - cell); });
    std::vector<int> layout = around;
    for (int k : candidates) {
        if (static_cast<int>(layout.size()) == p.mines)
            break;
        layout.push_back(k);
    }
    return layout;
}

int colourOf(int count) {
    if (count == 1)
        return RGB(0, 0, 255);
    if (count == 2)
        return RGB(0, 128, 128);
    if (count == 3)
        return RGB(0, 63, 0);
    return RGB(255, 0, 0);
}

} // namespace

class tst_counts : public QObject {
    Q_OBJECT

private slots:
    void plantedCounts_data();
    void plantedCounts();
    void countsMatchTheMines_data();
    void countsMatchTheMines();
};

void tst_counts::plantedCounts_data() {
    QTest::addColumn<int>("preset");
    QTest::addColumn<int>("cell");
    QTest::addColumn<std::vector<int>>("around");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("colour");

    // Cell 10 of Easy (row 2, column 2) with its neighbours filled one by one.
    const std::vector<int> ring = {1, 2, 3, 9, 11, 17, 18, 19};
    QTest::newRow("Easy no mine around")
        << int(Easy) << 10 << std::vector<int>{} << QString() << templateColour;
    for (int n = 1; n <= 8; ++n)
        QTest::addRow("Easy %d around", n)
            << int(Easy) << 10 << std::vector<int>(ring.begin(), ring.begin() + n)
            << QString::number(n) << colourOf(n);

    QTest::newRow("Easy top left corner full")
        << int(Easy) << 1 << std::vector<int>{2, 9, 10} << "3" << RGB(0, 63, 0);
    QTest::newRow("Easy top right corner, not the next row's start")
        << int(Easy) << 8 << std::vector<int>{7, 15, 16, 9} << "3" << RGB(0, 63, 0);
    QTest::newRow("Easy bottom left corner, not the row above's end")
        << int(Easy) << 57 << std::vector<int>{49, 50, 58, 56} << "3" << RGB(0, 63, 0);
    QTest::newRow("Easy bottom right corner full")
        << int(Easy) << 64 << std::vector<int>{55, 56, 63} << "3" << RGB(0, 63, 0);
    QTest::newRow("Medium row end, not the next row's start")
        << int(Medium) << 16 << std::vector<int>{17} << QString() << templateColour;

    QTest::newRow("Hard cell 32 does not count 33")
        << int(Hard) << 32 << std::vector<int>{33} << QString() << templateColour;
    QTest::newRow("Hard cell 33 does not count 32")
        << int(Hard) << 33 << std::vector<int>{32} << QString() << templateColour;
    QTest::newRow("Hard cell 32 counts 31, 63, 64 only")
        << int(Hard) << 32 << std::vector<int>{31, 63, 64, 33, 1} << "3" << RGB(0, 63, 0);
    QTest::newRow("Hard cell 33 counts its own rows only")
        << int(Hard) << 33 << std::vector<int>{1, 2, 34, 65, 66, 32, 64} << "5" << RGB(255, 0, 0);
    QTest::newRow("Hard cell 64 does not count 65")
        << int(Hard) << 64 << std::vector<int>{65, 33, 97} << QString() << templateColour;
    QTest::newRow("Hard cell 640 corner full")
        << int(Hard) << 640 << std::vector<int>{607, 608, 639, 609} << "3" << RGB(0, 63, 0);
}

void tst_counts::plantedCounts() {
    QFETCH(int, preset);
    QFETCH(int, cell);
    QFETCH(std::vector<int>, around);
    QFETCH(QString, text);
    QFETCH(int, colour);
    const Difficulty &p = difficulties[preset];
    const std::vector<int> layout = layoutAround(preset, cell, around);
    QCOMPARE(static_cast<int>(layout.size()), p.mines);
    GameFixture game;
    GameFixture::plantMines(layout, p.cols, p.rows);
    game.choose(preset);
    gameboard &board = game.board();
    QCOMPARE(static_cast<int>(game.cellsWithLabel("M").size()), p.mines);

    const Label &label = board.mine[cell];
    QCOMPARE(label.caption(), text);
    QCOMPARE(label.foreColor(), colour == templateColour ? board.mine[0].foreColor() : colour);
    QVERIFY(label.font().bold);
    QVERIFY(label.font().name.isEmpty());
    for (int k : layout) {
        QVERIFY(!board.mine[k].font().bold);
        QCOMPARE(board.mine[k].font().name, QStringLiteral("Wingdings"));
    }
}

void tst_counts::countsMatchTheMines_data() {
    QTest::addColumn<int>("preset");
    QTest::addColumn<int>("seed");
    for (int preset = Easy; preset <= Hard; ++preset)
        for (int seed : {1, 4, 17, 2024})
            QTest::addRow("%s seed %d", difficulties[preset].item, seed) << preset << seed;
}

void tst_counts::countsMatchTheMines() {
    QFETCH(int, preset);
    QFETCH(int, seed);
    GameFixture game(30000, static_cast<std::uint64_t>(seed));
    game.choose(preset);
    gameboard &board = game.board();
    const int cols = difficulties[preset].cols;
    const int rows = difficulties[preset].rows;
    const auto isMine = [&](int r, int c) {
        return r >= 0 && r < rows && c >= 0 && c < cols &&
               board.mine[r * cols + c + 1].caption() == QLatin1String("M");
    };
    int mines = 0;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            const Label &label = board.mine[r * cols + c + 1];
            const QByteArray where =
                QByteArray("row ") + QByteArray::number(r) + " column " + QByteArray::number(c);
            if (isMine(r, c)) {
                ++mines;
                QVERIFY2(!label.font().bold, where);
                continue;
            }
            int count = 0;
            for (int y = r - 1; y <= r + 1; ++y)
                for (int x = c - 1; x <= c + 1; ++x)
                    count += isMine(y, x) ? 1 : 0;
            const bool corner = (r == 0 || r == rows - 1) && (c == 0 || c == cols - 1);
            QVERIFY2(!corner || count <= 3, where);
            QVERIFY2(label.font().bold, where);
            if (count == 0) {
                QVERIFY2(label.caption().isEmpty(), where);
                QVERIFY2(label.foreColor() == board.mine[0].foreColor(), where);
            } else {
                QVERIFY2(label.caption() == QString::number(count), where);
                QVERIFY2(label.foreColor() == colourOf(count), where);
            }
        }
    }
    QCOMPARE(mines, difficulties[preset].mines);
}

QTEST_MAIN(tst_counts)
#include "tst_counts.moc"
