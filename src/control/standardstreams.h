#pragma once

namespace standardstreams {

// Opens /dev/null on each of standard input, output and error that is closed. A closed one would
// otherwise be the first descriptor the program opens, a file or the display connection, and a
// warning written to it would corrupt that connection.
void openClosedOnNull();

} // namespace standardstreams
