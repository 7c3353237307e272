// What the subsystems' page reports share: millimetres in the page model's thousandths of an inch,
// the report fonts (Arial unless another family is named), Windows-1252 texts from UTF-8 literals,
// the footer of an A4 landscape page (the report's footer text and "Página" with the number), the
// company a report's heading names (`LeEmpresa`), and a title centred in a text report's line.
//
//     using fiscal::estilo::Mm;
//     p.text({Mm(10), Mm(2), Mm(120), Mm(4)}, fiscal::estilo::W("Razão Social"), fiscal::estilo::Fonte(8, true));
#pragma once

#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "vorel/core/text.h"
#include "vorel/report/band.h"

namespace vorel::fiscal::estilo {

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

// `t` without its outer blanks, centred in `largura` positions (the odd blank after it); cut to
// `largura` when longer.
inline std::string Centro(std::string_view t, std::size_t largura) {
    const std::string s(text::trim(t));
    if (s.size() >= largura) return s.substr(0, largura);
    const std::size_t antes = (largura - s.size()) / 2;
    return std::string(antes, ' ') + s + std::string(largura - s.size() - antes, ' ');
}

// The footer of an A4 landscape page (277 mm of print width); `rodape` in Windows-1252.
inline report::Band RodapePaisagem(std::string rodape) {
    return {Mm(6), [rodape = std::move(rodape)](report::BandPainter& p) {
                p.line(0, Mm(1), Mm(277), Mm(1));
                p.text({0, Mm(2), Mm(240), Mm(4)}, rodape, Fonte(7));
                p.text({Mm(250), Mm(2), Mm(12), Mm(4)}, W("Página"), Fonte(7));
                p.page_text({Mm(262), Mm(2), Mm(15), Mm(4)}, "{page}", Fonte(7), report::Align::Right);
            }};
}

// The company of a report's heading, as `Empresa` stores it (Windows-1252, the fields' full width).
struct Empresa {
    std::uint16_t codigo = 0;
    std::string razao, cgc, email, inscricao, cidade;
    std::string endereco;  // "street, number complement - district", each part without trailing blanks
    bool lida = false;     // false: the record could not be read and the fields are blank
};
// Company `codigo`'s record (`Empresa` by its code), read on a cursor of its own; the table is not
// created when it is missing.
Empresa LeEmpresa(std::uint32_t codigo);

}  // namespace vorel::fiscal::estilo
