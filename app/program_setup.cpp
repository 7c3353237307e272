// The program's set-up shared by the windowed and the headless runs.
#include "program_setup.h"

#include "vorel/ui/record_access.h"
#ifdef VOREL_HAVE_DICTIONARY
#include "vorel/dictionary/tables.h"
#endif
#ifdef VOREL_HAVE_SHELL
#include "vorel/shell/startup.h"
#endif
#ifdef VOREL_HAVE_REGISTERS
#include "vorel/registers/procedures.h"
#endif

namespace vorel::app {

ProgramSetup PrepareProgram() {
    ui::InstallMessageBoxAsker();
    ProgramSetup setup;
#ifdef VOREL_HAVE_DICTIONARY
    setup.options.threadStart = [](ui::ProcContext&) { dictionary::InitDictionary(); };
    setup.options.threadEnd = [](ui::ProcContext&) { dictionary::TeardownDictionary(); };
#endif
#ifdef VOREL_HAVE_SHELL
    setup.error = shell::ProgramaPrincipal().erro;  // the shell's procedures, the data root and its folders
#endif
#ifdef VOREL_HAVE_REGISTERS
    registers::AddRegisterProcedures();  // "CFO", "Estados", "BFuncionarios", ... for the menu
#endif
    return setup;
}

}  // namespace vorel::app
