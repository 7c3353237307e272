// The vehicle sheets' page reports and the vehicle final summary's report: the pages against
// reference page models, the running sums in every page's footer with the closing block after the
// last line, model 1's line numbers across pages, and no page for an empty sheet.
#include <gtest/gtest.h>

#include "legibilidade.h"
#include "linhas_veiculos.h"
#include "reference_file.h"
#include "vorel/computation/planilha_veiculos_paginas.h"
#include "data_root.h"
#include "vorel/computation/planilha_veiculos.h"
#include "vorel/core/text.h"
#include "vorel/dictionary/key_names.h"
#include "work_table_rows.h"

namespace vorel::computation::testing {
namespace {

Decimal D(const char* s) { return Decimal::from_string(s); }

CabecalhoVeiculos Cab() {
    CabecalhoVeiculos c;
    c.razao = "AUTOMOVEIS EXEMPLO LTDA";
    c.inscricao = "123456789";
    c.mes = 3;
    c.ano = 2016;
    c.percentual = Decimal(12);
    c.emissao = date::make(2016, 4, 2);
    return c;
}

// The page model as text, the heading's criterion word shown as "(...)" as in the text references.
std::string Texto(const report::Document& d) {
    std::string t = report::to_text(d);
    const std::string palavra = "Esp" "ecífica";
    for (std::size_t p; (p = t.find(palavra)) != std::string::npos;) t.replace(p, palavra.size(), "(...)");
    return t;
}

// The texts of a page, in the order painted.
std::vector<std::string> Textos(const report::Page& p) {
    std::vector<std::string> t;
    for (const report::Item& i : p.items)
        if (const auto* x = std::get_if<report::TextItem>(&i)) t.push_back(text::to_utf8(x->text));
    return t;
}
int Conta(const std::vector<std::string>& t, const std::string& s) {
    return static_cast<int>(std::count(t.begin(), t.end(), s));
}

TEST(PaginasPlanilhaVeiculos, BothModelsMatchTheirReferencePages) {
    const date::Day d1 = date::make(2016, 2, 1), d2 = date::make(2016, 3, 20), d3 = date::make(2016, 3, 22);
    {
        // An entry of an earlier month and its sale below the own-operation base (15 = 50, 16 = 30,
        // 17 = 20), a sale whose chassis has no entry (in the exit columns, 14 = 100) and a vehicle in
        // stock: sums 100 / 30 / 20 give 21 = 50, 22 = 0, 23 = 0.
        PaginasPlanilhaVeiculos p(0, Cab(), "RODAPE DO ESCRITORIO");
        p.Linha(Entrada("9BWZZZ377VT004251", d1, "1234", "1000", "0"));
        p.Linha(Saida("9BWZZZ377VT004251", d2, "77", "950", "1000", "970"));
        p.Linha(Saida("SEMENTRADA", d3, "78", "100", "0"));
        p.Linha(Entrada("PARADO", d3, "1235", "500", "500"));
        p.Fecha();
        EXPECT_EQ(p.Totais().saldos.complementar, D("50"));
        EXPECT_EQ(p.Totais().saldos.ressarcir, D("0"));
        EXPECT_EQ(p.Totais().saldos.compensar, D("0"));
        EXPECT_TRUE(report::testing::matches_reference(Texto(p.Relatorio().finish()), "planilha_veiculo.txt"));
    }
    {
        // One row per vehicle: a sale 10 above its entry, a sale below the own-operation base
        // (16 = 30, 17 = 5) and one unsold: sums 10 / 30 / 5 give 21 = 0, 22 = 20, 23 = 5.
        PaginasPlanilhaVeiculos p(1, Cab(), "RODAPE DO ESCRITORIO");
        p.Linha(Vendido(Entrada("9BWZZZ377VT004251", d1, "1234", "1000", "0"), d2, "77", "1010"));
        dictionary::EntradaSaidaVorelRec abaixo = Vendido(Entrada("9BWZZZ377VT009999", d1, "1236", "1000", "0"), d3, "79", "965");
        abaixo.BASEPROPSUBSTITUIDO = D("970");
        p.Linha(abaixo);
        p.Linha(Entrada("PARADO", d3, "1235", "500", "500"));
        p.Fecha();
        EXPECT_EQ(p.Totais().saldos.complementar, D("0"));
        EXPECT_EQ(p.Totais().saldos.ressarcir, D("20"));
        EXPECT_EQ(p.Totais().saldos.compensar, D("5"));
        EXPECT_TRUE(report::testing::matches_reference(Texto(p.Relatorio().finish()), "planilha_veiculo2.txt"));
    }
}

// The heading's labels and the dates of both models, with two-digit days and months, are drawn
// whole and apart from their neighbours (the figures fit their columns, so the whole page is
// checked).
TEST(PaginasPlanilhaVeiculos, HeadingsAndWidestDatesAreDrawnWhole) {
    const date::Day entrada = date::make(2016, 11, 28), saida = date::make(2016, 12, 20);
    for (const int modelo : {0, 1}) {
        SCOPED_TRACE(modelo);
        CabecalhoVeiculos cab = Cab();
        cab.mes = 12;
        cab.emissao = date::make(2016, 12, 31);
        PaginasPlanilhaVeiculos p(modelo, cab, "RODAPE DO ESCRITORIO");
        if (modelo == 0) {
            p.Linha(Entrada("9BWZZZ377VT004251", entrada, "123456", "1000", "0"));
            p.Linha(Saida("9BWZZZ377VT004251", saida, "123457", "950", "1000", "970"));
        } else {
            p.Linha(Vendido(Entrada("9BWZZZ377VT004251", entrada, "123456", "1000", "0"), saida, "123457", "1010"));
        }
        p.Fecha();
        EXPECT_THAT(vorel::testing::TextosIlegiveis(p.Relatorio().finish(), 8268), ::testing::IsEmpty());
    }
}

TEST(PaginasPlanilhaVeiculos, EveryFooterShowsTheSumsAsItsPageEndedAndTheLastPageOnlyTheClosingBlock) {
    PaginasPlanilhaVeiculos p(1, Cab(), "");
    const date::Day d = date::make(2016, 3, 1);
    for (int i = 0; i < 45; ++i) p.Linha(Vendido(Entrada("CHASSI", d, "1", "1000", "0"), d, "2", "1010"));  // 14 = 10 each
    p.Fecha();
    const report::Document doc = p.Relatorio().finish();
    ASSERT_EQ(doc.pages.size(), 2u);
    const auto um = Textos(doc.pages[0]), dois = Textos(doc.pages[1]);
    EXPECT_EQ(Conta(um, "39"), 1);  // 39 lines fit the detail area
    EXPECT_EQ(Conta(um, "40"), 0);
    EXPECT_EQ(Conta(dois, "40"), 1);  // model 1 numbers on across pages
    EXPECT_EQ(Conta(dois, "45"), 1);
    // One block a page: the first page's footer with the sums after its 39 lines, then the closing
    // block after the 45th line; the page on which the sheet ends has no footer.
    EXPECT_EQ(Conta(um, "Soma"), 1);
    EXPECT_EQ(Conta(um, "390,00"), 2);  // 18, and 21 = 18 - 19 - 20
    EXPECT_EQ(Conta(dois, "Soma"), 1);
    EXPECT_EQ(Conta(dois, "450,00"), 2);

    PaginasPlanilhaVeiculos vazia(0, Cab(), "");
    vazia.Fecha();
    EXPECT_TRUE(vazia.Relatorio().finish().pages.empty());
}

TEST(RelatorioFinalVeiculos, RatesTotalsAndBalancesMatchTheReferencePage) {
    // Rates 12 (1000 / 300 / 200: 500 to complement) and 7 (100 / 300 / 50: 200 to reimburse, 50 to
    // compensate), then the standard 18 and 25; tax at the rate, balances 7 to 9 of the totals.
    CabecalhoFinalVeiculos cab;
    cab.razao = "AUTOMOVEIS EXEMPLO LTDA";
    cab.inscricao = "123456789";
    cab.mes = 3;
    cab.ano = 2016;
    cab.emissao = date::make(2016, 4, 2);
    RelatorioFinalVeiculos r(cab, 3, "RODAPE DO ESCRITORIO");
    for (const LinhaResumoVeiculo& l :
         LinhasResumoVeiculo({{D("12"), D("1000"), D("300"), D("200")}, {D("7"), D("100"), D("300"), D("50")}}))
        r.Linha(l);
    r.Fecha();
    const report::Document doc = r.Relatorio().finish();
    ASSERT_EQ(doc.pages.size(), 1u);
    EXPECT_EQ(doc.pages[0].number, 3);
    EXPECT_TRUE(report::testing::matches_reference(report::to_text(doc), "relatorio_final_veiculos.txt"));
}

// The sheet's pages, text and `;` file read the work table with the fields of a line only: entry
// and exit rows, each with every field set, read back so make the lines of both models that the
// whole rows make.
struct LinhaVeiculoDaTabelaTest : ::testing::Test, vorel::testing::DataRoot {
    void SetUp() override { CreateDataRoot("vorel-veiculos-campos"); }
    void TearDown() override { RemoveDataRoot(); }
};

TEST_F(LinhaVeiculoDaTabelaTest, RowsReadWithTheLinesFieldsMakeTheLinesOfTheWholeRows) {
    std::vector<dictionary::EntradaSaidaVorelRec> linhas;
    for (int n = 1; n <= 6; ++n) {
        dictionary::EntradaSaidaVorelRec r{};
        vorel::testing::FillEveryField(r, n);  // entries and exits alternate
        linhas.push_back(r);
    }
    const auto texto = [](const LinhaVeiculo& l) {
        std::string t = l.chassi + "|" + l.serieEntrada + "|" + l.serieSaida + "|" + std::to_string(l.dataEntrada) +
                        "|" + std::to_string(l.dataSaida) + "|" + std::to_string(l.numeroEntrada) + "|" +
                        std::to_string(l.numeroSaida);
        for (const Decimal& v : l.valores) t += "|" + v.to_string();
        return t + "\n";
    };
    for (const int modelo : {0, 1}) {
        SCOPED_TRACE(modelo);
        std::string esperado, obtido;
        for (const auto& r : linhas) esperado += texto(LinhaDaPlanilha(r, modelo));
        vorel::testing::ReadBack(root + "trabalho" + std::to_string(modelo) + ".tps", linhas,
                                 dictionary::keys::Esa_Key_DataEspelho, LeSoCamposDaLinhaVeiculo,
                                 [&](const dictionary::EntradaSaidaVorelRec& r) { obtido += texto(LinhaDaPlanilha(r, modelo)); });
        EXPECT_EQ(obtido, esperado);
    }
}

}  // namespace
}  // namespace vorel::computation::testing
