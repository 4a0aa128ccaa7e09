#include "randomplay_board.h"

#include "window/gameboard.h"

const Preset &Preset::easy() {
    static const Preset preset{QStringLiteral("mnuEZ"), 8, 8, 10};
    return preset;
}

const Preset &Preset::medium() {
    static const Preset preset{QStringLiteral("mnuMed"), 16, 16, 40};
    return preset;
}

const Preset &Preset::hard() {
    static const Preset preset{QStringLiteral("mnuHrd"), 32, 20, 100};
    return preset;
}

const std::vector<Preset> &Preset::all() {
    static const std::vector<Preset> presets{easy(), medium(), hard()};
    return presets;
}

BoardSnapshot BoardSnapshot::of(const gameboard &board, int cellCount) {
    BoardSnapshot snapshot;
    snapshot.cells.reserve(static_cast<std::size_t>(cellCount));
    for (int k = 1; k <= cellCount; ++k) {
        const CommandButton &cover = board.square[k];
        snapshot.cells.push_back({board.mine[k].caption(), cover.isVisible(), cover.isEnabled(),
                                  cover.caption(), board.background[k].backColor()});
    }
    snapshot.face = board.face.caption();
    snapshot.clock = board.time.caption();
    snapshot.counter = board.minesleft.caption();
    snapshot.interval = board.Timer1.interval();
    snapshot.covered = board.covered;
    snapshot.leftcount = board.leftcount;
    return snapshot;
}

int BoardSnapshot::flags() const {
    int count = 0;
    for (const CellState &cell : cells)
        count += cell.flag == QLatin1String("M") ? 1 : 0;
    return count;
}

namespace {

QString describe(const CellState &cell) {
    return QStringLiteral("label \"%1\", %2, %3, flag \"%4\", fill %5")
        .arg(cell.label, cell.covered ? QStringLiteral("covered") : QStringLiteral("open"),
             cell.enabled ? QStringLiteral("enabled") : QStringLiteral("disabled"), cell.flag)
        .arg(cell.fill);
}

} // namespace

QString firstDifference(const BoardSnapshot &before, const BoardSnapshot &after,
                        bool compareClock) {
    if (before.cells.size() != after.cells.size())
        return QStringLiteral("the board changed size from %1 to %2 cells")
            .arg(before.cells.size())
            .arg(after.cells.size());
    for (std::size_t i = 0; i < before.cells.size(); ++i) {
        if (!(before.cells[i] == after.cells[i]))
            return QStringLiteral("cell %1 changed from (%2) to (%3)")
                .arg(i + 1)
                .arg(describe(before.cells[i]), describe(after.cells[i]));
    }
    if (before.face != after.face)
        return QStringLiteral("the face changed from \"%1\" to \"%2\"")
            .arg(before.face, after.face);
    if (compareClock && before.clock != after.clock)
        return QStringLiteral("the clock changed from \"%1\" to \"%2\"")
            .arg(before.clock, after.clock);
    if (before.counter != after.counter)
        return QStringLiteral("the counter changed from \"%1\" to \"%2\"")
            .arg(before.counter, after.counter);
    if (before.interval != after.interval)
        return QStringLiteral("Timer1's Interval changed from %1 to %2")
            .arg(before.interval)
            .arg(after.interval);
    if (before.covered != after.covered)
        return QStringLiteral("covered changed from %1 to %2")
            .arg(before.covered)
            .arg(after.covered);
    if (before.leftcount != after.leftcount)
        return QStringLiteral("leftcount changed from %1 to %2")
            .arg(before.leftcount)
            .arg(after.leftcount);
    return {};
}

QString counterText(int leftcount) {
    const QString digits =
        QStringLiteral("%1").arg(std::abs(leftcount) % 1000, 3, 10, QLatin1Char('0'));
    return leftcount < 0 ? QLatin1Char('-') + digits : digits;
}

std::vector<int> neighboursOf(int k, int cols, int rows) {
    const int r = (k - 1) / cols;
    const int c = (k - 1) % cols;
    std::vector<int> cells;
    for (int y = r - 1; y <= r + 1; ++y)
        for (int x = c - 1; x <= c + 1; ++x)
            if (y >= 0 && y < rows && x >= 0 && x < cols && (y != r || x != c))
                cells.push_back(y * cols + x + 1);
    return cells;
}
