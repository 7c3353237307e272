// The month clean-ups and the recalculation of entry items over real tables.
#include <gtest/gtest.h>

#include "calculo_fixture.h"
#include "vorel/computation/manutencao_mes.h"

namespace vorel::computation::testing {
namespace {

using dictionary::EntradaVorelRec;
using dictionary::SaidaVorelRec;

class ManutencaoMesTest : public CalculoFixture {
protected:
    template <class F>
    auto NaThread(F f) {
        decltype(f()) r;
        std::thread([&] {
            dictionary::InitDictionary();
            r = f();
            dictionary::TeardownDictionary();
        }).join();
        return r;
    }
    std::vector<int> DiasDasSaidas() {
        std::vector<int> out;
        for (const auto& s : Le<SaidaVorelRec>(dictionary::SaidaVorel(), keys::SAI_KEY_PRODUTODATA))
            out.push_back(date::day(s.DataSaida));
        return out;
    }
};

// −5 in stock; exits of 2, 2 and 3 on days 10, 20 and 25: the deficit goes −5, −2, 0, so the
// exits of days 25 and 20 go with the month record. A stock-raising return on day 28 (CFOP 1202)
// is passed over and stays; another product's negative record without exits loses only itself;
// a record of a negative base but a positive quantity stays.
TEST_F(ManutencaoMesTest, NegativeCleanUpDeletesLatestExitsUntilCovered) {
    const date::Day mar = Dia(2016, 3, 1);
    Saldo({.produto = 1, .mes = mar, .qtd = "-5"});
    Saldo({.produto = 2, .mes = mar, .qtd = "-1"});
    Saldo({.produto = 3, .mes = mar, .qtd = "4", .base = "-10"});
    Saida(1, Dia(2016, 3, 10), 1, 5102, "2");
    Saida(1, Dia(2016, 3, 20), 2, 5102, "2");
    Saida(1, Dia(2016, 3, 25), 3, 5102, "3");
    Saida(1, Dia(2016, 3, 28), 4, 1202, "4");
    Saida(1, Dia(2016, 2, 25), 5, 5102, "3");  // another month

    std::vector<long long> passos;
    auto r = NaThread([&] {
        return ExcluiSaldoNegativo(mar, [&](long long feito, long long) { return passos.push_back(feito), true; });
    });
    ASSERT_TRUE(r.ok()) << r.erro;
    EXPECT_EQ(r.saidasExcluidas, 2);
    EXPECT_EQ(r.saldosExcluidos, 2);
    EXPECT_EQ(passos.size(), 3u);
    EXPECT_EQ(DiasDasSaidas(), (std::vector<int>{25, 10, 28}));
    auto saldos = Saldos();
    ASSERT_EQ(saldos.size(), 1u);
    EXPECT_EQ(saldos[0].Produto.clipped(), "3");
}

TEST_F(ManutencaoMesTest, CancelledNegativeCleanUpChangesNothingAndEmptyMonthEndsCleanly) {
    const date::Day mar = Dia(2016, 3, 1);
    auto vazio = NaThread([&] { return ExcluiSaldoNegativo(mar); });
    EXPECT_TRUE(vazio.ok());
    EXPECT_EQ(vazio.saldosExcluidos, 0);

    Saldo({.produto = 1, .mes = mar, .qtd = "-5"});
    Saldo({.produto = 2, .mes = mar, .qtd = "-5"});
    Saida(1, Dia(2016, 3, 10), 1, 5102, "5");
    auto r = NaThread([&] { return ExcluiSaldoNegativo(mar, [](long long feito, long long) { return feito < 2; }); });
    EXPECT_TRUE(r.cancelado);
    EXPECT_EQ(Saldos().size(), 2u);
    EXPECT_EQ(DiasDasSaidas().size(), 1u);
}

TEST_F(ManutencaoMesTest, ZeroRateCleanUpKeepsOtherRatesAndMonths) {
    Saldo({.produto = 1, .mes = Dia(2016, 3, 1), .aliquota = "0"});
    Saldo({.produto = 2, .mes = Dia(2016, 3, 1), .aliquota = "18"});
    Saldo({.produto = 3, .mes = Dia(2016, 2, 1), .aliquota = "0"});
    auto r = NaThread([&] { return ExcluiAliquotasZeradas(Dia(2016, 3, 1)); });
    ASSERT_TRUE(r.ok()) << r.erro;
    EXPECT_EQ(r.saldosExcluidos, 1);
    std::vector<std::string> ficam;
    for (const auto& s : Saldos()) ficam.emplace_back(s.Produto.clipped());
    EXPECT_EQ(ficam, (std::vector<std::string>{"2", "3"}));
}

class RecalculoTest : public ManutencaoMesTest {
protected:
    void Valor(int produto, date::Day desde, const char* valor) {
        Grava<dictionary::TabValorIndProdutoRec>(dictionary::TabValorIndProduto(), [&](auto& r) {
            r.CODPRODUTO = produto;
            r.COMPETENCIA = desde;
            r.VALOR = D(valor);
        });
    }
    void Item(int produto, date::Day data, std::uint32_t numero, const char* qtd, const char* base) {
        Grava<EntradaVorelRec>(dictionary::EntradaVorel(), [&](auto& r) {
            r.CodMercadoria = produto;
            r.DataEmissao = data;
            r.Numero = numero;
            r.Quantidade = D(qtd);
            r.BaseICMS = D(base);
            r.ValorICMS = D("1.11");
            r.Aliquota = D("12");  // the item's own rate is not the one applied
        });
    }
    std::vector<std::string> Itens() {
        std::vector<std::string> out;
        for (const auto& e : Le<EntradaVorelRec>(dictionary::EntradaVorel(), keys::ENT_KEY_DATA))
            out.push_back(std::to_string(e.Numero) + " " + e.BaseICMS.to_string() + " " + e.ValorICMS.to_string());
        return out;
    }
};

// Values from 01/01 (2.00000) and 15/01 (2.50000) at 18 %: 10 units on 14/01 give 20.00 and 3.60,
// on 15/01 25.00 and 4.50; an item before the first value and one of another product without
// values keep their own base and ICMS, and the list shows those own bases.
TEST_F(RecalculoTest, LatestValueInForceOnTheItemsDate) {
    Ano(2016);
    Produto(1, "18");
    Produto(2, "18");
    Valor(1, Dia(2016, 1, 1), "2");
    Valor(1, Dia(2016, 1, 15), "2.5");
    Valor(3, Dia(2015, 12, 1), "9");  // a product sorting after: never taken for product 2
    Item(1, Dia(2016, 1, 14), 10, "10", "1");
    Item(1, Dia(2016, 1, 15), 11, "10", "1");
    Item(2, Dia(2016, 1, 20), 12, "10", "7");

    auto todos = NaThread([&] {
        return RecalculaEntradas({.todos = true, .produto = {}, .inicio = Dia(2016, 1, 1), .fim = Dia(2016, 1, 31)});
    });
    ASSERT_TRUE(todos.ok()) << todos.erro;
    EXPECT_EQ(Itens(), (std::vector<std::string>{"10 20.00 3.60", "11 25.00 4.50", "12 7.00 1.11"}));
    std::vector<std::string> lista;
    for (const auto& l : todos.linhas) lista.push_back(std::to_string(l.numero) + " " + l.base.to_fixed(2));
    EXPECT_EQ(lista, (std::vector<std::string>{"10 20.00", "11 25.00", "12 7.00"}));
}

TEST_F(RecalculoTest, OneProductAndPeriodBoundsLeaveTheRestAlone) {
    Produto(1, "18");
    Produto(2, "18");
    Valor(1, Dia(2016, 1, 1), "2");
    Valor(2, Dia(2016, 1, 1), "3");
    Item(1, Dia(2016, 1, 10), 1, "1", "5");
    Item(1, Dia(2016, 2, 1), 2, "1", "5");   // after the period
    Item(2, Dia(2016, 1, 10), 3, "1", "5");  // another product
    auto r = NaThread([&] {
        return RecalculaEntradas({.produto = D("1"), .inicio = Dia(2016, 1, 1), .fim = Dia(2016, 1, 31)});
    });
    ASSERT_TRUE(r.ok()) << r.erro;
    EXPECT_EQ(r.linhas.size(), 1u);
    EXPECT_EQ(Itens(), (std::vector<std::string>{"1 2.00 0.36", "3 5.00 1.11", "2 5.00 1.11"}));
}

}  // namespace
}  // namespace vorel::computation::testing
