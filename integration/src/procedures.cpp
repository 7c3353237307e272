// Registration of the data integration procedures by name.
#include "vorel/integration/procedures.h"

#include <mutex>

#include "vorel/ui/runtime.h"

namespace vorel::integration {

void AddIntegrationProcedures() {
    static std::once_flag once;
    std::call_once(once, [] {
        using ui::ProcedureRegistry;
        ProcedureRegistry::Add("Layout", RunLayoutBrowse);
        ProcedureRegistry::Add("ULayout", RunLayoutForm);
        ProcedureRegistry::Add("CampArquivos", RunCampoForm);
        ProcedureRegistry::Add("ImportaSaidasNota", RunImportaSaidasNota);
        ProcedureRegistry::Add("ImportaEntradasNota", RunImportaEntradasNota);
        ProcedureRegistry::Add("ImportaNfe_Ent", RunImportaNfeEnt);
        ProcedureRegistry::Add("ImportaNfe_Sai", RunImportaNfeSai);
    });
}

}  // namespace vorel::integration
