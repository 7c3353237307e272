// Registration of the movement procedures by name: one line per procedure.
#include "vorel/movements/procedures.h"

#include <mutex>

#include "vorel/ui/runtime.h"

namespace vorel::movements {

void AddMovementProcedures() {
    static std::once_flag once;
    std::call_once(once, [] {  // one section per kind of movement
        using ui::ProcedureRegistry;
        // Month lock and opening balances.
        ProcedureRegistry::Add("SaldoAnterior", RunSaldoAnteriorBrowse);
        ProcedureRegistry::Add("USaldoAnterior", RunSaldoAnteriorForm);
        // Entry items.
        ProcedureRegistry::Add("Entradas", RunEntradasBrowse);
        ProcedureRegistry::Add("UEntradas", RunEntradasForm);
        // Exit items.
        ProcedureRegistry::Add("Saidas", RunSaidasBrowse);
        ProcedureRegistry::Add("Usaidas", RunSaidasForm);
        // Vehicle entries and exits, cash-register records.
        ProcedureRegistry::Add("EntradaVeiculo", RunEntradaVeiculoBrowse);
        ProcedureRegistry::Add("UEntradaVeiculo", RunEntradaVeiculoForm);
        ProcedureRegistry::Add("SaidaVeiculo", RunSaidaVeiculoBrowse);
        ProcedureRegistry::Add("USaidaVeiculos", RunSaidaVeiculoForm);
        ProcedureRegistry::Add("LancamentoMestre", RunLancamentoMestreBrowse);
        ProcedureRegistry::Add("UMestre", RunMestreForm);
        ProcedureRegistry::Add("UAnalitico", RunAnaliticoForm);
        ProcedureRegistry::Add("UDiario", RunDiarioForm);
        // Audit of the movements and the invalid state registrations.
        ProcedureRegistry::Add("Auditoria", RunAuditoria);
        ProcedureRegistry::Add("JanErroForCli", RunJanErroForCli);
        ProcedureRegistry::Add("JanErroNotaForCli", RunJanErroNotaForCli);
        // Repair of stored entry items.
        ProcedureRegistry::Add("AjustaLancEntrada", RunAjustaLancEntrada);
    });
}

}  // namespace vorel::movements
