// The sheet columns' rules as a table of cases: each column, the cash-register rule, the return
// and subtraction lists, the entry range, the law's dates with and without the company's flag.
#include <gtest/gtest.h>

#include "calculo_fixture.h"
#include "vorel/computation/regras_colunas.h"

namespace vorel::computation::testing {
namespace {

// The base of the last entries answers 7.77, the stock return's entry base 3.33.
class BasesFixas : public BasesEntradas {
public:
    Decimal UltimasEntradas(const LinhaTrabalho&) override { return D("7.77"); }
    Decimal DevolucaoEstoque(const LinhaTrabalho&) override { return D("3.33"); }
};

struct Caso {
    const char* nome;
    int coluna;
    int cfo;
    int data;  // yyyymmdd
    bool lei;
    const char* w;  // running unit value (stock 10, base 25, L 2, P 1.2, unit base of the last final-consumer exit 3)
    const char* e;  // last exit unit value
    const char* q;
    const char* b;
    // expected: unit value applied, the seven results, the balance, and whether the totals subtract
    const char *saiUnit, *consFinal, *nRealizado, *isenta, *outUf, *subseq, *confUsu, *confDem;
    const char *saldoQ, *saldoUnit, *saldoBase;
    bool subtrai;
};

constexpr int kMarco = 20160310;

date::Day Data(int yyyymmdd) { return date::make(yyyymmdd / 10000, yyyymmdd / 100 % 100, yyyymmdd % 100); }

const Caso kCasos[] = {
    // name, column, CFOP, date, law, W, E, Q, B | applied, consFinal, nRealizado, isenta, outUf, subseq, confUsu, confDem | qty, unit, base | subtracts
    {"entrada", kEntradas, 1102, kMarco, false, "2.5", "1.5", "4", "12", "0", "0", "0", "0", "0", "0", "0", "0", "14", "2.642857", "37", false},
    {"entrada reavaliada", kEntradas, 1659, kMarco, false, "2.5", "1.5", "4", "12", "0", "0", "0", "0", "0", "0", "0", "0", "14", "2.5", "35", false},
    {"consumidor final fora da faixa", kConsumidorFinal, 5102, kMarco, false, "2.5", "1.5", "4", "12", "2.5", "10", "0", "0", "0", "0", "12", "0", "6", "2.5", "15", false},
    {"consumidor final na faixa sem base", kConsumidorFinal, 1102, kMarco, false, "2.5", "1.5", "4", "0", "2.5", "10", "0", "0", "0", "0", "12", "0", "14", "2.5", "35", true},
    {"consumidor final CFOP de entrada de 3 digitos", kConsumidorFinal, 112, kMarco, false, "2.5", "1.5", "4", "0", "2.5", "10", "0", "0", "0", "0", "12", "0", "14", "2.5", "35", true},
    {"consumidor final devolucao cadeia E", kConsumidorFinal, 1411, kMarco, false, "0", "1.5", "4", "12", "1.5", "6", "0", "0", "0", "0", "12", "0", "14", "1.5", "31", true},
    {"consumidor final devolucao cadeia P", kConsumidorFinal, 2411, kMarco, false, "0", "0", "4", "12", "1.2", "4.8", "0", "0", "0", "0", "12", "0", "14", "1.2", "29.8", true},
    {"consumidor final zera a quantidade com base", kConsumidorFinal, 5102, kMarco, false, "2.4", "0", "10", "0", "2.4", "24", "0", "0", "0", "0", "0", "0", "0", "0", "0", false},
    {"consumidor final zera o estoque", kConsumidorFinal, 5102, kMarco, false, "2.5", "0", "10", "0", "2.5", "25", "0", "0", "0", "0", "0", "0", "0", "0", "0", false},
    {"lei 2016 sem a marca da empresa", kConsumidorFinal, 5102, kMarco, false, "2.5", "0", "4", "12", "2.5", "10", "0", "0", "0", "0", "12", "0", "6", "2.5", "15", false},
    {"lei 2016", kConsumidorFinal, 5102, kMarco, true, "2.5", "0", "4", "12", "2.5", "10", "0", "0", "0", "0", "10", "0", "6", "2.5", "15", false},
    {"lei 2016 CFOP 6108", kConsumidorFinal, 6108, 20160101, true, "2.5", "0", "4", "12", "2.5", "10", "0", "0", "0", "0", "12", "0", "6", "2.5", "15", false},
    {"lei 31/12/2015 CFOP 6108", kConsumidorFinal, 6108, 20151231, true, "2.5", "0", "4", "12", "2.5", "10", "0", "0", "0", "0", "10", "0", "6", "2.5", "15", false},
    {"lei 23/12/2008", kConsumidorFinal, 5102, 20081223, true, "2.5", "0", "4", "12", "2.5", "10", "0", "0", "0", "0", "10", "0", "6", "2.5", "15", false},
    {"antes da lei 22/12/2008", kConsumidorFinal, 5102, 20081222, true, "2.5", "0", "4", "12", "2.5", "10", "0", "0", "0", "0", "12", "0", "6", "2.5", "15", false},
    {"fato gerador nao realizado", kFatoGeradorNaoRealizado, 5927, kMarco, false, "2.5", "0", "4", "12", "2.5", "0", "10", "0", "0", "0", "0", "10", "6", "2.5", "15", false},
    {"fato gerador sem valor unitario usa L", kFatoGeradorNaoRealizado, 5927, kMarco, false, "0", "0", "4", "12", "2", "0", "0", "0", "0", "0", "0", "0", "6", "2", "17", false},
    {"fato gerador 1611 sobe e soma", kFatoGeradorNaoRealizado, 1611, kMarco, false, "2.5", "0", "4", "12", "2.5", "0", "10", "0", "0", "0", "0", "10", "14", "2.5", "35", false},
    {"fato gerador 1411 sobe e subtrai", kFatoGeradorNaoRealizado, 1411, kMarco, false, "2.5", "0", "4", "12", "2.5", "0", "10", "0", "0", "0", "0", "10", "14", "2.5", "35", true},
    {"isenta", kIsenta, 5949, kMarco, false, "2.5", "0", "4", "12", "2.5", "0", "0", "10", "0", "0", "0", "7.77", "6", "2.5", "15", false},
    {"outro estado", kOutroEstado, 6102, kMarco, false, "2.5", "0", "4", "12", "2.5", "0", "0", "0", "10", "0", "0", "7.77", "6", "2.5", "15", false},
    {"outro estado devolucao 2411", kOutroEstado, 2411, kMarco, false, "0", "1.5", "4", "12", "1.5", "0", "0", "0", "6", "0", "0", "7.77", "14", "1.5", "31", true},
    {"subsequente", kSubsequente, 5403, kMarco, false, "2.5", "0", "4", "12", "2.5", "0", "0", "0", "0", "10", "0", "0", "6", "2.5", "15", false},
    {"entradas demais hipoteses", kEntradasDemaisHipoteses, 1949, kMarco, false, "2.5", "0", "4", "12", "0", "0", "0", "0", "0", "0", "0", "0", "14", "2.642857", "37", false},
    {"devolucao de compras", kDevolucaoCompras, 5202, kMarco, false, "2.5", "0", "4", "12", "0", "0", "0", "0", "0", "0", "0", "0", "6", "2.166667", "13", true},
    {"devolucao de compras esvazia", kDevolucaoCompras, 5202, kMarco, false, "2.5", "0", "10", "25", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", true},
    {"devolucao de compras zera a base usa L", kDevolucaoCompras, 5202, kMarco, false, "2.5", "0", "4", "25", "0", "0", "0", "0", "0", "0", "0", "0", "6", "2", "0", true},
    {"devolucao de estoque sem valor unitario usa L", kDevolucaoEstoque, 5556, kMarco, false, "0", "0", "4", "12", "2", "0", "8", "0", "0", "0", "0", "3.33", "6", "2", "17", false},
    {"devolucao de estoque", kDevolucaoEstoque, 5556, kMarco, false, "2.5", "0", "4", "12", "2.5", "0", "10", "0", "0", "0", "0", "3.33", "6", "2.5", "15", false},
    {"caixa", kCaixa, 0, kMarco, false, "2.5", "0", "4", "12", "2.5", "10", "0", "0", "0", "0", "12", "0", "6", "2.5", "15", false},
    {"caixa com a lei", kCaixa, 0, kMarco, true, "2.5", "0", "4", "12", "2.5", "10", "0", "0", "0", "0", "10", "0", "6", "2.5", "15", false},
    {"caixa sem valor unitario usa L", kCaixa, 0, kMarco, false, "0", "0", "4", "12", "2", "0", "0", "0", "0", "0", "12", "0", "6", "2", "17", false},
    {"sem regra guarda o estoque", kSemRegra, 5102, kMarco, false, "2.5", "0", "4", "12", "0", "0", "0", "0", "0", "0", "0", "0", "10", "2.5", "25", false},
};

TEST(RegrasColunas, TableOfCases) {
    for (const Caso& k : kCasos) {
        SCOPED_TRACE(k.nome);
        Corrente c;
        c.S = 10;
        c.W = D(k.w);
        c.X = 25;
        c.L = 2;
        c.E = D(k.e);
        c.P = D("1.2");
        c.baseUnitConsumidor = 3;
        LinhaTrabalho l;
        l.DATA = Data(k.data);
        l.CFO = static_cast<std::uint16_t>(k.cfo);
        l.QUANTIDADE = D(k.q);
        l.BASEICMS = D(k.b);
        BasesFixas bases;
        AplicaRegra(k.coluna, {.adotaLei = k.lei}, c, l, bases);
        EXPECT_EQ(l.SAIVALUNITARIO.value(), D(k.saiUnit)) << "unit value applied";
        EXPECT_EQ(l.SAICONSFINAL.value(), D(k.consFinal)) << "final consumer";
        EXPECT_EQ(l.SAINREALIZADO.value(), D(k.nRealizado)) << "not realised";
        EXPECT_EQ(l.SAIISENTA.value(), D(k.isenta)) << "exempt";
        EXPECT_EQ(l.SAIOUTORUF.value(), D(k.outUf)) << "other state";
        EXPECT_EQ(l.SAISUBSEQUENTE.value(), D(k.subseq)) << "subsequent";
        EXPECT_EQ(l.CONFUSUFINAL.value(), D(k.confUsu)) << "effective base";
        EXPECT_EQ(l.CONFENTRADASDEMHIP.value(), D(k.confDem)) << "entry base";
        EXPECT_EQ(l.SALDOQUANTIDADE.value(), D(k.saldoQ)) << "quantity";
        EXPECT_EQ(l.SALDOVALUNITARIO.value(), D(k.saldoUnit)) << "unit value";
        EXPECT_EQ(l.SALDOBASERETENCAO.value(), D(k.saldoBase)) << "base";
        EXPECT_EQ(c.S.value(), D(k.saldoQ));
        EXPECT_EQ(c.X.value(), D(k.saldoBase));
        EXPECT_EQ(SubtraiDosTotais(k.coluna, k.cfo), k.subtrai);
    }
}

// The example of an exit of 10 units at 1.234567 from a stock of 10: the retention is cut, not
// rounded, and an empty stock has no base or unit value.
TEST(RegrasColunas, ExitEmptyingTheStockCutsTheRetention) {
    Corrente c;
    c.S = 10;
    c.W = D("1.234567");
    c.X = D("12.35");
    LinhaTrabalho l;
    l.DATA = Data(kMarco);
    l.CFO = 5102;
    l.QUANTIDADE = 10;
    BasesFixas bases;
    AplicaRegra(kConsumidorFinal, {}, c, l, bases);
    EXPECT_EQ(l.SAICONSFINAL.value(), D("12.34"));
    EXPECT_EQ(l.SALDOQUANTIDADE.value(), D("0"));
    EXPECT_EQ(l.SALDOBASERETENCAO.value(), D("0"));
    EXPECT_EQ(l.SALDOVALUNITARIO.value(), D("0"));
}

// What a row leaves for the next ones: entries never move L or E; exits of columns 2 to 6 set E;
// a quantity below zero marks the product, except in column 1.
TEST(RegrasColunas, RunningValuesAfterARow) {
    BasesFixas bases;
    struct {
        int coluna;
        const char* q;
        const char *l, *e;
        bool negativo;
    } casos[] = {
        {kEntradas, "4", "2", "1.5", false},
        {kEntradasDemaisHipoteses, "4", "2", "1.5", false},
        {kFatoGeradorNaoRealizado, "4", "2.5", "2.5", false},
        {kDevolucaoEstoque, "4", "2.5", "1.5", false},
        {kCaixa, "12", "2.5", "1.5", true},
        {kDevolucaoCompras, "12", "2", "1.5", true},
    };
    for (const auto& k : casos) {
        SCOPED_TRACE(k.coluna);
        Corrente c;
        c.S = 10;
        c.W = D("2.5");
        c.X = 25;
        c.L = 2;
        c.E = D("1.5");
        LinhaTrabalho l;
        l.DATA = Data(kMarco);
        l.CFO = 5102;
        l.QUANTIDADE = D(k.q);
        l.BASEICMS = 12;
        AplicaRegra(k.coluna, {}, c, l, bases);
        EXPECT_EQ(c.L.value(), D(k.l));
        EXPECT_EQ(c.E.value(), D(k.e));
        EXPECT_EQ(c.negativo, k.negativo);
    }
}

TEST(RegrasColunas, TruncaDuasCasasCutsTowardZero) {
    EXPECT_EQ(TruncaDuasCasas(D("12.34567")), D("12.34"));
    EXPECT_EQ(TruncaDuasCasas(D("-12.34567")), D("-12.34"));
    EXPECT_EQ(TruncaDuasCasas(D("16.665")), D("16.66"));
    EXPECT_EQ(TruncaDuasCasas(D("1.999996")), D("2"));  // held with five places first
}

}  // namespace
}  // namespace vorel::computation::testing
