// The headless script: a user's actions from a plain text file, one per line, played through the
// headless driver; what the windows show and every message box are printed.
//
// Commands (docs/headless.md has the full list): start, menu, window, type, key, press, tab, row,
// open, pick, check, answer, file, close, wait, show, caption, global, echo. A control is named by
// "#<number>", or by a text: the prompt before it, else its own caption. Lines starting with '#'
// are comments. The first failing line stops the run with "line N: error: ...".
//
//     Runtime rt;  std::ifstream in("caminho.txt");
//     int rc = RunHeadlessScript(rt, in, std::cout);   // 0 when every line ran
#pragma once

#include <chrono>
#include <iosfwd>

#include "vorel/ui/runtime.h"

namespace vorel::ui {

int RunHeadlessScript(Runtime& runtime, std::istream& script, std::ostream& out,
                      std::chrono::milliseconds timeout = std::chrono::seconds(10));

}  // namespace vorel::ui
