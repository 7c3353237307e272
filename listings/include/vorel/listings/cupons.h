// The cash-register listings of the working month (`GLO:MES`, `GLO:ANO`): the master records
// (`RelPDVMestre`, `LancICMSEletronico`), the analytic records (`RelPDVAnalitico`, `AnaliticoICMS`),
// the daily product records (`RelPDVDiario`, `MovMaqRegistradora`) and the three together under each
// master record (`RelPDVCompleto`). Machines are looked up in `ICMSEletronica`, products in
// `Produtos`, the working company in `Empresa`. Page reports through the previewer in every printing
// mode, e-mailed when the window `RelatorioCF` asked for it. A record belongs to the month when the
// day number in its `DataEmissao` text lies within the month.
#pragma once

#include "vorel/report/page_model.h"

namespace vorel::ui {
class ProcContext;
}

namespace vorel::listings {

void RelPDVMestre(ui::ProcContext& ctx);
void RelPDVAnalitico(ui::ProcContext& ctx);
void RelPDVDiario(ui::ProcContext& ctx);
void RelPDVCompleto(ui::ProcContext& ctx);

// Their pages, without the previewer (empty when the month has no record).
report::Document DocumentoPDVMestre();
report::Document DocumentoPDVAnalitico();
report::Document DocumentoPDVDiario();
report::Document DocumentoPDVCompleto();

}  // namespace vorel::listings
