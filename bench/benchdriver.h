#pragma once

#include "gamefixture.h"

#include <QRegion>
#include <QString>

#include <benchmark/benchmark.h>

#include <vector>

// What the benchmarks share: starting a game by its menu command and settling the event queue
// the way the event loop would, outside the timed region.
namespace benchdriver {

// The menu command of each preset.
inline const char *const easy = "mnuEZ";
inline const char *const medium = "mnuMed";
inline const char *const hard = "mnuHrd";

// Wall-clock time, the median of ten repetitions. What takes milliseconds runs a fixed number of
// times per repetition, because every iteration needs a new board set up outside the timing.
void timedInMilliseconds(benchmark::internal::Benchmark *benchmark);
void timedInMicroseconds(benchmark::internal::Benchmark *benchmark);

// Starts a new game by its menu command and paints the window.
void newGame(GameFixture &game, const char *command);
// What the event loop does after the board is painted: whatever is left, such as a widget deleted
// once its own event is over.
void settle();
// Delivers the posted events as the event loop does next, without running timers or deletions:
// the layout requests, then the update requests, which paint what changed.
void paint();
// The same, returning what was painted of the widget.
QRegion paintedOf(const QWidget *widget);

// A mouse button going down on a control; the release follows separately, as the player's does.
void press(GameFixture &game, const Control &control, Qt::MouseButton button);
void release(GameFixture &game, const Control &control, Qt::MouseButton button);

// Hard's 100 mines packed in the top left corner, 10 by 10: a press on the far corner opens
// the other 540 cells at once.
std::vector<int> minesInCorner();

// Cells of the current game whose label reads one of the texts, still covered.
std::vector<int> coveredCellsWith(const GameFixture &game, const std::vector<QString> &texts);

} // namespace benchdriver
