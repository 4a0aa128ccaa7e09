#pragma once

#include <QGuiApplication>
#include <QLatin1String>

#include <cstdio>
#include <cstdlib>

namespace programend {

// What main() returns once the event loop has ended. Qt's Wayland platform, 6.4 and 6.8 alike,
// now and then deadlocks while it takes down its connection to the compositor (its event thread
// waits on a read that the closing display waits on in turn). The game keeps nothing to save, so
// under Wayland the process ends here with its output flushed, without that teardown.
inline int afterEventLoop(int status) {
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        std::fflush(nullptr);
        std::_Exit(status);
    }
    return status;
}

} // namespace programend
