// Running outside programs.
//
// A program is started with a list of arguments, never through a shell, so no argument is ever
// read as a command. The program is named by a program path (vorel/core/paths.h, resolved without
// regard to case); a bare name ("lp") is looked up in PATH. A missing or non-executable program,
// or one that fails to start, is reported in `RunResult::error`; nothing throws.
//
//   auto r = vorel::program::run(root + "WebBrowser\\WebBrowser.exe", {"3", cnpj});
//   if (r.error) ... say the program is missing ...; else use r.exit_code
//
// With Wait::No the program runs on by itself (the process does not keep it as a child, so no
// zombie is left behind) and `exit_code` is not known. The working folder of the process never
// changes; `RunOptions::working_folder` sets the started program's own.
#pragma once

#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace vorel::program {

enum class Wait { Yes, No };

struct RunOptions {
    Wait wait = Wait::Yes;
    std::string working_folder;  // program path; empty: the process's working folder
};

struct RunResult {
    std::error_code error;  // set when the program could not be started
    // The program's exit code when it was waited for and ended normally; 128 + the signal number
    // when a signal ended it; -1 when it was not waited for or did not start.
    int exit_code = -1;
    bool started() const { return !error; }
};

// Arguments are Windows-1252 text, passed to the program as UTF-8 on Linux.
RunResult run(std::string_view program, const std::vector<std::string>& arguments,
              const RunOptions& options = {});

}  // namespace vorel::program
