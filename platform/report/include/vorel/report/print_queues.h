// The system's print queues: their names and the default one, for the user to choose where a
// report's pages are printed.
//
// `system_print_queues` asks the print system through Qt's print support. That module links Qt
// Widgets, so it is kept inside print_queues.cpp: no header of ours brings it in. A machine
// without a print system (or with no queue) gives an empty list and no default; that is an
// ordinary answer, not an error. The queue source is a plain function, so a caller or a test can
// hand in queues of its own.
//
//   PrintQueues q = system_print_queues();
//   for (const std::string& name : q.names) ...;   // q.default_name is "" when there is none
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace vorel::report {

struct PrintQueues {
    std::vector<std::string> names;  // UTF-8, in the print system's order
    std::string default_name;        // "" when the system has no default queue
};

using PrintQueueSource = std::function<PrintQueues()>;

// Asks the print system now (a few milliseconds; no print system: an empty answer). Any thread
// may call it (calls are taken one at a time); needs a QGuiApplication in the process, like the
// renderer.
PrintQueues system_print_queues();

}  // namespace vorel::report
