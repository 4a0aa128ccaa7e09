#pragma once

#include <X11/Xlib.h>
#include <sys/types.h>

#include <functional>

#include <string>

// An Xvfb server of our own, on a display number it picks itself; stopped when this goes.
class VirtualDisplay {
public:
    VirtualDisplay();
    ~VirtualDisplay();
    VirtualDisplay(const VirtualDisplay &) = delete;
    VirtualDisplay &operator=(const VirtualDisplay &) = delete;

    bool started() const { return number_ >= 0; }
    std::string name() const { return ":" + std::to_string(number_); }

private:
    pid_t pid_ = -1;
    int number_ = -1;
};

// Runs `test` connected to a virtual display of its own and gives its result; 77, the skip code,
// when Xvfb cannot start, and 1 when the display cannot be reached.
int withVirtualDisplay(const std::function<int(Display *)> &test);
