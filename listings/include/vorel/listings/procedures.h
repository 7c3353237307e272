// The listings' procedures, registered by name for the main menu.
#pragma once

namespace vorel::ui {
class ProcContext;
}

namespace vorel::listings {

// Registers every listing procedure (once per process).
void AddListingProcedures();

void RunJRelProdutos(ui::ProcContext& ctx);
void RunJRelSaldos(ui::ProcContext& ctx);
void RunRelatorioSaldoAnterior(ui::ProcContext& ctx);
void RunListagemEmpresas(ui::ProcContext& ctx);
void RunRelatorioCF(ui::ProcContext& ctx);
void RunRelatorioEntradas(ui::ProcContext& ctx);
void RunRelatorioSaidas(ui::ProcContext& ctx);

}  // namespace vorel::listings
