#include "virtualdisplay.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

VirtualDisplay::VirtualDisplay() {
    int channel[2];
    if (pipe(channel) != 0)
        return;
    pid_ = fork();
    if (pid_ == 0) {
        close(channel[0]);
        const std::string fd = std::to_string(channel[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24",
               "-nolisten", "tcp", "-noreset", static_cast<char *>(nullptr));
        _exit(127);
    }
    close(channel[1]);
    // Xvfb writes the number of the display it took, then a newline, once it accepts clients; a
    // server that cannot start closes the pipe without a word.
    std::string number;
    pollfd ready{channel[0], POLLIN, 0};
    char c = 0;
    while (pid_ > 0 && poll(&ready, 1, 30000) == 1 && read(channel[0], &c, 1) == 1 && c != '\n')
        number += c;
    if (c == '\n' && !number.empty())
        number_ = std::atoi(number.c_str());
    close(channel[0]);
}

VirtualDisplay::~VirtualDisplay() {
    if (pid_ <= 0)
        return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
}

int withVirtualDisplay(const std::function<int(Display *)> &test) {
    VirtualDisplay server;
    if (!server.started()) {
        std::fprintf(stderr, "SKIP: Xvfb could not start\n");
        return 77;
    }
    Display *display = XOpenDisplay(server.name().c_str());
    if (!display) {
        std::fprintf(stderr, "FAIL: cannot connect to the X server\n");
        return 1;
    }
    const int result = test(display);
    XCloseDisplay(display);
    return result;
}
