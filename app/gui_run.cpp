// The program with windows.
#include "gui_run.h"

#include <QtCore/QCoreApplication>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMessageBox>

#include <cstdio>
#include <filesystem>

#include "program_setup.h"
#include "system_clipboard.h"
#include "vorel/qt/display.h"
#include "vorel/qt/front_end.h"
#include "vorel/ui/runtime.h"
#include "windowed_loop.h"

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

    ProgramSetup setup = PrepareProgram();
    if (!setup.error.empty()) {  // said on standard error too, by the start-up
        QMessageBox::critical(nullptr, "Vorel", QString::fromStdString(setup.error));
        return 2;
    }
    ui::Runtime::Options& options = setup.options;
    SystemClipboard clipboard;  // outlives the procedure threads below
    qt::FrontEndOptions frontOptions;
    frontOptions.keypadComma = qt::KeypadDecimalIsComma();
    frontOptions.frameSettings = "Vorel.ini";  // the main window opens as it was last closed
    frontOptions.iconFolder = (std::filesystem::path(QCoreApplication::applicationDirPath().toStdString()) / "icons").string();
    return RunWindowedLoop(app, options, {.first = "Main",
                                          .frontEnd = frontOptions, .started = {}});
}

}  // namespace vorel::app
