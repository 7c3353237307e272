// The headless run of the program.
#include "headless_run.h"

#include <QtGui/QGuiApplication>

#include <fstream>
#include <iostream>

#include "program_setup.h"

#include "vorel/ui/headless_script.h"
#include "vorel/ui/runtime.h"

namespace vorel::app {

int RunHeadless(const char* scriptPath) {
    std::ifstream script(scriptPath);
    if (!script) {
        std::cerr << "vorel: cannot read the script " << scriptPath << "\n";
        return 2;
    }
    // Page reports are drawn with fonts and painters, which need Qt's graphical application
    // object: one without a display, so that a report is drawn and previewed as on the desktop.
    int qtArgc = 3;
    char program[] = "vorel", option[] = "-platform", offscreen[] = "offscreen";
    char* qtArgv[] = {program, option, offscreen, nullptr};
    QGuiApplication qtGui(qtArgc, qtArgv);
    ProgramSetup setup = PrepareProgram();
    if (!setup.error.empty()) return 2;  // said on standard error by the start-up
    ui::Runtime runtime(setup.options);
    return ui::RunHeadlessScript(runtime, script, std::cout);
}

}  // namespace vorel::app
