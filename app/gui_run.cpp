// The program with windows.
#include "gui_run.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QTimer>
#include <QtWidgets/QApplication>

#include <cstdio>
#include <filesystem>

#include "placeholder_frame.h"
#include "vorel/qt/display.h"
#include "vorel/qt/front_end.h"
#include "vorel/ui/record_access.h"
#include "vorel/ui/runtime.h"
#ifdef VOREL_HAVE_DICTIONARY
#include "vorel/dictionary/tables.h"
#endif
#ifdef VOREL_HAVE_SHELL
#include "vorel/shell/startup.h"
#endif

namespace vorel::app {

int RunWithWindows(int argc, char** argv) {
    // Qt would abort with a page of text when there is no display: say it in one line.
    if (auto why = vorel::qt::MissingDisplay()) {
        std::fprintf(stderr, "%s\n", why->c_str());
        return 2;
    }
    QApplication app(argc, argv);
    QApplication::setStyle("Fusion");
    QApplication::setApplicationName("Vorel");

    ui::InstallMessageBoxAsker();
    ui::Runtime::Options options;
#ifdef VOREL_HAVE_DICTIONARY
    options.threadStart = [](ui::ProcContext&) { dictionary::InitDictionary(); };
    options.threadEnd = [](ui::ProcContext&) { dictionary::TeardownDictionary(); };
#endif
#ifdef VOREL_HAVE_SHELL
    shell::ProgramaPrincipal();  // the shell's procedures, the data root and its folders
#endif
    RegisterPlaceholderFrame();
    bool haveMain = ui::ProcedureRegistry::Find("Main") && ui::ProcedureRegistry::Find("Login");

    int rc = 0;
    {
        ui::Runtime runtime(options);
        qt::FrontEndOptions frontOptions;
        frontOptions.keypadComma = qt::KeypadDecimalIsComma();
        frontOptions.iconFolder = (std::filesystem::path(QCoreApplication::applicationDirPath().toStdString()) / "icons").string();
        qt::QtFrontEnd frontEnd(runtime, frontOptions);
        frontEnd.onFrameClosed = [&app] { app.quit(); };
        runtime.Start(haveMain ? "Main" : kPlaceholderFrame);
        frontEnd.Show();
        // The program also ends when the frame's procedure ends without a window (a failed login).
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, &app, [&runtime, &app] {
            if (runtime.Running().empty()) app.quit();
        });
        watch.start(200);
        rc = app.exec();
        runtime.Shutdown();  // procedures stop and their threads are joined before the front end goes
    }
    return rc;
}

}  // namespace vorel::app
