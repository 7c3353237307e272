// Report "RelEntradas" ("Relatório de Entradas", first model): the month's entry invoice items of
// `EntradaVorel` in the order of `ENT:KEY:NUMERO`, optionally of one supplier, two rows each with the
// supplier's name (`ForCli`) and the product's description and rate (`Produtos`); no totals. Letter
// portrait, positions in thousandths of an inch; a closing band under the last entry and no page
// footer on the last page; e-mailed as "RelatorioEntradas.zip".
#include "entradas_do_mes.h"
#include "estilo.h"
#include "vorel/core/picture.h"
#include "vorel/data/error_manager.h"
#include "vorel/listings/movimentos.h"
#include "vorel/shell/text_report.h"
#include "vorel/ui/runtime.h"

namespace vorel::listings {

namespace {

using estilo::W;
using report::Align;
using report::BandPainter;
using report::Mils;

constexpr const char* kNome = "RelEntradas";
constexpr Mils kLargura = 7500;
constexpr Mils kLinha = 125;  // the second row of a band lies this far below the first

report::Font Fonte(int pontos, bool negrito = false) { return estilo::Times(pontos, negrito); }

// A text at `x` of `largura`, on the row `y`.
void Texto(BandPainter& p, Mils x, Mils y, Mils largura, std::string t, const report::Font& f,
           Align a = Align::Left) {
    p.text({x, y, largura, kLinha}, std::move(t), f, a);
}

struct Valores {
    std::string cnpj, nome, serie, numero, data, cfo, complemento;
    std::string codigo, produto, quantidade, base, aliquota, icms;
};

Valores Formata(itens::EntradasDoMes& e) {
    static const picture::Picture s3("@s3"), n13("@n13"), d06b("@D06b"), n6p("@n6."), n19p("@N-19."),
        q18("@n-18`3"), v18("@n-18`2"), v8("@n-8`3"), v19("@n-19`2"), s40("@s40");
    const dictionary::EntradaVorelRec& r = e.entrada();
    Valores v;
    v.cnpj = e.ColunaCnpj(false);
    v.nome = picture::format(s40, e.parte().nome);
    v.serie = picture::format(s3, r.Serie.value());
    v.numero = picture::format(n13, r.Numero);
    v.data = picture::format(d06b, r.DataEmissao);
    v.cfo = picture::format(n6p, r.CFO);
    v.complemento = std::to_string(r.CFOComplementar);
    v.codigo = picture::format(n19p, r.CodMercadoria.value());
    v.produto = e.produto().descricao;
    v.quantidade = picture::format(q18, r.Quantidade.value());
    v.base = picture::format(v18, r.BaseICMS.value());
    v.aliquota = picture::format(v8, e.produto().aliquota);
    v.icms = picture::format(v19, r.ValorICMS.value());
    return v;
}

class RelEntradasPaginas {
public:
    RelEntradasPaginas(const shell::EmpresaPeriodo& periodo, const ParteEscolhida& fornecedor)
        : relatorio_(Pagina()), entradas_(periodo, fornecedor), rodape_(shell::RodapeRelatorio()) {
        Bandas();
    }
    report::ReportController& relatorio() { return relatorio_; }

    // A cancelled run previews without holding the tables.
    report::RecordLoop Laco() {
        return estilo::LacoListagem(
            entradas_.Abre() ? entradas_.Total() : 0, [this] { return entradas_.ProximaListada(); },
            [this] { return Detalhe(Formata(entradas_)); }, Fecho(), [this] { entradas_.Encerra(); });
    }

private:
    static report::ReportSetup Pagina() {
        report::ReportSetup s;
        s.title = kNome;
        s.left = 510;
        s.form_top = 219;
        s.header_top = 219;
        s.detail_top = 927;
        s.detail_height = 9750;
        s.footer_top = 10531;
        s.footer_on_last_page = false;
        return s;
    }

    static report::Band Detalhe(Valores v) {
        return {240, [v = std::move(v)](BandPainter& p) {
                    const report::Font f = Fonte(8);
                    p.line(0, 0, 0, 240);
                    p.line(kLargura, 0, kLargura, 240);
                    Texto(p, 156, 10, 1150, v.cnpj, f);
                    Texto(p, 1323, 10, 2250, v.nome, f);
                    Texto(p, 3948, 10, 350, v.serie, f, Align::Right);
                    Texto(p, 4365, 10, 750, v.numero, f, Align::Right);
                    Texto(p, 5313, 10, 650, v.data, f, Align::Right);
                    Texto(p, 6021, 10, 400, v.cfo, f, Align::Right);
                    Texto(p, 6615, 10, 688, v.complemento, f, Align::Right);
                    const Mils y2 = 10 + kLinha;
                    Texto(p, 156, y2, 1150, v.codigo, f);
                    Texto(p, 1323, y2, 2250, v.produto, f);
                    Texto(p, 3542, y2, 771, v.quantidade, f, Align::Right);
                    // The base ends before the rate's box begins, so the two never run together.
                    Texto(p, 4573, y2, 5460 - 4573, v.base, f, Align::Right);
                    Texto(p, 5510, y2, 550, v.aliquota, f, Align::Right);
                    Texto(p, 6250, y2, 1150, v.icms, f, Align::Right);
                    p.line(0, 240, kLargura, 240);
                }};
    }

    report::Band Fecho() const {
        return {200, [rodape = rodape_](BandPainter& p) {
                    p.line(0, 0, kLargura, 0);
                    Texto(p, 0, 20, kLargura, rodape, Fonte(8));
                }};
    }

    void Bandas() {
        relatorio_.set_page_header({719, [](BandPainter& p) {
            p.box({0, 0, kLargura, 719});
            p.text({0, 40, kLargura, 330}, W("Relatório de Entradas"), Fonte(20, true), Align::Center);
            p.line(0, 400, kLargura, 400);
            const report::Font f = Fonte(8, true);
            const Mils y1 = 440, y2 = 440 + kLinha;
            Texto(p, 156, y1, 1150, "C.N.P.J. Fornecedor", f);
            Texto(p, 1323, y1, 2250, "Fornecedor", f);
            Texto(p, 4021, y1, 400, W("Série"), f);
            Texto(p, 4479, y1, 700, W("Número"), f);
            Texto(p, 5229, y1, 750, W("Data Emissão"), f);
            Texto(p, 6021, y1, 550, "C.F.O.", f);
            Texto(p, 6625, y1, 800, "C.F.O. Compl", f, Align::Right);
            Texto(p, 156, y2, 1150, W("Código Produto"), f);
            Texto(p, 1323, y2, 2000, "Produto", f);
            Texto(p, 3740, y2, 600, "Quantidade", f, Align::Right);
            Texto(p, 4479, y2, 950, "Base de I.C.M.S.", f);
            Texto(p, 5469, y2, 600, W("Alíquota"), f);
            Texto(p, 6448, y2, 950, "Valor do I.C.M.S.", f, Align::Right);
        }});
        relatorio_.set_page_footer({198, [rodape = rodape_](BandPainter& p) { Texto(p, 0, 20, kLargura, rodape, Fonte(8)); }});
    }

    report::ReportController relatorio_;
    itens::EntradasDoMes entradas_;
    std::string rodape_;
};

}  // namespace

namespace entradas {

report::Document Documento01(const shell::EmpresaPeriodo& periodo, const ParteEscolhida& fornecedor) {
    RelEntradasPaginas r(periodo, fornecedor);
    return report::run_report(r.relatorio(), r.Laco()).document;
}

}  // namespace entradas

report::Document DocumentoRelEntradas(const shell::EmpresaPeriodo& periodo, const ParteEscolhida& fornecedor,
                                      ModeloEntradas modelo) {
    return modelo == ModeloEntradas::Modelo02 ? entradas::Documento02(periodo, fornecedor)
                                              : entradas::Documento01(periodo, fornecedor);
}

void RelEntradas(ui::ProcContext& ctx, const shell::EmpresaPeriodo& periodo, const ParteEscolhida& fornecedor) {
    data::ProcedureScope procedimento(kNome);
    RelEntradasPaginas r(periodo, fornecedor);
    ctx.response = estilo::ExecutaComEmail(ctx, r.relatorio(), r.Laco(), kNome, "RelatorioEntradas.zip");
}

}  // namespace vorel::listings
