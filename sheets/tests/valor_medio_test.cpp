// The management sheet's own weighted moving average: a worked month, each column's valuation,
// the opening, and which rows the balance and negative options print, total and summarise.
#include <gtest/gtest.h>

#include <map>

#include "tabelas_fixture.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/sheets/valor_medio.h"
#include "work_table_rows.h"

namespace vorel::sheets {
namespace {

Decimal D(const char* s) { return Decimal::from_string(s); }

dictionary::EntradaSaidaVorelRec Row(std::uint16_t cfo, const char* q, const char* b, int dia = 10,
                                     const char* numero = "77", int produto = 5) {
    dictionary::EntradaSaidaVorelRec r{};
    r.ENTSAI = cfo < 5000 ? 1 : 2;
    r.DATA = date::make(2016, 7, dia);
    r.NUMERO = numero;
    r.SERIE = "1";
    r.CFO = cfo;
    r.QUANTIDADE = D(q);
    r.BASEICMS = D(b);
    r.CODMERCADORIA = produto;
    return r;
}

// The CFO register of the tests: code -> print column.
const std::map<std::uint16_t, std::uint8_t> kColunas = {
    {1403, 1}, {1409, 1}, {176, 1}, {1102, 2}, {1411, 2}, {5405, 2}, {5102, 3}, {5949, 4},
    {6404, 5}, {5408, 6}, {1949, 7}, {5202, 8}, {1202, 8}, {5927, 9}};

struct Cenario {
    SaldoGestao anterior{D("10"), D("5.000"), D("50.00")};  // the previous month's record
    std::vector<EntradaAnterior> entradas;                   // newest first
    ConsultasGestao Consultas() {
        ConsultasGestao c;
        c.coluna = [](std::uint16_t cfo, std::uint8_t) -> std::optional<std::uint8_t> {
            auto it = kColunas.find(cfo);
            if (it == kColunas.end()) return std::nullopt;
            return it->second;
        };
        c.saldoAnterior = [this](const Decimal&) { return anterior; };
        c.entradas = [this](const Decimal&, date::Day ate, const std::function<bool(const EntradaAnterior&)>& visita) {
            for (const EntradaAnterior& e : entradas)
                if (e.data <= ate && !visita(e)) return;
        };
        return c;
    }
};

TEST(ValorMedioGestao, WorkedMonth) {
    Cenario c;
    c.entradas = {{date::make(2016, 7, 5), D("10"), D("50.00"), false}};
    OpcoesGestao o;
    ValorMedioGestao v(o, c.Consultas());

    auto l = v.Linha(Row(1403, "10", "70.00", 5), kLoteAtual, 3, "FORNECEDOR 3");
    ASSERT_EQ(l.size(), 2u);  // the opening line, then the entry
    EXPECT_EQ(l[0].tipo.linha, TipoLinha::SaldoAnterior);
    EXPECT_EQ(l[0].saldoQuantidade, D("10"));
    EXPECT_EQ(l[0].saldoBase, D("50.00"));
    EXPECT_EQ(l[1].entBase, D("70.00"));
    EXPECT_EQ(l[1].saldoQuantidade, D("20"));
    EXPECT_EQ(l[1].saldoBase, D("120.00"));
    EXPECT_EQ(l[1].saldoValUnitario, D("6.000"));

    l = v.Linha(Row(5405, "4", "30.00", 10), kLoteAtual, 3, "FORNECEDOR 3");
    ASSERT_EQ(l.size(), 1u);
    EXPECT_EQ(l[0].valores[0], D("24.00"));
    EXPECT_EQ(l[0].valores[5], D("30.00"));
    EXPECT_EQ(l[0].saiValUnitario, D("6.000"));
    EXPECT_EQ(l[0].saldoQuantidade, D("16"));
    EXPECT_EQ(l[0].saldoBase, D("96.00"));

    l = v.Linha(Row(6404, "2", "0", 12), kLoteAtual, 3, "FORNECEDOR 3");
    ASSERT_EQ(l.size(), 1u);
    EXPECT_EQ(l[0].valores[3], D("12.00"));
    EXPECT_EQ(l[0].valores[6], D("10.00"));
    EXPECT_EQ(l[0].saldoQuantidade, D("14"));
    EXPECT_EQ(l[0].saldoBase, D("84.00"));

    // Totals of the footer and the supplier's summary: A = col 10 - col 15, B = col 13 - col 16.
    EXPECT_EQ(v.Totais().entQuantidade, D("10"));
    EXPECT_EQ(v.Totais().saiQuantidade, D("6"));
    const EntradaResumo* e = v.Resumo().Procura(3);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->descricao, "FORNECEDOR 3");
    EXPECT_EQ(e->valores[0] - e->valores[5], D("-6.00"));
    EXPECT_EQ(e->valores[3] - e->valores[6], D("2.00"));
    EXPECT_EQ(e->saldoQuantidade, D("50"));  // 20 + 16 + 14: the running quantity of every row
}

// One row valued from the opening Q 10, A 5.000, B 50.00.
TEST(ValorMedioGestao, EachColumnFromTheSameOpening) {
    struct Caso {
        const char* nome;
        FormaPlanilha forma;
        std::uint16_t cfo;
        const char* q;
        const char* b;
        const char* aliquota;
        int valor;           // index of columns 10-16 checked (-1: entry base)
        const char* esperado;
        int indice16;        // column 16 also checked when it differs from 0
        const char* c16;
        const char* saldoQ;
        const char* saldoB;
        const char* media;
        bool subtrai;
    } casos[] = {
        {"col 1 own base", FormaPlanilha::Pagina, 1403, "10", "70", "", -1, "70.00", 0, "0", "20", "120.00", "6.000", false},
        {"col 1 at the average", FormaPlanilha::Pagina, 176, "2", "99", "", -1, "10.00", 0, "0", "12", "60.00", "5.000", false},
        {"col 2 exit", FormaPlanilha::Pagina, 5405, "4", "30", "", 0, "20.00", 5, "30.00", "6", "30.00", "5.000", false},
        {"col 2 returns to stock", FormaPlanilha::Pagina, 1411, "4", "30", "", 0, "20.00", 5, "30.00", "14", "70.00", "5.000", true},
        {"col 2 entry code", FormaPlanilha::Pagina, 1102, "4", "0", "", 0, "20.00", 5, "0", "14", "70.00", "5.000", true},
        {"col 3", FormaPlanilha::Pagina, 5102, "3", "0", "", 1, "15.00", 6, "15.00", "7", "35.00", "5.000", false},
        {"col 4 same-day entry", FormaPlanilha::Pagina, 5949, "3", "0", "", 2, "15.00", 6, "12.00", "7", "35.00", "5.000", false},
        {"col 4 text: earlier entry", FormaPlanilha::Texto, 5949, "3", "0", "", 2, "15.00", 6, "9.00", "7", "35.00", "5.000", false},
        {"col 5 beyond every entry", FormaPlanilha::Pagina, 6404, "30", "0", "", 3, "150.00", 6, "120.00", "-20", "-100.00", "5.000", false},
        {"col 6", FormaPlanilha::Pagina, 5408, "1", "0", "", 4, "5.00", 0, "0", "9", "45.00", "5.000", false},
        {"col 7", FormaPlanilha::Pagina, 1949, "10", "30", "", 6, "30.00", 0, "0", "20", "80.00", "4.000", false},
        {"col 8", FormaPlanilha::Pagina, 5202, "2", "12", "", -1, "12.00", 0, "0", "8", "38.00", "4.750", true},
        {"col 9", FormaPlanilha::Pagina, 5927, "2", "0", "", 1, "10.00", 6, "8.00", "8", "40.00", "5.000", false},
        {"col 9 text: not valued", FormaPlanilha::Texto, 5927, "2", "0", "", 1, "0", 0, "0", "10", "50.00", "5.000", false},
        {"cash register", FormaPlanilha::Pagina, 0, "2", "11", "F", 0, "10.00", 5, "11.00", "8", "40.00", "5.000", false},
        {"unknown CFO", FormaPlanilha::Pagina, 5999, "2", "11", "", 0, "0", 0, "0", "10", "50.00", "5.000", false},
    };
    for (const Caso& k : casos) {
        SCOPED_TRACE(k.nome);
        Cenario c;
        // Entries of the product, newest first: one on the exit's day, one earlier.
        c.entradas = {{date::make(2016, 7, 10), D("5"), D("20.00"), false},
                      {date::make(2016, 7, 2), D("5"), D("15.00"), false}};
        OpcoesGestao o;
        o.forma = k.forma;
        ValorMedioGestao v(o, c.Consultas());
        auto row = Row(k.cfo, k.q, k.b);
        row.ALIQUOTA = k.aliquota;
        const auto linhas = v.Linha(row, kLoteAtual, 1, "F1");
        ASSERT_EQ(linhas.size(), 2u);
        const LinhaPlanilha& l = linhas[1];
        const Decimal& valor = k.valor < 0 ? l.entBase : l.valores[static_cast<std::size_t>(k.valor)];
        EXPECT_EQ(valor, D(k.esperado));
        if (k.indice16 != 0) {
            EXPECT_EQ(l.valores[static_cast<std::size_t>(k.indice16)], D(k.c16));
        }
        EXPECT_EQ(l.saldoQuantidade, D(k.saldoQ));
        EXPECT_EQ(l.saldoBase, D(k.saldoB));
        EXPECT_EQ(l.saldoValUnitario, D(k.media));
        EXPECT_EQ(l.subtrai, k.subtrai);
    }
}

TEST(ValorMedioGestao, NumbersGoWhereEachFormPutsThem) {
    Cenario c;
    ValorMedioGestao pagina({}, c.Consultas());
    auto l = pagina.Linha(Row(1202, "1", "5", 10, "1234"), kLoteAtual, 1, "");  // column 8
    EXPECT_EQ(l[1].entNumero, "1234");
    OpcoesGestao t;
    t.forma = FormaPlanilha::Texto;
    ValorMedioGestao texto(t, c.Consultas());
    l = texto.Linha(Row(1403, "1", "5", 10, "1234"), kLoteAtual, 1, "");
    EXPECT_EQ(l[1].entNumero, " 1.234");
    l = texto.Linha(Row(1202, "1", "5", 11, "12345678"), kLoteAtual, 1, "");
    EXPECT_EQ(l[0].entNumero, "123456");
    l = texto.Linha(Row(5405, "1", "5", 12, "     1234567890"), kLoteAtual, 1, "");
    EXPECT_EQ(l[0].saiNumero, "     1234567890");
}

TEST(ValorMedioGestao, TransferEntryKeepsItsOwnBaseOnlyBeforeAPrintedOpening) {
    Cenario c;
    c.anterior = {};  // nothing the month before, nothing from the window: no opening line
    ValorMedioGestao v({}, c.Consultas());
    auto l = v.Linha(Row(1409, "10", "80.00", 3), kLoteAtual, 0, "");
    ASSERT_EQ(l.size(), 1u);
    EXPECT_EQ(l[0].entBase, D("80.00"));
    EXPECT_EQ(l[0].saldoValUnitario, D("8.000"));
    l = v.Linha(Row(1409, "5", "99.00", 4), kLoteAtual, 0, "");
    EXPECT_EQ(l[0].entBase, D("40.00"));  // the second one at the average

    // The text form always values it at the average (0 here).
    OpcoesGestao t;
    t.forma = FormaPlanilha::Texto;
    ValorMedioGestao texto(t, c.Consultas());
    l = texto.Linha(Row(1409, "10", "80.00", 3), kLoteAtual, 0, "");
    EXPECT_EQ(l.back().entBase, D("0"));
}

TEST(ValorMedioGestao, OpeningFromTheWindowWhenTheRecordIsEmpty) {
    Cenario c;
    c.anterior = {};
    OpcoesGestao o;
    o.aberturas[Decimal(5)] = {D("4"), D("2.500"), D("10.00")};
    ValorMedioGestao v(o, c.Consultas());
    auto l = v.Linha(Row(5405, "2", "0"), kLoteAtual, 0, "");
    ASSERT_EQ(l.size(), 2u);
    EXPECT_EQ(l[0].saldoBase, D("10.00"));
    EXPECT_EQ(l[1].saldoBase, D("5.00"));
    // The next product opens with its own record, never the previous product's balance.
    c.anterior = {D("1"), D("3.000"), D("3.00")};
    ASSERT_TRUE(v.NovoProduto(6));
    l = v.Linha(Row(5405, "1", "0", 10, "78", 6), kLoteAtual, 0, "");
    EXPECT_EQ(l[0].saldoBase, D("3.00"));
    EXPECT_EQ(l[1].saldoBase, D("0.00"));
    EXPECT_EQ(v.Totais().saiQuantidade, D("1"));  // totals restart with the product
    // Nor another product's opening entry: without a record or an entry of its own it opens at zero.
    c.anterior = {};
    l = v.Linha(Row(5405, "1", "0", 10, "79", 7), kLoteAtual, 0, "");
    ASSERT_EQ(l.size(), 1u);
    EXPECT_EQ(l[0].saldoBase, D("0.00"));
}

TEST(ValorMedioGestao, EmptiedStockAveragesToZeroAndTheRunGoesOn) {
    Cenario c;
    ValorMedioGestao v({}, c.Consultas());
    (void)v.Linha(Row(5202, "10", "50.00"), kLoteAtual, 0, "");  // col 8 takes the whole stock back
    EXPECT_EQ(v.Saldo().valUnitario, D("0"));
    auto l = v.Linha(Row(5405, "0", "10.00", 11), kLoteAtual, 0, "");  // a final-consumer unit of quantity 0
    EXPECT_EQ(l[0].valores[5], D("10.00"));
    l = v.Linha(Row(1403, "4", "20.00", 12), kLoteAtual, 0, "");
    EXPECT_EQ(l[0].saldoValUnitario, D("5.000"));
}

TEST(ValorMedioGestao, RowWithoutNumberIsSkippedInBothForms) {
    for (FormaPlanilha f : {FormaPlanilha::Pagina, FormaPlanilha::Texto}) {
        Cenario c;
        OpcoesGestao o;
        o.forma = f;
        ValorMedioGestao v(o, c.Consultas());
        auto l = v.Linha(Row(1403, "10", "70", 1, ""), kLoteAtual, 1, "");
        ASSERT_EQ(l.size(), 1u);  // only the opening
        EXPECT_EQ(v.Saldo().quantidade, D("10"));
        EXPECT_TRUE(v.Resumo().Vazio());
    }
}

// Rows: an exit of an old batch (type 0), an exit of a current batch (type 1) taking the base below
// zero, then an entry of a current batch bringing it back.
TEST(ValorMedioGestao, BalanceAndNegativeOptionsChooseTheLines) {
    struct Caso {
        const char* nome;
        FormaPlanilha forma;
        std::uint8_t desc;
        bool negativo;
        const char* impressas;  // 'A' opening, '0' '1' '2' the rows
        const char* saiTotal;   // exit quantity totalled
        const char* saldoFinal; // base after the three rows
        const char* fila;       // column 10 summed for supplier 1
    } casos[] = {
        {"normal", FormaPlanilha::Pagina, kSaldoNormal, false, "A012", "20", "50.00", "100.00"},
        {"only previous", FormaPlanilha::Pagina, kApenasSaldoAnterior, false, "A0", "4", "50.00", "20.00"},
        {"only current", FormaPlanilha::Pagina, kApenasSaldoAtual, false, "12", "16", "50.00", "80.00"},
        {"negative, page: the marker stays", FormaPlanilha::Pagina, kSaldoNormal, true, "12", "20", "50.00", "80.00"},
        {"negative, text: the base now", FormaPlanilha::Texto, kSaldoNormal, true, "1", "20", "50.00", "80.00"},
        {"only current, text: old rows unvalued", FormaPlanilha::Texto, kApenasSaldoAtual, false, "A12", "16", "70.00",
         "80.00"},
    };
    for (const Caso& k : casos) {
        SCOPED_TRACE(k.nome);
        Cenario c;
        OpcoesGestao o;
        o.forma = k.forma;
        o.descSaldo = k.desc;
        o.saldoNegativo = k.negativo;
        ValorMedioGestao v(o, c.Consultas());
        std::string impressas;
        const auto corre = [&](const dictionary::EntradaSaidaVorelRec& r, std::uint8_t lote, char nome) {
            for (const LinhaPlanilha& l : v.Linha(r, lote, 1, "F1"))
                impressas += l.tipo.linha == TipoLinha::SaldoAnterior ? 'A' : nome;
        };
        corre(Row(5405, "4", "0", 2), kLoteAnterior, '0');
        corre(Row(5405, "16", "0", 3), kLoteAtual, '1');
        corre(Row(1403, "20", "100.00", 4), kLoteAtual, '2');
        EXPECT_EQ(impressas, k.impressas);
        EXPECT_EQ(v.Totais().saiQuantidade, D(k.saiTotal));
        EXPECT_EQ(v.Saldo().base, D(k.saldoFinal));
        ASSERT_EQ(v.Resumo().Tamanho(), 1u);
        EXPECT_EQ(v.Resumo().Procura(1)->valores[0], D(k.fila));
    }
}

// Every stored value keeps its field's places rounded half away from zero, in both forms: the
// average 70 / 13 = 5.384615 is 5.385, an exit of 5 at it 26.925 is 26.93; a stock whose base went
// below zero averages -1 / 16 = -0.0625 to -0.063.
TEST(ValorMedioGestao, StoredValuesRoundHalfAwayFromZeroInBothForms) {
    for (FormaPlanilha f : {FormaPlanilha::Pagina, FormaPlanilha::Texto}) {
        SCOPED_TRACE(f == FormaPlanilha::Pagina ? "page" : "text");
        OpcoesGestao o;
        o.forma = f;
        Cenario c;
        ValorMedioGestao v(o, c.Consultas());
        auto l = v.Linha(Row(1403, "3", "20.00", 5), kLoteAtual, 0, "");
        EXPECT_EQ(l.back().saldoValUnitario, D("5.385"));
        l = v.Linha(Row(5102, "5", "0", 6), kLoteAtual, 0, "");
        EXPECT_EQ(l.back().valores[1], D("26.93"));
        EXPECT_EQ(l.back().saldoBase, D("43.07"));
        EXPECT_EQ(l.back().saldoValUnitario, D("5.385"));  // an exit does not recompute the average

        c.anterior = {D("20"), D("2.5"), D("50.00")};
        ValorMedioGestao negativo(o, c.Consultas());
        l = negativo.Linha(Row(5202, "4", "51.00", 5), kLoteAtual, 0, "");
        EXPECT_EQ(l.back().saldoBase, D("-1.00"));
        EXPECT_EQ(l.back().saldoValUnitario, D("-0.063"));
    }
}

// Column 16 from the product's entries (newest first: 3 units of base 10.00 on the exit's day, 5 of
// 15.00, 10 of 100.00). Another state: entries are summed until they cover the exit; an exit exactly
// equal to the summed quantities takes the summed base's average; beyond every entry, the newest
// entry's unit base cut to 2 places. Exempt: the latest entry's unit base cut to 2 places (the text
// form takes an entry of an earlier day).
TEST(ValorMedioGestao, EntryBaseOfColumn16) {
    struct Caso {
        FormaPlanilha forma;
        std::uint16_t cfo;
        const char* q;
        const char* c16;
    } casos[] = {
        {FormaPlanilha::Pagina, 6404, "8", "25.00"},   // 3 + 5 units cover it exactly: 25.00 / 8 x 8
        {FormaPlanilha::Texto, 6404, "8", "25.00"},
        {FormaPlanilha::Pagina, 6404, "2", "6.67"},    // the newest entry alone: 10.00 / 3 x 2
        {FormaPlanilha::Pagina, 6404, "20", "66.60"},  // beyond every entry: 3.33 x 20
        {FormaPlanilha::Pagina, 5949, "3", "9.99"},    // 3.33 x 3
        {FormaPlanilha::Texto, 5949, "3", "9.00"},     // 3.00 x 3
    };
    for (const Caso& k : casos) {
        SCOPED_TRACE(std::string(k.forma == FormaPlanilha::Pagina ? "page " : "text ") + std::to_string(k.cfo) + " " + k.q);
        Cenario c;
        c.anterior = {D("100"), D("1.000"), D("100.00")};
        c.entradas = {{date::make(2016, 7, 10), D("3"), D("10.00"), false},
                      {date::make(2016, 7, 2), D("5"), D("15.00"), false},
                      {date::make(2016, 7, 1), D("10"), D("100.00"), false}};
        OpcoesGestao o;
        o.forma = k.forma;
        ValorMedioGestao v(o, c.Consultas());
        const auto l = v.Linha(Row(k.cfo, k.q, "0"), kLoteAtual, 0, "");
        EXPECT_EQ(l.back().valores[6], D(k.c16));
    }
}

// A sale return under an entry code without a base of its own takes, as its effective base, the
// unit base (4 places) of the product's latest final-consumer exit with a base: 10.00 / 3 is
// 3.3333, times 2 is 6.67.
TEST(ValorMedioGestao, SaleReturnWithoutBaseTakesTheLastExitsUnitBase) {
    Cenario c;
    ValorMedioGestao v({}, c.Consultas());
    (void)v.Linha(Row(5405, "3", "10.00", 5), kLoteAtual, 0, "");
    const auto l = v.Linha(Row(1102, "2", "0", 6), kLoteAtual, 0, "");
    EXPECT_EQ(l.back().valores[5], D("6.67"));
    EXPECT_TRUE(l.back().subtrai);
}

// With the negative option the page form prints from the row whose check finds the base below
// zero: a return of purchases takes the base below zero without a check, the entry of the other
// hypotheses after it checks and prints.
TEST(ValorMedioGestao, NegativeOptionPrintsFromTheCheckedRow) {
    Cenario c;
    OpcoesGestao o;
    o.saldoNegativo = true;
    ValorMedioGestao v(o, c.Consultas());
    EXPECT_TRUE(v.Linha(Row(5202, "2", "60.00", 5), kLoteAtual, 0, "").empty());  // base -10.00
    const auto l = v.Linha(Row(1949, "1", "5.00", 6), kLoteAtual, 0, "");         // base -5.00
    ASSERT_EQ(l.size(), 1u);
    EXPECT_EQ(l[0].saldoBase, D("-5.00"));
}

// The management procedures read the work table with the fields the sheet takes only: every kind of
// row, each with every field set, read back so values, prints, totals and sums as the whole rows
// do, in both forms and under a balance option that goes by the row's batch.
struct GestaoDaTabelaTest : testing::TabelasFixture {};

TEST_F(GestaoDaTabelaTest, RowsReadWithTheManagementFieldsValueAsTheWholeRows) {
    const std::vector<dictionary::EntradaSaidaVorelRec> linhas = vorel::testing::RowsOfKinds({
        {5, 2, 1, 1403, 1, "", false},  {5, 3, 1, 1409, 1, "", false}, {5, 4, 1, 1102, 1, "", false},
        {5, 5, 2, 5405, 1, "", false},  {5, 6, 2, 5102, 1, "", false}, {5, 7, 2, 5949, 1, "", false},
        {5, 8, 2, 6404, 1, "", false},  {5, 9, 2, 5408, 1, "", false}, {5, 10, 1, 1949, 1, "", false},
        {5, 11, 2, 5202, 1, "", false}, {5, 12, 2, 5927, 1, "", false},
        {5, 13, 2, 5405, 3, "", false},  // a complement the register lacks
        {5, 14, 2, 5405, 1, "", true},   // no number
        {6, 2, 2, 5405, 1, "F", false},  // a cash-register row
        {6, 3, 1, 1403, 1, "", false},
    });
    Cenario cenario;
    cenario.entradas = {{date::make(2016, 7, 6), D("4"), D("30.00"), false}, {date::make(2016, 7, 1), D("3"), D("21.00"), false}};
    ConsultasGestao consultas = cenario.Consultas();
    const auto porColuna = consultas.coluna;
    consultas.coluna = [porColuna](std::uint16_t cfo, std::uint8_t complemento) -> std::optional<std::uint8_t> {
        if (complemento != 1) return std::nullopt;
        return porColuna(cfo, complemento);
    };
    const auto texto = [](const LinhaPlanilha& l) {
        std::string t = std::to_string(static_cast<int>(l.tipo.linha)) + "/" + std::to_string(l.tipo.coluna) +
                        (l.subtrai ? "-" : "+") + std::to_string(l.data) + " " + l.entNumero + " " + l.entSerie + " " +
                        l.entQuantidade.to_string() + " " + l.entBase.to_string() + " " + l.saiNumero + " " +
                        l.saiSerie + " " + l.saiQuantidade.to_string() + " " + l.saiValUnitario.to_string();
        for (const Decimal& v : l.valores) t += " " + v.to_string();
        return t + " " + l.saldoQuantidade.to_string() + " " + l.saldoValUnitario.to_string() + " " +
               l.saldoBase.to_string() + "\n";
    };
    for (const FormaPlanilha forma : {FormaPlanilha::Pagina, FormaPlanilha::Texto})
        for (const std::uint8_t descSaldo : {kSaldoNormal, kApenasSaldoAtual}) {
            SCOPED_TRACE(std::to_string(static_cast<int>(forma)) + "/" + std::to_string(descSaldo));
            OpcoesGestao o;
            o.forma = forma;
            o.descSaldo = descSaldo;
            // As the procedures do: the batch's type and the supplier of the row's CNPJ.
            const auto folha = [&](ValorMedioGestao& v, const dictionary::EntradaSaidaVorelRec& r) {
                const std::string lote(r.LOTE.clipped()), cnpj(r.CNPJFORPROD.clipped());
                const std::uint8_t tipo = lote.empty() ? kLoteAusente : (lote.back() - '0') % 2 ? kLoteAtual : kLoteAnterior;
                const std::uint32_t fornecedor = cnpj.empty() ? 0u : static_cast<std::uint32_t>(std::stoul(cnpj.substr(10)));
                std::string t;
                for (const LinhaPlanilha& l : v.Linha(r, tipo, fornecedor, cnpj)) t += texto(l);
                return t + "= " + v.Totais().entBase.to_string() + " " + v.Totais().valores[5].to_string() + "\n";
            };
            const auto resumo = [&](const ValorMedioGestao& v) {
                std::string t;
                for (const EntradaResumo& e : v.Resumo().Entradas()) {
                    t += std::to_string(e.codigo) + " " + e.descricao;
                    for (const Decimal& x : e.valores) t += " " + x.to_string();
                    t += "\n";
                }
                for (const auto& [cfo, complemento] : v.CfosDesconhecidos())
                    t += std::to_string(cfo) + "-" + std::to_string(complemento) + "\n";
                return t;
            };
            ValorMedioGestao inteiras(o, consultas);
            std::string esperado;
            for (const auto& r : linhas) esperado += folha(inteiras, r);
            esperado += resumo(inteiras);
            ValorMedioGestao lidas(o, consultas);
            std::string obtido;
            const std::string arquivo = root + "gestao" + std::to_string(static_cast<int>(forma)) +
                                        std::to_string(descSaldo) + ".tps";
            vorel::testing::ReadBack(arquivo, linhas, dictionary::keys::ESA_KEY_DATA_ENTSAI_NUM_AUX, LeSoCamposDaGestao,
                                     [&](const dictionary::EntradaSaidaVorelRec& r) { obtido += folha(lidas, r); });
            obtido += resumo(lidas);
            if (descSaldo == kSaldoNormal) {
                EXPECT_NE(esperado.find("5405-3"), std::string::npos);
            }
            EXPECT_EQ(obtido, esperado);
        }
}

}  // namespace
}  // namespace vorel::sheets
