// Report "RelExcluiSaldoZero" ("Relação de Saldos Com Aliquota Zero - MM/AAAA"): the month's
// balances of `SaldosVorel` whose rate is 0, in the order of product text, month and rate, one line
// each with the product's code and description from `Produtos` ("<code> - " for a product the
// register lacks), the company (`Empresa`) in the page header. A4 portrait, never e-mailed; the
// window "Exclui Saldo Zero" starts it on a thread of its own ("&Imprimir").
//
//     RelExcluiSaldoZero(ctx, shell::PeriodoDeTrabalho());          // through the previewer step
//     report::Document d = DocumentoRelExcluiSaldoZero(periodo);    // the pages alone
#pragma once

#include "vorel/report/page_model.h"
#include "vorel/shell/period.h"

namespace vorel::ui {
class ProcContext;
}

namespace vorel::computation {

void RelExcluiSaldoZero(ui::ProcContext& ctx, const shell::EmpresaPeriodo& periodo);
report::Document DocumentoRelExcluiSaldoZero(const shell::EmpresaPeriodo& periodo);

}  // namespace vorel::computation
