#include "vorel/qt/test_application.h"

#include <QApplication>

#include <chrono>
#include <thread>

namespace vorel::qt {

QApplication& TestApplication() {
    static int argc = 1;
    static char name[] = "vorel_tests";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication* app = [] {
        auto* a = new QApplication(argc, argv);
        QApplication::setStyle("Fusion");
        return a;
    }();
    return *app;
}

bool RunEventsUntil(const std::function<bool()>& done, int ms) {
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < end) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        if (done()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return done();
}

}  // namespace vorel::qt
