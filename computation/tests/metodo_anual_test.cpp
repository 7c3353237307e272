// The annual method: the sheet's arithmetic from a table of rates, and the summary by rate read
// from month records and entries (previous December, the working month's stock, entries counted
// once per product and month).
#include <gtest/gtest.h>

#include "calculo_fixture.h"
#include "vorel/computation/metodo_anual.h"

namespace vorel::computation::testing {
namespace {

TaxaAnual Taxa(const char* percentual) {
    TaxaAnual t;
    t.PERCENTUAL = D(percentual);
    return t;
}

TEST(ApuraMetodoAnual, ComplementWhenTheEffectiveBaseExceedsTheRetention) {
    TaxaAnual t = Taxa("18");
    t.SALDOANTERIOR = D("50");
    t.ENTRADAEXDEVO = D("150");
    t.BASEESTFINAL = D("100");   // line 7 = line 9 = 100
    t.RETCONSAIDAUSUFINAL = D("200");  // line 12 = 200
    const LinhasMetodoAnual l = LinhasDaTaxa(t);
    EXPECT_EQ(l[6].value(), D("100"));
    EXPECT_EQ(l[8].value(), D("100"));
    EXPECT_EQ(l[11].value(), D("200"));
    EXPECT_EQ(l[12].value(), D("100"));
    EXPECT_EQ(l[14].value(), D("18"));
    EXPECT_TRUE(l[13].value().is_zero());
    EXPECT_TRUE(l[15].value().is_zero());
}

TEST(ApuraMetodoAnual, BalanceOfTheTotalsAndWhichRatesArePrinted) {
    TaxaAnual a = Taxa("12");   // line 9 = 0, line 12 = 416.67: 15 = 50.00
    a.RETCONSAIDAUSUFINAL = D("416.67");
    TaxaAnual b = Taxa("7");    // line 9 = 1142.86 over line 12 0: 16 = 80.00
    b.ENTRADAEXDEVO = D("1142.86");
    TaxaAnual nula = Taxa("25");
    TaxaAnual somaZero = Taxa("4");  // lines 1 to 6 sum to 0, yet line 7 is 200: printed
    somaZero.SALDOANTERIOR = D("100");
    somaZero.RETFINALISENTA = D("-100");
    somaZero.RETCONSAIDAUSUFINAL = D("200");
    const MetodoAnual m = ApuraMetodoAnual({a, nula, b, somaZero});
    std::vector<Decimal> impressas;
    for (const auto& c : m.colunas) impressas.push_back(c.percentual);
    EXPECT_EQ(impressas, (std::vector<Decimal>{D("4"), D("7"), D("12")}));
    EXPECT_EQ(m.totais[14].value(), D("50"));
    EXPECT_EQ(m.totais[15].value(), D("80"));
    EXPECT_TRUE(m.IMPCOMPL.value().is_zero());
    EXPECT_EQ(m.IMPRESS.value(), D("30"));
    EXPECT_TRUE(ApuraMetodoAnual({nula}).colunas.empty());
}

class MetodoAnualTest : public CalculoFixture {
protected:
    std::vector<TaxaAnual> Verifica() {
        std::vector<TaxaAnual> taxas;
        std::thread([&] {
            dictionary::InitDictionary();
            EXPECT_EQ(VerificaSaldosAnual(shell::PeriodoDeTrabalho(), taxas), "");
            dictionary::TeardownDictionary();
        }).join();
        return taxas;
    }
};

TEST_F(MetodoAnualTest, SumsTheYearByRate) {
    Produto(1, "18");
    Produto(2, "7");
    Saldo({.produto = 1, .mes = Dia(2015, 12, 1), .base = "70"}, ArquivoAno(2015, true));
    Saldo({.produto = 2, .mes = Dia(2015, 11, 1), .base = "999"}, ArquivoAno(2015, true));
    // Product 1, February, at 12 and 18: its rate is 18, so the entries go under 18 only.
    Saldo({.produto = 1, .mes = Dia(2016, 2, 1), .aliquota = "12", .base = "5"});
    Saldo({.produto = 1, .mes = Dia(2016, 2, 1), .aliquota = "18", .base = "6"});
    // Product 2, March (the working month), at 12 and 17: neither is its rate; the first read takes them.
    Grava<dictionary::SaldosVorelRec>(dictionary::SaldosVorel(), [&](auto& r) {
        r.Produto = "2";
        r.Competencia = Dia(2016, 3, 1);
        r.Aliquota = D("12");
        r.BaseAcunulada = D("30");
        r.CalcOutUF = D("1");
        r.CalcIsenta = D("2");
        r.CalcFGNRealisado = D("3");
        r.ConfUsuFinal = D("4");
        r.ConfDemHip = D("5");
    });
    Saldo({.produto = 2, .mes = Dia(2016, 3, 1), .aliquota = "17", .base = "40"});
    Entrada({.produto = 1, .data = Dia(2016, 2, 3), .numero = 1, .cfo = 1403, .qtd = "1", .base = "100"});
    Entrada({.produto = 1, .data = Dia(2016, 2, 9), .numero = 2, .cfo = 177, .qtd = "1", .base = "1000"});
    Entrada({.produto = 1, .data = Dia(2016, 2, 10), .numero = 5, .cfo = 178, .qtd = "1", .base = "2000"});
    Entrada({.produto = 1, .data = Dia(2016, 3, 1), .numero = 3, .cfo = 1403, .qtd = "1", .base = "5000"});
    Entrada({.produto = 2, .data = Dia(2016, 3, 4), .numero = 4, .cfo = 2403, .qtd = "1", .base = "200"});

    std::vector<std::string> got;
    for (const TaxaAnual& t : Verifica())
        got.push_back(t.PERCENTUAL.value().to_string() + " l1=" + t.SALDOANTERIOR.value().to_string() +
                      " l2=" + t.ENTRADAEXDEVO.value().to_string() + " l3=" + t.ENTRADAOUTEST.value().to_string() +
                      " l4=" + t.RETFINALISENTA.value().to_string() + " l5=" + t.RETFINALFGNREALISADO.value().to_string() +
                      " l6=" + t.BASEESTFINAL.value().to_string() + " l10=" + t.RETCONSAIDAUSUFINAL.value().to_string() +
                      " l11=" + t.RETCONDEMHIP.value().to_string());
    const std::vector<std::string> want = {
        "12 l1=0 l2=200 l3=1 l4=2 l5=3 l6=30 l10=4 l11=5",
        "17 l1=0 l2=0 l3=0 l4=0 l5=0 l6=40 l10=0 l11=0",
        "18 l1=70 l2=100 l3=0 l4=0 l5=0 l6=0 l10=0 l11=0",
    };
    EXPECT_EQ(got, want);
}

}  // namespace
}  // namespace vorel::computation::testing
