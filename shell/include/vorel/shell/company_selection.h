// The windows that choose the working company and period. Modal on the caller's thread (the
// thread's table dictionary must be set up); other subsystems reach them by name, through
// `GaranteEmpresa` (vorel/shell/working_context.h) or `ctx.Call("SelecionaPeriodo")`.
//   "SelecionaEmpresa"  chooses the working company: closed with a company that exists in
//                       `Empresa`, it sets GLO:EMPRESA:CODIGO, GLO:EMPRESA:RAZAO, CNPJEmpresa,
//                       TipoFornecedorEmpresa, the company's folders and table names, and the
//                       year's (asking for the period when no year is set); cancelled with none,
//                       it changes nothing and answers Response 2.
//   "SelecionaPeriodo"  chooses the working month and year (GLO:ANO, GLO:MES, InicioPeriodo,
//                       FimPeriodo and the year's table names); it closes only with a valid year.
#pragma once

#include "vorel/ui/runtime.h"

namespace vorel::shell {

void SelecionaEmpresa(ui::ProcContext& ctx);
void SelecionaPeriodo(ui::ProcContext& ctx);

}  // namespace vorel::shell
