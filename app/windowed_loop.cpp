#include "windowed_loop.h"

#include <QtCore/QTimer>
#include <QtWidgets/QApplication>

namespace vorel::app {

int RunWindowedLoop(QApplication& app, const ui::Runtime::Options& options, const WindowedLoop& loop) {
    // Windows come and go while the program runs (the login before the frame, message boxes):
    // the loop ends only by the two rules below.
    app.setQuitOnLastWindowClosed(false);
    ui::Runtime runtime(options);
    qt::QtFrontEnd frontEnd(runtime, loop.frontEnd);
    frontEnd.onFrameClosed = [&app] { app.quit(); };
    runtime.Start(loop.first);
    // The main window shows itself when the frame opens: the login comes alone before it.
    // The program also ends when the frame's procedure ends without a window (a failed login).
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, &app, [&runtime, &app] {
        if (runtime.Running().empty()) app.quit();
    });
    watch.start(200);
    if (loop.started) loop.started(runtime, frontEnd);
    const int rc = app.exec();
    runtime.Shutdown();  // procedures stop and their threads are joined before the front end goes
    return rc;
}

}  // namespace vorel::app
