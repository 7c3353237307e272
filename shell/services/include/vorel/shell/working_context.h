// The working company and year: making sure a procedure has one, and pointing the company's and
// the year's folders and table names at them.
//
// `GaranteEmpresa(ctx)` is what a procedure's set-up calls: when GLO:EMPRESA:CODIGO is 0 it calls
// "SelecionaEmpresa" by name on the caller's thread (the shell registers that window). True: a
// company, a year and a month are set. False: the user left the company window without a
// company, and the procedure does not open (it has nothing to work on).
//
// `CaminhosArquivosEmpresa` takes GLO_EMPRESA_CODIGO and the calling thread's `Empresa` record
// buffer (its EMP:TIPONBM and EMP:TIPOFORNECEDOR), sets PastaEmpresa, PastaEmpresaVorel and
// PastaEscrita, creates those folders and points every per-company table's name variable at them.
// `CaminhosArquivosAno` does the same for GLO_ANO: PastaAno and the per-year tables. Neither opens
// a table: a table that is open keeps its file until it is opened again. A folder that cannot be
// created shows later, when a table in it fails to open.
//
// `PeriodoDeTrabalho()` reads the working company and month into the value that windows hand to
// the library calls (period.h).
//
//     if (!GaranteEmpresa(ctx)) return;
//     CalculoProdutos(PeriodoDeTrabalho(), opcoes, avisos);
//     GLO_EMPRESA_CODIGO.Set(15); (Empresa buffer holds company 15)
//     CaminhosArquivosEmpresa(); CaminhosArquivosAno();
#pragma once

#include "vorel/shell/period.h"

namespace vorel::ui {
class ProcContext;
}

namespace vorel::shell {

// Calls "SelecionaEmpresa" on the caller's thread when GLO:EMPRESA:CODIGO is 0; true when a
// company is chosen afterwards, false when the user cancelled.
bool GaranteEmpresa(ui::ProcContext& ctx);

// GLO:EMPRESA:CODIGO, GLO:ANO and GLO:MES as one value.
EmpresaPeriodo PeriodoDeTrabalho();

void CaminhosArquivosEmpresa();
void CaminhosArquivosAno();

}  // namespace vorel::shell
