// Registration of the maintenance procedures under the names the main menu starts.
#include "vorel/maintenance/procedures.h"

#include <mutex>

#include "vorel/ui/runtime.h"

namespace vorel::maintenance {

void AddMaintenanceProcedures() {
    static std::once_flag once;
    std::call_once(once, [] {
        using ui::ProcedureRegistry;
        (void)sizeof(ProcedureRegistry);  // each procedure of the folder adds its line here
        // Batch changes of movements and products.
        ProcedureRegistry::Add("JanAltCFOLote", RunJanAltCFOLote);
        ProcedureRegistry::Add("CopiaCodProdutos", RunCopiaCodProdutos);
    });
}

}  // namespace vorel::maintenance
