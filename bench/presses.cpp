// Presses on the covers of a Hard board: the largest cascade, a numbered cell, a mine with the
// end-of-game reveal, and a flag.
#include "benchdriver.h"

#include <benchmark/benchmark.h>

using namespace benchdriver;

namespace {

const CommandButton &cover(GameFixture &game, int index) {
    return game.board().square[index];
}

// One press on the far corner of a board whose mines fill the opposite corner: 540 cells open and
// the game is won.
void BM_Cascade540(benchmark::State &state, bool withPaint) {
    GameFixture game;
    for (auto _ : state) {
        state.PauseTiming();
        GameFixture::plantMines(minesInCorner(), 32, 20);
        newGame(game, hard);
        const CommandButton &far = cover(game, 640);
        state.ResumeTiming();
        press(game, far, Qt::LeftButton);
        if (withPaint)
            paint();
        state.PauseTiming();
        release(game, far, Qt::LeftButton);
        if (game.board().covered != 100 || game.board().face.caption() != QLatin1String("J")) {
            state.SkipWithError("the press did not open 540 cells and win");
            break;
        }
        state.ResumeTiming();
    }
}

// Left presses on covered numbered cells, one per iteration; a fresh board when all are open.
void BM_PressNumbered(benchmark::State &state) {
    GameFixture game(36000, 7);
    const std::vector<QString> numbers = {"1", "2", "3", "4", "5", "6", "7", "8"};
    std::vector<int> cells;
    for (auto _ : state) {
        if (cells.empty()) {
            state.PauseTiming();
            newGame(game, hard);
            cells = coveredCellsWith(game, numbers);
            state.ResumeTiming();
        }
        const CommandButton &target = cover(game, cells.back());
        press(game, target, Qt::LeftButton);
        state.PauseTiming();
        release(game, target, Qt::LeftButton);
        if (target.isVisible()) {
            state.SkipWithError("the numbered cell stayed covered");
            break;
        }
        cells.pop_back();
        state.ResumeTiming();
    }
}

// A press on a mine: the game is lost and every one of the 640 cells is revealed.
void BM_RevealHard(benchmark::State &state) {
    GameFixture game(36000, 11);
    for (auto _ : state) {
        state.PauseTiming();
        newGame(game, hard);
        const CommandButton &target =
            cover(game, coveredCellsWith(game, {QStringLiteral("M")}).front());
        state.ResumeTiming();
        press(game, target, Qt::LeftButton);
        state.PauseTiming();
        release(game, target, Qt::LeftButton);
        if (game.board().face.caption() != QLatin1String("L")) {
            state.SkipWithError("the press on a mine did not end the game");
            break;
        }
        state.ResumeTiming();
    }
}

// Right presses that set and take away flags, each one redrawing the mines-left counter.
void BM_RightPress(benchmark::State &state) {
    GameFixture game(36000, 13);
    newGame(game, hard);
    int index = 0;
    for (auto _ : state) {
        index = index % game.cellCount() + 1;
        const CommandButton &target = cover(game, index);
        const int before = game.board().leftcount;
        press(game, target, Qt::RightButton);
        state.PauseTiming();
        release(game, target, Qt::RightButton);
        if (game.board().leftcount == before) {
            state.SkipWithError("the right press did not change the counter");
            break;
        }
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK_CAPTURE(BM_Cascade540, press, false)->Apply(timedInMilliseconds);
BENCHMARK_CAPTURE(BM_Cascade540, pressAndPaint, true)->Apply(timedInMilliseconds);
BENCHMARK(BM_PressNumbered)->Apply(timedInMicroseconds);
BENCHMARK(BM_RevealHard)->Apply(timedInMilliseconds);
BENCHMARK(BM_RightPress)->Apply(timedInMicroseconds);
