// The balance listings: `RelSaldosW` ("Relação de Saldos - MM/AAAA", the working month's
// `SaldosVorel` rows by product text, month and rate, optionally only those whose quantity is not
// zero; window `JRelSaldos`) and `RelatorioSaldoAnterior` ("Relatório de Saldo Anterior", the working
// year's opening-balance entries of `EntradaVorel`, number 0, with running totals in every page
// footer). Both look products up in `Produtos`, read nothing else but the working company's
// `Empresa` record, and run through the previewer in every printing mode; neither is e-mailed.
#pragma once

#include "vorel/report/page_model.h"
#include "vorel/shell/period.h"

namespace vorel::ui {
class ProcContext;
}

namespace vorel::listings {

// The balances of `periodo`'s month and company.
void RelSaldosW(ui::ProcContext& ctx, const shell::EmpresaPeriodo& periodo, bool somenteComSaldo);
report::Document DocumentoRelSaldos(const shell::EmpresaPeriodo& periodo, bool somenteComSaldo);

// The opening balances of `periodo`'s year and company. The menu's procedure makes sure of a company
// (GaranteEmpresa) first and passes the working period.
void RelatorioSaldoAnterior(ui::ProcContext& ctx, const shell::EmpresaPeriodo& periodo);
report::Document DocumentoSaldoAnterior(const shell::EmpresaPeriodo& periodo);

}  // namespace vorel::listings
