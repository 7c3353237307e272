// Shared pieces of the sheet's page reports (internal): fonts, mils, the company header lines.
#pragma once

#include <string>
#include <string_view>

#include "vorel/core/text.h"
#include "vorel/report/band.h"
#include "vorel/report/page_model.h"

namespace vorel::sheets::pagina {

inline report::Font Fonte(const char* familia, int pontos, bool negrito = false) {
    report::Font f;
    f.family = familia;
    f.points = pontos;
    f.bold = negrito;
    f.fixed_pitch = std::string_view(familia) == "Courier New";
    return f;
}
// A text box; an empty text prints nothing (a blank field).
inline void Escreve(report::BandPainter& p, report::Rect caixa, std::string texto, const report::Font& f,
                    report::Align a = report::Align::Left) {
    if (!texto.empty()) p.text(caixa, std::move(texto), f, a);
}
inline std::string W(std::string_view utf8) { return text::from_utf8(utf8); }

inline const char* const kTitulo = "Controle de Estoque - Mercadorias Enquadradas na Substituição Tributária";
inline const char* const kSubtitulo = "( Critério de Avaliação Valor Médio Ponderado Móvel )";
inline const char* const kAnexo = "PlanilhaMensalProdutos.zip";

}  // namespace vorel::sheets::pagina
