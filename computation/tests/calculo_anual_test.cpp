// The annual recalculation: one product's year from a table of movements, and the run over real
// tables (previous year's December, records at another rate, cash-register items, a missing CFOP).
#include <gtest/gtest.h>

#include "calculo_fixture.h"
#include "vorel/computation/calculo_anual.h"

namespace vorel::computation::testing {
namespace {

using dictionary::SaldosVorelRec;

SaldoAnual Inicio(const char* q, const char* b, const char* u) {
    SaldoAnual s;
    s.quantidade = D(q);
    s.base = D(b);
    s.unitario = D(u);
    return s;
}

TEST(ValoraAnoProduto, EntryThenFinalConsumerExit) {
    auto meses = ValoraAnoProduto({}, {{3, 1, D("10"), D("100")}, {3, 2, D("4"), D("55")}});
    ASSERT_EQ(meses.size(), 1u);
    const MesAnual& m = meses[0];
    EXPECT_EQ(m.mes, 3);
    EXPECT_EQ(m.saldo.quantidade.value(), D("6"));
    EXPECT_EQ(m.saldo.unitario.value(), D("10"));
    EXPECT_EQ(m.saldo.base.value(), D("60"));
    EXPECT_EQ(m.colunas[kAnualUsuarioFinal].value(), D("40"));
    EXPECT_EQ(m.colunas[kAnualConfUsuarioFinal].value(), D("55"));
}

// Months, the January carry and the months that write nothing.
TEST(ValoraAnoProduto, WhichMonthsAreWritten) {
    struct Caso {
        const char* nome;
        SaldoAnual dezembro;
        std::vector<MovimentoAnual> movimentos;
        std::vector<int> meses;
    };
    const std::vector<Caso> casos = {
        {"march and june", {}, {{3, 1, D("5"), D("50")}, {6, 5, D("1"), D("0")}}, {3, 6}},
        {"december carries into january only", Inicio("5", "50", "10"), {}, {1}},
        {"january before a later first movement", Inicio("5", "50", "10"), {{4, 1, D("1"), D("10")}}, {1, 4}},
        {"no stock, no movement", {}, {}, {}},
        {"columns 8 and 9 change nothing", {}, {{2, 8, D("3"), D("30")}, {2, 9, D("1"), D("10")}}, {}},
        {"empty stock with a column-7 base", {}, {{2, 7, D("2"), D("20")}, {2, 6, D("2"), D("0")}, {5, 7, D("0"), D("9")}},
         {2}},
    };
    for (const Caso& c : casos) {
        std::vector<int> meses;
        for (const MesAnual& m : ValoraAnoProduto(c.dezembro, c.movimentos)) meses.push_back(m.mes);
        EXPECT_EQ(meses, c.meses) << c.nome;
    }
}

TEST(ValoraAnoProduto, ColumnsResetEachMonthWhileTheStockCarriesOn) {
    auto meses = ValoraAnoProduto(Inicio("3", "30", "10"), {{2, 1, D("3"), D("36")},
                                                           {2, 3, D("1"), D("0")},
                                                           {2, 7, D("1"), D("13")},
                                                           {3, 4, D("2"), D("0")}});
    ASSERT_EQ(meses.size(), 3u);  // January from December, February, March
    EXPECT_EQ(meses[1].colunas[kAnualFatoNaoRealizado].value(), D("11"));
    EXPECT_EQ(meses[1].colunas[kAnualConfDemaisHipoteses].value(), D("13"));
    EXPECT_EQ(meses[1].saldo.quantidade.value(), D("6"));
    EXPECT_EQ(meses[1].saldo.unitario.value(), D("11.333"));  // 68 / 6, held with three places
    EXPECT_EQ(meses[2].colunas[kAnualFatoNaoRealizado].value(), D("0"));
    EXPECT_EQ(meses[2].colunas[kAnualIsenta].value(), D("22.67"));
    EXPECT_EQ(meses[2].saldo.quantidade.value(), D("4"));
}

class CalculoAnualTest : public CalculoFixture {
protected:
    ResultadoAnual Recalcula(long long cancelaApos = -1) {
        ResultadoAnual r;
        std::thread([&] {
            dictionary::InitDictionary();
            AvisosDeTeste avisos;
            avisos.cancelaApos = cancelaApos;
            r = CalculoAnualProdutos(shell::PeriodoDeTrabalho(), avisos);
            dictionary::TeardownDictionary();
        }).join();
        return r;
    }
};

TEST_F(CalculoAnualTest, RebuildsTheYearAtTheCurrentRateOnly) {
    Cfo(1403, 1);
    Cfo(5405, 2);
    Produto(1, "18");
    Produto(2, "12");
    Produto(3, "18");
    // Product 1: December balance of 5 at 10.00; an exit in April through a CFOP the register
    // lacks (no effect), a final-consumer cash-register item "F" in May and one "T" ignored.
    Saldo({.produto = 1, .mes = Dia(2015, 12, 1), .qtd = "5", .unit = "10.0009", .base = "50"}, ArquivoAno(2015, true));
    Saida(1, Dia(2016, 4, 2), 10, 5999, "1");
    Caixa(1, Dia(2016, 5, 3), 1, "2", "30");
    Caixa(1, Dia(2016, 5, 4), 1, "1", "15", "T");
    // Product 2: an old record of its month at another rate stays; the current rate's is replaced.
    Saldo({.produto = 2, .mes = Dia(2016, 3, 1), .aliquota = "17", .qtd = "9", .base = "90"});
    Saldo({.produto = 2, .mes = Dia(2016, 3, 1), .aliquota = "12", .qtd = "99", .base = "990"});
    Entrada({.produto = 2, .data = Dia(2016, 3, 10), .numero = 7, .cfo = 1403, .qtd = "10", .base = "100"});
    Saida(2, Dia(2016, 3, 10), 11, 5405, "4", "55");
    // Product 3: stale records at its current rate and no movement: the year's, January to
    // December, deleted; the previous December's in the year's file stays.
    Saldo({.produto = 3, .mes = Dia(2016, 1, 1), .qtd = "1", .base = "1"});
    Saldo({.produto = 3, .mes = Dia(2016, 8, 1), .qtd = "1", .base = "1"});
    Saldo({.produto = 3, .mes = Dia(2016, 12, 1), .qtd = "1", .base = "1"});
    Saldo({.produto = 3, .mes = Dia(2015, 12, 1), .qtd = "7", .base = "7"});

    ResultadoAnual r = Recalcula();
    ASSERT_TRUE(r.ok()) << r.erro;
    EXPECT_EQ(r.produtos, 3);

    std::vector<std::string> got;
    for (const SaldosVorelRec& s : Saldos())
        got.push_back(std::string(s.Produto.clipped()) + " " + std::to_string(date::month(s.Competencia)) + " " +
                      s.Aliquota.value().to_string() + " q=" + s.QuantProdutos.value().to_string() +
                      " u=" + s.ValorUnit.value().to_string() + " b=" + s.BaseAcunulada.value().to_string() +
                      " cf=" + s.CalcUsuFinal.value().to_string() + " cu=" + s.ConfUsuFinal.value().to_string() +
                      " s=" + std::to_string(s.Situacao));
    const std::vector<std::string> want = {
        "1 1 18 q=5 u=10 b=50 cf=0 cu=0 s=1",
        "1 4 18 q=5 u=10 b=50 cf=0 cu=0 s=1",
        "1 5 18 q=3 u=10 b=30 cf=20 cu=30 s=1",
        "2 3 12 q=6 u=10 b=60 cf=40 cu=55 s=1",
        "2 3 17 q=9 u=0 b=90 cf=0 cu=0 s=0",
        "3 12 18 q=7 u=0 b=7 cf=0 cu=0 s=0",
    };
    EXPECT_EQ(got, want);
}

// Stopped after the first product was written, the run leaves the year's records as they were.
TEST_F(CalculoAnualTest, AStoppedRunLeavesTheYearAsItWas) {
    Cfo(1403, 1);
    Produto(1, "18");
    Produto(2, "18");
    Entrada({.produto = 1, .data = Dia(2016, 2, 10), .numero = 7, .cfo = 1403, .qtd = "10", .base = "100"});
    Saldo({.produto = 1, .mes = Dia(2016, 5, 1), .qtd = "3", .base = "30"});
    Saldo({.produto = 2, .mes = Dia(2016, 6, 1), .qtd = "4", .base = "40"});
    auto lista = [&] {
        std::vector<std::string> v;
        for (const SaldosVorelRec& s : Saldos())
            v.push_back(std::string(s.Produto.clipped()) + " " + std::to_string(date::month(s.Competencia)) + " " +
                        s.QuantProdutos.value().to_string());
        return v;
    };
    const std::vector<std::string> antes = lista();
    ResultadoAnual r = Recalcula(1);
    EXPECT_TRUE(r.cancelado);
    EXPECT_EQ(r.produtos, 1);
    EXPECT_EQ(lista(), antes);
}

}  // namespace
}  // namespace vorel::computation::testing
