// One tick of the game clock while a Hard game runs, the time of day moving on as it really does.
#include "benchdriver.h"

#include <benchmark/benchmark.h>

using namespace benchdriver;

namespace {

void BM_ClockTick(benchmark::State &state) {
    GameFixture game;
    newGame(game, hard);
    for (auto _ : state) {
        game.setTime(game.time() + 0.015f);
        game.tick();
    }
    if (game.board().time.caption() == QLatin1String("0:00.0"))
        state.SkipWithError("the clock did not run");
}

} // namespace

BENCHMARK(BM_ClockTick)->Apply(timedInMicroseconds);
