// Readers of the frame's settings files.
#include "vorel/shell/settings_read.h"
#include "vorel/shell/program_settings.h"

#include "vorel/core/settings_file.h"
#include "vorel/core/text.h"

namespace vorel::shell {

namespace {

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

ModoImpressaoVisual VisualModoImpressao(std::uint8_t modo, bool aoAbrir) {
    if (modo == 1) return {"Computer.ico", aoAbrir ? "Vídeo/Windows" : "Vídeo"};
    if (modo == 0 && !aoAbrir) return {"Matric.ico", "Jato Tinta/Laser"};
    return {"Print.ico", "Matricial"};
}

bool TecladoDecimalComVirgula() {
    return TecladoPadraoBR() == 0;
}

}  // namespace vorel::shell
