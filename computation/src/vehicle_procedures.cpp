// Registration of the vehicle sheets' procedures by name.
#include "vorel/computation/vehicle_procedures.h"

#include <mutex>

#include "vorel/ui/runtime.h"

namespace vorel::computation {

void AddVehicleProcedures() {
    static std::once_flag once;
    std::call_once(once, [] {
        using ui::ProcedureRegistry;
        ProcedureRegistry::Add("PlanilhaVeiculos", RunPlanilhaVeiculos);
        ProcedureRegistry::Add("PlanilhaVeiculosFornecedor", RunPlanilhaVeiculosFornecedor);
        ProcedureRegistry::Add("ExpExcelPlanilhaVeiculos", RunExpExcelPlanilhaVeiculos);
        ProcedureRegistry::Add("PlanilhaFinalVeiculos", RunPlanilhaFinalVeiculos);
    });
}

}  // namespace vorel::computation
