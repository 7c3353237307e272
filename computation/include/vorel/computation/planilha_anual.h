// The pages of the annual method's sheet ("Modelo 5") and its procedures.
//
// `DocumentoPlanilhaAnual` draws the sheet of a summary by rate (nothing when the summary has no
// rate); the procedures "PlanilhaAnual" (the option window) and "PlanilhaAnualProdutos" (the report
// in the previewer step) are registered by `AddComputationProcedures`.
//
//     report::Document d = DocumentoPlanilhaAnual(taxas, 1, rodape);
#pragma once

#include <string>
#include <vector>

#include "vorel/computation/metodo_anual.h"
#include "vorel/report/band.h"
#include "vorel/report/page_model.h"
#include "vorel/report/report_controller.h"

namespace vorel::computation {

report::ReportSetup PaginaPlanilhaAnual(int paginaInicial);
// One band per page: the labels with up to six value columns; the last page ends with the totals
// column and the two balances.
std::vector<report::Band> PaginasPlanilhaAnual(const MetodoAnual& m);
report::Band RodapePlanilhaAnual(std::string rodape);  // Windows-1252
report::Document DocumentoPlanilhaAnual(const std::vector<TaxaAnual>& taxas, int paginaInicial, const std::string& rodape);

}  // namespace vorel::computation
