// Vorel.ini [Impressora]: the printing mode and the page reports' last print queue.
#include "vorel/shell/printing_settings.h"

#include "vorel/core/settings_file.h"
#include "vorel/core/text.h"

namespace vorel::shell {

namespace {

constexpr std::string_view kArquivo = "Vorel.ini";
constexpr std::string_view kSecao = "Impressora";
constexpr std::string_view kImpressora = "Impressora";
constexpr std::string_view kFila = "FilaRelatorios";
const std::string& ChaveModo() {
    static const std::string chave = text::from_utf8("Configuração");
    return chave;
}

}  // namespace

ModoImpressaoConfig LeModoImpressao() {
    settings::SettingsFile ini(kArquivo);
    ModoImpressaoConfig m;
    m.modo = static_cast<std::uint8_t>(ini.read_number(kSecao, ChaveModo(), 0));
    m.impressora = static_cast<std::uint8_t>(ini.read_number(kSecao, kImpressora, 0));
    if (m.modo == 0) m.modo = 1;
    return m;
}

std::error_code GravaModoImpressaoConfig(const ModoImpressaoConfig& c) {
    return settings::SettingsFile(kArquivo).update([&](settings::Content& conteudo) {
        conteudo.set(kSecao, ChaveModo(), std::to_string(c.modo));
        conteudo.set(kSecao, kImpressora, std::to_string(c.impressora));
    });
}

std::string FilaRelatorios() { return settings::SettingsFile(kArquivo).read_text(kSecao, kFila); }

std::error_code GravaFilaRelatorios(std::string_view fila) {
    return settings::SettingsFile(kArquivo).write_text(kSecao, kFila, fila);
}

}  // namespace vorel::shell
