#pragma once

#include <X11/Xlib.h>

#include <sys/types.h>
#include <unistd.h>

#include <string>

double nowMs();

// Polls every 10 ms until the condition holds or the deadline, in nowMs(), has passed.
template <class Condition> bool waitUntil(double deadline, Condition condition) {
    while (!condition()) {
        if (nowMs() > deadline)
            return false;
        usleep(10000);
    }
    return true;
}

// The game on the X server that `display` is connected to, with the xcb platform whatever our own
// environment says; ended when this goes.
class GameProcess {
public:
    GameProcess(const char *program, Display *display);
    ~GameProcess();
    GameProcess(const GameProcess &) = delete;
    GameProcess &operator=(const GameProcess &) = delete;

    // The game's window once it is mapped and painted with a row of covers; 0 when that does not
    // happen within 20 s.
    Window waitForBoard();
    long residentKiB() const;

private:
    Display *display_;
    pid_t pid_ = -1;
    std::string runtimeDir_;
};
