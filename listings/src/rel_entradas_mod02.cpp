// Report "RelEntradas_Mod02" ("Relatório de Entradas", second model): the entries of "RelEntradas"
// with, per entry, the ICMS of the supplier's own operation (the rate by the CFOP code: 1000-1999 the
// product's, 2000-2999 12 %, any other 0; the value on `ENT:BaseICMSPropria`, rounded to cents), and
// after them, from a new page, "Resumo por C.F.O.": the own-operation bases and values summed by
// CFOP code and rate, in ascending order of both, without a grand total. Letter portrait, positions
// in thousandths of an inch; e-mailed as "RelatorioEntradas.zip".
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

constexpr const char* kNome = "RelEntradas_Mod02";
constexpr Mils kLargura = 7500;
constexpr Mils kLinha = 125;
constexpr Mils kSeparadores[] = {1021, 2865, 3427, 4083, 4635, 4958, 5750, 6417, 6771};

report::Font Times(int pontos, bool negrito = false) { return estilo::Times(pontos, negrito); }
report::Font Arial(int pontos, bool negrito = false) { return estilo::Fonte(pontos, negrito); }

using estilo::Coluna;

// Row 1: CNPJ, name, series, number, date, CFOP, complement, own base, own rate, own ICMS.
constexpr Coluna kLinha1[] = {{156, 860},   {1063, 1708}, {2900, 500, Align::Right}, {3440, 630, Align::Right},
                              {4090, 540, Align::Right}, {4640, 310, Align::Right}, {5021, 688, Align::Center},
                              {5760, 650, Align::Right}, {6420, 345, Align::Right}, {6780, 710, Align::Right}};
// Row 2: product code, description, quantity, ICMS base, product rate, ICMS value.
constexpr Coluna kLinha2[] = {{156, 860}, {1063, 1771}, {2880, 540, Align::Right}, {3440, 630, Align::Right},
                              {4090, 540, Align::Right}, {4970, 770, Align::Right}};
// The summary: CFOP, base total, rate, ICMS total.
constexpr Coluna kResumo[] = {{177, 500, Align::Right}, {1688, 1500, Align::Right}, {3594, 1100, Align::Right},
                              {5448, 1800, Align::Right}};

void Textos(BandPainter& p, Mils y, const Coluna* colunas, const std::vector<std::string>& textos,
            const std::vector<report::Font>& fontes) {
    estilo::Textos(p, y, kLinha, colunas, textos, fontes);
}

void Separadores(BandPainter& p, Mils de, Mils ate) {
    for (Mils x : kSeparadores) p.line(x, de, x, ate);
}

class RelEntradasMod02Paginas {
public:
    RelEntradasMod02Paginas(const shell::EmpresaPeriodo& periodo, const ParteEscolhida& fornecedor)
        : relatorio_(Pagina()), entradas_(periodo, fornecedor), rodape_(shell::RodapeRelatorio()) {
        Bandas();
    }
    report::ReportController& relatorio() { return relatorio_; }

    report::RecordLoop Laco() {
        report::RecordLoop loop;
        if (entradas_.Abre()) loop.total = entradas_.Total();
        loop.next = [this] { return entradas_.ProximaListada(); };
        loop.on_record = [this](report::ReportController& r) {
            const dictionary::EntradaVorelRec& e = entradas_.entrada();
            resumo_.Soma(e.CFO, entradas_.aliquotaPropria(), e.BaseICMSPropria.value(), entradas_.icmsProprio());
            r.print(Detalhe());
        };
        loop.on_end = [this](report::ReportController& r) {
            entradas_.Encerra();  // a cancelled run previews without holding the tables
            if (resumo_.vazio()) return;
            r.page_break();
            r.print(CabecalhoResumo());
            for (const auto& [chave, l] : resumo_.linhas()) r.print(LinhaResumo(chave.first, chave.second, l));
            r.print(Fecho());
        };
        return loop;
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

    report::Band Detalhe() {
        static const picture::Picture cnpj("@p##.###.###/####-##p"), s40("@s40"), s3("@s3"), n13("@n13"),
            d06b("@D06b"), n6p("@n6."), n19p("@N-19."), q18("@n-18`3"), v18("@n-18`2"), v8("@n-8`3"), v19("@n-19`2");
        const dictionary::EntradaVorelRec& e = entradas_.entrada();
        std::vector<std::string> l1 = {entradas_.ColunaCnpj(true),
                                       picture::format(s40, entradas_.parte().nome),
                                       picture::format(s3, e.Serie.value()),
                                       picture::format(n13, e.Numero),
                                       picture::format(d06b, e.DataEmissao),
                                       picture::format(n6p, e.CFO),
                                       std::to_string(e.CFOComplementar),
                                       picture::format(v18, e.BaseICMSPropria.value()),
                                       picture::format(v8, entradas_.aliquotaPropria()),
                                       picture::format(v19, entradas_.icmsProprio())};
        std::vector<std::string> l2 = {picture::format(n19p, e.CodMercadoria.value()),
                                       entradas_.produto().descricao,
                                       picture::format(q18, e.Quantidade.value()),
                                       picture::format(v18, e.BaseICMS.value()),
                                       picture::format(v8, entradas_.produto().aliquota),
                                       picture::format(v19, e.ValorICMS.value())};
        return {240, [l1 = std::move(l1), l2 = std::move(l2)](BandPainter& p) {
                    const report::Font t = Times(7), a = Arial(7);
                    p.line(0, 0, 0, 240);
                    p.line(kLargura, 0, kLargura, 240);
                    Separadores(p, 0, 240);
                    Textos(p, 10, kLinha1, l1, {t, t, t, t, t, t, t, a, a, a});
                    Textos(p, 10 + kLinha, kLinha2, l2, {t});
                    p.line(0, 240, kLargura, 240);
                }};
    }

    static report::Band CabecalhoResumo() {
        return {604, [](BandPainter& p) {
                    p.box({0, 0, kLargura, 604});
                    p.text({0, 40, kLargura, 330}, "Resumo por C.F.O.", Times(20, true), Align::Center);
                    p.line(0, 400, kLargura, 400);
                    Textos(p, 440, kResumo,
                           {"C.F.O.", W("Total B. Op. Própria"), W("Alíquota"), "Total Vlr ICMS"}, {Times(8, true)});
                    p.line(0, 604, kLargura, 604);
                }};
    }

    static report::Band LinhaResumo(int cfo, const Decimal& aliquota, const itens::ResumoCfo::Linha& l) {
        static const picture::Picture n6("@n6"), v18("@n-18`2"), v8("@n-8`3"), v19("@n-19`2");
        std::vector<std::string> t = {picture::format(n6, cfo), picture::format(v18, l.base),
                                      picture::format(v8, aliquota), picture::format(v19, l.icms)};
        return {208, [t = std::move(t)](BandPainter& p) {
                    p.line(0, 0, 0, 208);
                    p.line(kLargura, 0, kLargura, 208);
                    Textos(p, 40, kResumo, t, {Arial(8)});
                    p.line(0, 208, kLargura, 208);
                }};
    }

    report::Band Fecho() const {
        return {200, [rodape = rodape_](BandPainter& p) {
                    p.line(0, 0, kLargura, 0);
                    p.text({0, 20, kLargura, kLinha}, rodape, Times(8));
                }};
    }

    void Bandas() {
        relatorio_.set_page_header({719, [](BandPainter& p) {
            p.box({0, 0, kLargura, 719});
            p.text({0, 40, kLargura, 330}, W("Relatório de Entradas"), Times(20, true), Align::Center);
            p.line(0, 400, kLargura, 400);
            Separadores(p, 400, 719);
            const report::Font f = Times(7, true);
            Textos(p, 440, kLinha1,
                   {"CNPJ Fornecedor", "Fornecedor", W("Série"), W("Número"), W("Dt Emissão"), "C.F.O.", "C.F.O. Compl",
                    W("B. Op. Própria"), "Aliq.", "Valor ICMS"},
                   {f});
            Textos(p, 440 + kLinha, kLinha2,
                   {W("Código Produto"), "Produto", "Quantidade", "Base I.C.M.S.", W("Alíquota"), "Valor do I.C.M.S."},
                   {f});
        }});
        relatorio_.set_page_footer(
            {198, [rodape = rodape_](BandPainter& p) { p.text({0, 20, kLargura, kLinha}, rodape, Times(8)); }});
    }

    report::ReportController relatorio_;
    itens::EntradasDoMes entradas_;
    itens::ResumoCfo resumo_;
    std::string rodape_;
};

}  // namespace

report::Document entradas::Documento02(const shell::EmpresaPeriodo& periodo, const ParteEscolhida& fornecedor) {
    RelEntradasMod02Paginas r(periodo, fornecedor);
    return report::run_report(r.relatorio(), r.Laco()).document;
}

void RelEntradas_Mod02(ui::ProcContext& ctx, const shell::EmpresaPeriodo& periodo, const ParteEscolhida& fornecedor) {
    data::ProcedureScope procedimento(kNome);
    RelEntradasMod02Paginas r(periodo, fornecedor);
    ctx.response = estilo::ExecutaComEmail(ctx, r.relatorio(), r.Laco(), kNome, "RelatorioEntradas.zip");
}

}  // namespace vorel::listings
