// The procedures of the data integration subsystem, and their registration by name.
//
// `AddIntegrationProcedures()` adds every window procedure of the subsystem to the
// `ProcedureRegistry` under the name the menu starts it by ("Layout", "ImportaSaidasNota", ...).
// The program calls it once at start; calling it again changes nothing.
#pragma once

namespace vorel::ui {
class ProcContext;
}

namespace vorel::integration {

void AddIntegrationProcedures();

void RunLayoutBrowse(ui::ProcContext& ctx);      // "Layout"
void RunLayoutForm(ui::ProcContext& ctx);        // "ULayout"
void RunCampoForm(ui::ProcContext& ctx);         // "CampArquivos"
void RunImportaSaidasNota(ui::ProcContext& ctx);    // "ImportaSaidasNota"
void RunImportaEntradasNota(ui::ProcContext& ctx);  // "ImportaEntradasNota"
void RunImportaNfeEnt(ui::ProcContext& ctx);        // "ImportaNfe_Ent"
void RunImportaNfeSai(ui::ProcContext& ctx);        // "ImportaNfe_Sai"
void RunImportaFornecedores(ui::ProcContext& ctx);  // "ImportaFornecedores"
void RunImportaProdutos(ui::ProcContext& ctx);      // "ImportaProdutos"
void RunImportaMaquinaECF(ui::ProcContext& ctx);    // "ImportaMaquinaECF"
void RunImportaLancamentoECF(ui::ProcContext& ctx);   // "ImportaLancamentoECF"
void RunImportaEntradaVeiculos(ui::ProcContext& ctx);  // "ImportaEntradaVeiculos"
void RunImportaSaidaVeiculos(ui::ProcContext& ctx);    // "ImportaSaidaVeiculos"
void RunImportaSaldoAnterior(ui::ProcContext& ctx);    // "ImportaSaldoAnterior"
// Deleting imported data by import month.
void RunExcluiProdutosIntegrados(ui::ProcContext& ctx);
void RunExcluiEntradaImportada(ui::ProcContext& ctx);
void RunExcluiSaidasImportada(ui::ProcContext& ctx);
void RunExcluiSaldoAnterior(ui::ProcContext& ctx);
void RunExcluiEntradaVeiculoImportada(ui::ProcContext& ctx);
void RunExcluiSaidaVeiculoImportada(ui::ProcContext& ctx);
void RunExcluiLancamentoImportada(ui::ProcContext& ctx);
void RunExcluiMaquinaECFImportada(ui::ProcContext& ctx);

}  // namespace vorel::integration
