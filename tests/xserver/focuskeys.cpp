// Through the real program under an X server of its own: after a press on a cover, Space and
// Return leave the game alone, and Shift+Tab takes the focus back over the covers to the face,
// where Space starts a new game.
//
//   focuskeys GAME
//
// Exits 77 if Xvfb cannot start.
#include "boardpicture.h"
#include "gameprocess.h"
#include "virtualdisplay.h"
#include "xinput.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <cstdio>

namespace {

// The Easy board a game starts with.
constexpr int columns = 8;
constexpr int rows = 8;

int fail(const char *message) {
    std::fprintf(stderr, "FAIL: %s\n", message);
    return 1;
}

int run(Display *display, const char *program) {
    GameProcess game(program, display);
    const Window window = game.waitForBoard();
    if (!window)
        return fail("the game showed no window with a board of covers");
    XSetInputFocus(display, window, RevertToParent, CurrentTime);
    XSync(display, False);
    std::vector<Cell> board = readBoard(display, window, columns, rows);
    if (!allCovered(board))
        return fail("the game did not start with an Easy board of covers");
    const Cell cover = board.front();
    const auto flagged = [&](int cell) {
        return waitUntil(nowMs() + 20000, [&] {
            board = readBoard(display, window, columns, rows);
            return !board.empty() && board[static_cast<std::size_t>(cell)] != cover;
        });
    };

    pressCell(display, window, columns, rows, 0, Button3);
    if (!flagged(0))
        return fail("a right press did not mark the first cell");
    tapKey(display, XK_space);
    tapKey(display, XK_Return);
    // Input is taken in order: once the second mark shows, both keys have been handled.
    pressCell(display, window, columns, rows, 1, Button3);
    if (!flagged(1))
        return fail("a right press did not mark the second cell");
    if (board.front() == cover)
        return fail("Space or Return after a press on a cover started a new game");

    tapKey(display, XK_Tab, XK_Shift_L);
    tapKey(display, XK_Tab, XK_Shift_L);
    tapKey(display, XK_space);
    if (!waitUntil(nowMs() + 20000,
                   [&] { return allCovered(readBoard(display, window, columns, rows)); }))
        return fail("Space on the face, reached by Shift+Tab from the covers, brought no new game");
    return 0;
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s GAME\n", argv[0]);
        return 2;
    }
    return withVirtualDisplay([&](Display *display) { return run(display, argv[1]); });
}
