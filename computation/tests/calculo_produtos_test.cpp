// The monthly computation run over real tables: the month records it writes, its work table's
// rows, the previous month (also from the previous year's file), the carry of the other products,
// the mended faults (missing CFOP, unregistered products, several opening balances) and that a
// cancelled run changes nothing.
#include <gtest/gtest.h>

#include "calculo_fixture.h"
#include "vorel/core/text.h"
#include "vorel/dictionary/name_variables.h"

namespace vorel::computation::testing {
namespace {

using dictionary::EntradaSaidaVorelRec;
using dictionary::SaldosVorelRec;


// One record's stored values as text, for comparing whole tables.
std::string Texto(const SaldosVorelRec& r) {
    return std::string(r.Produto.clipped()) + " " + std::to_string(r.Competencia) + " " + r.Aliquota.value().to_string() +
           " q=" + r.QuantProdutos.value().to_string() + " u=" + r.ValorUnit.value().to_string() +
           " b=" + r.BaseAcunulada.value().to_string() + " cf=" + r.CalcUsuFinal.value().to_string() +
           " fg=" + r.CalcFGNRealisado.value().to_string() + " is=" + r.CalcIsenta.value().to_string() +
           " uf=" + r.CalcOutUF.value().to_string() + " su=" + r.CalcSubsequente.value().to_string() +
           " cu=" + r.ConfUsuFinal.value().to_string() + " cd=" + r.ConfDemHip.value().to_string() +
           " s=" + std::to_string(r.Situacao) + " sa=" + r.SaldoAnterior.value().to_string() +
           " x=" + std::to_string(r.Exclusao) + " ua=" + r.ValorUnit_Ant.value().to_string();
}

class CalculoProdutosTest : public CalculoFixture {
protected:
    const date::Day kFev = Dia(2016, 2, 1);
    const date::Day kMar = Dia(2016, 3, 1);
    std::vector<std::string> TodosOsSaldos() {
        std::vector<std::string> out;
        for (const auto& r : Saldos()) out.push_back(Texto(r));
        return out;
    }
    const SaldosVorelRec* Do(const std::vector<SaldosVorelRec>& v, int produto, date::Day mes) {
        for (const auto& r : v)
            if (r.Produto.clipped() == std::to_string(produto) && r.Competencia == mes) return &r;
        return nullptr;
    }
};

TEST_F(CalculoProdutosTest, ExitEmptyingTheStockStoresTheCutRetentionAndAZeroBalance) {
    Cfo(5102, kConsumidorFinal);
    Produto(1);
    Saldo({.produto = 1, .mes = kFev, .qtd = "10", .unit = "1.234567", .base = "12.35"});
    Saida(1, Dia(2016, 3, 10), 15, 5102, "10");
    ASSERT_EQ(CalculaTodos().erro, "");
    auto saldos = Saldos();
    const SaldosVorelRec* r = Do(saldos, 1, kMar);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->CalcUsuFinal.value(), D("12.34"));
    EXPECT_EQ(r->QuantProdutos.value(), D("0"));
    EXPECT_EQ(r->BaseAcunulada.value(), D("0"));
    EXPECT_EQ(r->ValorUnit.value(), D("0"));
    EXPECT_EQ(r->Situacao, 1);
    EXPECT_EQ(r->SaldoAnterior.value(), D("10"));
}

// 2403 at 18 %: 4 units of own base 100.00 give 16.66 a unit; 1403 in the previous year's file:
// 6 more units at 5.00; 96.64 in all. An entry of the exit's own date counts; 2409 at 12 % takes
// no factor. An earlier exit of the product sees only the entries before it (2 units at 5.00).
TEST_F(CalculoProdutosTest, BaseOfTheLastEntriesReachesIntoThePreviousYear) {
    Cfo(2403, kEntradas);
    Cfo(2409, kEntradas);
    Cfo(6102, kOutroEstado);
    Cfo(5949, kIsenta);
    Produto(7);
    Produto(8);
    Entrada({.produto = 7, .data = Dia(2015, 11, 10), .numero = 50, .cfo = 1403, .qtd = "10", .base = "60", .propria = "50"},
            ArquivoAno(2015, false));
    Entrada({.produto = 7, .data = Dia(2016, 3, 5), .numero = 51, .cfo = 2403, .qtd = "4", .base = "120", .propria = "100"});
    Saida(7, Dia(2016, 3, 4), 899, 6102, "2");
    Saida(7, Dia(2016, 3, 5), 900, 6102, "10");
    Entrada({.produto = 8, .data = Dia(2016, 3, 2), .numero = 52, .cfo = 2409, .qtd = "2", .base = "40", .propria = "30",
             .aliquota = "12"});
    Saida(8, Dia(2016, 3, 3), 901, 5949, "1");

    AvisosDeTeste avisos;
    OpcoesCalculo o;
    o.todos = true;
    o.manterTrabalho = true;
    ResultadoCalculo r = Calcula(o, avisos);
    ASSERT_TRUE(r.ok()) << r.erro;
    std::vector<std::pair<int, std::string>> bases;
    for (const auto& l : Linhas(r.arquivoTrabalho))
        if (l.ENTSAI == 2) bases.emplace_back(static_cast<int>(l.CODMERCADORIA.value().to_integer()), l.CONFENTRADASDEMHIP.value().to_string());
    EXPECT_EQ(bases, (std::vector<std::pair<int, std::string>>{{7, "10"}, {7, "96.64"}, {8, "15"}}));
    auto saldos = Saldos();
    ASSERT_NE(Do(saldos, 7, kMar), nullptr);
    EXPECT_EQ(Do(saldos, 7, kMar)->ConfDemHip.value(), D("106.64"));
    ApagaTrabalho(r.arquivoTrabalho);
}

// Opening row first; on one day entries before exits; entry numbers as text ("100" before "25");
// exit numbers blank-padded to six places, before the machines' serials. A one-product run leaves
// every other product alone.
TEST_F(CalculoProdutosTest, WorkTableOrderAndAOneProductRun) {
    Cfo(1102, kEntradas);
    Cfo(5102, kConsumidorFinal);
    Produto(5);
    Produto(6);
    Maquina(3, "ABC1");
    const date::Day dia = Dia(2016, 3, 10);
    Caixa(5, dia, 3, "1", "2");
    Caixa(5, dia, 4, "1", "2");           // a machine not registered: blank number, not valued
    Caixa(5, dia, 3, "1", "2", "T18");    // another totaliser: not gathered
    Saida(5, dia, 123456, 5102, "1");
    Saida(5, dia, 7, 5102, "1");
    Entrada({.produto = 5, .data = dia, .numero = 25, .cfo = 1102, .qtd = "5", .base = "10"});
    Entrada({.produto = 5, .data = dia, .numero = 100, .cfo = 1102, .qtd = "5", .base = "10"});
    Entrada({.produto = 5, .data = Dia(2016, 3, 1), .numero = 1, .cfo = 1102, .qtd = "1", .base = "2"});
    Saida(6, dia, 8, 5102, "1");
    Saldo({.produto = 6, .mes = kMar, .qtd = "3", .unit = "1", .base = "3"});

    AvisosDeTeste avisos;
    OpcoesCalculo o;
    o.produto = 5;
    o.manterTrabalho = true;
    ResultadoCalculo r = Calcula(o, avisos);
    ASSERT_TRUE(r.ok()) << r.erro;
    std::vector<std::string> numeros;
    for (const auto& l : Linhas(r.arquivoTrabalho)) {
        EXPECT_EQ(l.CODMERCADORIA.value(), Decimal(5));
        numeros.push_back(std::to_string(l.ENTSAI) + ":" + l.NUMERO.str().substr(0, l.NUMERO.clipped().size()));
    }
    EXPECT_EQ(numeros, (std::vector<std::string>{"0:", "1:1", "1:100", "1:25", "2:", "2:     7", "2:123456", "2:ABC1"}));
    ApagaTrabalho(r.arquivoTrabalho);

    auto saldos = Saldos();
    ASSERT_EQ(saldos.size(), 2u);
    EXPECT_EQ(Do(saldos, 6, kMar)->QuantProdutos.value(), D("3"));  // untouched
    const SaldosVorelRec* cinco = Do(saldos, 5, kMar);
    ASSERT_NE(cinco, nullptr);
    EXPECT_EQ(cinco->QuantProdutos.value(), D("8"));  // 11 in, 2 exits and one cash-register item out
}

// Rows of equal key values read in the order in which the run gathers its sources, not in the order
// it values them: every exit, then every entry, then every cash-register item (each in its file's
// product and date order, same-day items as written), then the opening rows in product order. By
// product and day the exits come before the entry; by day alone the two products' exits before
// their entries.
TEST_F(CalculoProdutosTest, RowsOfEqualKeysReadInTheOrderTheSourcesAreGathered) {
    Cfo(1102, kEntradas);
    Cfo(5102, kConsumidorFinal);
    Produto(5);
    Produto(6);
    Maquina(3, "ABC1");
    const date::Day dia = Dia(2016, 3, 10);
    Caixa(6, dia, 3, "1", "2");
    Entrada({.produto = 6, .data = dia, .numero = 30, .cfo = 1102, .qtd = "5", .base = "10"});
    Saida(6, dia, 9, 5102, "1");
    Caixa(5, dia, 3, "1", "2");
    Entrada({.produto = 5, .data = dia, .numero = 20, .cfo = 1102, .qtd = "5", .base = "10"});
    Saida(5, dia, 8, 5102, "1");
    Saida(5, dia, 7, 5102, "1");

    AvisosDeTeste avisos;
    OpcoesCalculo o;
    o.todos = true;
    o.manterTrabalho = true;
    ResultadoCalculo r = Calcula(o, avisos);
    ASSERT_TRUE(r.ok()) << r.erro;
    auto ordem = [&](data::KeyName chave) {
        std::vector<std::string> out;
        for (const auto& l : Le<EntradaSaidaVorelRec>(dictionary::EntradaSaidaVorel(), chave, r.arquivoTrabalho))
            out.push_back(l.CODMERCADORIA.value().to_string() + ":" + std::to_string(l.ENTSAI) + ":" +
                          std::string(text::trim(l.NUMERO.clipped())));
        return out;
    };
    EXPECT_EQ(ordem(keys::ESA_KEY_DATAPRODUTO), (std::vector<std::string>{"5:0:", "5:2:8", "5:2:7", "5:1:20", "5:2:ABC1",
                                                                         "6:0:", "6:2:9", "6:1:30", "6:2:ABC1"}));
    EXPECT_EQ(ordem(keys::ESA_KEY_VEICULOS), (std::vector<std::string>{"5:0:", "6:0:", "5:2:8", "5:2:7", "6:2:9", "5:1:20",
                                                                      "6:1:30", "5:2:ABC1", "6:2:ABC1"}));
    ApagaTrabalho(r.arquivoTrabalho);
}

TEST_F(CalculoProdutosTest, NegativeOnlyKeepsOnlyProductsBelowZeroAndWritesNoRecordOfThem) {
    Cfo(1102, kEntradas);
    Cfo(5102, kConsumidorFinal);
    Produto(1);
    Produto(2);
    Produto(3);
    Saida(1, Dia(2016, 3, 4), 1, 5102, "5");
    Entrada({.produto = 2, .data = Dia(2016, 3, 2), .numero = 9, .cfo = 1102, .qtd = "5", .base = "10"});
    Saida(2, Dia(2016, 3, 4), 2, 5102, "2");

    AvisosDeTeste avisos;
    OpcoesCalculo o;
    o.todos = true;
    o.somenteNegativos = true;
    o.manterTrabalho = true;
    ResultadoCalculo r = Calcula(o, avisos);
    ASSERT_TRUE(r.ok()) << r.erro;
    auto linhas = Linhas(r.arquivoTrabalho);
    ASSERT_EQ(linhas.size(), 2u);
    for (const auto& l : linhas) EXPECT_EQ(l.CODMERCADORIA.value(), Decimal(1));
    EXPECT_EQ(linhas[1].SALDOQUANTIDADE.value(), D("-5"));
    ApagaTrabalho(r.arquivoTrabalho);
    EXPECT_TRUE(avisos.mensagens.empty());

    auto saldos = Saldos();
    EXPECT_EQ(Do(saldos, 1, kMar), nullptr);
    EXPECT_EQ(Do(saldos, 2, kMar), nullptr);
    ASSERT_NE(Do(saldos, 3, kMar), nullptr);  // the carry of the products not valued still writes
    EXPECT_EQ(Do(saldos, 3, kMar)->QuantProdutos.value(), D("0"));
}

// In January the previous month is December of the previous year's file, read through a cursor of
// the run: the working year's table names stay as they were.
TEST_F(CalculoProdutosTest, JanuaryReadsDecemberOfThePreviousYearsFile) {
    Cfo(5102, kConsumidorFinal);
    Produto(1);
    Produto(2);
    const std::string anterior = ArquivoAno(2015, true);
    Saldo({.produto = 1, .mes = Dia(2015, 12, 1), .qtd = "10", .unit = "2", .base = "20"}, anterior);
    Saldo({.produto = 2, .mes = Dia(2015, 12, 1), .qtd = "3", .unit = "1.5", .base = "4.5"}, anterior);
    shell::GLO_MES.Set(1);
    Saida(1, Dia(2016, 1, 20), 3, 5102, "4");
    const std::string nomeSaldos = dictionary::CaminhoSaldosVorel.get();

    AvisosDeTeste avisos;
    OpcoesCalculo o;
    o.produto = 1;
    ASSERT_TRUE(Calcula(o, avisos).ok());
    EXPECT_EQ(dictionary::CaminhoSaldosVorel.get(), nomeSaldos);
    ASSERT_EQ(CalculaTodos().erro, "");

    auto saldos = Saldos();
    const date::Day jan = Dia(2016, 1, 1);
    ASSERT_EQ(saldos.size(), 2u);
    EXPECT_EQ(Texto(*Do(saldos, 1, jan)),
              Texto([&] {
                  SaldosVorelRec e;
                  e.Produto = "1";
                  e.Competencia = jan;
                  e.Aliquota = 18;
                  e.QuantProdutos = 6;
                  e.ValorUnit = 2;
                  e.BaseAcunulada = 12;
                  e.CalcUsuFinal = 8;
                  e.Situacao = 1;
                  e.SaldoAnterior = 10;
                  e.ValorUnit_Ant = 2;
                  return e;
              }()));
    EXPECT_EQ(Do(saldos, 2, jan)->QuantProdutos.value(), D("3"));
    EXPECT_EQ(Do(saldos, 2, jan)->BaseAcunulada.value(), D("4.5"));
}

// A product whose rate changed since the previous month keeps one record, at the new rate.
TEST_F(CalculoProdutosTest, RateChangeCarriedByTheAllProductsPass) {
    Produto(4, "18");
    Produto(10, "12");
    Saldo({.produto = 4, .mes = kFev, .aliquota = "17", .qtd = "5", .unit = "3", .base = "15"});
    Saldo({.produto = 4, .mes = kMar, .aliquota = "17", .qtd = "1", .unit = "1", .base = "1"});
    ASSERT_EQ(CalculaTodos().erro, "");
    auto saldos = Saldos();
    std::vector<std::string> marco;
    for (const auto& r : saldos)
        if (r.Competencia == kMar) marco.push_back(std::string(r.Produto.clipped()) + "@" + r.Aliquota.value().to_string() +
                                                    " q=" + r.QuantProdutos.value().to_string() +
                                                    " b=" + r.BaseAcunulada.value().to_string());
    EXPECT_EQ(marco, (std::vector<std::string>{"10@12 q=0 b=0", "4@18 q=5 b=15"}));
}

// A movement whose CFOP is missing from the register keeps the running values and is listed once at
// the end; an unregistered product code is valued and rerun without a stale or duplicate record;
// a second run on the same data writes the same records.
TEST_F(CalculoProdutosTest, MissingCfopUnregisteredProductAndRepeatedRun) {
    Cfo(1102, kEntradas);
    Cfo(5102, kConsumidorFinal);
    Produto(1);
    Entrada({.produto = 9, .data = Dia(2016, 3, 2), .numero = 4, .cfo = 1102, .qtd = "10", .base = "30"});
    Saida(9, Dia(2016, 3, 5), 77, 5999, "2");
    Saida(9, Dia(2016, 3, 6), 78, 5998, "1");
    Saida(1, Dia(2016, 3, 6), 79, 5102, "1");
    Entrada({.produto = 1, .data = Dia(2016, 3, 2), .numero = 5, .cfo = 1102, .qtd = "4", .base = "10"});

    AvisosDeTeste avisos;
    OpcoesCalculo o;
    o.todos = true;
    ResultadoCalculo r = Calcula(o, avisos);
    ASSERT_TRUE(r.ok()) << r.erro;
    ASSERT_EQ(r.cfosAusentes.size(), 2u);
    EXPECT_EQ(r.cfosAusentes[0].cfo, 5999);
    EXPECT_EQ(r.cfosAusentes[1].cfo, 5998);
    ASSERT_EQ(avisos.mensagens.size(), 1u);
    EXPECT_EQ(avisos.mensagens[0].first, "Alerta!");

    auto primeira = TodosOsSaldos();
    auto saldos = Saldos();
    ASSERT_NE(Do(saldos, 9, kMar), nullptr);
    EXPECT_EQ(Do(saldos, 9, kMar)->QuantProdutos.value(), D("10"));
    EXPECT_EQ(Do(saldos, 9, kMar)->BaseAcunulada.value(), D("30"));

    ASSERT_EQ(CalculaTodos().erro, "");
    EXPECT_EQ(TodosOsSaldos(), primeira);
}

TEST_F(CalculoProdutosTest, SeveralOpeningBalancesOfAProductAddUp) {
    Produto(1);
    Entrada({.produto = 1, .data = Dia(2016, 3, 1), .cfo = 1102, .qtd = "4", .base = "8", .saldoInicial = 1});
    Entrada({.produto = 1, .data = Dia(2016, 3, 1), .cfo = 1102, .qtd = "6", .base = "18", .saldoInicial = 1});
    ASSERT_EQ(CalculaTodos().erro, "");
    auto saldos = Saldos();
    ASSERT_EQ(saldos.size(), 1u);
    EXPECT_EQ(saldos[0].QuantProdutos.value(), D("10"));
    EXPECT_EQ(saldos[0].BaseAcunulada.value(), D("26"));
    EXPECT_EQ(saldos[0].ValorUnit.value(), D("2.6"));
}

// A product marked for recomputation is valued although no movement of it remains; a month
// without movements or balances writes only what the carry writes.
TEST_F(CalculoProdutosTest, MarkedProductIsValuedWithoutMovements) {
    Saldo({.produto = 12, .mes = kMar, .qtd = "9", .unit = "1", .base = "9", .exclusao = 1});
    AvisosDeTeste avisos;
    OpcoesCalculo o;
    o.produto = 12;
    ASSERT_TRUE(Calcula(o, avisos).ok());
    auto saldos = Saldos();
    ASSERT_EQ(saldos.size(), 1u);
    EXPECT_EQ(saldos[0].QuantProdutos.value(), D("0"));
    EXPECT_EQ(saldos[0].Exclusao, 0);
    EXPECT_EQ(saldos[0].Situacao, 1);
}

// A run stopped at any point (gathering, valuation, carry) leaves the month's records as they
// were; the next run gives what a clean run gives.
TEST_F(CalculoProdutosTest, CancelledRunChangesNothing) {
    Cfo(1102, kEntradas);
    Cfo(5102, kConsumidorFinal);
    for (int p = 1; p <= 6; ++p) {
        Produto(p);
        Saldo({.produto = p, .mes = kFev, .qtd = "10", .unit = "2", .base = "20"});
    }
    for (int p = 1; p <= 4; ++p) Saida(p, Dia(2016, 3, 3), static_cast<std::uint32_t>(p), 5102, "1");
    ASSERT_EQ(CalculaTodos().erro, "");
    const auto antes = TodosOsSaldos();
    for (int p = 1; p <= 4; ++p) Entrada({.produto = p, .data = Dia(2016, 3, 4), .numero = 9, .cfo = 1102, .qtd = "3", .base = "9"});

    for (long long apos : {1, 5, 12, 20, 26}) {
        AvisosDeTeste avisos;
        avisos.cancelaApos = apos;
        OpcoesCalculo o;
        o.todos = true;
        ResultadoCalculo r = Calcula(o, avisos);
        EXPECT_EQ(r.estado, ResultadoCalculo::Estado::Cancelado) << apos;
        EXPECT_EQ(TodosOsSaldos(), antes) << "cancelled after " << apos;
        EXPECT_TRUE(r.arquivoTrabalho.empty());
    }
    ASSERT_EQ(CalculaTodos().erro, "");
    EXPECT_NE(TodosOsSaldos(), antes);
    EXPECT_EQ(Do(Saldos(), 1, kMar)->QuantProdutos.value(), D("12"));
}

// Two runs at once each work in a file of their own, and a run over another period than the
// working month (the digital file's) gathers no cash-register item and writes no month record.
TEST_F(CalculoProdutosTest, RunsKeepTheirOwnFilesAndAnotherPeriodWritesNoMonthRecord) {
    Cfo(5102, kConsumidorFinal);
    for (int p : {1, 2}) {
        Produto(p);
        Saldo({.produto = p, .mes = kFev, .qtd = "10", .unit = "1", .base = "10"});
        Saida(p, Dia(2016, 3, 10), static_cast<std::uint32_t>(p), 5102, "1");
    }
    ResultadoCalculo r[2];
    std::thread corre[2];
    for (int i = 0; i < 2; ++i) {
        corre[i] = std::thread([&, i] {
            dictionary::InitDictionary();
            AvisosDeTeste avisos;
            OpcoesCalculo o;
            o.produto = i + 1;
            o.manterTrabalho = true;
            r[i] = CalculoProdutos(shell::PeriodoDeTrabalho(), o, avisos);
            dictionary::TeardownDictionary();
        });
    }
    for (auto& t : corre) t.join();
    ASSERT_TRUE(r[0].ok() && r[1].ok()) << r[0].erro << r[1].erro;
    EXPECT_NE(r[0].arquivoTrabalho, r[1].arquivoTrabalho);
    for (int i = 0; i < 2; ++i) {
        for (const auto& l : Linhas(r[i].arquivoTrabalho)) EXPECT_EQ(l.CODMERCADORIA.value(), Decimal(i + 1));
        ApagaTrabalho(r[i].arquivoTrabalho);
    }
    const auto antes = TodosOsSaldos();

    Saida(1, Dia(2016, 2, 10), 3, 5102, "4");
    Caixa(1, Dia(2016, 2, 11), 1, "1", "1");
    AvisosDeTeste avisos;
    OpcoesCalculo o;
    o.todos = true;
    o.periodoExplicito = true;
    o.inicio = Dia(2016, 2, 1);
    o.fim = Dia(2016, 2, 29);
    o.manterTrabalho = true;
    ResultadoCalculo f = Calcula(o, avisos);
    ASSERT_TRUE(f.ok()) << f.erro;
    std::vector<std::string> linhas;
    for (const auto& l : Linhas(f.arquivoTrabalho))
        linhas.push_back(l.CODMERCADORIA.value().to_string() + ":" + std::to_string(l.ENTSAI) + ":" +
                         l.SALDOQUANTIDADE.value().to_string());
    EXPECT_EQ(linhas, (std::vector<std::string>{"1:0:10", "1:2:6", "2:0:10"}));
    ApagaTrabalho(f.arquivoTrabalho);
    EXPECT_EQ(TodosOsSaldos(), antes);
}

// The company and month come as a value: a run for another month than the working one (of the
// working year, and of the year before) reads and writes that month's year files, and leaves the
// working period, the year tables' names and the working month's stored balances as they were.
TEST_F(CalculoProdutosTest, AnotherMonthIsComputedFromItsOwnYearFilesWithoutTouchingTheWorkingMonth) {
    Cfo(5102, kConsumidorFinal);
    Produto(1);
    const std::string saldos2015 = ArquivoAno(2015, true);
    const std::string saidas2015 = dictionary::CaminhosArquivosAno(root, 1, 2015).CaminhoSaidaVorel;
    Saldo({.produto = 1, .mes = Dia(2015, 11, 1), .qtd = "10", .unit = "1", .base = "10"}, saldos2015);
    Saida(1, Dia(2015, 12, 10), 1, 5102, "4", "0", saidas2015);
    Saldo({.produto = 1, .mes = Dia(2016, 1, 1), .qtd = "8", .unit = "2", .base = "16"});
    Saida(1, Dia(2016, 2, 10), 2, 5102, "3");
    Saldo({.produto = 1, .mes = kMar, .qtd = "99", .unit = "1", .base = "99"});
    const std::string nomeSaldos = dictionary::CaminhoSaldosVorel.get();
    const auto marco = Texto(*Do(Saldos(), 1, kMar));

    struct Caso {
        shell::EmpresaPeriodo periodo;
        std::string arquivo;  // the year's balances ("" : the working year's)
        const char* quantidade;
        const char* base;
    } casos[] = {
        {{1, 2015, 12}, saldos2015, "6", "6"},
        {{1, 2016, 2}, "", "5", "10"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(std::to_string(c.periodo.mes) + "/" + std::to_string(c.periodo.ano));
        AvisosDeTeste avisos;
        OpcoesCalculo o;
        o.todos = true;
        const ResultadoCalculo r = CalculaNo(c.periodo, o, avisos);
        ASSERT_TRUE(r.ok()) << r.erro;
        auto saldos = c.arquivo.empty() ? Saldos()
                                        : Le<SaldosVorelRec>(dictionary::SaldosVorel(), keys::SQEL_KEY_PRODDATAALIQUOTA, c.arquivo);
        const SaldosVorelRec* mes = Do(saldos, 1, c.periodo.Inicio());
        ASSERT_NE(mes, nullptr);
        EXPECT_EQ(mes->QuantProdutos.value(), D(c.quantidade));
        EXPECT_EQ(mes->BaseAcunulada.value(), D(c.base));

        EXPECT_EQ(shell::PeriodoDeTrabalho(), (shell::EmpresaPeriodo{1, 2016, 3}));
        EXPECT_EQ(dictionary::CaminhoSaldosVorel.get(), nomeSaldos);
        EXPECT_EQ(Texto(*Do(Saldos(), 1, kMar)), marco);
    }
}

// Another company's run reads that company's own registers (its products file, by EMP:TIPONBM 2),
// not the working company's that the thread's table names point at: the month record takes the
// computed company's product rate.
TEST_F(CalculoProdutosTest, AnotherCompanyIsComputedFromItsOwnRegisters) {
    Cfo(5102, kConsumidorFinal);
    Produto(1, "18");  // the working company's (shared) register
    Grava<dictionary::EmpresaRec>(dictionary::Empresa(), [](auto& e) {
        e.Codigo = 2;
        e.TIPONBM = 2;
    });
    const auto empresa2 = dictionary::CaminhosArquivosEmpresa(root, 2, 2, 0);
    const auto ano2 = dictionary::CaminhosArquivosAno(root, 2, 2016);
    ASSERT_FALSE(dictionary::CriaPastas(empresa2));
    ASSERT_FALSE(dictionary::CriaPastas(ano2));
    Grava<dictionary::ProdutosRec>(dictionary::Produtos(), [](auto& r) {
        r.Codigo = 1;
        r.Alicota = D("25");
    }, empresa2.CaminhoProdutos);
    Saldo({.produto = 1, .mes = Dia(2016, 1, 1), .aliquota = "25", .qtd = "10", .unit = "1", .base = "10"},
          ano2.CaminhoSaldosVorel);
    Saida(1, Dia(2016, 2, 10), 1, 5102, "3", "0", ano2.CaminhoSaidaVorel);
    const std::string nomeProdutos = dictionary::CaminhoProdutos.get();

    AvisosDeTeste avisos;
    OpcoesCalculo o;
    o.todos = true;
    const ResultadoCalculo r = CalculaNo({2, 2016, 2}, o, avisos);
    ASSERT_TRUE(r.ok()) << r.erro;
    auto saldos = Le<SaldosVorelRec>(dictionary::SaldosVorel(), keys::SQEL_KEY_PRODDATAALIQUOTA, ano2.CaminhoSaldosVorel);
    const SaldosVorelRec* fev = Do(saldos, 1, Dia(2016, 2, 1));
    ASSERT_NE(fev, nullptr);
    EXPECT_EQ(fev->Aliquota.value(), D("25"));
    EXPECT_EQ(fev->QuantProdutos.value(), D("7"));
    EXPECT_EQ(dictionary::CaminhoProdutos.get(), nomeProdutos);
    EXPECT_EQ(shell::PeriodoDeTrabalho(), (shell::EmpresaPeriodo{1, 2016, 3}));
}

}  // namespace
}  // namespace vorel::computation::testing
