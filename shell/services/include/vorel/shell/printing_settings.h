// The user's `Vorel.ini`, section `Impressora`: the printing mode and dot-matrix printer chosen in
// the printer set-up ("Configuração", "Impressora") and the print queue page reports printed on
// last ("FilaRelatorios"). Texts are Windows-1252; a write returns what went wrong (empty when
// written).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <system_error>

namespace vorel::shell {

struct ModoImpressaoConfig {
    std::uint8_t modo = 1;       // 0 in the file becomes 1
    std::uint8_t impressora = 0;
};
ModoImpressaoConfig LeModoImpressao();
// Both keys in one locked step.
[[nodiscard]] std::error_code GravaModoImpressaoConfig(const ModoImpressaoConfig& c);

// The queue offered first by the next preview ("" when none was kept).
std::string FilaRelatorios();
[[nodiscard]] std::error_code GravaFilaRelatorios(std::string_view fila);

}  // namespace vorel::shell
