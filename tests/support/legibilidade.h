// What a reader of a page report cannot read: two texts of one row painted over each other, and a
// heading that its box cuts (the renderer cuts a text at its box). Widths come from the renderer's
// own measure (`report::text_width`), in the fonts the program prints with; a report's data columns
// may cut a long value on purpose, so only the texts above `fim_cabecalho` (the page header's
// headings) are checked for cuts: a test whose data is chosen to fit passes the page's height to
// have every text checked. Any test program that links vorel_report may use it:
//
//     EXPECT_THAT(vorel::testing::TextosIlegiveis(document, 927), ::testing::IsEmpty());
#pragma once

#include <gmock/gmock.h>

#include <QGuiApplication>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "vorel/core/text.h"
#include "vorel/report/page_model.h"
#include "vorel/report/renderer.h"

namespace vorel::testing {

namespace legibilidade {

struct Pintado {
    const report::TextItem* item;
    report::Mils de, ate;  // the painted extent, blanks left out
};

inline Pintado Extensao(const report::TextItem& t) {
    const std::string& s = t.text;
    const std::size_t i = s.find_first_not_of(' ');
    const std::size_t f = s.find_last_not_of(' ');
    const std::string visivel = s.substr(i, f - i + 1);
    const report::Mils largura = report::text_width(t.font, visivel);
    report::Mils de = t.box.x;
    if (t.align == report::Align::Left) {
        de = t.box.x + report::text_width(t.font, s.substr(0, i));
    } else if (t.align == report::Align::Right) {
        de = t.box.x + t.box.width - report::text_width(t.font, s.substr(f + 1)) - largura;
    } else {
        de = t.box.x + (t.box.width - report::text_width(t.font, s)) / 2 + report::text_width(t.font, s.substr(0, i));
    }
    report::Mils ate = de + largura;
    if (t.box.width > 0) {
        de = std::max(de, t.box.x);
        ate = std::min(ate, t.box.x + t.box.width);
    }
    return {&t, de, ate};
}

// The fonts are measured by Qt, which needs an application; tests without one get it here.
inline void GaranteAplicacaoQt() {
    if (QGuiApplication::instance() != nullptr) return;
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char nome[] = "legibilidade";
    static char* argv[] = {nome, nullptr};
    static QGuiApplication app(argc, argv);
}

}  // namespace legibilidade

// What a text may pass its box by unseen: about a dot of a 300 dpi printer.
constexpr report::Mils kFolga = 4;

// One line per fault: "cut: <heading>" or "<text> over <text>", texts in UTF-8.
inline std::vector<std::string> TextosIlegiveis(const report::Document& d, report::Mils fim_cabecalho) {
    legibilidade::GaranteAplicacaoQt();
    std::vector<std::string> faltas;
    for (const report::Page& pagina : d.pages) {
        std::vector<legibilidade::Pintado> textos;
        for (const report::Item& item : pagina.items) {
            const auto* t = std::get_if<report::TextItem>(&item);
            if (t == nullptr || t->text.find_first_not_of(' ') == std::string::npos) continue;
            const std::string visivel = std::string(text::clip(t->text.substr(t->text.find_first_not_of(' '))));
            const report::Mils largura = report::text_width(t->font, visivel);
            if (t->box.y < fim_cabecalho && t->box.width > 0 && largura > t->box.width + kFolga)
                faltas.push_back("cut: " + text::to_utf8(visivel) + " (" + std::to_string(largura) + " in " +
                                 std::to_string(t->box.width) + ")");
            textos.push_back(legibilidade::Extensao(*t));
        }
        for (std::size_t a = 0; a < textos.size(); ++a)
            for (std::size_t b = a + 1; b < textos.size(); ++b) {
                const report::TextItem& x = *textos[a].item;
                const report::TextItem& y = *textos[b].item;
                const bool mesma_linha = std::abs(x.box.y - y.box.y) * 2 < std::min(x.box.height, y.box.height);
                if (mesma_linha && textos[a].ate > textos[b].de && textos[b].ate > textos[a].de)
                    faltas.push_back(text::to_utf8(x.text) + " over " + text::to_utf8(y.text));
            }
    }
    std::sort(faltas.begin(), faltas.end());
    faltas.erase(std::unique(faltas.begin(), faltas.end()), faltas.end());
    return faltas;
}

}  // namespace vorel::testing
