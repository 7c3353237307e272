// The maintenance (table files, unification, batch repairs) procedures, registered by name for the main menu.
#pragma once

namespace vorel::ui {
class ProcContext;
}

namespace vorel::maintenance {

// Registers every procedure of this folder (once per process).
void AddMaintenanceProcedures();

// The batch changes of movements and products.
void RunJanAltCFOLote(ui::ProcContext& ctx);
void RunCopiaCodProdutos(ui::ProcContext& ctx);

// The batch repairs' windows.
void RunAjustaBaseCalcEnt(ui::ProcContext& ctx);
void RunAjustaECF(ui::ProcContext& ctx);
void RunAjustaLancamentos(ui::ProcContext& ctx);
void RunExcluirSaldoAliq(ui::ProcContext& ctx);
void RunAjustaCodForCli(ui::ProcContext& ctx);
void RunAjustaCodForCliEnt(ui::ProcContext& ctx);
void RunAjusteAliqProd(ui::ProcContext& ctx);

// Table files and the one-time conversion of the rate history.
void RunAtualizaArquivos(ui::ProcContext& ctx);
void RunRunTimeFileManager(ui::ProcContext& ctx);

// Unification of companies' movements and suppliers, and the supplier register copy.
void RunGerarUnificacao(ui::ProcContext& ctx);
void RunUnificacao(ui::ProcContext& ctx);
void RunCopiaFornecedores(ui::ProcContext& ctx);

}  // namespace vorel::maintenance
