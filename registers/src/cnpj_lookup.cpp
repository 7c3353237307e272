// ConsultaCnpj: runs the CNPJ look-up program and reads what it left in its settings file.
#include "vorel/registers/cnpj_lookup.h"

#include "vorel/core/paths.h"
#include "vorel/core/program.h"
#include "vorel/core/settings_file.h"

namespace vorel::registers {

DadosCnpj ConsultaCnpj(const std::string& root, const std::string& cnpj) {
    DadosCnpj d;
    std::string base = root;
    if (!base.empty() && base.back() != '\\' && base.back() != '/') base += '\\';
    d.programa = base + "WebBrowser\\WebBrowser.exe";
    if (!files::exists(d.programa)) {
        d.programaAusente = true;
        return d;
    }
    program::RunResult r = program::run(d.programa, {"3", cnpj});
    if (!r.started()) {
        d.programaAusente = true;
        return d;
    }
    settings::SettingsFile ini(base + "WebBrowser\\WebBrowser.ini");
    constexpr const char* kSecao = "WebBrowser";
    d.buscou = ini.read_number(kSecao, "Buscou", 0) == 1;
    if (!d.buscou) return d;
    d.razaoSocial = ini.read_text(kSecao, "RazaoSocial", "");
    d.uf = ini.read_text(kSecao, "UF", "");
    d.municipio = ini.read_text(kSecao, "Municipio", "");
    d.endereco = ini.read_text(kSecao, "Endereco", "");
    d.numero = ini.read_text(kSecao, "Numero", "");
    d.cep = ini.read_text(kSecao, "CEP", "");
    d.complemento = ini.read_text(kSecao, "Complemento", "");
    d.bairro = ini.read_text(kSecao, "Bairro", "");
    return d;
}

}  // namespace vorel::registers
