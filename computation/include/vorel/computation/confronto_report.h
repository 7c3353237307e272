// The pages of the confrontation report ("RelConfSaidaEnt"): its page setup, header and footer, a
// printed line, and the summary by CFOP with the totals line.
//
//     report::Document d = DocumentoConfronto(confronto, rodape);   // rodape: Windows-1252
#pragma once

#include <string>

#include "vorel/computation/confronto.h"
#include "vorel/report/page_model.h"
#include "vorel/report/report_controller.h"

namespace vorel::computation {

report::ReportSetup PaginaConfronto();
// The page header (title and column headings) and the footer (`rodape` and the page number).
void MontaPaginasConfronto(report::ReportController& r, const std::string& rodape);
void ImprimeLinhaConfronto(report::ReportController& r, const LinhaConfronto& l);
// "Resumo por C.F.O." with a line per item (nothing when empty), then "Total CFO´s".
void ImprimeResumoConfronto(report::ReportController& r, const ResumoCFO& resumo);
report::Document DocumentoConfronto(const Confronto& c, const std::string& rodape);

}  // namespace vorel::computation
