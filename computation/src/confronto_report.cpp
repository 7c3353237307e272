// The page report of the confrontation ("RelConfSaidaEnt"), A4 landscape: the title and the
// three-row column headings on every page, three rows per line (the exit's cells hidden on a
// continuation line, whose rule sits higher), then the summary by CFOP ("Resumo por C.F.O.") and the
// totals line "Total CFO´s", which prints even when the summary is empty.
#include "vorel/fiscal/estilo_relatorio.h"
#include "vorel/computation/confronto_report.h"
#include "vorel/core/picture.h"
#include "vorel/core/text.h"

namespace vorel::computation {

namespace {

using report::Align;
using report::BandPainter;
using report::Font;
using report::Mils;

using fiscal::estilo::Fonte;
using fiscal::estilo::Mm;
using fiscal::estilo::W;
std::string N(const char* figura, const Decimal& v) { return picture::format(picture::Picture(figura), v); }
std::string Data(date::Day d) { return d ? picture::format("@D06b", d) : std::string(); }

constexpr double kLargura = 277;

// Column boxes (x, width) in millimetres, shared by headings and cells.
struct Caixa {
    double x, w;
};
// The entry's number stands right of the ICMS, so that the second line of its heading ("NF Orig.")
// clears the ICMS heading on the same row; the complement takes the room it leaves.
constexpr Caixa kCnpj{0, 32}, kNome{33, 70}, kSerie{104, 8}, kNumero{113, 25}, kData{139, 20}, kCfo{160, 14},
    kCompl{175, 16}, kNumEnt{196, 25};
constexpr Caixa kQtde{100, 30}, kBase{131, 30}, kAliq{162, 16}, kIcms{179, 30};
constexpr Caixa kCodigo{0, 28}, kProduto{29, 100}, kSaiQtd{130, 30}, kSaiBase{161, 26}, kSaiAliq{188, 16},
    kIcmsTitulo{205, 16}, kDataEnt{222, 22};

// Three text rows of 7 points in a band of 240 thousandths of an inch.
report::Rect Em(Caixa c, int linha) { return {Mm(c.x), 4 + linha * 74, Mm(c.w), 74}; }

report::Band Cabecalho() {
    return {Mm(24), [](BandPainter& p) {
                p.text({0, 0, Mm(kLargura), Mm(7)},
                       W("Relatório de Confronto Entre as Saídas e as Entradas Interestaduais"), Fonte(16, true),
                       Align::Center);
                const Font f = Fonte(7, true);
                auto cab = [&](Caixa c, double linha, const char* t, Align a = Align::Left) {
                    p.text({Mm(c.x), Mm(9 + linha * 4), Mm(c.w), Mm(4)}, W(t), f, a);
                };
                cab(kCnpj, 0, "CNPJ Fornecedor");
                cab(kNome, 0, "Fornecedor");
                cab(kSerie, 0, "Série");
                cab(kNumero, 0, "Número");
                cab(kData, 0, "Dt Emissão");
                cab(kCfo, 0, "C.F.O.", Align::Right);
                cab(kCompl, 0, "CFO Comp.", Align::Right);
                cab(kNumEnt, 0, "Número e", Align::Right);
                cab(kQtde, 1, "Qtdade", Align::Right);
                cab(kNumEnt, 1, "NF Orig.", Align::Right);
                cab(kBase, 1, "B. Op. Própria", Align::Right);
                cab(kAliq, 1, "Aliq.", Align::Right);
                cab(kIcms, 1, "ICMS", Align::Right);
                cab(kCodigo, 2, "Código Produto", Align::Right);
                cab(kProduto, 2, "Produto");
                cab(kSaiQtd, 2, "Qtidade", Align::Right);
                cab(kSaiBase, 2, "B. ICMS", Align::Right);
                cab(kSaiAliq, 2, "Alíquota", Align::Right);
                cab(kIcmsTitulo, 2, "I.C.M.S.", Align::Right);
                cab(kDataEnt, 2, "Data NF Orig.", Align::Right);
                p.line(0, Mm(23), Mm(kLargura), Mm(23));
            }};
}

report::Band Detalhe(const LinhaConfronto& l) {
    return {240, [l](BandPainter& p) {
                const Font f = Fonte(7);
                const TomadaConfronto& e = l.entrada;
                if (!l.continuacao) {
                    p.text(Em(kCnpj, 0), l.CNPJ_FORNECEDOR, f);
                    p.text(Em(kNome, 0), l.NOME.substr(0, 40), f);
                    p.text(Em(kSerie, 0), l.SAISERIE, f);
                    p.text(Em(kNumero, 0), l.SAINUMERO, f);
                    p.text(Em(kData, 0), Data(l.DATA), f);
                    p.text(Em(kCfo, 0), std::to_string(l.CFO), f, Align::Right);
                    p.text(Em(kCompl, 0), std::to_string(l.COMPLEMENTO), f, Align::Right);
                    p.text(Em(kCodigo, 2), l.CODMERCADORIA.to_string(), f, Align::Right);
                    p.text(Em(kProduto, 2), l.PRODUTOS, f);
                    p.text(Em(kSaiQtd, 2), N("@n19`3", l.SAIQUANTIDADE), f, Align::Right);
                    p.text(Em(kSaiBase, 2), N("@n15`2", l.SAIOUTORUF), f, Align::Right);
                    p.text(Em(kSaiAliq, 2), N("@n8.3", l.ALIQ), f, Align::Right);
                }
                p.text(Em(kNumEnt, 0), e.NUMERONFENTRADA, f, Align::Right);
                p.text(Em(kQtde, 1), N("@n-18.3", e.QTDE), f, Align::Right);
                p.text(Em(kBase, 1), N("@n-18.2", e.BASEICMSPROPRIA), f, Align::Right);
                p.text(Em(kAliq, 1), N("@n8.3", e.ALICOTA), f, Align::Right);
                p.text(Em(kIcms, 1), N("@n19.2", e.VLRICMS), f, Align::Right);
                p.text(Em(kDataEnt, 2), Data(e.DATANFENTRADA), f, Align::Right);
                const Mils regua = l.continuacao ? 190 : 229;  // a continuation line's rule sits higher
                p.line(0, regua, Mm(kLargura), regua);
            }};
}

report::Band TituloResumo() {
    return {Mm(12), [](BandPainter& p) {
                p.text({0, Mm(1), Mm(100), Mm(5)}, "Resumo por C.F.O.", Fonte(10, true));
                const Font f = Fonte(8, true);
                p.text({0, Mm(7), Mm(22), Mm(4)}, W("C.F.O. Saída"), f, Align::Right);
                p.text({Mm(25), Mm(7), Mm(25), Mm(4)}, W("C.F.O. Entrada"), f, Align::Right);
                p.text({Mm(55), Mm(7), Mm(35), Mm(4)}, W("Total B. Op. Própria"), f, Align::Right);
                p.text({Mm(95), Mm(7), Mm(20), Mm(4)}, W("Alíquota"), f, Align::Right);
                p.text({Mm(120), Mm(7), Mm(35), Mm(4)}, W("Total Vlr ICMS"), f, Align::Right);
            }};
}

report::Band LinhaResumo(const ItemResumoCFO& i) {
    return {Mm(5), [i](BandPainter& p) {
                const Font f = Fonte(8);
                p.text({0, Mm(0.5), Mm(22), Mm(4)}, std::to_string(i.cfoSaida), f, Align::Right);
                p.text({Mm(25), Mm(0.5), Mm(25), Mm(4)}, std::to_string(i.cfoEntrada), f, Align::Right);
                p.text({Mm(55), Mm(0.5), Mm(35), Mm(4)}, N("@n-18.2", i.base), f, Align::Right);
                p.text({Mm(95), Mm(0.5), Mm(20), Mm(4)}, N("@n8.3", i.aliquota), f, Align::Right);
                p.text({Mm(120), Mm(0.5), Mm(35), Mm(4)}, N("@n-19.2", i.icms), f, Align::Right);
            }};
}

report::Band Totais(const ResumoCFO& r) {
    const std::string base = N("@n-17.2", r.TOTABASE()), icms = N("@n-17.2", r.TOTALICMS());
    return {Mm(7), [base, icms](BandPainter& p) {
                const Font f = Fonte(8, true);
                p.line(0, Mm(1), Mm(155), Mm(1));
                p.text({0, Mm(2), Mm(50), Mm(4)}, W("Total CFO´s"), f);
                p.text({Mm(55), Mm(2), Mm(35), Mm(4)}, base, f, Align::Right);
                p.text({Mm(120), Mm(2), Mm(35), Mm(4)}, icms, f, Align::Right);
            }};
}

}  // namespace

report::ReportSetup PaginaConfronto() {
    report::ReportSetup s;
    s.title = "RelConfSaidaEnt";
    s.paper = report::Paper::a4();
    s.orientation = report::Orientation::Landscape;
    s.left = Mm(10);
    s.form_top = Mm(8);
    s.header_top = Mm(8);
    s.detail_top = Mm(33);
    s.detail_height = Mm(160);
    s.footer_top = Mm(195);
    return s;
}

void MontaPaginasConfronto(report::ReportController& r, const std::string& rodape) {
    r.set_page_header(Cabecalho());
    r.set_page_footer(fiscal::estilo::RodapePaisagem(rodape));
}

void ImprimeLinhaConfronto(report::ReportController& r, const LinhaConfronto& l) { r.print(Detalhe(l)); }

void ImprimeResumoConfronto(report::ReportController& r, const ResumoCFO& resumo) {
    bool primeiro = true;
    for (const ItemResumoCFO& i : resumo.Itens()) {
        if (primeiro) r.print(TituloResumo());
        primeiro = false;
        r.print(LinhaResumo(i));
    }
    r.print(Totais(resumo));
}

report::Document DocumentoConfronto(const Confronto& c, const std::string& rodape) {
    report::ReportController r(PaginaConfronto());
    MontaPaginasConfronto(r, rodape);
    for (const LinhaConfronto& l : c.linhas) ImprimeLinhaConfronto(r, l);
    ImprimeResumoConfronto(r, c.resumo);
    return r.finish();
}

}  // namespace vorel::computation
