#include "gameprocess.h"

#include "boardpicture.h"

#include <signal.h>
#include <sys/wait.h>
#include <time.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

double nowMs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

GameProcess::GameProcess(const char *program, Display *display) : display_(display) {
    // Seen from before the game starts, so that its window's mapping is not missed.
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);
    char pattern[] = "/tmp/pebblerun-xserver-XXXXXX";
    runtimeDir_ = mkdtemp(pattern) ? pattern : "";
    pid_ = fork();
    if (pid_ == 0) {
        setenv("DISPLAY", DisplayString(display), 1);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        setenv("XDG_RUNTIME_DIR", runtimeDir_.c_str(), 1);
        for (const char *name :
             {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_AUTO_SCREEN_SCALE_FACTOR"})
            unsetenv(name);
        execl(program, program, static_cast<char *>(nullptr));
        _exit(127);
    }
}

GameProcess::~GameProcess() {
    int status = 0;
    // A game that ended by itself says how, beside whatever failed for want of it.
    if (pid_ > 0 && waitpid(pid_, &status, WNOHANG) == pid_) {
        std::fprintf(stderr, "the game ended by itself: %s %d\n",
                     WIFSIGNALED(status) ? "signal" : "exit status",
                     WIFSIGNALED(status) ? WTERMSIG(status) : WEXITSTATUS(status));
    } else if (pid_ > 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
    rmdir(runtimeDir_.c_str());
}

Window GameProcess::waitForBoard() {
    Window window = 0;
    waitUntil(nowMs() + 20000, [&] {
        for (XEvent event; !window && XPending(display_);) {
            XNextEvent(display_, &event);
            if (event.type == MapNotify && !event.xmap.override_redirect)
                window = event.xmap.window;
        }
        return window != 0;
    });
    // Painted: the board's bottom row, which spans the window, shows covers.
    const bool painted =
        window && waitUntil(nowMs() + 20000, [&] {
            XWindowAttributes attributes{};
            XGetWindowAttributes(display_, window, &attributes);
            return allCovered(readBoard(display_, window, attributes.width / cellPixels, 1));
        });
    return painted ? window : 0;
}

long GameProcess::residentKiB() const {
    std::ifstream status("/proc/" + std::to_string(pid_) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::atol(line.c_str() + 6);
    }
    return -1;
}
