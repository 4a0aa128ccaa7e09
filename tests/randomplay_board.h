#pragma once

#include <QString>

#include <vector>

class gameboard;

// The preset a game is built for, as the difficulty flags choose it.
struct Preset {
    QString action; // the Difficulty item that chooses it
    int cols;
    int rows;
    int mines;

    int cells() const { return cols * rows; }
    bool operator==(const Preset &other) const { return action == other.action; }

    static const Preset &easy();
    static const Preset &medium();
    static const Preset &hard();
    static const std::vector<Preset> &all();
};

// What the player can see and the rules can read of one cell.
struct CellState {
    QString label;
    bool covered;
    bool enabled;
    QString flag;
    int fill;

    bool operator==(const CellState &other) const {
        return label == other.label && covered == other.covered && enabled == other.enabled &&
               flag == other.flag && fill == other.fill;
    }
};

// The whole state of one game, read back from its controls and variables.
struct BoardSnapshot {
    std::vector<CellState> cells; // cell index k is cells[k - 1]
    QString face;
    QString clock;
    QString counter;
    int interval = 0;
    int covered = 0;
    int leftcount = 0;

    static BoardSnapshot of(const gameboard &board, int cellCount);

    const CellState &cell(int k) const { return cells[static_cast<std::size_t>(k - 1)]; }
    bool isEnded() const { return interval == 0; }
    int flags() const;
};

// The first difference between two snapshots, or an empty text; the clock is compared only
// when asked, since ticks move it during play.
QString firstDifference(const BoardSnapshot &before, const BoardSnapshot &after, bool compareClock);

// The counter's text for a number of mines left.
QString counterText(int leftcount);

// The on-board neighbours of cell k, without k itself.
std::vector<int> neighboursOf(int k, int cols, int rows);
