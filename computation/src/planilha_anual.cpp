// The sheet of the annual method ("Modelo 5"), A4 landscape: the heading, the line labels in the
// left column, one column per printed rate and the totals column, then the two balances. When the
// rates do not fit one page across, they go on over the next pages, each with its labels.
//
// `PlanilhaAnualProdutos` (the report with its previewer step) and `VerificaSaldosAnual`'s window
// are in planilha_anual_window.cpp; this file draws the pages.

#include "vorel/fiscal/estilo_relatorio.h"
#include "vorel/computation/planilha_anual.h"
#include "vorel/core/picture.h"
#include "vorel/core/text.h"
#include "vorel/report/band.h"
#include "vorel/report/report_controller.h"

namespace vorel::computation {

namespace {

using report::Align;
using report::BandPainter;
using report::Font;
using report::Mils;

using fiscal::estilo::Fonte;
using fiscal::estilo::Mm;
using fiscal::estilo::W;

// The labels: a section heading has line number 0.
struct Rotulo {
    int linha;
    const char* texto;
};
const Rotulo kRotulos[] = {
    {0, "Apuração da Base de Cálculo da Retenção"},
    {1, "1-Base Cálc. Retenção do Estoque Inicial(+)"},
    {2, "2-Base Cálc. Retenção Entradas, Exeto Devol/Retornos(+)"},
    {3, "3-Base Cálc. Ret. s/ Merc. Rec. Out. Est. c/ Reolhi. Entr.(+)"},
    {4, "4-Base Cálc. Ret. das Devoluções Merc. Recebidas(-)"},
    {5, "5-Base Cálc. Ret. Baixas Estoque não Ocor. Fato Ger. Pres.(-)"},
    {6, "6-Base Cálc. Retenção do Estoque Final(-)"},
    {7, "7-Base Cálc. Ret. Mercadoria Saída do Estab. ( 1+2+3-4-5-6 )"},
    {8, "8-Base Cálc. Ret. Merc. Saída Não Dest. a Cons. Usu. Final(-)"},
    {9, "9-Base Cálc. Ret. Merc. Saída Dest. a Cons. Usu. Final( 7 - 8 )"},
    {0, "Apuração do Valor de Confronto"},
    {10, "10-Base Cálc Efe Bruta Merc Saídas Dest Cons Usu Final(+)"},
    {11, "11-Base Cálc Efe Dev ou Ret e Out. O. Efe. Cons. Final(-)"},
    {12, "12-Base Cálc Efe Merc Saídas Dest Cons Usu Final( 10 - 11)"},
    {0, "Apuração Imposto a Complementar ou a  Ressarcir"},
    {13, "13-Dif. Base Cálc. do Imp. a Complementar (12-9)"},
    {14, "14-Dif. Base Cálc. do Imp. a Ressarcir (9-12)"},
    {15, "15-Valor do Imposto a Complementar (13 x Alíq. Aplicável)"},
    {16, "16-Valor do Imposto a Ressarcir(14 x Alíq. Aplicável)"},
};

constexpr double kLinha = 5.0;       // mm per row
constexpr double kRotulo = 100.0;    // label column width
constexpr double kColuna = 27.0;     // value column width
constexpr int kColunasPorPagina = 6;

std::string Valor(const Decimal& v) { return picture::format(picture::Picture("@n14`2b"), v); }

// One value column: its heading and its sixteen lines.
struct Coluna {
    std::string titulo;
    LinhasMetodoAnual linhas;
};

report::Band Pagina(std::vector<Coluna> colunas, bool saldos, const MetodoAnual& m) {
    const double altura = 28 + kLinha * (std::size(kRotulos) + (saldos ? 3 : 0));
    const std::string impCompl = Valor(m.IMPCOMPL), impRess = Valor(m.IMPRESS);
    return {Mm(altura), [colunas = std::move(colunas), saldos, impCompl, impRess](BandPainter& p) {
                const Font titulo = Fonte(12, true), normal = Fonte(8), negrito = Fonte(8, true);
                const Mils largura = Mm(kRotulo + kColuna * static_cast<double>(colunas.size()));
                p.text({0, 0, Mm(277), Mm(7)},
                       W("MÉTODO ANUAL - APURAÇÃO DO IMPOSTO A SER COMPLEMENTADO OU RESSARCIDO"), titulo, Align::Center);
                p.text({0, Mm(7), Mm(277), Mm(5)}, "Modelo 5", negrito, Align::Center);
                p.text({0, Mm(15), Mm(kRotulo), Mm(5)}, W("TÍTULO"), negrito, Align::Center);
                p.text({Mm(kRotulo), Mm(13), largura - Mm(kRotulo), Mm(5)}, W("VALORES POR ALÍQUOTAS"), negrito,
                       Align::Center);
                for (std::size_t c = 0; c < colunas.size(); ++c)
                    p.text({Mm(kRotulo + kColuna * static_cast<double>(c)), Mm(18), Mm(kColuna), Mm(5)}, colunas[c].titulo,
                           negrito, Align::Right);
                p.line(0, Mm(23), largura, Mm(23));
                double y = 24;
                for (const Rotulo& r : kRotulos) {
                    p.text({0, Mm(y), Mm(kRotulo), Mm(kLinha)}, W(r.texto), r.linha == 0 ? negrito : normal);
                    if (r.linha > 0)
                        for (std::size_t c = 0; c < colunas.size(); ++c)
                            p.text({Mm(kRotulo + kColuna * static_cast<double>(c)), Mm(y), Mm(kColuna), Mm(kLinha)},
                                   Valor(colunas[c].linhas[static_cast<std::size_t>(r.linha - 1)]), normal, Align::Right);
                    y += kLinha;
                }
                if (!saldos) return;
                p.line(0, Mm(y), largura, Mm(y));
                y += 1;
                p.text({0, Mm(y), Mm(kRotulo + 60), Mm(kLinha)},
                       W("SALDO DO IMPOSTO A SER COMPLEMENTADO ( Total 15 - 16)"), negrito);
                p.text({largura - Mm(kColuna), Mm(y), Mm(kColuna), Mm(kLinha)}, impCompl, negrito, Align::Right);
                y += kLinha;
                p.text({0, Mm(y), Mm(kRotulo + 60), Mm(kLinha)},
                       W("SALDO DO IMPOSTO A SER RESSARCIDO ( Total 16 - 15 )"), negrito);
                p.text({largura - Mm(kColuna), Mm(y), Mm(kColuna), Mm(kLinha)}, impRess, negrito, Align::Right);
            }};
}

}  // namespace

report::ReportSetup PaginaPlanilhaAnual(int paginaInicial) {
    report::ReportSetup s;
    s.title = "PlanilhaAnualProdutos";
    s.paper = report::Paper::a4();
    s.orientation = report::Orientation::Landscape;
    s.left = Mm(10);
    s.form_top = Mm(10);
    s.header_top = Mm(10);
    s.detail_top = Mm(10);
    s.detail_height = Mm(180);
    s.footer_top = Mm(192);
    s.first_page_number = paginaInicial;
    return s;
}

std::vector<report::Band> PaginasPlanilhaAnual(const MetodoAnual& m) {
    std::vector<Coluna> todas;
    for (const ColunaMetodoAnual& c : m.colunas)
        todas.push_back({picture::format(picture::Picture("@n6.2"), c.percentual) + "%", c.linhas});
    todas.push_back({"Totais", m.totais});
    std::vector<report::Band> paginas;
    for (std::size_t i = 0; i < todas.size(); i += kColunasPorPagina) {
        const std::size_t fim = std::min(todas.size(), i + kColunasPorPagina);
        paginas.push_back(Pagina({todas.begin() + static_cast<std::ptrdiff_t>(i), todas.begin() + static_cast<std::ptrdiff_t>(fim)},
                                 fim == todas.size(), m));
    }
    return paginas;
}

report::Band RodapePlanilhaAnual(std::string rodape) { return fiscal::estilo::RodapePaisagem(std::move(rodape)); }

report::Document DocumentoPlanilhaAnual(const std::vector<TaxaAnual>& taxas, int paginaInicial, const std::string& rodape) {
    report::ReportController r(PaginaPlanilhaAnual(paginaInicial));
    r.set_page_footer(RodapePlanilhaAnual(rodape));
    if (!taxas.empty()) {
        const MetodoAnual m = ApuraMetodoAnual(taxas);
        bool primeira = true;
        for (const report::Band& b : PaginasPlanilhaAnual(m)) {
            if (!primeira) r.page_break();
            primeira = false;
            r.print(b);
        }
    }
    return r.finish();
}

}  // namespace vorel::computation
