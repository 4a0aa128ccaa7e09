// A new game, from the menu command until the new board is laid out and painted.
#include "benchdriver.h"

#include "board/module1.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>

#include <optional>

#include <benchmark/benchmark.h>

using namespace benchdriver;

namespace {

// The new board counts as shown only when the window has its size and all of its area is painted.
bool boardShown(GameFixture &game, const QRegion &painted) {
    const QSize area = game.board().area()->size();
    const bool laidOut = area.width() == Module1::cols * 20 &&
                         area.height() == Module1::rows * 20 + 33 &&
                         game.window().centralWidget()->size() == area;
    return laidOut && painted.contains(game.board().area()->rect());
}

bool startOn(benchmark::State &state, GameFixture &game, const char *command) {
    newGame(game, command);
    game.triggerMenu(QString::fromLatin1(command));
    const QRegion painted = paintedOf(game.window().area());
    const bool shown = boardShown(game, painted);
    settle();
    if (!shown)
        state.SkipWithError("the new board was not laid out and painted");
    return shown;
}

// The command discards the previous game's controls and makes the new game's, nothing ahead.
void BM_NewGame(benchmark::State &state, const char *command) {
    GameFixture game;
    if (!startOn(state, game, command))
        return;
    for (auto _ : state) {
        game.triggerMenu(QString::fromLatin1(command));
        paint();
        state.PauseTiming();
        settle();
        state.ResumeTiming();
    }
    state.counters["cells"] = game.cellCount();
    // The window itself and every widget in it.
    state.counters["widgets"] =
        static_cast<double>(game.window().findChildren<QWidget *>().size() + 1);
}

// The same command without the paint: what the load sequence costs.
void BM_NewGameLoad(benchmark::State &state, const char *command) {
    GameFixture game;
    if (!startOn(state, game, command))
        return;
    for (auto _ : state) {
        game.triggerMenu(QString::fromLatin1(command));
        state.PauseTiming();
        paint();
        settle();
        state.ResumeTiming();
    }
}

// A rendering of the whole window, every widget asked to paint, with a board already laid out.
void BM_RenderWindow(benchmark::State &state, const char *command) {
    GameFixture game;
    if (!startOn(state, game, command))
        return;
    for (auto _ : state)
        game.window().grab();
}

// Notes the moment the new board has been painted.
class BoardPaintWatch : public QObject {
public:
    BoardPaintWatch(GameFixture &game, QEventLoop &loop) : game_(game), loop_(loop) {
        qApp->installEventFilter(this);
        clock_.start();
    }
    ~BoardPaintWatch() override { qApp->removeEventFilter(this); }

    qint64 elapsedNanoseconds() const { return elapsed_; }

protected:
    bool eventFilter(QObject *object, QEvent *event) override {
        if (event->type() != QEvent::Paint || elapsed_ >= 0 || object != game_.window().area())
            return false;
        // Counted from here: the paint event just delivered is drawn by the time the loop looks
        // again.
        elapsed_ = clock_.nsecsElapsed();
        loop_.quit();
        return false;
    }

private:
    GameFixture &game_;
    QEventLoop &loop_;
    QElapsedTimer clock_;
    qint64 elapsed_ = -1;
};

// The same command run by the event loop, timed until the new board is painted.
void BM_NewGameInEventLoop(benchmark::State &state, const char *command) {
    GameFixture game;
    if (!startOn(state, game, command))
        return;
    for (auto _ : state) {
        QEventLoop loop;
        std::optional<BoardPaintWatch> watch;
        QTimer::singleShot(0, &loop, [&] {
            watch.emplace(game, loop);
            game.triggerMenu(QString::fromLatin1(command));
        });
        loop.exec();
        state.SetIterationTime(static_cast<double>(watch->elapsedNanoseconds()) / 1e9);
        settle();
    }
}

// Discarding a game with every control, the first step of the command.
void BM_DiscardGame(benchmark::State &state, const char *command) {
    GameFixture game;
    if (!startOn(state, game, command))
        return;
    for (auto _ : state) {
        game.window().unloadForm();
        state.PauseTiming();
        game.window().showForm();
        paint();
        settle();
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK_CAPTURE(BM_NewGame, Easy, easy)->Apply(timedInMilliseconds);
BENCHMARK_CAPTURE(BM_NewGame, Medium, medium)->Apply(timedInMilliseconds);
BENCHMARK_CAPTURE(BM_NewGame, Hard, hard)->Apply(timedInMilliseconds);
BENCHMARK_CAPTURE(BM_NewGameInEventLoop, Hard, hard)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(20)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_NewGameLoad, Hard, hard)->Apply(timedInMilliseconds);
BENCHMARK_CAPTURE(BM_RenderWindow, Hard, hard)->Apply(timedInMilliseconds);
BENCHMARK_CAPTURE(BM_DiscardGame, Hard, hard)->Apply(timedInMilliseconds);
