// Registration of the exports procedures under the names the main menu starts.
#include "vorel/exports/procedures.h"

#include <mutex>

#include "vorel/exports/planilha_excel.h"
#include "vorel/exports/saidas.h"
#include "vorel/exports/saldo_mensal.h"
#include "vorel/ui/runtime.h"

namespace vorel::exports {

void AddExportProcedures() {
    static std::once_flag once;
    std::call_once(once, [] {
        using ui::ProcedureRegistry;
        ProcedureRegistry::Add("ExpExcelSaldoMensal", RunExpExcelSaldoMensal);
        ProcedureRegistry::Add("ExportaExcelSaidas", RunExportaExcelSaidas);
        ProcedureRegistry::Add("PlanilhaExcelProdutos", PlanilhaExcelProdutos);  // the monthly computation's hand-over
    });
}

}  // namespace vorel::exports
