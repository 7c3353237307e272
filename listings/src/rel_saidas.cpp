// Report "RelSaidas" ("Relatório de Saidas"): the month's exit invoice items of `SaidaVorel` in the
// order of `SAI:KEY:NUMERO`, optionally of one customer, two rows each with the customer's name
// (`ForCli`) and the product's description and rate (`Produtos`); no totals. Letter portrait,
// positions in thousandths of an inch; a closing band under the last item and no page footer on the
// last page; e-mailed as "RelatorioSaidas.zip". A month without items of the filter makes no page.
#include "estilo.h"
#include "saidas_do_mes.h"
#include "vorel/core/picture.h"
#include "vorel/data/error_manager.h"
#include "vorel/shell/text_report.h"
#include "vorel/ui/runtime.h"

namespace vorel::listings {

namespace {

using estilo::W;
using report::Align;
using report::BandPainter;
using report::Mils;

constexpr const char* kNome = "RelSaidas";
constexpr Mils kLargura = 7500;
constexpr Mils kLinha = 140;  // the second row of a band lies this far below the first

using estilo::Coluna;

// Row 1: CNPJ, name, series, number, date, CFOP, complement.
constexpr Coluna kLinha1[] = {{146, 1200}, {1354, 2650}, {4052, 350}, {4438, 800}, {5323, 650, Align::Right},
                              {5990, 450, Align::Right}, {6948, 500}};
// The headings of row 1 over those columns; the complement's heading, wider than its column, ends
// at the frame instead of being cut there.
constexpr Coluna kCabecalho1[] = {{146, 1200}, {1354, 2650}, {4052, 350}, {4438, 800}, {5323, 650, Align::Right},
                                  {5990, 450, Align::Right}, {6790, 700, Align::Right}};
// Row 2: product code, description, quantity, base, rate, ICMS.
constexpr Coluna kLinha2[] = {{156, 1150}, {1354, 2188}, {3000, 1050, Align::Right}, {4073, 1050, Align::Right},
                              {5156, 600, Align::Right}, {6021, 1050, Align::Right}};

void Textos(BandPainter& p, Mils y, const Coluna* colunas, const std::vector<std::string>& textos,
            const report::Font& f) {
    estilo::Textos(p, y, kLinha, colunas, textos, {f});
}

report::Font Times(int pontos, bool negrito = false, bool sublinhado = false) {
    report::Font f = estilo::Times(pontos, negrito);
    f.underline = sublinhado;
    return f;
}

class RelSaidasPaginas {
public:
    RelSaidasPaginas(const shell::EmpresaPeriodo& periodo, const ParteEscolhida& cliente)
        : relatorio_(Pagina()), saidas_(periodo, cliente), rodape_(shell::RodapeRelatorio()) {
        Bandas();
    }
    report::ReportController& relatorio() { return relatorio_; }

    // A cancelled run previews without holding the tables.
    report::RecordLoop Laco() {
        return estilo::LacoListagem(saidas_.Abre() ? saidas_.Total() : 0, [this] { return saidas_.ProximaListada(); },
                                    [this] { return Detalhe(); }, Fecho(), [this] { saidas_.Encerra(); });
    }

private:
    // The detail area gives way to the page footer, which stands from 10070 down.
    static report::ReportSetup Pagina() {
        report::ReportSetup s;
        s.title = kNome;
        s.left = 500;
        s.form_top = 300;
        s.header_top = 300;
        s.detail_top = 1500;
        s.detail_height = 10070 - 1500;
        s.footer_top = 10070;
        s.footer_on_last_page = false;
        return s;
    }

    report::Band Detalhe() {
        const dictionary::SaidaVorelRec& s = saidas_.saida();
        std::vector<std::string> l1 = {saidas_.ColunaCnpj(),
                                       picture::format("@s40", saidas_.parte().nome),
                                       picture::format("@s2", s.Serie.value()),
                                       std::to_string(s.Numero),  // never cut to six characters
                                       picture::format("@D06b", s.DataSaida),
                                       picture::format("@n6.", s.CFO),
                                       picture::format("@s2", s.CFOComplementar.value())};
        std::vector<std::string> l2 = {itens::NumeroLargo("@N-", 19, s.CodMercadoria.value(), 20, "."),
                                       saidas_.produto().descricao,
                                       itens::NumeroLargo("@n-", 18, s.Quantidade.value(), 20, "`3"),
                                       itens::NumeroLargo("@n-", 18, s.BaseCalculo.value(), 20, "`2"),
                                       itens::NumeroLargo("@n-", 8, saidas_.produto().aliquota, 20, "`3"),
                                       itens::NumeroLargo("@n-", 18, s.ICMS.value(), 20, "`2")};
        return {300, [l1 = std::move(l1), l2 = std::move(l2)](BandPainter& p) {
                    const report::Font f = Times(8);
                    p.line(0, 0, 0, 300);
                    p.line(kLargura, 0, kLargura, 300);
                    Textos(p, 10, kLinha1, l1, f);
                    Textos(p, 10 + kLinha, kLinha2, l2, f);
                }};
    }

    report::Band Fecho() const {
        return {200, [rodape = rodape_](BandPainter& p) {
                    p.line(0, 0, kLargura, 0);
                    p.text({0, 20, kLargura, kLinha}, rodape, Times(8));
                }};
    }

    void Bandas() {
        relatorio_.set_page_header({1150, [](BandPainter& p) {
            p.text({0, 0, kLargura, 500}, W("Relatório de Saidas"), Times(30, false, true), Align::Center);
            p.box({0, 550, kLargura, 600});
            const report::Font f = Times(8, true, true);
            Textos(p, 620, kCabecalho1,
                   {W("C.N.P.J. Destinatário"), W("Destinatário"), W("Série"), W("Número"), W("Data Emissão"),
                    "C.F.O.", W("Código Compl")},
                   f);
            Textos(p, 620 + kLinha, kLinha2,
                   {W("Código Produto"), "Produto", "Quantidade", "Base de I.C.M.S.", W("Alíquota"), "Valor I.C.M.S."},
                   f);
        }});
        relatorio_.set_page_footer({200, [rodape = rodape_](BandPainter& p) {
            p.line(0, 0, kLargura, 0);
            p.text({0, 20, kLargura, kLinha}, rodape, Times(8));
        }});
    }

    report::ReportController relatorio_;
    itens::SaidasDoMes saidas_;
    std::string rodape_;
};

}  // namespace

report::Document DocumentoRelSaidas(const shell::EmpresaPeriodo& periodo, const ParteEscolhida& cliente) {
    RelSaidasPaginas r(periodo, cliente);
    return report::run_report(r.relatorio(), r.Laco()).document;
}

void RelSaidas(ui::ProcContext& ctx, const shell::EmpresaPeriodo& periodo, const ParteEscolhida& cliente) {
    data::ProcedureScope procedimento(kNome);
    RelSaidasPaginas r(periodo, cliente);
    ctx.response = estilo::ExecutaComEmail(ctx, r.relatorio(), r.Laco(), kNome, "RelatorioSaidas.zip");
}

}  // namespace vorel::listings
