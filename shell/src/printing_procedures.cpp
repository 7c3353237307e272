// The printing procedures in the procedure registry, by the names the frame and the menu use.
#include "vorel/shell/printers_register.h"
#include "vorel/shell/printer_setup.h"
#include "vorel/ui/runtime.h"

namespace vorel::shell {

void RegisterPrintingProcedures() {
    using ui::ProcContext;
    using ui::ProcedureRegistry;
    ProcedureRegistry::Add("Configura_Impressora", [](ProcContext& c) { Configura_Impressora(c); });
    ProcedureRegistry::Add("CarregaCodigosImpressora", [](ProcContext&) { CarregaCodigosImpressora(); });
    ProcedureRegistry::Add("Impressoras", [](ProcContext& c) { Impressoras(c); });
    ProcedureRegistry::Add("UImpressoras", [](ProcContext& c) { UImpressoras(c); });
}

}  // namespace vorel::shell
