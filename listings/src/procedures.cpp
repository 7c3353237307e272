// Registration of the listings under the names the main menu starts.
#include "vorel/listings/procedures.h"

#include <mutex>

#include "vorel/ui/runtime.h"

namespace vorel::listings {

void AddListingProcedures() {
    static std::once_flag once;
    std::call_once(once, [] {
        using ui::ProcedureRegistry;
        ProcedureRegistry::Add("JRelProdutos", RunJRelProdutos);
        ProcedureRegistry::Add("JRelSaldos", RunJRelSaldos);
        ProcedureRegistry::Add("RelatorioSaldoAnterior", RunRelatorioSaldoAnterior);
        ProcedureRegistry::Add("ListagemEmpresas", RunListagemEmpresas);
        ProcedureRegistry::Add("RelatorioCF", RunRelatorioCF);
    });
}

}  // namespace vorel::listings
