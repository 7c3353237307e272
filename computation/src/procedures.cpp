// Registration of the computation's procedures under the names the main menu and the monthly
// computation's hand-over call.
#include "vorel/computation/procedures.h"

#include <mutex>

#include "vorel/ui/runtime.h"

namespace vorel::computation {

void AddComputationProcedures() {
    static std::once_flag once;
    std::call_once(once, [] {
        using ui::ProcedureRegistry;
        ProcedureRegistry::Add("CalculoAnual", RunCalculoAnual);
        ProcedureRegistry::Add("PlanilhaAnual", RunPlanilhaAnual);
        ProcedureRegistry::Add("RelConfSaidaEnt", RunRelConfSaidaEnt);
        ProcedureRegistry::Add("CalculoMensal", RunCalculoMensal);
        ProcedureRegistry::Add("RecalcLancamentos", RunRecalcLancamentos);
        ProcedureRegistry::Add("PlanilhaProdutos", RunPlanilhaProdutos);
        ProcedureRegistry::Add("PlanilhaFinal", RunPlanilhaFinal);
        ProcedureRegistry::Add("ExpExcelPlanilhaFinalFornecedor", RunExpExcelPlanilhaFinalFornecedor);
        ProcedureRegistry::Add("ArquivoMagnetico", RunArquivoMagnetico);
        ProcedureRegistry::Add("ExcluirSaldoZero", RunExcluirSaldoZero);
        ProcedureRegistry::Add("RelExcluiSaldoZero", RunRelExcluiSaldoZero);
        ProcedureRegistry::Add("ExpExcelPlanMensal", RunExpExcelPlanMensal);
        ProcedureRegistry::Add("ExportaExcelEntrada", RunExportaExcelEntrada);
    });
}

}  // namespace vorel::computation
