// The company, period, month-closing, calculator and parameters procedures, registered by name.
#include "vorel/shell/company_register.h"
#include "vorel/shell/company_selection.h"
#include "vorel/shell/procedures.h"
#include "vorel/shell/shell_windows.h"
#include "vorel/ui/runtime.h"

namespace vorel::shell {

void RegisterCompanyProcedures() {
    using ui::ProcContext;
    using ui::ProcedureRegistry;
    ProcedureRegistry::Add("SelecionaEmpresa", [](ProcContext& c) { SelecionaEmpresa(c); });
    ProcedureRegistry::Add("SelecionaPeriodo", [](ProcContext& c) { SelecionaPeriodo(c); });
    ProcedureRegistry::Add("Empresa", [](ProcContext& c) { EmpresaBrowse(c); });
    ProcedureRegistry::Add("UEmpresa", [](ProcContext& c) { UEmpresa(c); });
    ProcedureRegistry::Add("Calculadora", [](ProcContext& c) { Calculadora(c); });
    ProcedureRegistry::Add("AberturaFechamento", [](ProcContext& c) { AberturaFechamento(c); });
    ProcedureRegistry::Add("VisualizacaoLog", [](ProcContext& c) { VisualizacaoLog(c); });
    ProcedureRegistry::Add("Parametros", [](ProcContext& c) { Parametros(c); });
}

}  // namespace vorel::shell
