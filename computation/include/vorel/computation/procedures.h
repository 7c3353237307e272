// The computation's procedures and their registration by name (`AddComputationProcedures`, called
// from the program's list of subsystems).
#pragma once

#include <vector>

#include "vorel/computation/metodo_anual.h"

namespace vorel::ui {
class ProcContext;
}

namespace vorel::computation {

void AddComputationProcedures();

void RunCalculoAnual(ui::ProcContext& ctx);            // "CalculoAnual"
void RunCalculoAnualProdutos(ui::ProcContext& ctx);    // the recalculation with its progress window
void RunPlanilhaAnual(ui::ProcContext& ctx);           // "PlanilhaAnual"
void RunRelConfSaidaEnt(ui::ProcContext& ctx);         // "RelConfSaidaEnt" (a hand-over target)
void RunCalculoMensal(ui::ProcContext& ctx);           // "CalculoMensal"
void RunPlanilhaProdutos(ui::ProcContext& ctx);        // "PlanilhaProdutos"
void RunRecalcLancamentos(ui::ProcContext& ctx);       // "RecalcLancamentos"
void RunPlanilhaFinal(ui::ProcContext& ctx);           // "PlanilhaFinal"
void RunExpExcelPlanilhaFinalFornecedor(ui::ProcContext& ctx);  // "ExpExcelPlanilhaFinalFornecedor"
void RunArquivoMagnetico(ui::ProcContext& ctx);        // "ArquivoMagnetico"
void RunExcluirSaldoZero(ui::ProcContext& ctx);        // "ExcluirSaldoZero"
void RunRelExcluiSaldoZero(ui::ProcContext& ctx);      // "RelExcluiSaldoZero" (the working month)
void RunExpExcelPlanMensal(ui::ProcContext& ctx);      // "ExpExcelPlanMensal" (hands over to "PlanilhaExcelProdutos")
void RunExportaExcelEntrada(ui::ProcContext& ctx);     // "ExportaExcelEntrada"

// "&Imprimir" of "Planilha Anual": the summary by rate, then the sheet unless the printing mode is 2.
void VerificaSaldosAnual(ui::ProcContext& ctx, int paginaInicial);
void PlanilhaAnualProdutos(ui::ProcContext& ctx, const std::vector<TaxaAnual>& taxas, int paginaInicial);

}  // namespace vorel::computation
