// ConsultaCnpj: runs the CNPJ look-up program and reads what it left in its settings file.
#include "vorel/shell/cnpj_lookup.h"

#include "vorel/core/paths.h"
#include "vorel/core/program.h"
#include "vorel/core/settings_file.h"
#include "vorel/core/text.h"
#include "vorel/data/dictionary.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/text_utils.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/use_var.h"

namespace vorel::shell {

namespace {

constexpr std::string_view kTitulo = "Consulta C.N.P.J";

std::string Digitos(std::string_view s) {
    std::string d;
    for (char c : s)
        if (c >= '0' && c <= '9') d += c;
    return d;
}

// The city as the Municipios register writes it, for a state and the capitalised name.
std::string CidadeRegistrada(std::string_view uf, std::string_view municipio) {
    data::FileManager& mun = data::dictionary::file(dictionary::Municipios());
    auto& m = mun.rec<dictionary::MunicipiosRec>();
    mun.clear_record();
    m.ESTADO = uf;
    m.NOME_DOS = municipio;
    return mun.get(dictionary::keys::MUN_KEY_NOME_MAIUS) == data::kNoError ? std::string(m.NOME.clipped())
                                                                           : std::string();
}

}  // namespace

std::optional<CadastroReceita> ConsultaCnpj(std::string_view cnpj, std::string_view avisoAusente) {
    const std::string pasta = files::join(std::string(text::clip(PastaRaiz.Get())), "WebBrowser");
    const std::string programa = files::join(pasta, "WebBrowser.exe");
    std::string argumento(cnpj);
    argumento.resize(14, ' ');
    if (!program::run(programa, {"3", argumento}).started()) {
        ui::Message(std::string(avisoAusente) + text::to_utf8(programa), std::string(kTitulo), ui::Icon::Exclamation);
        return std::nullopt;
    }
    settings::SettingsFile ini(files::join(pasta, "WebBrowser.ini"));
    constexpr std::string_view kSecao = "WebBrowser";
    if (ini.read_number(kSecao, "Buscou", 0) != 1) return std::nullopt;
    if (ui::Ask("Deseja preencher o cadastro com os dados da Receita Federal?", std::string(kTitulo), ui::Icon::Question,
                "&Sim|&Não", 2) != "&Sim")
        return std::nullopt;
    auto le = [&](std::string_view chave) { return ini.read_text(kSecao, chave, ""); };
    CadastroReceita c;
    c.razaoSocial = le("RazaoSocial");
    c.uf = text::upper(le("UF"));
    c.cidade = CidadeRegistrada(c.uf, le("Municipio"));
    c.endereco = le("Endereco");
    if (!ui::ParseLeadingInteger(le("Numero"), c.numero) || c.numero < 0) c.numero = 0;
    const std::string cep = Digitos(LimpaTexto(le("CEP")));
    c.cep = cep.empty() || cep.size() > 9 ? 0 : static_cast<std::uint32_t>(std::stoul(cep));
    c.complemento = le("Complemento");
    c.bairro = le("Bairro");
    return c;
}

}  // namespace vorel::shell
