// Registration of the monthly sheet's procedures by name ("PlanilhaMensalProdutos", which a
// computation run calls with its work table handed over).
#pragma once

namespace vorel::sheets {

void AddSheetProcedures();

}  // namespace vorel::sheets
