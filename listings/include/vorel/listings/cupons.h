// The cash-register listings of a company's month (the working one, passed by the window
// `RelatorioCF`): the master records
// (`RelPDVMestre`, `LancICMSEletronico`), the analytic records (`RelPDVAnalitico`, `AnaliticoICMS`),
// the daily product records (`RelPDVDiario`, `MovMaqRegistradora`) and the three together under each
// master record (`RelPDVCompleto`). Machines are looked up in `ICMSEletronica`, products in
// `Produtos`, the working company in `Empresa`. Page reports through the previewer in every printing
// mode, e-mailed when the window `RelatorioCF` asked for it. A record belongs to the month when the
// day number in its `DataEmissao` text lies within the month.
#pragma once

#include "vorel/report/page_model.h"
#include "vorel/shell/period.h"

namespace vorel::ui {
class ProcContext;
}

namespace vorel::listings {

void RelPDVMestre(ui::ProcContext& ctx, const shell::EmpresaPeriodo& periodo);
void RelPDVAnalitico(ui::ProcContext& ctx, const shell::EmpresaPeriodo& periodo);
void RelPDVDiario(ui::ProcContext& ctx, const shell::EmpresaPeriodo& periodo);
void RelPDVCompleto(ui::ProcContext& ctx, const shell::EmpresaPeriodo& periodo);

// Their pages, without the previewer (empty when the month has no record).
report::Document DocumentoPDVMestre(const shell::EmpresaPeriodo& periodo);
report::Document DocumentoPDVAnalitico(const shell::EmpresaPeriodo& periodo);
report::Document DocumentoPDVDiario(const shell::EmpresaPeriodo& periodo);
report::Document DocumentoPDVCompleto(const shell::EmpresaPeriodo& periodo);

}  // namespace vorel::listings
