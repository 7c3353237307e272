// The headless run of the program.
#include "headless_run.h"

#include <fstream>
#include <iostream>

#include "vorel/ui/headless_script.h"
#include "vorel/ui/record_access.h"
#include "vorel/ui/runtime.h"
#ifdef VOREL_HAVE_DICTIONARY
#include "vorel/dictionary/tables.h"
#endif
#ifdef VOREL_HAVE_SHELL
#include "vorel/shell/procedures.h"
#include "vorel/shell/startup.h"
#endif
#ifdef VOREL_HAVE_REGISTERS
#include "vorel/registers/procedures.h"
#endif

namespace vorel::app {

int RunHeadless(const char* scriptPath) {
    std::ifstream script(scriptPath);
    if (!script) {
        std::cerr << "vorel: cannot read the script " << scriptPath << "\n";
        return 2;
    }
    ui::InstallMessageBoxAsker();
    ui::Runtime::Options options;
#ifdef VOREL_HAVE_DICTIONARY
    options.threadStart = [](ui::ProcContext&) { dictionary::InitDictionary(); };
    options.threadEnd = [](ui::ProcContext&) { dictionary::TeardownDictionary(); };
#endif
#ifdef VOREL_HAVE_SHELL
    shell::ProgramaPrincipal();  // the shell's procedures, the data root and its folders
#endif
#ifdef VOREL_HAVE_REGISTERS
    registers::AddRegisterProcedures();  // "CFO", "Estados", "BFuncionarios", ... for the menu
#endif
    ui::Runtime runtime(options);
    return ui::RunHeadlessScript(runtime, script, std::cout);
}

}  // namespace vorel::app
