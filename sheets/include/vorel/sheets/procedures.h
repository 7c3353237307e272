// Registration of the monthly sheet's procedures by name ("PlanilhaMensalProdutos", which a
// computation run calls with its work table handed over; "PlanilhaProdutos_Aux", the management
// sheet's window of the reports menu).
#pragma once

namespace vorel::sheets {

void AddSheetProcedures();

}  // namespace vorel::sheets
