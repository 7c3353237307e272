// The shell's procedures, registered by name.
#include "vorel/shell/procedures.h"

#include <mutex>

#include "vorel/shell/printing.h"

#include "vorel/shell/globals.h"
#include "vorel/shell/main_frame.h"
#include "vorel/shell/small_windows.h"
#include "vorel/ui/runtime.h"

namespace vorel::shell {

namespace {

void RegisterAll() {
    using ui::ProcContext;
    using ui::ProcedureRegistry;
    ProcedureRegistry::Add("Main", [](ProcContext& c) { Main(c); });
    ProcedureRegistry::Add("Sobre", [](ProcContext& c) { Sobre(c); });
    ProcedureRegistry::Add("TrocaPapelParede", [](ProcContext& c) { TrocaPapelParede(c); });
}

}  // namespace

void RegisterShellProcedures() {
    static std::once_flag once;
    std::call_once(once, [] {
        RegisterShellGlobals();
        RegisterAll();
        RegisterPrintingProcedures();
    });
}

}  // namespace vorel::shell
