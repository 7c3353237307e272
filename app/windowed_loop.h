// The program's event loop with windows: the Qt front end over the procedures, from the first
// procedure's start to the end of the program.
//
// The program ends when the application frame's window closes, or when no procedure runs any more
// (a cancelled login: the frame's procedure ends without a window). It never ends because the last
// visible window closed: between the login window's close and the frame's window showing no window
// is visible at all, and Qt's own rule (quit when the last window closes) ended the program there,
// now and then, with status 0 and no message.
//
//     app::RunWindowedLoop(app, options, {.first = "Main", .frontEnd = {}, .started = {}});
#pragma once

#include <functional>
#include <string>

#include "vorel/qt/front_end.h"
#include "vorel/ui/runtime.h"

class QApplication;

namespace vorel::app {

struct WindowedLoop {
    std::string first;            // the procedure started first (the frame's, "Main")
    qt::FrontEndOptions frontEnd;
    // Runs once the front end is up and the first procedure started, before the event loop.
    std::function<void(ui::Runtime&, qt::QtFrontEnd&)> started;
};

// Runs the loop on `app` and returns its exit code; the procedures are stopped and their threads
// joined before the front end goes.
int RunWindowedLoop(QApplication& app, const ui::Runtime::Options& options, const WindowedLoop& loop);

}  // namespace vorel::app
