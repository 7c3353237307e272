// What the computation's page reports share: millimetres, the Arial font, Windows-1252 texts and
// the landscape page footer (the report's footer text and "Página" with the page number).
#pragma once

#include <cmath>
#include <string>
#include <string_view>

#include "vorel/core/text.h"
#include "vorel/report/band.h"

namespace vorel::computation::estilo {

inline report::Mils Mm(double mm) { return static_cast<report::Mils>(std::lround(mm * 1000.0 / 25.4)); }

inline report::Font Fonte(int pontos, bool negrito = false) {
    report::Font f;
    f.family = "Arial";
    f.points = pontos;
    f.bold = negrito;
    return f;
}

// Windows-1252 of a UTF-8 literal.
inline std::string W(std::string_view utf8) { return text::from_utf8(utf8); }

// The footer of an A4 landscape page (277 mm of print width); `rodape` in Windows-1252.
inline report::Band RodapePaisagem(std::string rodape) {
    return {Mm(6), [rodape = std::move(rodape)](report::BandPainter& p) {
                p.line(0, Mm(1), Mm(277), Mm(1));
                p.text({0, Mm(2), Mm(240), Mm(4)}, rodape, Fonte(7));
                p.text({Mm(250), Mm(2), Mm(12), Mm(4)}, W("Página"), Fonte(7));
                p.page_text({Mm(262), Mm(2), Mm(15), Mm(4)}, "{page}", Fonte(7), report::Align::Right);
            }};
}

}  // namespace vorel::computation::estilo
