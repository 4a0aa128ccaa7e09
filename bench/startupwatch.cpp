// Launches a program under an X server and reports how long it took until its window was mapped
// and painted, watching from outside: the window's map is an X event, and the paint is seen when
// the window's pixels stop being the black of the empty screen (run the server with -br).
//
//   startup_watch [--keep] PROGRAM [ARGS...]
//
// Prints the milliseconds from launch to the painted window. The program is then ended, or with
// --keep left running, and its process id and window id are printed after the time.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

namespace {

constexpr double timeoutMs = 20000;

double nowMs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

// A window that goes away between two requests is not an error worth stopping for.
int ignoreErrors(Display *, XErrorEvent *) {
    return 0;
}

// Painted: nine in ten pixels of a grid over the window are no longer black.
bool isPainted(Display *display, Window window) {
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display, window, &attributes) || attributes.map_state != IsViewable)
        return false;
    XImage *image = XGetImage(display, window, 0, 0, static_cast<unsigned>(attributes.width),
                              static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    if (!image)
        return false;
    int samples = 0;
    int lit = 0;
    for (int y = 2; y < attributes.height; y += 6) {
        for (int x = 2; x < attributes.width; x += 6) {
            ++samples;
            lit += XGetPixel(image, x, y) != 0 ? 1 : 0;
        }
    }
    XDestroyImage(image);
    return samples > 0 && lit * 10 >= samples * 9;
}

bool waitForEvent(Display *display, double deadline) {
    while (!XPending(display)) {
        pollfd fd{ConnectionNumber(display), POLLIN, 0};
        const double left = deadline - nowMs();
        if (left <= 0)
            return false;
        poll(&fd, 1, static_cast<int>(left) + 1);
    }
    return true;
}

} // namespace

int main(int argc, char **argv) {
    int first = 1;
    const bool keep = argc > 1 && std::strcmp(argv[1], "--keep") == 0;
    if (keep)
        ++first;
    if (first >= argc) {
        std::fprintf(stderr, "usage: %s [--keep] PROGRAM [ARGS...]\n", argv[0]);
        return 2;
    }
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "startup_watch: cannot open the display\n");
        return 2;
    }
    XSetErrorHandler(ignoreErrors);
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);

    const double start = nowMs();
    const pid_t child = fork();
    if (child == 0) {
        close(ConnectionNumber(display));
        // Our standard output carries the result; the program's own output goes to stderr.
        dup2(STDERR_FILENO, STDOUT_FILENO);
        execvp(argv[first], argv + first);
        _exit(127);
    }
    const double deadline = start + timeoutMs;

    Window window = 0;
    while (!window && waitForEvent(display, deadline)) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify && !event.xmap.override_redirect)
            window = event.xmap.window;
    }
    bool painted = false;
    while (window && !painted && nowMs() < deadline) {
        painted = isPainted(display, window);
        if (!painted)
            usleep(500);
    }
    const double elapsed = nowMs() - start;

    if (!painted) {
        std::fprintf(stderr, "startup_watch: no painted window from %s\n", argv[first]);
        kill(child, SIGTERM);
        waitpid(child, nullptr, 0);
        return 1;
    }
    if (keep) {
        std::printf("%.2f %d 0x%lx\n", elapsed, static_cast<int>(child), window);
        return 0;
    }
    std::printf("%.2f\n", elapsed);
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    XCloseDisplay(display);
    return 0;
}
