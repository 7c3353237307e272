// `vorel --headless SCRIPT`: the program without a display, playing a user's actions from a text
// file through the headless driver (docs/headless.md). A test and support tool, not a user feature.
#pragma once

namespace vorel::app {

// Runs the script; prints what the windows show and every message box on standard output.
// Returns the process's exit code (0 when every line ran, 1 at the first failing line, 2 when the
// script cannot be read).
int RunHeadless(const char* scriptPath);

}  // namespace vorel::app
