// The movement procedures of subsystem 4, and their registration by name.
//
// `AddMovementProcedures()` adds every movement window procedure to the `ProcedureRegistry` under
// the name the menu and the other subsystems start or call it by ("SaldoAnterior", ...). The
// program calls it once at start; calling it again changes nothing. Each procedure takes its
// request from the thread's `Request` and leaves its outcome in `Response`.
//
//     vorel::movements::AddMovementProcedures();
//     rt.Start("SaldoAnterior");
#pragma once

#include "vorel/ui/types.h"

namespace vorel::ui {
class ProcContext;
}

namespace vorel::movements {

// The window layer's names every movement procedure uses.
using ui::Level;
using ui::ProcContext;
using ui::Request;
using ui::Response;

void AddMovementProcedures();

// Opening balances.
void RunSaldoAnteriorBrowse(ProcContext& ctx);  // "SaldoAnterior"
void RunSaldoAnteriorForm(ProcContext& ctx);    // "USaldoAnterior"

// Entry items.
void RunEntradasBrowse(ProcContext& ctx);  // "Entradas"
void RunEntradasForm(ProcContext& ctx);    // "UEntradas"

// Exit items.
void RunSaidasBrowse(ProcContext& ctx);  // "Saidas"
void RunSaidasForm(ProcContext& ctx);    // "Usaidas"

// Vehicle entries and exits, cash-register records.
void RunEntradaVeiculoBrowse(ProcContext& ctx);    // "EntradaVeiculo"
void RunEntradaVeiculoForm(ProcContext& ctx);      // "UEntradaVeiculo"
void RunSaidaVeiculoBrowse(ProcContext& ctx);      // "SaidaVeiculo"
void RunSaidaVeiculoForm(ProcContext& ctx);        // "USaidaVeiculos"
void RunLancamentoMestreBrowse(ProcContext& ctx);  // "LancamentoMestre"
void RunMestreForm(ProcContext& ctx);              // "UMestre"
void RunAnaliticoForm(ProcContext& ctx);           // "UAnalitico"
void RunDiarioForm(ProcContext& ctx);              // "UDiario"

// Audit of the movements and the invalid state registrations.
void RunAuditoria(ProcContext& ctx);          // "Auditoria"
void RunJanErroForCli(ProcContext& ctx);      // "JanErroForCli"
void RunJanErroNotaForCli(ProcContext& ctx);  // "JanErroNotaForCli"

// Repair of stored entry items.
void RunAjustaLancEntrada(ProcContext& ctx);  // "AjustaLancEntrada"

}  // namespace vorel::movements
