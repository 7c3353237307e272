// Readers of the frame's settings files.
#include "vorel/shell/settings_read.h"
#include "vorel/shell/program_settings.h"

#include "vorel/core/settings_file.h"
#include "vorel/core/text.h"

namespace vorel::shell {

namespace {

std::string W(std::string_view utf8) { return text::from_utf8(utf8); }

std::string Root(std::string_view pastaRaiz) {
    std::string r(text::clip(pastaRaiz));
    if (!r.empty() && r.back() != '\\') r += '\\';
    return r;
}

}  // namespace

PapelParedeConfig LePapelParedeConfig() {
    settings::SettingsFile ini("Vorel.ini");
    PapelParedeConfig c;
    c.arquivo = ini.read_text("Papel_Parede", "Arquivo");
    c.disposicao = static_cast<int>(ini.read_number("Papel_Parede", "Disposicao", 0));
    c.nenhum = ini.read_text("Papel_Parede", "Nenhum");
    return c;
}

std::error_code GravaPapelParedeConfig(const PapelParedeConfig& c) {
    settings::SettingsFile ini("Vorel.ini");
    return ini.update([&](settings::Content& content) {
        content.set("Papel_Parede", "Arquivo", c.arquivo);
        content.set("Papel_Parede", "Disposicao", std::to_string(c.disposicao));
        content.set("Papel_Parede", "Nenhum", c.nenhum);
    });
}

PapelParede PapelParedeDoQuadro(std::string_view pastaRaiz) {
    PapelParedeConfig c = LePapelParedeConfig();
    PapelParede p;
    if (!text::clip(c.arquivo).empty()) {
        p.arquivo = c.arquivo;
        p.disposicao = (c.disposicao >= 1 && c.disposicao <= 3) ? c.disposicao : 0;
    } else {
        p.disposicao = 2;
        long long revenda = settings::SettingsFile(Root(pastaRaiz) + "BComuns\\Revenda.Ini").read_number("Revenda", "Revenda", 0);
        p.arquivo = Root(pastaRaiz) + ((revenda == 2 || revenda == 3) ? "netfundo.bmp" : "FGenerico.bmp");
    }
    if (!text::clip(c.nenhum).empty()) p.arquivo.clear();
    return p;
}

ModoImpressaoConfig LeModoImpressao() {
    settings::SettingsFile ini("Vorel.ini");
    ModoImpressaoConfig m;
    m.modo = static_cast<std::uint8_t>(ini.read_number("Impressora", W("Configuração"), 0));
    m.impressora = static_cast<std::uint8_t>(ini.read_number("Impressora", "Impressora", 0));
    if (m.modo == 0) m.modo = 1;
    return m;
}

ModoImpressaoVisual VisualModoImpressao(std::uint8_t modo, bool aoAbrir) {
    if (modo == 1) return {"Computer.ico", aoAbrir ? "Vídeo/Windows" : "Vídeo"};
    if (modo == 0 && !aoAbrir) return {"Matric.ico", "Jato Tinta/Laser"};
    return {"Print.ico", "Matricial"};
}

ParametrosEscritorio LeParametrosEscritorio(std::string_view pastaRaiz) {
    settings::SettingsFile ini(Root(pastaRaiz) + "BComuns\\Vorel.ini");
    const char* s = "Parametros";
    auto t = [&](const char* key) { return ini.read_text(s, key); };
    auto n = [&](const char* key, long long d = 0) { return ini.read_number(s, key, d); };
    ParametrosEscritorio p;
    // The office's name comes from the same section, where the parameters window writes it.
    p.PARNOME = t("Nome");
    p.PARRESPONSAVEL = t("Responsavel");
    p.PARENDERECO = t("Endereco");
    p.PARNUMERO = static_cast<std::int16_t>(n("Numero"));
    p.PARBAIRRO = t("Bairro");
    p.PARCOMPLEMENTO = t("Complemento");
    p.PARCIDADE = t("Cidade");
    p.PARUF = t("UF");
    p.PARCEP = static_cast<std::uint32_t>(n("CEP"));
    p.PARDDD = static_cast<std::int16_t>(n("DDD"));
    p.PARTELEFONE = static_cast<std::uint32_t>(n("Telefone"));
    p.PARFAX = static_cast<std::uint32_t>(n("Fax"));
    p.PAREMAIL = t("Email");
    p.PARWEB = t("PagWEB");
    p.PARTIPINS = static_cast<std::uint8_t>(n("TipoInscricao"));
    p.PARCGC = t("CGC");
    p.PARCPF = t("CFP");
    p.PARINSEST = t("InscricaoEstadual");
    p.PARIMPDATA = static_cast<std::uint8_t>(n("ImprimeData", 1));
    p.PARIMPESCR = static_cast<std::uint8_t>(n("ImprimeEscr", 1));
    return p;
}

std::uint8_t LeUsaAliquotaProduto(std::string_view pastaRaiz) {
    return static_cast<std::uint8_t>(
        settings::SettingsFile(Root(pastaRaiz) + "BComuns\\Vorel.ini").read_number("Parametros", "AliquotaProdutos", 0));
}

bool LeLoteObrigatorio(std::string_view pastaRaiz) {
    return settings::SettingsFile(Root(pastaRaiz) + "BComuns\\Vorel.ini").read_number("Parametros", "Lote", 0) == 1;
}

bool TecladoDecimalComVirgula() {
    return TecladoPadraoBR() == 0;
}

}  // namespace vorel::shell
