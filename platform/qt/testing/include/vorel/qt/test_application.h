// The Qt application of a test program: one per process, made at the first call, on the offscreen
// platform unless QT_QPA_PLATFORM says otherwise, with the Fusion style so grabs look alike everywhere.
#pragma once

class QApplication;

namespace vorel::qt {

QApplication& TestApplication();

}  // namespace vorel::qt
