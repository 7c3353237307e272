// The company heading of the movements' reports.
#include "report_style.h"

#include "vorel/data/file_manager.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/shared_registers.h"

namespace vorel::movements::estilo {

EmpresaRelatorio LeEmpresa(std::uint32_t codigo) {
    EmpresaRelatorio e;
    data::FileManager emp(dictionary::Empresa());
    emp.set_create(false);
    if (!emp.open().ok()) return e;
    auto& r = emp.rec<dictionary::EmpresaRec>();
    emp.clear_record();
    r.Codigo = static_cast<std::uint16_t>(codigo);
    if (emp.get(dictionary::keys::EMP_KEY_CODIGO).ok())
        e = {r.Codigo, std::string(r.RAZAOSOCIAL.value()), std::string(r.CGC.value()), std::string(r.EMAIL.value())};
    (void)emp.close();
    return e;
}

}  // namespace vorel::movements::estilo
