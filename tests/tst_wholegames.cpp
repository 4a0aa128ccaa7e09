#include "gamefixture.h"
#include "hiderecorder.h"

#include "board/module1.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHash>
#include <QList>
#include <QSet>
#include <QTest>
#include <QWindow>

#include <algorithm>
#include <random>

namespace {

struct Preset {
    QString action;
    int cols;
    int rows;
    int mines;
};

Preset presetNamed(const QString &name) {
    if (name == QLatin1String("Hard"))
        return {QStringLiteral("mnuHrd"), 32, 20, 100};
    if (name == QLatin1String("Medium"))
        return {QStringLiteral("mnuMed"), 16, 16, 40};
    return {QStringLiteral("mnuEZ"), 8, 8, 10};
}

bool startGame(GameFixture &game, const Preset &preset, const QList<int> &mines) {
    GameFixture::plantMines(std::vector<int>(mines.begin(), mines.end()), preset.cols, preset.rows);
    game.triggerMenu(preset.action);
    // The window takes the new board's size from its posted layout request, as between events.
    QCoreApplication::sendPostedEvents();
    GameFixture::flushDeletes();
    const std::vector<int> placed = game.cellsWithLabel(QStringLiteral("M"));
    return QSet<int>(placed.begin(), placed.end()) == QSet<int>(mines.begin(), mines.end());
}

void press(GameFixture &game, int cell, Qt::MouseButton button = Qt::LeftButton) {
    const QPoint at = spotOf(game.window(), game.board().square[cell]);
    QTest::mousePress(game.window().windowHandle(), button, Qt::NoModifier, at);
    QTest::mouseRelease(game.window().windowHandle(), button, Qt::NoModifier, at);
}

QSet<int> coveredCells(const GameFixture &game) {
    QSet<int> cells;
    for (int k = 1; k <= game.cellCount(); ++k)
        if (game.board().square[k].isVisible())
            cells.insert(k);
    return cells;
}

// The board as the player who planted it knows it: where the mines are, and what a press
// on a covered safe cell should open (the cell, and for an empty cell its whole region of
// empty cells with the numbers round it), found breadth first.
class Map {
public:
    Map(const Preset &preset, const QList<int> &mines)
        : cols_(preset.cols), rows_(preset.rows), mines_(mines.begin(), mines.end()) {}

    bool isMine(int cell) const { return mines_.contains(cell); }

    QSet<int> opens(int cell, const QSet<int> &covered) const {
        QSet<int> opened{cell};
        QList<int> todo{cell};
        while (!todo.isEmpty()) {
            const int k = todo.takeFirst();
            if (minesAround(k) > 0)
                continue;
            for (int n : neighbours(k)) {
                if (covered.contains(n) && !opened.contains(n)) {
                    opened.insert(n);
                    todo.append(n);
                }
            }
        }
        return opened;
    }

private:
    QList<int> neighbours(int cell) const {
        QList<int> around;
        const int r = (cell - 1) / cols_;
        const int c = (cell - 1) % cols_;
        for (int dr = -1; dr <= 1; ++dr)
            for (int dc = -1; dc <= 1; ++dc)
                if ((dr || dc) && r + dr >= 0 && r + dr < rows_ && c + dc >= 0 && c + dc < cols_)
                    around.append((r + dr) * cols_ + c + dc + 1);
        return around;
    }

    int minesAround(int cell) const {
        const QList<int> around = neighbours(cell);
        return int(std::count_if(around.begin(), around.end(),
                                 [this](int n) { return mines_.contains(n); }));
    }

    int cols_;
    int rows_;
    QSet<int> mines_;
};

QList<int> randomMines(const Preset &preset, std::mt19937 &random) {
    QList<int> cells;
    for (int k = 1; k <= preset.cols * preset.rows; ++k)
        cells.append(k);
    std::shuffle(cells.begin(), cells.end(), random);
    return cells.mid(0, preset.mines);
}

} // namespace

class tst_wholegames : public QObject {
    Q_OBJECT

private slots:
    void scriptedPlayer_data();
    void scriptedPlayer();
    void deepestCascade();
};

void tst_wholegames::scriptedPlayer_data() {
    QTest::addColumn<QString>("preset");
    QTest::addColumn<bool>("wins");
    QTest::addColumn<bool>("flagsMines");
    QTest::addColumn<unsigned>("seed");

    for (const char *preset : {"Easy", "Medium", "Hard"}) {
        QTest::addRow("%s, win", preset) << preset << true << false << 11u;
        QTest::addRow("%s, win with every mine flagged", preset) << preset << true << true << 12u;
        QTest::addRow("%s, loss", preset) << preset << false << false << 13u;
        QTest::addRow("%s, loss with every mine flagged", preset) << preset << false << true << 14u;
    }
}

void tst_wholegames::scriptedPlayer() {
    QFETCH(QString, preset);
    QFETCH(bool, wins);
    QFETCH(bool, flagsMines);
    QFETCH(unsigned, seed);

    const Preset p = presetNamed(preset);
    std::mt19937 random(seed);
    const QList<int> mines = randomMines(p, random);
    const Map map(p, mines);
    const QSet<int> mineCells(mines.begin(), mines.end());
    QList<int> safe;
    for (int k = 1; k <= p.cols * p.rows; ++k)
        if (!map.isMine(k))
            safe.append(k);
    std::shuffle(safe.begin(), safe.end(), random);

    GameFixture game;
    QVERIFY(startGame(game, p, mines));
    gameboard &board = game.board();
    if (flagsMines) {
        for (int m : mines)
            press(game, m, Qt::RightButton);
        QCOMPARE(board.minesleft.caption(), QStringLiteral("000"));
    }

    // The losing player stops half way and presses a mine.
    const int safeToOpen = wins ? int(safe.size()) : int(safe.size()) / 2;
    int opened = 0;
    for (int cell : safe) {
        if (opened >= safeToOpen)
            break;
        const QSet<int> before = coveredCells(game);
        if (!before.contains(cell))
            continue;
        QVERIFY2(board.face.caption() == QLatin1String("K"), "the game ended early");
        const QSet<int> expected = before - map.opens(cell, before);

        press(game, cell);

        QSet<int> now = coveredCells(game);
        // The winning press also takes the covers off the mines.
        if (board.face.caption() == QLatin1String("J"))
            now.unite(mineCells);
        QCOMPARE(now, expected);
        opened += int(before.size() - expected.size());
        QCOMPARE(int(board.covered), p.cols * p.rows - opened);
    }

    if (wins) {
        QCOMPARE(board.face.caption(), QStringLiteral("J"));
        QCOMPARE(board.covered, std::int16_t(p.mines));
        QCOMPARE(game.visibleCovers(), 0);
    } else {
        QCOMPARE(board.face.caption(), QStringLiteral("K"));
        const int mine = mines.first();
        const std::int16_t covered = board.covered;
        press(game, mine);
        QCOMPARE(board.face.caption(), QStringLiteral("L"));
        QCOMPARE(board.mine[mine].caption(), flagsMines ? QStringLiteral("X") : "N");
        QCOMPARE(board.covered, covered);
        QCOMPARE(game.visibleCovers(), covered - p.mines);
    }
    QCOMPARE(board.Timer1.interval(), 0);
    for (int k = 1; k <= p.cols * p.rows; ++k) {
        QVERIFY(!board.square[k].isEnabled());
        if (map.isMine(k))
            QVERIFY(!board.square[k].isVisible());
    }
}

void tst_wholegames::deepestCascade() {
    // All 100 mines in the top left ten by ten block; cell 640 lies in the far corner.
    const Preset hard = presetNamed(QStringLiteral("Hard"));
    QList<int> mines;
    for (int r = 0; r < 10; ++r)
        for (int c = 1; c <= 10; ++c)
            mines.append(r * 32 + c);

    GameFixture game;
    QVERIFY(startGame(game, hard, mines));
    HideRecorder hidden(game);

    press(game, 640);

    // Every safe cell is uncovered by the one press; then the win reveals the mines.
    QCOMPARE(hidden.order.size(), 640);
    QCOMPARE(hidden.order.first(), 640);
    const QSet<int> first(hidden.order.begin(), hidden.order.begin() + 540);
    const QSet<int> last(hidden.order.begin() + 540, hidden.order.end());
    QCOMPARE(first.size(), 540);
    QCOMPARE(last, QSet<int>(mines.begin(), mines.end()));
    QCOMPARE(game.board().covered, std::int16_t(100));
    QCOMPARE(game.board().face.caption(), QStringLiteral("J"));
    QCOMPARE(game.board().Timer1.interval(), 0);
    QCOMPARE(game.visibleCovers(), 0);
}

QTEST_MAIN(tst_wholegames)
#include "tst_wholegames.moc"
