// Registration of the listings under the names the main menu starts, and the start of the listing
// that has no option window: the working company made sure of, then the working period passed.
#include "vorel/listings/procedures.h"

#include <mutex>

#include "vorel/listings/saldos.h"
#include "vorel/shell/working_context.h"
#include "vorel/ui/runtime.h"

namespace vorel::listings {

void RunRelatorioSaldoAnterior(ui::ProcContext& ctx) {
    (void)shell::GaranteEmpresa(ctx);  // the report goes on whatever the choice
    RelatorioSaldoAnterior(ctx, shell::PeriodoDeTrabalho());
}

void AddListingProcedures() {
    static std::once_flag once;
    std::call_once(once, [] {
        using ui::ProcedureRegistry;
        ProcedureRegistry::Add("JRelProdutos", RunJRelProdutos);
        ProcedureRegistry::Add("JRelSaldos", RunJRelSaldos);
        ProcedureRegistry::Add("RelatorioSaldoAnterior", RunRelatorioSaldoAnterior);
        ProcedureRegistry::Add("ListagemEmpresas", RunListagemEmpresas);
        ProcedureRegistry::Add("RelatorioCF", RunRelatorioCF);
        ProcedureRegistry::Add("RelatorioEntradas", RunRelatorioEntradas);
        ProcedureRegistry::Add("RelatorioSaidas", RunRelatorioSaidas);
    });
}

}  // namespace vorel::listings
