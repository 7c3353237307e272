// The working company and period, and the company register.
//
// Window procedures (each on the thread that starts or calls it; the thread's table dictionary
// must be set up):
//   "SelecionaEmpresa"  chooses the working company. Modal on the caller's thread: it closes only
//                       with a company that exists in `Empresa`, and only then sets GLO:EMPRESA:CODIGO,
//                       GLO:EMPRESA:RAZAO, CNPJEmpresa, TipoFornecedorEmpresa, the company's folders
//                       and table names, and the year's (asking for the period when no year is set).
//   "SelecionaPeriodo"  chooses the working month and year (GLO:ANO, GLO:MES, InicioPeriodo,
//                       FimPeriodo and the year's table names); it closes only with a valid year.
//   "Empresa"           the company browse (request 4 selects: the chosen record is left in the
//                       thread's `Empresa` buffer and the response is completed).
//   "UEmpresa"          the company form (request 1 insert, 2 change, 3 delete, 6 view).
// `GaranteEmpresa(ctx)` is what a procedure's set-up calls: the company window when no company is
// chosen. `ApagaEmpresa` asks and deletes a deleted company's folder under the data root.
#pragma once

#include <cstdint>
#include <string>

#include "vorel/ui/runtime.h"

namespace vorel::shell {

void SelecionaEmpresa(ui::ProcContext& ctx);
void SelecionaPeriodo(ui::ProcContext& ctx);
void EmpresaBrowse(ui::ProcContext& ctx);
void UEmpresa(ui::ProcContext& ctx);

// Calls "SelecionaEmpresa" on the caller's thread when GLO:EMPRESA:CODIGO is 0; true when a
// company is chosen afterwards.
bool GaranteEmpresa(ui::ProcContext& ctx);

// "Confirmação de Exclusão": on "&SIM" deletes the folder of company `codigo` under the data root
// (PastaRaiz & 8 digits) with everything in it. Refuses any other folder. `nome` is Windows-1252.
void ApagaEmpresa(ui::ProcContext& ctx, std::uint16_t codigo, const std::string& nome);

// Adds the procedures above (and the calculator, the month closing and the parameters windows) to
// the procedure registry.
void RegisterCompanyProcedures();

}  // namespace vorel::shell
