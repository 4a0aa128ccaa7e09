// Presses F2 over and over on a Hard board, in bursts of up to 300 as fast as the X server takes
// them, through the real program under an X server of its own. Within a second of a burst's last
// press the window must show a fresh board that takes a press; the discarded boards must not stay
// in memory.
//
//   newgameburst GAME [PRESSES [--without-limits]]
//
// 300 presses unless told; exits 77 if Xvfb cannot start. Without limits, for a game built with the
// sanitizers, which keep freed memory and slow every step, only the board is checked.
#include "boardpicture.h"
#include "gameprocess.h"
#include "virtualdisplay.h"
#include "xinput.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int columns = 32;
constexpr int rows = 20;
constexpr int burstPresses = 300;
constexpr double settleMs = 1000;
constexpr long growthLimitKiB = 4096;
// A game far behind gets this long to catch up, so that its figures are seen, unless its memory
// runs away first.
constexpr double patienceMs = 120000;
constexpr long runawayKiB = 2 << 20;

// The window is resized and repainted under our feet; a request that fails is tried again.
int ignoreErrors(Display *, XErrorEvent *) {
    return 0;
}

void pressNewGame(Display *display) {
    key(display, XK_F2, true);
    key(display, XK_F2, false);
}

void pressHardCell(Display *display, Window window, int cell) {
    pressCell(display, window, columns, rows, cell);
}

int fail(const char *message) {
    std::fflush(stdout);
    std::fprintf(stderr, "FAIL: %s\n", message);
    return 1;
}

int run(Display *display, const char *program, int presses, bool limits) {
    XSetErrorHandler(ignoreErrors);
    GameProcess game(program, display);
    const Window window = game.waitForBoard();
    if (!window)
        return fail("the game showed no window with a board of covers");

    XSetInputFocus(display, window, RevertToParent, CurrentTime);
    tapKey(display, XK_h, XK_Control_L);
    // Only a Hard window is wide enough for its board.
    std::vector<Cell> board;
    if (!waitUntil(nowMs() + 20000, [&] {
            board = readBoard(display, window, columns, rows);
            return allCovered(board);
        }))
        return fail("Ctrl+H did not bring a Hard board of covers");
    const Cell cover = board.front();
    const auto freshBoard = [&] {
        board = readBoard(display, window, columns, rows);
        return allCovered(board) && board.front() == cover;
    };

    // The first lost game of a run loads what the reveal shows, digits and mines alike, and the
    // press after the burst may meet a mine: pressing every cell in turn loses one before the
    // baseline.
    for (int cell = 0; cell < columns * rows; ++cell)
        pressHardCell(display, window, cell);
    if (!waitUntil(nowMs() + 20000, [&] {
            board = readBoard(display, window, columns, rows);
            return !board.empty() && board.front() != cover;
        }))
        return fail("a press on a cover did not uncover its cell");
    // Input is taken in order: the board this F2 brings comes after every press.
    pressNewGame(display);
    XSync(display, False);
    if (!waitUntil(nowMs() + 20000, freshBoard))
        return fail("F2 after a lost game brought no fresh board");
    // Whatever the first games of a run load, fonts and the like, belongs to the baseline.
    sleep(1);
    const long before = game.residentKiB();

    const auto catchUp = [&](double since, auto condition) {
        bool met = false;
        waitUntil(since + patienceMs, [&] {
            met = condition();
            const long now = game.residentKiB();
            return met || now < 0 || now - before > runawayKiB;
        });
        return met;
    };
    // Uncovered or a mine, the pressed cell no longer shows a cover.
    const int cell = rows / 2 * columns + columns / 2;
    const auto pressTaken = [&] {
        board = readBoard(display, window, columns, rows);
        return !board.empty() && board[static_cast<std::size_t>(cell)] != cover;
    };
    // A long run goes in bursts, each waited for by the press after it: a single one would only
    // measure how much input the X library and Qt can queue.
    bool fresh = true;
    bool taken = true;
    double sendingMs = 0;
    double takenMs = 0;
    for (int sent = 0; sent < presses && taken;) {
        const int burst = std::min(presses - sent, burstPresses);
        const double burstStart = nowMs();
        for (int i = 0; i < burst; ++i)
            pressNewGame(display);
        XSync(display, False);
        const double lastPress = nowMs();
        sent += burst;
        fresh = catchUp(lastPress, freshBoard);
        if (fresh)
            pressHardCell(display, window, cell);
        taken = fresh && catchUp(lastPress, pressTaken);
        sendingMs = std::max(sendingMs, lastPress - burstStart);
        takenMs = std::max(takenMs, nowMs() - lastPress);
    }
    sleep(1);
    const long after = game.residentKiB();

    std::printf("%d F2 presses sent, at most %d at once, each burst in %.1f ms or less\n", presses,
                burstPresses, sendingMs);
    std::printf("%s %.1f ms after the last F2 of a burst, at most (limit %.0f ms)\n",
                taken ? "a fresh Hard board took a press" : "still no fresh board taking a press",
                takenMs, settleMs);
    std::printf("resident memory %ld KiB before the presses, %ld KiB after: %+ld KiB "
                "(limit +%ld KiB)\n",
                before, after, after - before, growthLimitKiB);
    int failures = 0;
    const auto expect = [&](bool good, const char *message) {
        failures += good ? 0 : fail(message);
    };
    expect(fresh, "no fresh Hard board after the presses");
    expect(!fresh || taken, "no fresh board took a left press before the test gave up waiting");
    expect(!taken || pressTaken(), "the pressed cell shows a cover again: a new game undid it");
    expect(!limits || (taken && takenMs <= settleMs), "the game fell behind the presses");
    expect(before >= 0 && after >= 0,
           "the game's resident memory could not be read: is it still running?");
    expect(!limits || after - before <= growthLimitKiB, "resident memory grew by more than 4 MiB");
    return failures == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char **argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s GAME [PRESSES [--without-limits]]\n", argv[0]);
        return 2;
    }
    const int presses = argc > 2 ? std::atoi(argv[2]) : 300;
    const bool limits = !(argc > 3 && std::string(argv[3]) == "--without-limits");
    return withVirtualDisplay(
        [&](Display *display) { return run(display, argv[1], presses, limits); });
}
