// The vehicle sheets: the base split and its netting, the month's rows in both models (the
// in-stock cases, the pairing by chassis, the one-supplier filter), the December carry into the
// next year, the `;` file and the vehicle final summary.
#include <fstream>
#include <sstream>

#include "veiculos_fixture.h"
#include "vorel/computation/planilha_veiculos.h"
#include "vorel/computation/resumo_final.h"
#include "vorel/core/text.h"

namespace vorel::computation::testing {
namespace {

using dictionary::EntradaSaidaVorelRec;
using dictionary::EntradaVeiculoRec;

TEST(RegrasVeiculos, SplitOfASaleAgainstItsEntry) {
    struct Caso {
        const char *v, *e, *p;
        bool umaLinha;
        const char *compl_, *excesso, *ressarcir, *compensar;
    };
    const Caso casos[] = {
        {"1200", "1000", "800", false, "200", "0", "0", "0"},   // sale above the entry
        {"1000", "1000", "800", false, "0", "0", "0", "0"},     // sale at the retention base
        {"700", "1000", "800", false, "0", "300", "200", "100"},  // below the own-operation base
        {"900", "1000", "800", false, "0", "100", "100", "0"},  // between the two bases
        {"1000", "1000", "1200", false, "0", "0", "-200", "200"},  // equal, own base above both
        {"1000", "1000", "1200", true, "0", "0", "0", "0"},     // the one-row model: equal is no excess
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(std::string(c.v) + " " + c.e + " " + c.p);
        DivisaoBase d = DivideBaseVeiculo(D(c.v), D(c.e), D(c.p), c.umaLinha);
        EXPECT_EQ(d.complementar, D(c.compl_));
        EXPECT_EQ(d.excesso, D(c.excesso));
        EXPECT_EQ(d.ressarcir, D(c.ressarcir));
        EXPECT_EQ(d.compensar, D(c.compensar));
    }
}

TEST(RegrasVeiculos, SumsNetIntoTheThreeBalances) {
    const char* casos[][6] = {
        {"100", "300", "0", "0", "200", "0"},   {"500", "100", "50", "350", "0", "0"},
        {"100", "30", "20", "50", "0", "0"},    {"10", "30", "5", "0", "20", "5"},
        {"1000", "300", "200", "500", "0", "0"}, {"100", "300", "50", "0", "200", "50"},
        {"350", "300", "100", "0", "0", "50"},
    };
    for (auto& c : casos) {
        SCOPED_TRACE(std::string(c[0]) + "/" + c[1] + "/" + c[2]);
        SaldosVeiculo s = ApuraSaldosVeiculo(D(c[0]), D(c[1]), D(c[2]));
        EXPECT_EQ(s.complementar, D(c[3]));
        EXPECT_EQ(s.ressarcir, D(c[4]));
        EXPECT_EQ(s.compensar, D(c[5]));
    }
}

TEST(RegrasVeiculos, StandardRatesFillUpToFourRowsInRateOrder) {
    auto taxas = [](const std::vector<LinhaResumoVeiculo>& l) {
        std::vector<Decimal> t;
        for (auto& x : l) t.push_back(x.percentual);
        return t;
    };
    auto l = LinhasResumoVeiculo({{D("12"), D("1000"), D("300"), D("200")}, {D("7"), D("100"), D("300"), D("50")}});
    EXPECT_EQ(taxas(l), (std::vector<Decimal>{D("7"), D("12"), D("18"), D("25")}));
    EXPECT_EQ(l[1].complementar, D("500"));
    EXPECT_EQ(l[0].ressarcir, D("200"));
    EXPECT_EQ(l[0].compensar, D("50"));
    EXPECT_EQ(taxas(LinhasResumoVeiculo({})), (std::vector<Decimal>{D("9.5"), D("12"), D("18"), D("25")}));
}

struct VeiculosTest : ComVeiculos<CalculoFixture> {
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
    ResultadoVeiculos Calcula(OpcoesVeiculos o, AvisosDeTeste& avisos) {
        return NaThread([&] { return CalculoPlanilhaVeiculos(shell::PeriodoDeTrabalho(), o, avisos); });
    }
    std::vector<EntradaSaidaVorelRec> Linhas(const std::string& arquivo) {
        return Le<EntradaSaidaVorelRec>(dictionary::EntradaSaidaVorel(), keys::Esa_Key_DataEspelho, arquivo);
    }
    static std::string Chassi(const EntradaSaidaVorelRec& w) { return std::string(text::clip(w.CHASSI.value())); }

    // March 2016: the in-stock cases, a sale of the month, an exit without entry, another rate.
    void Mes() {
        Entra({"PARADO", Dia(2016, 1, 10), 1, "1000"});            // earlier, unsold
        Entra({"VENDIDOANTES", Dia(2016, 1, 11), 2, "900"});       // earlier, sold in February
        Sai("VENDIDOANTES", Dia(2016, 2, 5), 10, "950");
        Entra({"VENDIDONOMES", Dia(2016, 2, 1), 3, "1000", "800"});  // earlier, sold in March
        Sai("VENDIDONOMES", Dia(2016, 3, 20), 11, "700");
        Entra({"VENDIDODEPOIS", Dia(2016, 2, 2), 4, "500"});       // earlier, sold in April
        Sai("VENDIDODEPOIS", Dia(2016, 4, 3), 12, "600");
        Entra({"NOVO", Dia(2016, 3, 5), 5, "400", "300"});         // bought and sold in March
        Sai("NOVO", Dia(2016, 3, 5), 13, "450");
        Sai("SEMENTRADA", Dia(2016, 3, 7), 14, "300");             // no entry
        Entra({"OUTRATAXA", Dia(2016, 3, 6), 6, "100", "0", "18"});  // another rate
        Sai("OUTRATAXA", Dia(2016, 3, 8), 15, "100", "18");
    }
};

TEST_F(VeiculosTest, ModelZeroRowsFollowTheStockAtTheMonthEnds) {
    Mes();
    AvisosDeTeste avisos;
    OpcoesVeiculos o;
    o.percentual = D("12");
    ResultadoVeiculos r = Calcula(o, avisos);
    ASSERT_TRUE(r.ok) << r.erro;
    std::vector<EntradaSaidaVorelRec> l = Linhas(r.arquivoTrabalho);
    ApagaTrabalho(r.arquivoTrabalho);

    // (chassis, entsai) -> remaining-stock base, entry's retention base taken by the exit
    std::vector<std::tuple<std::string, int, Decimal, Decimal>> visto;
    for (auto& w : l) visto.emplace_back(Chassi(w), w.ENTSAI, w.BASEESTREMANESCENTE.value(), w.BASEEFETENT.value());
    std::vector<std::tuple<std::string, int, Decimal, Decimal>> esperado = {
        {"PARADO", 1, D("1000"), D("0")},
        {"VENDIDONOMES", 1, D("0"), D("0")},
        {"VENDIDODEPOIS", 1, D("500"), D("0")},
        {"NOVO", 1, D("0"), D("0")},
        {"NOVO", 2, D("0"), D("400")},   // same day: the entry before the exit
        {"SEMENTRADA", 2, D("0"), D("0")},
        {"VENDIDONOMES", 2, D("0"), D("1000")},
    };
    EXPECT_EQ(visto, esperado);
    ASSERT_EQ(avisos.mensagens.size(), 1u);
    EXPECT_EQ(avisos.mensagens[0].first, "Atenção!!!");
    EXPECT_EQ(avisos.mensagens[0].second, "Veículo com Chassi SEMENTRADA não possui Lançamento de Entrada!!!");
    EXPECT_TRUE(r.transporte.empty());  // not December
}

// The month's first and last days belong to it: a vehicle sold on the last day is not in stock at
// the month's end, one sold on the first day was in stock when the month began (its earlier entry
// is a row), one sold the day before the month is gone; a sale the day after leaves it in stock.
TEST_F(VeiculosTest, MonthBoundsDecideTheStockAndTheRows) {
    Entra({"ULTIMODIA", Dia(2016, 2, 10), 1, "1000"});
    Sai("ULTIMODIA", Dia(2016, 3, 31), 10, "1100");
    Entra({"PRIMEIRODIA", Dia(2016, 2, 11), 2, "900"});
    Sai("PRIMEIRODIA", Dia(2016, 3, 1), 11, "950");
    Entra({"VESPERA", Dia(2016, 2, 12), 3, "800"});
    Sai("VESPERA", Dia(2016, 2, 29), 12, "850");
    Entra({"DIASEGUINTE", Dia(2016, 2, 13), 4, "700"});
    Sai("DIASEGUINTE", Dia(2016, 4, 1), 13, "750");
    Entra({"COMPRAULTIMODIA", Dia(2016, 3, 31), 5, "600"});
    AvisosDeTeste avisos;
    OpcoesVeiculos o;
    o.percentual = D("12");
    ResultadoVeiculos r = Calcula(o, avisos);
    ASSERT_TRUE(r.ok) << r.erro;
    std::vector<std::string> visto;
    for (auto& w : Linhas(r.arquivoTrabalho))
        visto.push_back(Chassi(w) + " " + std::to_string(w.ENTSAI) + " " + w.BASEESTREMANESCENTE.value().to_string());
    ApagaTrabalho(r.arquivoTrabalho);
    EXPECT_EQ(visto, (std::vector<std::string>{"ULTIMODIA 1 0", "PRIMEIRODIA 1 0", "DIASEGUINTE 1 700", "PRIMEIRODIA 2 0",
                                               "COMPRAULTIMODIA 1 600", "ULTIMODIA 2 0"}));
}

TEST_F(VeiculosTest, ModelOnePairsTheSaleOnItsEntryRow) {
    Mes();
    AvisosDeTeste avisos;
    OpcoesVeiculos o;
    o.modelo = 1;
    o.percentual = D("12");
    ResultadoVeiculos r = Calcula(o, avisos);
    ASSERT_TRUE(r.ok) << r.erro;
    std::vector<EntradaSaidaVorelRec> l = Linhas(r.arquivoTrabalho);
    ApagaTrabalho(r.arquivoTrabalho);
    ASSERT_EQ(l.size(), 4u);  // no row for the exit without entry
    std::map<std::string, EntradaSaidaVorelRec> por;
    for (auto& w : l) por[Chassi(w)] = w;
    const EntradaSaidaVorelRec& v = por.at("VENDIDONOMES");
    EXPECT_EQ(v.ENTSAI, 2);
    EXPECT_EQ(v.SDATA, Dia(2016, 3, 20));
    EXPECT_EQ(text::clip(v.SNUMERO.value()), "11");
    EXPECT_EQ(v.SBASEICMS.value(), D("700"));
    EXPECT_EQ(v.BASEEFETENT.value(), D("1000"));
    EXPECT_EQ(v.DATAESPELHO, Dia(2016, 2, 1));  // rows stay in entry-date order
    EXPECT_EQ(por.at("PARADO").ENTSAI, 1);
    EXPECT_EQ(por.at("PARADO").SDATA, 0);

    LinhaVeiculo linha = LinhaDaPlanilha(v, 1);
    EXPECT_EQ(linha.coluna(15), D("300"));
    EXPECT_EQ(linha.coluna(16), D("200"));
    EXPECT_EQ(linha.coluna(17), D("100"));
}

TEST_F(VeiculosTest, OneSupplierKeepsOnlyItsVehiclesAndItsSales) {
    Entra({"DELE", Dia(2016, 3, 1), 1, "1000", "800", "12", "22222222000122"});
    Sai("DELE", Dia(2016, 3, 9), 20, "1100");
    Entra({"OUTRO", Dia(2016, 3, 1), 2});
    Sai("OUTRO", Dia(2016, 3, 9), 21, "1100");
    Sai("SEMENTRADA", Dia(2016, 3, 9), 22, "1100");
    for (int modelo : {0, 1}) {
        AvisosDeTeste avisos;
        OpcoesVeiculos o;
        o.modelo = modelo;
        o.percentual = D("12");
        o.umFornecedor = true;
        o.cnpjFornecedor = "22222222000122";
        ResultadoVeiculos r = Calcula(o, avisos);
        ASSERT_TRUE(r.ok) << r.erro;
        std::vector<EntradaSaidaVorelRec> l = Linhas(r.arquivoTrabalho);
        ApagaTrabalho(r.arquivoTrabalho);
        ASSERT_EQ(l.size(), modelo == 0 ? 2u : 1u) << "model " << modelo;
        for (auto& w : l) EXPECT_EQ(Chassi(w), "DELE");
        EXPECT_EQ(l.back().ENTSAI, 2);
        EXPECT_EQ(avisos.mensagens.size(), 1u);
    }
}

TEST_F(VeiculosTest, DecemberCarryReplacesOnlyItsOwnRateAndKeepsTheNewYear) {
    shell::GLO_MES.Set(12);
    Entra({"PARADO12", Dia(2016, 5, 10), 1, "1000"});
    Entra({"VENDIDO12", Dia(2016, 6, 10), 2, "1000"});
    Sai("VENDIDO12", Dia(2016, 12, 3), 9, "900");
    Entra({"PARADO7", Dia(2016, 7, 10), 3, "500", "0", "7"});
    const std::string prox = dictionary::CaminhosArquivosAno(root, 1, 2017).CaminhoEntradaVeiculo;
    ASSERT_FALSE(dictionary::CriaPastas(dictionary::CaminhosArquivosAno(root, 1, 2017)));
    Entra({"ANTIGO12", Dia(2016, 4, 1), 7, "100"}, prox);              // an earlier carry of rate 12
    Entra({"ANTIGO7", Dia(2016, 4, 2), 8, "100", "0", "7"}, prox);     // a carry of another rate
    Entra({"DE2017", Dia(2017, 1, 5), 9, "100"}, prox);                // the new year's own entry

    OpcoesVeiculos o;
    o.percentual = D("12");
    for (int vez = 0; vez < 2; ++vez) {
        AvisosDeTeste avisos;
        ResultadoVeiculos r = Calcula(o, avisos);
        ASSERT_TRUE(r.ok) << r.erro;
        ASSERT_EQ(r.transporte.size(), 1u);
        ResultadoVeiculos t = NaThread([&] { return TransportaVeiculos(r, o); });
        ApagaTrabalho(r.arquivoTrabalho);
        ASSERT_TRUE(t.ok) << t.erro;
    }
    std::vector<std::string> chassis;
    for (auto& e : Le<EntradaVeiculoRec>(dictionary::EntradaVeiculo(), keys::ENV_KEY_NUMERO, prox))
        chassis.emplace_back(text::clip(e.Chassi.value()));
    EXPECT_EQ(chassis, (std::vector<std::string>{"ANTIGO7", "PARADO12", "DE2017"}));
    auto carregado = Le<EntradaVeiculoRec>(dictionary::EntradaVeiculo(), keys::ENV_KEY_NUMERO, prox)[1];
    EXPECT_EQ(carregado.BaseCalcRetencao.value(), D("1000"));
    EXPECT_EQ(carregado.CodProduto.value(), D("77"));
    EXPECT_EQ(carregado.CFO, 1403);
}

TEST_F(VeiculosTest, NoCarryOutsideDecember) {
    Entra({"PARADO", Dia(2016, 1, 10)});
    AvisosDeTeste avisos;
    OpcoesVeiculos o;
    o.percentual = D("12");
    ResultadoVeiculos r = Calcula(o, avisos);
    ResultadoVeiculos t = NaThread([&] { return TransportaVeiculos(r, o); });
    ApagaTrabalho(r.arquivoTrabalho);
    EXPECT_TRUE(t.ok);
    EXPECT_FALSE(fs::exists(dir / "00000001" / "Vorel" / "2017"));
}

std::vector<std::string> LinhasDoArquivo(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::vector<std::string> l;
    for (std::string s; std::getline(in, s);) {
        if (!s.empty() && s.back() == '\r') s.pop_back();
        l.push_back(s);
    }
    return l;
}

TEST_F(VeiculosTest, SemicolonFileHasTheSheetAndItsBalances) {
    Mes();
    AvisosDeTeste avisos;
    OpcoesVeiculos o;
    o.percentual = D("12");
    ResultadoVeiculos r = Calcula(o, avisos);
    ASSERT_TRUE(r.ok) << r.erro;
    const fs::path arquivo = dir / "planilha.csv";
    ResultadoVeiculos x = NaThread([&] { return PlanilhaVeiculoExcel(r, o, arquivo.string(), avisos); });
    ASSERT_TRUE(x.ok) << x.erro;

    std::vector<std::string> l = LinhasDoArquivo(arquivo);
    ASSERT_EQ(l.size(), 17u + 7u + 17u);
    EXPECT_EQ(l[15], "01;02;03;04;05;06;07;08;09;10;11;12;13;14;15;16;17");
    // The exit without entry is an exit: its sale base is all to complement (column 14).
    EXPECT_EQ(l[17 + 5],
              "SEMENTRADA            ;          ;       ;   ;               ;               ;07/03/2016;     14;2 ;"
              "               ;         300,00;               ;              ;        300,00;              ;"
              "              ;");  // trailing blanks are not written
    // Column totals: 05 own bases 800 x 3 + 300; 06 retention bases 1000 + 1000 + 500 + 400; 11 sales
    // 450 + 300 + 700; 12 entry bases taken 400 + 1000; 13 stock left 1000 + 500; 14 to 17 as below.
    EXPECT_EQ(l[17 + 7 + 1], "Totais Colunas;;;;       2.700,00;       2.900,00;;;;               ;       1.450,00;"
                             "       1.400,00;       1.500,00;         350,00;         300,00;         200,00;         100,00");
    // 18: 50 (NOVO) + 300; 19: 200; 20: 100 (VENDIDONOMES 700 against 1000 / 800).
    EXPECT_EQ(l[17 + 7 + 4], "Somas;;;;;;;;;;;;;;        350,00;        200,00;        100,00");
    EXPECT_EQ(l[17 + 7 + 8], "Diferenca da Base de Calculo do Imposto a ser Complementado;;;;;;;;;;;;;;;se Positivo;"
                             "         50,00");
    EXPECT_EQ(l[17 + 7 + 14], "Diferenca da Base de Calculo do Imposto a ser Compensado;;;;;;;;;;;;;;;se Positivo;"
                              "          0,00");

    // A cancelled file is not left behind looking whole.
    AvisosDeTeste cancela;
    cancela.cancelaApos = 2;
    ResultadoVeiculos c = NaThread([&] { return PlanilhaVeiculoExcel(r, o, arquivo.string(), cancela); });
    ApagaTrabalho(r.arquivoTrabalho);
    EXPECT_FALSE(c.ok);
    EXPECT_FALSE(fs::exists(arquivo));
}

TEST_F(VeiculosTest, FinalSummaryNetsEveryRateOfTheMonth) {
    Mes();
    Entra({"SETE", Dia(2016, 2, 1), 30, "1000", "800", "7"});
    Sai("SETE", Dia(2016, 3, 2), 31, "1300", "7");
    // At 25: a sale below its entry's own-operation base (1000 / 900 / 800).
    Entra({"VINTECINCO", Dia(2016, 2, 4), 34, "1000", "900", "25"});
    Sai("VINTECINCO", Dia(2016, 3, 4), 35, "800", "25");
    AvisosDeTeste avisos;
    ResultadoResumoVeiculos r = NaThread([&] { return ResumoFinalVeiculo(shell::PeriodoDeTrabalho(), avisos); });
    ASSERT_TRUE(r.ok) << r.erro;
    ASSERT_EQ(r.linhas.size(), 4u);
    EXPECT_EQ(r.linhas[0].percentual, D("7"));
    EXPECT_EQ(r.linhas[0].complementar, D("300"));
    // Rate 12: complements 50 + 300 (no entry), reimbursed 200, compensated 100 -> 50 / 0 / 0.
    EXPECT_EQ(r.linhas[1].percentual, D("12"));
    EXPECT_EQ(r.linhas[1].complementar, D("50"));
    EXPECT_EQ(r.linhas[1].ressarcir, D("0"));
    EXPECT_EQ(r.linhas[2].percentual, D("18"));  // OUTRATAXA: 100 against 100
    EXPECT_EQ(r.linhas[3].percentual, D("25"));
    EXPECT_EQ(r.linhas[3].ressarcir, D("100"));   // 1000 - 900
    EXPECT_EQ(r.linhas[3].compensar, D("100"));   // 900 - 800
    EXPECT_EQ(avisos.mensagens.size(), 1u);

    // Kept in the run's own `ResumoFinal` and read back in rate order for the report.
    std::vector<LinhaResumoVeiculo> lidas;
    const std::string erro = NaThread([&] {
        data::FileManager resumo(dictionary::ResumoFinal());
        std::string e = AbreResumoFinal(resumo);
        if (e.empty()) e = GravaResumoFinalVeiculo({r.linhas[3], r.linhas[1], r.linhas[0], r.linhas[2]}, resumo);
        if (e.empty() && !LeResumoFinalVeiculo(resumo, lidas)) e = "not read";
        const std::string arquivo = resumo.file_name();
        (void)resumo.close();
        ApagaTrabalho(arquivo);
        return e;
    });
    ASSERT_EQ(erro, "");
    ASSERT_EQ(lidas.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(lidas[i].percentual, r.linhas[i].percentual);
        EXPECT_EQ(lidas[i].complementar, r.linhas[i].complementar);
        EXPECT_EQ(lidas[i].ressarcir, r.linhas[i].ressarcir);
        EXPECT_EQ(lidas[i].compensar, r.linhas[i].compensar);
    }
}

}  // namespace
}  // namespace vorel::computation::testing
