// The monthly valuation's money rules as a clerk sees them: the month record that a run stores and
// the final summary built from it, on small months of one or two products. Each test holds rows
// whose results are not zero, so that a rule applied the wrong way shows in a stored figure.
#include <gtest/gtest.h>

#include "calculo_fixture.h"
#include "vorel/computation/resumo_final.h"

namespace vorel::computation::testing {
namespace {

using dictionary::SaldosVorelRec;

class ValoracaoMesTest : public CalculoFixture {
protected:
    const date::Day kFev = Dia(2016, 2, 1);
    const date::Day kMar = Dia(2016, 3, 1);

    void SetUp() override {
        CalculoFixture::SetUp();
        Cfo(1102, kConsumidorFinal);  // an entry code under column 2: a sale return
        Cfo(5102, kConsumidorFinal);
        Cfo(5405, kConsumidorFinal);
        Cfo(6108, kConsumidorFinal);
        Cfo(1411, kFatoGeradorNaoRealizado);
        Cfo(1611, kFatoGeradorNaoRealizado);
        Cfo(2202, kOutroEstado);
        Cfo(6102, kOutroEstado);
        Cfo(5403, kSubsequente);
        Cfo(1949, kEntradasDemaisHipoteses);
        Cfo(5202, kDevolucaoCompras);
        Maquina(3, "ABC1");
    }

    // The working month's record of a product (fails the test when there is none).
    SaldosVorelRec Marco(int produto) {
        for (const auto& r : Saldos())
            if (r.Produto.clipped() == std::to_string(produto) && r.Competencia == kMar) return r;
        ADD_FAILURE() << "no March record of product " << produto;
        return {};
    }
    // The record's stock and its seven month totals, as text.
    static std::string Figuras(const SaldosVorelRec& r) {
        return "q=" + r.QuantProdutos.value().to_string() + " u=" + r.ValorUnit.value().to_string() +
               " b=" + r.BaseAcunulada.value().to_string() + " cf=" + r.CalcUsuFinal.value().to_string() +
               " fg=" + r.CalcFGNRealisado.value().to_string() + " is=" + r.CalcIsenta.value().to_string() +
               " uf=" + r.CalcOutUF.value().to_string() + " su=" + r.CalcSubsequente.value().to_string() +
               " cu=" + r.ConfUsuFinal.value().to_string() + " cd=" + r.ConfDemHip.value().to_string() +
               " ua=" + r.ValorUnit_Ant.value().to_string();
    }
    // A run over every product; its work rows (the run's work file is deleted).
    std::vector<LinhaTrabalho> CalculaTodosComLinhas() {
        AvisosDeTeste avisos;
        OpcoesCalculo o;
        o.todos = true;
        o.manterTrabalho = true;
        ResultadoCalculo r = Calcula(o, avisos);
        EXPECT_TRUE(r.ok()) << r.erro;
        if (!r.ok()) return {};
        std::vector<LinhaTrabalho> linhas = Linhas(r.arquivoTrabalho);
        ApagaTrabalho(r.arquivoTrabalho);
        return linhas;
    }
    // The final summary by rate of the working month: lines 1 to 12 of each rate.
    std::vector<std::vector<Decimal>> Resumo() {
        std::vector<std::vector<Decimal>> out;
        std::thread([&] {
            dictionary::InitDictionary();
            data::FileManager resumo(dictionary::ResumoFinal());
            ASSERT_EQ(AbreResumoFinal(resumo), "");
            ASSERT_EQ(MontaResumoFinal(shell::PeriodoDeTrabalho(), {}, resumo), "");
            ASSERT_TRUE(resumo.set(keys::RFC_KEY_NUMERO).ok());
            while (resumo.next().ok()) out.push_back(LinhasDoResumo(resumo.rec<dictionary::ResumoFinalRec>()));
            (void)resumo.close();
            dictionary::TeardownDictionary();
        }).join();
        return out;
    }
};

// Rows that subtract from the month's totals: a sale return under column 2 (an entry code), a CFOP
// of the subtraction list (1411, 2202); rows that add: an exit, 1611 (returns to stock but is not
// in the subtraction list), a cash-register item, an exit to another state. The summary's lines
// follow the record.
TEST_F(ValoracaoMesTest, ReturnsSubtractFromTheMonthTotalsAndTheSummary) {
    Produto(1);
    Saldo({.produto = 1, .mes = kFev, .qtd = "20", .unit = "2.5", .base = "50"});
    Saida(1, Dia(2016, 3, 2), 1, 5102, "3", "10");  // cf +7.5, cu +10; unit base cut(3.3333) = 3.33
    Saida(1, Dia(2016, 3, 3), 2, 1102, "4", "0");   // cf -10, cu -cut(3.33 x 4) = -13.32
    Saida(1, Dia(2016, 3, 4), 3, 1411, "1");        // fg -2.5, cd -2.5
    Saida(1, Dia(2016, 3, 5), 4, 1611, "3");        // fg +7.5, cd +7.5
    Caixa(1, Dia(2016, 3, 6), 3, "2", "9");         // cf +5, cu +9
    Saida(1, Dia(2016, 3, 7), 5, 2202, "2");        // uf -5
    Saida(1, Dia(2016, 3, 8), 6, 6102, "1");        // uf +2.5
    ASSERT_EQ(CalculaTodos().erro, "");
    EXPECT_EQ(Figuras(Marco(1)), "q=24 u=2.5 b=60 cf=2.5 fg=5 is=0 uf=-2.5 su=0 cu=5.68 cd=5 ua=2.5");

    const auto resumo = Resumo();
    ASSERT_EQ(resumo.size(), 1u);
    const auto& l = resumo[0];
    EXPECT_EQ(l[0], D("2.5"));   // line 1
    EXPECT_EQ(l[4], D("5"));     // line 5 = 2.5 + 5 + 0 - 2.5
    EXPECT_EQ(l[5], D("5.68"));  // line 6
    EXPECT_EQ(l[7], D("10.68")); // line 8 = 5.68 + 5
    EXPECT_EQ(l[8], D("5.68"));  // line 9
    EXPECT_EQ(l[10], D("1.02")); // line 11 = 5.68 x 18 %
}

// A return of purchases larger than the stock's base leaves the running base below zero: the row
// shows base and unit value 0, the next rows go on from the negative base.
TEST_F(ValoracaoMesTest, NegativeBaseShowsZeroOnTheRowAndCarriesOn) {
    Produto(1);
    Saldo({.produto = 1, .mes = kFev, .qtd = "10", .unit = "1", .base = "10"});
    Saida(1, Dia(2016, 3, 2), 1, 5202, "2", "15");  // 8 units, base -5
    Entrada({.produto = 1, .data = Dia(2016, 3, 3), .numero = 2, .cfo = 1949, .qtd = "2", .base = "25"});
    std::vector<std::string> linhas;
    for (const auto& l : CalculaTodosComLinhas())
        linhas.push_back(l.SALDOQUANTIDADE.value().to_string() + " " + l.SALDOVALUNITARIO.value().to_string() + " " +
                         l.SALDOBASERETENCAO.value().to_string());
    EXPECT_EQ(linhas, (std::vector<std::string>{"10 1 10", "8 0 0", "10 2 20"}));
    const SaldosVorelRec m = Marco(1);
    EXPECT_EQ(m.BaseAcunulada.value(), D("20"));  // -5 + 25, not 0 + 25
    EXPECT_EQ(m.ValorUnit.value(), D("2"));
}

// The previous month is carried only when its quantity + unit value + base is above zero; else
// the opening comes from the month's opening-balance entry (4 units, base 8).
TEST_F(ValoracaoMesTest, PreviousMonthIsCarriedOnlyWhenItsSumIsAboveZero) {
    struct Caso {
        int produto;
        const char *q, *u, *b;
        const char* esperado;
    } casos[] = {
        {1, "-5", "2", "3", "q=4 u=2 b=8"},          // sum exactly 0
        {2, "-6", "2", "3", "q=4 u=2 b=8"},          // sum below 0
        {3, "-5", "2", "3.01", "q=-5 u=2 b=3.01"},   // sum 0.01
        {4, "0", "0.5", "0", "q=0 u=0 b=0"},         // carried, but an empty stock has no unit value
    };
    for (const Caso& k : casos) {
        Produto(k.produto);
        Saldo({.produto = k.produto, .mes = kFev, .qtd = k.q, .unit = k.u, .base = k.b});
        Entrada({.produto = k.produto, .data = Dia(2016, 3, 1), .cfo = 1102, .qtd = "4", .base = "8", .saldoInicial = 1});
    }
    ASSERT_EQ(CalculaTodos().erro, "");
    for (const Caso& k : casos) {
        const SaldosVorelRec m = Marco(k.produto);
        EXPECT_EQ("q=" + m.QuantProdutos.value().to_string() + " u=" + m.ValorUnit.value().to_string() +
                      " b=" + m.BaseAcunulada.value().to_string(),
                  k.esperado)
            << "product " << k.produto;
    }
}

// Exits to another state and with subsequent substitution from an emptied stock (unit value 0)
// are valued at the last positive unit value; a final-consumer exit is valued at the unit value 0
// and only its new unit value falls back.
TEST_F(ValoracaoMesTest, ExitsFromAnEmptiedStockFallBackToTheLastPositiveUnitValue) {
    const int cfos[] = {6102, 5403, 5102};
    for (int p : {1, 2, 3}) {
        Produto(p);
        Saldo({.produto = p, .mes = kFev, .qtd = "10", .unit = "2", .base = "20"});
        Saida(p, Dia(2016, 3, 2), 1, 5102, "4");
        Saida(p, Dia(2016, 3, 3), 2, 5102, "6");  // the stock is empty: unit value 0
        Saida(p, Dia(2016, 3, 4), 3, cfos[p - 1], "3");
    }
    ASSERT_EQ(CalculaTodos().erro, "");
    EXPECT_EQ(Marco(1).CalcOutUF.value(), D("6"));
    EXPECT_EQ(Marco(2).CalcSubsequente.value(), D("6"));
    EXPECT_EQ(Marco(1).QuantProdutos.value(), D("-3"));
    EXPECT_EQ(Figuras(Marco(3)), "q=-3 u=2 b=0 cf=20 fg=0 is=0 uf=0 su=0 cu=0 cd=0 ua=2");
}

// A sale return valued with a unit value of 0 takes the last exit unit value, which starts as the
// previous month's unit value; without one (an empty previous record), the previous unit value
// (the previous record's SQEL:ValorUnit_Ant). A product without movements carries its previous
// record, whose unit value becomes the previous unit value of the new one.
TEST_F(ValoracaoMesTest, ReturnChainStartsFromThePreviousRecord) {
    for (int p : {1, 2, 3}) Produto(p);
    Saldo({.produto = 1, .mes = kFev, .qtd = "0", .unit = "3", .base = "0", .unitAnt = "1.5"});
    Saldo({.produto = 2, .mes = kFev, .qtd = "0", .unit = "0", .base = "0", .unitAnt = "1.5"});
    Saldo({.produto = 3, .mes = kFev, .qtd = "4", .unit = "2", .base = "8", .unitAnt = "1.5"});
    Cfo(2411, kConsumidorFinal);
    Saida(1, Dia(2016, 3, 2), 1, 2411, "2");
    Saida(2, Dia(2016, 3, 2), 2, 2411, "2");
    ASSERT_EQ(CalculaTodos().erro, "");
    EXPECT_EQ(Figuras(Marco(1)), "q=2 u=3 b=6 cf=-6 fg=0 is=0 uf=0 su=0 cu=0 cd=0 ua=3");
    EXPECT_EQ(Figuras(Marco(2)), "q=2 u=1.5 b=3 cf=-3 fg=0 is=0 uf=0 su=0 cu=0 cd=0 ua=1.5");
    EXPECT_EQ(Figuras(Marco(3)), "q=4 u=2 b=8 cf=0 fg=0 is=0 uf=0 su=0 cu=0 cd=0 ua=2");
}

// With EMP:ADOTALEI 1, a final-consumer exit of 2016 and a cash-register item take the computed
// retention as their effective base, a 6108 exit keeps its own base, and a sale return under
// column 2 subtracts its computed retention; without the flag every row keeps its own base.
TEST_F(ValoracaoMesTest, CompanyFlagOfTheLawDecidesTheEffectiveBase) {
    struct Caso {
        int adotaLei;
        const char* cu;
    } casos[] = {
        {1, "17"},  // 10 (5405) + 7 (6108) + 5 (cash register) - 5 (1102)
        {0, "21"},  // 12 + 7 + 9 - cut(3.5 x 2)
    };
    for (const Caso& k : casos) {
        SCOPED_TRACE(k.adotaLei);
        Empresa(k.adotaLei);
        Produto(1);
        Saldo({.produto = 1, .mes = kFev, .qtd = "20", .unit = "2.5", .base = "50"});
        Saida(1, Dia(2016, 3, 2), 1, 5405, "4", "12");
        Saida(1, Dia(2016, 3, 3), 2, 6108, "2", "7");
        Caixa(1, Dia(2016, 3, 4), 3, "2", "9");
        Saida(1, Dia(2016, 3, 5), 3, 1102, "2", "0");
        ASSERT_EQ(CalculaTodos().erro, "");
        const SaldosVorelRec m = Marco(1);
        EXPECT_EQ(m.CalcUsuFinal.value(), D("15"));
        EXPECT_EQ(m.ConfUsuFinal.value(), D(k.cu));
        RemoveDataRoot();
        SetUp();
    }
}

// The entry bases of an exempt exit (the latest qualifying entries covering it, newest first; an
// entry without a rate takes the product's, so a 2403 entry at 18 % gets the factor; an entry after
// the exit does not count) and of a stock return (the latest 1403/2403 entry's unit base, cut before
// and after multiplying; found in the previous year's file when the year has none). A line's base
// is cut after multiplying by a broken quantity.
TEST_F(ValoracaoMesTest, EntryBasesOfExemptExitsAndStockReturns) {
    Cfo(1403, kEntradas);
    Cfo(2403, kEntradas);
    Cfo(5949, kIsenta);
    Cfo(5556, kDevolucaoEstoque);
    Produto(1);
    Produto(2);
    Entrada({.produto = 1, .data = Dia(2016, 3, 1), .numero = 1, .cfo = 1403, .qtd = "10", .base = "60", .propria = "50"});
    Entrada({.produto = 1, .data = Dia(2016, 3, 5), .numero = 2, .cfo = 2403, .qtd = "4", .base = "120", .propria = "100",
             .aliquota = "0"});
    Saida(1, Dia(2016, 3, 10), 1, 5949, "10");  // 4 x cut(25 x 0.6666) + 6 x 5.00 = 96.64
    Entrada({.produto = 1, .data = Dia(2016, 3, 12), .numero = 3, .cfo = 1403, .qtd = "3", .base = "30", .propria = "100"});
    Saida(1, Dia(2016, 3, 15), 2, 5556, "7");   // cut(33.33 x 7) = 233.31
    Entrada({.produto = 2, .data = Dia(2015, 11, 3), .numero = 4, .cfo = 1403, .qtd = "2", .base = "10", .propria = "9"},
            ArquivoAno(2015, false));
    Saldo({.produto = 2, .mes = kFev, .qtd = "5", .unit = "2", .base = "10"});
    Entrada({.produto = 2, .data = Dia(2016, 3, 2), .numero = 5, .cfo = 1949, .qtd = "1", .base = "5", .propria = "7"});
    Saida(2, Dia(2016, 3, 15), 3, 5556, "2");   // 4.50 x 2 from 2015, past an entry of another CFOP
    Produto(3);
    Entrada({.produto = 3, .data = Dia(2016, 3, 1), .numero = 6, .cfo = 1403, .qtd = "10", .base = "40", .propria = "33.33"});
    Saida(3, Dia(2016, 3, 10), 4, 5949, "2.5");  // cut(3.33 x 2.5) = 8.32
    std::vector<std::string> bases;
    for (const auto& l : CalculaTodosComLinhas())
        if (l.ENTSAI == 2)
            bases.push_back(l.CODMERCADORIA.value().to_string() + ":" + l.CONFENTRADASDEMHIP.value().to_string());
    EXPECT_EQ(bases, (std::vector<std::string>{"1:96.64", "1:233.31", "2:9", "3:8.32"}));
    EXPECT_EQ(Marco(1).ConfDemHip.value(), D("329.95"));
}

// A product valued at 150.000,00 a unit goes through the month.
TEST_F(ValoracaoMesTest, HighUnitValueIsValued) {
    Produto(1);
    Saldo({.produto = 1, .mes = kFev, .qtd = "2", .unit = "150000", .base = "300000"});
    Saida(1, Dia(2016, 3, 2), 1, 5102, "1");
    Saida(1, Dia(2016, 3, 3), 2, 6102, "1");
    Saida(1, Dia(2016, 3, 4), 3, 6102, "1");  // from the emptied stock: at the last positive unit value
    ASSERT_EQ(CalculaTodos().erro, "");
    EXPECT_EQ(Figuras(Marco(1)), "q=-1 u=0 b=0 cf=150000 fg=0 is=0 uf=300000 su=0 cu=0 cd=0 ua=150000");
}

}  // namespace
}  // namespace vorel::computation::testing
