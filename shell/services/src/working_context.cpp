// GaranteEmpresa, and CaminhosArquivosEmpresa and CaminhosArquivosAno over the dictionary's folder
// names.
#include "vorel/shell/working_context.h"

#include "vorel/data/dictionary.h"
#include "vorel/dictionary/folders.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/shell/globals.h"
#include "vorel/ui/runtime.h"

namespace vorel::shell {

bool GaranteEmpresa(ui::ProcContext& ctx) {
    if (GLO_EMPRESA_CODIGO.Get() == 0) ctx.Call("SelecionaEmpresa");
    return GLO_EMPRESA_CODIGO.Get() != 0;
}

EmpresaPeriodo PeriodoDeTrabalho() { return {GLO_EMPRESA_CODIGO.Get(), GLO_ANO.Get(), GLO_MES.Get()}; }

void CaminhosArquivosEmpresa() {
    const auto& emp = data::dictionary::file(dictionary::Empresa()).rec<dictionary::EmpresaRec>();
    const dictionary::CaminhosEmpresa c = dictionary::CaminhosArquivosEmpresa(
        PastaRaiz.Get(), GLO_EMPRESA_CODIGO.Get(), emp.TIPONBM, emp.TIPOFORNECEDOR);
    PastaEmpresa.Set(c.PastaEmpresa);
    PastaEmpresaVorel.Set(c.PastaEmpresaVorel);
    PastaEscrita.Set(c.PastaEscrita);
    (void)dictionary::CriaPastas(c);  // a failure shows when a table in the folder opens
    dictionary::AplicaCaminhos(c);
}

void CaminhosArquivosAno() {
    const dictionary::CaminhosAno c =
        dictionary::CaminhosArquivosAno(PastaRaiz.Get(), GLO_EMPRESA_CODIGO.Get(), GLO_ANO.Get());
    PastaAno.Set(c.PastaAno);
    (void)dictionary::CriaPastas(c);
    dictionary::AplicaCaminhos(c);
}

}  // namespace vorel::shell
