#pragma once

#include <sys/types.h>

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
