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
        // Batch repairs.
        ProcedureRegistry::Add("AjustaBaseCalc_Ent", RunAjustaBaseCalcEnt);
        ProcedureRegistry::Add("AjustaECF", RunAjustaECF);
        ProcedureRegistry::Add("AjustaLançamentos", RunAjustaLancamentos);
        ProcedureRegistry::Add("ExcluirSaldoAliq", RunExcluirSaldoAliq);
        ProcedureRegistry::Add("AjustaCodForCli", RunAjustaCodForCli);
        ProcedureRegistry::Add("AjustaCodForCli_Ent", RunAjustaCodForCliEnt);
        ProcedureRegistry::Add("AjusteAliqProd", RunAjusteAliqProd);
        // Table files and the one-time conversion.
        ProcedureRegistry::Add("AtualizaArquivos", RunAtualizaArquivos);
        ProcedureRegistry::Add("RunTimeFileManager", RunRunTimeFileManager);
        // Unification of companies' movements and suppliers, and the supplier register copy.
        ProcedureRegistry::Add("GerarUnificacao", RunGerarUnificacao);
        ProcedureRegistry::Add("Unificacao", RunUnificacao);
        ProcedureRegistry::Add("CopiaFornecedores", RunCopiaFornecedores);
    });
}

}  // namespace vorel::maintenance
