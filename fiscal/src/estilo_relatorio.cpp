// The company of a report's heading (estilo_relatorio.h).
#include "vorel/fiscal/estilo_relatorio.h"

#include "vorel/data/file_manager.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/shared_registers.h"

namespace vorel::fiscal::estilo {

Empresa LeEmpresa(std::uint32_t codigo) {
    Empresa e;
    data::FileManager emp(dictionary::Empresa());
    emp.set_create(false);
    if (!emp.open().ok()) return e;
    auto& r = emp.rec<dictionary::EmpresaRec>();
    emp.clear_record();
    r.Codigo = static_cast<std::uint16_t>(codigo);
    if (emp.get(dictionary::keys::EMP_KEY_CODIGO).ok()) {
        e.codigo = r.Codigo;
        e.razao = std::string(r.RAZAOSOCIAL.value());
        e.cgc = std::string(r.CGC.value());
        e.email = std::string(r.EMAIL.value());
        e.inscricao = std::string(r.INSCESTADUAL.value());
        e.cidade = std::string(r.CIDADE.value());
        e.endereco = std::string(r.ENDERECO.clipped()) + ", " + std::to_string(r.NUMERO) + " " +
                     std::string(r.COMPLEMENTO.clipped()) + " - " + std::string(r.BAIRRO.clipped());
        e.lida = true;
    }
    (void)emp.close();
    return e;
}

}  // namespace vorel::fiscal::estilo
