#pragma once

#include <optional>

namespace commandline {

// Answers --help, --version and any option the program does not know, before anything needs a
// display. Returns the exit status when the program is to end there, nothing when the game is to
// start; Qt's own options (-platform, -reverse, -style, …) are left for the application.
std::optional<int> answer(int argc, char *argv[]);

} // namespace commandline
