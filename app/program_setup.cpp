// The program's set-up shared by the windowed and the headless runs.
#include "program_setup.h"

#include "vorel/computation/procedures.h"
#include "vorel/computation/vehicle_procedures.h"
#include "vorel/dictionary/tables.h"
#include "vorel/exports/procedures.h"
#include "vorel/integration/procedures.h"
#include "vorel/listings/procedures.h"
#include "vorel/maintenance/procedures.h"
#include "vorel/movements/procedures.h"
#include "vorel/registers/procedures.h"
#include "vorel/sheets/procedures.h"
#include "vorel/shell/startup.h"
#include "vorel/ui/record_access.h"

namespace vorel::app {

namespace {

// Every subsystem's procedures, added to the procedure registry by name (the menu starts them by
// these names). A subsystem that lands adds its registration here and its library to
// app/CMakeLists.txt. The shell's own procedures are added by its start-up, below.
void (*const kSubsystems[])() = {
    registers::AddRegisterProcedures,  // "CFO", "Estados", "BFuncionarios", ...
    movements::AddMovementProcedures,  // "SaldoAnterior", ...
    sheets::AddSheetProcedures,  // "PlanilhaMensalProdutos", "PlanilhaProdutos_Aux"
    integration::AddIntegrationProcedures,  // "Layout", "ImportaSaidasNota", ...
    computation::AddComputationProcedures,  // "CalculoMensal", "CalculoAnual", "PlanilhaFinal", ...
    computation::AddVehicleProcedures,  // "PlanilhaVeiculos", "ExpExcelPlanilhaVeiculos", ...
    listings::AddListingProcedures,  // "JRelProdutos", "JRelSaldos", "RelatorioCF", ...
    exports::AddExportProcedures,  // the `;` exports
    maintenance::AddMaintenanceProcedures,  // table maintenance, unification, batch repairs
};

}  // namespace

void AddSubsystemProcedures() {
    for (void (*add)() : kSubsystems) add();
}

ProgramSetup PrepareProgram() {
    ui::InstallMessageBoxAsker();
    ProgramSetup setup;
    setup.options.threadStart = [](ui::ProcContext&) { dictionary::InitDictionary(); };
    setup.options.threadEnd = [](ui::ProcContext&) { dictionary::TeardownDictionary(); };
    setup.error = shell::ProgramaPrincipal().erro;  // the shell's procedures, the data root and its folders
    AddSubsystemProcedures();
    return setup;
}

}  // namespace vorel::app
