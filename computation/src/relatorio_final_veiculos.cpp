// The vehicle final summary's pages ("RelatorioFinalVeiculos"), A4 landscape: the statement's
// heading with the six column titles, one line per rate (the three net bases and the tax of each
// at the rate), the "TOTAL" line, and the balances 7 to 9 of the tax to complement, reimburse and
// compensate.
#include <array>

#include "vorel/fiscal/estilo_relatorio.h"
#include "vorel/computation/planilha_veiculos_paginas.h"
#include "vorel/core/picture.h"
#include "vorel/core/text.h"

namespace vorel::computation {

namespace {

using report::Align;
using report::BandPainter;
using fiscal::estilo::Fonte;
using fiscal::estilo::Mm;
using fiscal::estilo::W;

constexpr double kLargura = 265, kTaxa = 25, kColuna = 40;

const char* const kTitulos[6] = {
    "1 - Dif. Base Calc. Imp. a Complementar ( Campo 21 Planilha )",
    "2 - Dif. Base Calc. do Imp. a Ressarcir ( Campo 22 Planilha )",
    "3 - Dif. Base Calc. a Compensar ( Campo 23 Planilha )",
    "4 - Valor Imp. a Complementar ( 1 x Alíquota )",
    "5 - Valor Imp. a Ressarcir ( 2 x Alíquota )",
    "6 - Valor Imp. a Compensar ( 3 x Alíquota )",
};

report::Rect Caixa(double x, double y, double w, double h) { return {Mm(x), Mm(y), Mm(w), Mm(h)}; }
report::Rect Celula(int coluna, double y) { return Caixa(kTaxa + kColuna * (coluna - 1), y, kColuna - 1, 4); }

std::string Valor(const Decimal& v) { return std::string(text::trim(picture::format("@n-18`2b", v))); }
std::string Data(date::Day d) { return d ? picture::format("@d06b", Decimal(d)) : std::string(); }

report::ReportSetup Pagina(int paginaInicial) {
    report::ReportSetup s;
    s.title = "RelatorioFinalVeiculos";
    s.paper = report::Paper::a4();
    s.orientation = report::Orientation::Landscape;
    s.left = Mm(10);
    s.form_top = Mm(8);
    s.header_top = Mm(8);
    s.detail_top = Mm(56);
    s.detail_height = Mm(136);
    s.footer_top = Mm(192);
    s.first_page_number = paginaInicial;
    return s;
}

// A line of six amounts under a label (rate or "TOTAL").
report::Band LinhaDeValores(std::string rotulo, std::array<Decimal, 6> v, bool negrito) {
    return {Mm(5), [rotulo = std::move(rotulo), v, negrito](BandPainter& p) {
                const report::Font f = Fonte(9, negrito);
                if (negrito) p.line(0, Mm(0.3), Mm(kLargura), Mm(0.3));
                p.text(Caixa(0, 0.6, kTaxa - 2, 4), rotulo, f, Align::Right);
                for (int c = 1; c <= 6; ++c)
                    if (std::string t = Valor(v[static_cast<std::size_t>(c - 1)]); !t.empty()) p.text(Celula(c, 0.6), t, f, Align::Right);
            }};
}

}  // namespace

RelatorioFinalVeiculos::RelatorioFinalVeiculos(CabecalhoFinalVeiculos cab, int paginaInicial, std::string rodape)
    : cab_(std::move(cab)), rodape_(std::move(rodape)), relatorio_(Pagina(paginaInicial)) {
    relatorio_.set_page_header({Mm(48), [this](BandPainter& p) {
        const report::Font titulo = Fonte(11, true), rotulo = Fonte(9, true), f = Fonte(9);
        p.text(Caixa(0, 0, kLargura, 5), W("MÉTODO PERMANENTE - APURAÇÃO DO IMPOSTO A SER COMPLEMENTADO OU"), titulo,
               Align::Center);
        p.text(Caixa(0, 5, kLargura, 5), W("A SER RESSARCIDO EM OPERAÇÕES COM VEÍCULOS E MOTOS"), titulo, Align::Center);
        p.text(Caixa(224, 0, 16, 4), W("Emissão:"), rotulo);
        p.text(Caixa(240, 0, 25, 4), Data(cab_.emissao), f);
        p.line(0, Mm(11), Mm(kLargura), Mm(11));
        p.text(Caixa(0, 12, 24, 4), "Contribuinte:", rotulo);
        p.text(Caixa(24, 12, 130, 4), cab_.razao, f);
        p.text(Caixa(170, 12, 28, 4), "Insc. Estadual:", rotulo);
        p.text(Caixa(198, 12, 50, 4), cab_.inscricao, f);
        p.text(Caixa(0, 17, 24, 4), W("Referência:"), rotulo);
        p.text(Caixa(24, 17, 40, 4), text::zero_fill(cab_.mes, 2) + "/" + text::zero_fill(cab_.ano, 4), f);
        p.line(0, Mm(22), Mm(kLargura), Mm(22));
        p.text(Caixa(0, 23, 30, 4), W("Título"), rotulo);
        for (int i = 0; i < 6; ++i)
            p.text(Caixa(i < 3 ? 4 : 140, 27 + 4 * (i % 3), 132, 4), W(kTitulos[i]), f);
        p.line(0, Mm(40), Mm(kLargura), Mm(40));
        p.text(Caixa(0, 41.5, kTaxa - 2, 4), W("Alíquota"), rotulo, Align::Right);
        for (int c = 1; c <= 6; ++c) p.text(Celula(c, 41.5), std::to_string(c), rotulo, Align::Right);
        p.line(0, Mm(47), Mm(kLargura), Mm(47));
    }});
    relatorio_.set_page_footer({Mm(6), [this](BandPainter& p) {
        p.line(0, Mm(1), Mm(kLargura), Mm(1));
        p.text(Caixa(0, 1.5, 230, 4), rodape_, Fonte(7));
        p.text(Caixa(238, 1.5, 12, 4), W("Página :"), Fonte(7));
        p.page_text(Caixa(250, 1.5, 15, 4), "{page}", Fonte(7), Align::Right);
    }});
}

void RelatorioFinalVeiculos::Linha(const LinhaResumoVeiculo& l) {
    std::array<Decimal, 6> v = {l.complementar, l.ressarcir, l.compensar};
    for (std::size_t i = 0; i < 3; ++i) v[i + 3] = (v[i] * l.percentual / Decimal(100)).rounded(2);
    relatorio_.print(LinhaDeValores(std::string(text::trim(picture::format("@n6`2", l.percentual))), v, false), [this, v] {
        for (std::size_t i = 0; i < 6; ++i) totais_[i] += v[i];
    });
}

void RelatorioFinalVeiculos::Fecha() {
    relatorio_.print(LinhaDeValores("TOTAL", totais_, true));
    const SaldosVeiculo s = ApuraSaldosVeiculo(totais_[3], totais_[4], totais_[5]);
    struct Saldo {
        const char* texto;
        const Decimal& valor;
    };
    const Saldo saldos[] = {
        {"7 - SADO DO IMPOSTO A SER COMPLEMENTADO TOTAL D0 ( 4 - 5- 6 )", s.complementar},
        {"8 - SALDO DO IMPOSTO A SER RESSARCIDO TOTAL DO ( 5 - 4 )", s.ressarcir},
        {"9 - SALDO DO IMPOSTO A SER COMPENSADO TOTAL DO ( 6 + 5 - 4 - 8 )", s.compensar},
    };
    for (const Saldo& x : saldos)
        relatorio_.print({Mm(5), [t = W(x.texto), v = Valor(x.valor)](BandPainter& p) {
            p.text(Caixa(4, 0.6, 180, 4), t, Fonte(9, true));
            if (!v.empty()) p.text(Celula(6, 0.6), v, Fonte(9, true), Align::Right);
        }});
}

}  // namespace vorel::computation
