// Tables the exports read alike (tabelas.h).
#include "tabelas.h"

#include "vorel/dictionary/key_names.h"

namespace vorel::exports {

dictionary::EmpresaRec LeEmpresa(std::uint32_t codigo) {
    Aberta empresa(dictionary::Empresa());
    auto& e = empresa.f.rec<dictionary::EmpresaRec>();
    empresa.f.clear_record();
    e.Codigo = static_cast<decltype(e.Codigo)>(codigo);
    if (!empresa.aberta.ok() || !empresa.f.get(dictionary::keys::EMP_KEY_CODIGO).ok()) {
        empresa.f.clear_record();
        e.Codigo = static_cast<decltype(e.Codigo)>(codigo);
    }
    return e;
}

}  // namespace vorel::exports
