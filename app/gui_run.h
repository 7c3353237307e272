// The program with windows: the Qt front end over the procedures, from the start-up to the frame's
// close.
#pragma once

namespace vorel::app {

// Checks for a display first (one line on stderr and exit code 2 without one), then runs the
// start-up, the application frame (`Main`, or the temporary frame while the shell has none) and
// the event loop; returns the process's exit code.
int RunWithWindows(int argc, char** argv);

}  // namespace vorel::app
