// Handing a finished file (a text report) to a printer, never through a shell.
//
// A print queue gets the file through the system's print command (`lp -d <queue> <file>`; the
// default queue when the name is empty), started with an argument list by vorel/core's program
// runner. A device (a printer port such as /dev/usb/lp0) gets the file's bytes written to it
// directly; a device that does not exist is an error, never a new file.
//
//   Outcome o = print_file(path, {PrintTarget::Kind::Queue, "matricial"});
#pragma once

#include <string>
#include <string_view>

#include "vorel/report/outcome.h"

namespace vorel::report {

struct PrintTarget {
    enum class Kind { Queue, Device };
    Kind kind = Kind::Queue;
    std::string name;  // queue name, or the device's program path
};

struct PrintOptions {
    std::string program = "lp";  // the print command for queues
};

Outcome print_file(std::string_view file, const PrintTarget& target, const PrintOptions& options = {});

// Whether the print command can be started: a path to an executable file, or a name found in one
// of PATH's folders.
bool print_command_available(const std::string& program = PrintOptions{}.program);

}  // namespace vorel::report
