// The working company's and year's folders and table names.
//
// `CaminhosArquivosEmpresa` takes GLO_EMPRESA_CODIGO and the calling thread's `Empresa` record
// buffer (its EMP:TIPONBM and EMP:TIPOFORNECEDOR), sets PastaEmpresa, PastaEmpresaVorel and
// PastaEscrita, creates those folders and points every per-company table's name variable at them.
// `CaminhosArquivosAno` does the same for GLO_ANO: PastaAno and the per-year tables. Neither opens
// a table: a table that is open keeps its file until it is opened again. A folder that cannot be
// created shows later, when a table in it fails to open.
//
//     GLO_EMPRESA_CODIGO.Set(15); (Empresa buffer holds company 15)
//     CaminhosArquivosEmpresa(); CaminhosArquivosAno();
#pragma once

namespace vorel::shell {

void CaminhosArquivosEmpresa();
void CaminhosArquivosAno();

}  // namespace vorel::shell
