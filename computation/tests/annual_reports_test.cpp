// The pages of the annual method's sheet and of the confrontation report, against reference texts.
#include <gtest/gtest.h>

#include "calculo_fixture.h"
#include "legibilidade.h"
#include "reference_file.h"
#include "vorel/computation/confronto_report.h"
#include "vorel/computation/planilha_anual.h"
#include "vorel/report/page_model.h"

namespace vorel::computation::testing {
namespace {

using report::testing::matches_reference;

TaxaAnual Taxa(const char* percentual, const char* l1, const char* l10) {
    TaxaAnual t;
    t.PERCENTUAL = D(percentual);
    t.SALDOANTERIOR = D(l1);
    t.RETCONSAIDAUSUFINAL = D(l10);
    return t;
}

TEST(PlanilhaAnualPages, RatesTotalsAndBalances) {
    // 12 %: reimbursement of 100.00 x 12 %; 18 %: complement of 100.00 x 18 %; 25 %: all zero, left out.
    const report::Document d =
        DocumentoPlanilhaAnual({Taxa("18", "0", "100"), Taxa("12", "100", "0"), Taxa("25", "0", "0")}, 3, "Rodape");
    EXPECT_TRUE(matches_reference(report::to_text(d), "planilha_anual.txt"));
    EXPECT_TRUE(DocumentoPlanilhaAnual({}, 1, "").pages.empty());
    const report::Document soTotais = DocumentoPlanilhaAnual({Taxa("25", "0", "0")}, 1, "");
    EXPECT_EQ(soTotais.pages.size(), 1u);
}

TEST(PlanilhaAnualPages, ManyRatesGoOnOverTheNextPage) {
    std::vector<TaxaAnual> taxas;
    for (int i = 1; i <= 7; ++i) taxas.push_back(Taxa(std::to_string(i).c_str(), "10", "0"));
    EXPECT_EQ(DocumentoPlanilhaAnual(taxas, 1, "").pages.size(), 2u);
}

// An exit to another state of 10 units, its first entry of 4 (number 40) beside it.
LinhaConfronto SaidaComEntrada() {
    LinhaConfronto l;
    l.CNPJ_FORNECEDOR = "12.345.678/0001-95";
    l.NOME = "Loja Azul";
    l.SAISERIE = "1";
    l.SAINUMERO = "100";
    l.DATA = Dia(2016, 3, 10);
    l.CFO = 6102;
    l.CODMERCADORIA = D("1");
    l.PRODUTOS = "Pneu";
    l.SAIQUANTIDADE = D("10");
    l.SAIOUTORUF = D("77");
    l.ALIQ = D("12");
    l.entrada.QTDE = D("4");
    l.entrada.BASEICMSPROPRIA = D("40");
    l.entrada.ALICOTA = D("12");
    l.entrada.VLRICMS = D("4.8");
    l.entrada.NUMERONFENTRADA = "           40";
    l.entrada.DATANFENTRADA = Dia(2016, 3, 10);
    return l;
}

TEST(ConfrontoPages, LinesContinuationSummaryAndTotals) {
    Confronto c;
    const LinhaConfronto l = SaidaComEntrada();
    c.linhas.push_back(l);
    LinhaConfronto cont;
    cont.continuacao = true;
    cont.entrada = l.entrada;
    cont.entrada.QTDE = D("6");
    cont.entrada.NUMERONFENTRADA = "Estoque";
    c.linhas.push_back(cont);
    c.resumo.Acumula(2403, 6102, D("12"), D("40"), D("4.8"));
    c.resumo.Acumula(2411, 0, D("12"), D("10"), D("1.2"));
    EXPECT_TRUE(matches_reference(report::to_text(DocumentoConfronto(c, "Rodape")), "confronto.txt"));
    // Nothing to confront: the totals line alone, with zeros.
    EXPECT_TRUE(matches_reference(report::to_text(DocumentoConfronto({}, "")), "confronto_vazio.txt"));
}

// Every heading, the two-digit days and months of the dates and a full complement are drawn whole,
// and no two texts of a row run into each other (the figures fit their columns, so the whole page
// is checked).
TEST(ConfrontoPages, HeadingsAndWidestDatesAreDrawnWhole) {
    Confronto c;
    LinhaConfronto l = SaidaComEntrada();
    l.DATA = Dia(2016, 12, 28);
    l.COMPLEMENTO = 99;
    l.entrada.NUMERONFENTRADA = "       123456";
    l.entrada.DATANFENTRADA = Dia(2016, 11, 30);
    c.linhas.push_back(l);
    c.resumo.Acumula(2403, 6102, D("12"), D("40"), D("4.8"));
    EXPECT_THAT(vorel::testing::TextosIlegiveis(DocumentoConfronto(c, "Rodape"), 8268), ::testing::IsEmpty());
}

}  // namespace
}  // namespace vorel::computation::testing
