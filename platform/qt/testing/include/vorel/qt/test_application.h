// The Qt application of a test program: one per process, made at the first call, on the offscreen
// platform unless QT_QPA_PLATFORM says otherwise, with the Fusion style so grabs look alike everywhere.
// `RunEventsUntil` runs the GUI's events (the procedures answer through the runtime's wake-up
// descriptor) until `done` holds or `ms` milliseconds have passed; it answers `done()` at the end.
#pragma once

#include <functional>

class QApplication;

namespace vorel::qt {

QApplication& TestApplication();

bool RunEventsUntil(const std::function<bool()>& done, int ms = 20000);

}  // namespace vorel::qt
