#include "vorel/qt/test_application.h"

#include <QApplication>

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

}  // namespace vorel::qt
