// The vehicle sheets' window procedures and their registration by name.
//
// `AddVehicleProcedures()` adds the option windows the menu starts ("PlanilhaVeiculos",
// "PlanilhaVeiculosFornecedor", "ExpExcelPlanilhaVeiculos", "PlanilhaFinalVeiculos"); calling it
// again changes nothing. Each window runs the vehicle computation (vorel/computation/
// planilha_veiculos.h) on its own thread with a progress window and hands the work table to the
// chosen output.
#pragma once

namespace vorel::ui {
class ProcContext;
}

namespace vorel::computation {

void AddVehicleProcedures();

void RunPlanilhaVeiculos(ui::ProcContext& ctx);            // "PlanilhaVeiculos"
void RunPlanilhaVeiculosFornecedor(ui::ProcContext& ctx);  // "PlanilhaVeiculosFornecedor"
void RunExpExcelPlanilhaVeiculos(ui::ProcContext& ctx);    // "ExpExcelPlanilhaVeiculos"
void RunPlanilhaFinalVeiculos(ui::ProcContext& ctx);       // "PlanilhaFinalVeiculos"

}  // namespace vorel::computation
