#include "control/standardstreams.h"

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

namespace standardstreams {

// In ascending order: those below are open by then, so open() returns the lowest, the closed one.
void openClosedOnNull() {
    for (int descriptor = STDIN_FILENO; descriptor <= STDERR_FILENO; ++descriptor) {
        if (fcntl(descriptor, F_GETFD) == -1 && errno == EBADF)
            open("/dev/null", O_RDWR);
    }
}

} // namespace standardstreams
