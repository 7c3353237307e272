// What the movements' page reports share: fonts, millimetres and the working company's heading.
#pragma once

#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "vorel/core/text.h"
#include "vorel/report/band.h"

namespace vorel::movements::estilo {

inline report::Mils Mm(double mm) { return static_cast<report::Mils>(std::lround(mm * 1000.0 / 25.4)); }

inline report::Font Fonte(int pontos, bool negrito = false, const char* familia = "Arial") {
    report::Font f;
    f.family = familia;
    f.points = pontos;
    f.bold = negrito;
    return f;
}

// Windows-1252 of a UTF-8 literal.
inline std::string W(std::string_view utf8) { return text::from_utf8(utf8); }

// The working company as a report's heading shows it (Windows-1252).
struct EmpresaRelatorio {
    std::uint32_t codigo = 0;
    std::string razao, cgc, email;
};
// The working company's record (`Empresa` by its code), read on a cursor of the caller's own;
// blank fields when it cannot be read.
EmpresaRelatorio LeEmpresa();

}  // namespace vorel::movements::estilo
