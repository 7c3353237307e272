// Where a work-table row prints and how it enters the totals and the summary.
#include <gtest/gtest.h>

#include "vorel/dictionary/own_tables.h"
#include "vorel/sheets/colunas_planilha.h"
#include "vorel/sheets/resumo_planilha.h"

namespace vorel::sheets {
namespace {

dictionary::EntradaSaidaVorelRec Linha(std::uint16_t cfo, std::string_view aliquota = "") {
    dictionary::EntradaSaidaVorelRec r{};
    r.ENTSAI = 2;
    r.DATA = 78600;
    r.NUMERO = "123";
    r.SERIE = "1";
    r.CFO = cfo;
    r.ALIQUOTA = aliquota;
    r.QUANTIDADE = Decimal(5);
    r.BASEICMS = Decimal::from_string("50.00");
    r.SAIVALUNITARIO = Decimal::from_string("10.5");
    r.SAICONSFINAL = Decimal::from_string("52.50");
    r.CONFUSUFINAL = Decimal::from_string("40.00");
    r.SALDOQUANTIDADE = Decimal(7);
    return r;
}

TEST(ColunasPlanilha, PlacementAndSignByKindAndCfo) {
    struct Caso {
        const char* nome;
        std::uint16_t cfo;
        const char* aliquota;
        std::uint8_t coluna;  // CFO register column
        bool naEntrada;       // number in column 02 (else 06)
        bool quantidadeEntrada;
        bool subtrai;
    } casos[] = {
        {"kind 2, 5405", 5405, "", 2, false, false, false},
        {"kind 2, 1202", 1202, "", 2, false, false, true},
        {"kind 2, 1662", 1662, "", 2, true, false, true},
        {"kind 3, 1662", 1662, "", 3, true, false, false},
        {"kind 1, 1102", 1102, "", 1, true, true, false},
        {"kind 8, 1411", 1411, "", 8, true, true, true},
        {"kind 8, 5202", 5202, "", 8, true, true, true},
        {"kind 9, 1102", 1102, "", 9, false, false, false},
        {"cash register", 1202, "F", 0, false, false, false},
    };
    for (const Caso& k : casos) {
        SCOPED_TRACE(k.nome);
        const auto esa = Linha(k.cfo, k.aliquota);
        const Tipo t = TipoDaLinha(esa, true, k.coluna);
        const LinhaPlanilha l = ColocaLinha(esa, t);
        EXPECT_TRUE(l.Conta());
        EXPECT_EQ(l.entNumero, k.naEntrada ? "123" : "");
        EXPECT_EQ(l.saiNumero, k.naEntrada ? "" : "123");
        EXPECT_EQ(l.entQuantidade, k.quantidadeEntrada ? Decimal(5) : Decimal(0));
        EXPECT_EQ(l.saiQuantidade, k.quantidadeEntrada ? Decimal(0) : Decimal(5));
        EXPECT_EQ(l.subtrai, k.subtrai);
        EXPECT_EQ(l.valores[0], Decimal::from_string("52.5"));
        TotaisPlanilha tot;
        tot.Soma(l);
        EXPECT_EQ(tot.valores[0], k.subtrai ? Decimal::from_string("-52.5") : Decimal::from_string("52.5"));
    }
}

TEST(ColunasPlanilha, OpeningBalanceBlankNumberAndUnknownRowsStayOutOfTotals) {
    auto saldo = Linha(5102);
    saldo.ENTSAI = 0;
    auto semNumero = Linha(5102);
    semNumero.NUMERO = "";
    const auto semCfo = Linha(5999);
    const auto outraAliquota = Linha(5102, "X");

    const LinhaPlanilha s = ColocaLinha(saldo, TipoDaLinha(saldo, true, 2));
    EXPECT_EQ(s.tipo.linha, TipoLinha::SaldoAnterior);
    EXPECT_EQ(s.data, 0);
    EXPECT_TRUE(s.saiNumero.empty());
    EXPECT_EQ(s.saldoQuantidade, Decimal(7));
    EXPECT_EQ(TipoDaLinha(semNumero, true, 2).linha, TipoLinha::Pula);
    EXPECT_EQ(TipoDaLinha(semCfo, false, 0).linha, TipoLinha::Desconhecida);
    EXPECT_EQ(TipoDaLinha(Linha(5102), true, 12).linha, TipoLinha::Desconhecida);
    EXPECT_EQ(TipoDaLinha(outraAliquota, true, 2).linha, TipoLinha::Desconhecida);

    // An unknown row after a counted one carries none of its values.
    TotaisPlanilha tot;
    ResumoPlanilha resumo;
    const LinhaPlanilha boa = ColocaLinha(Linha(5405), TipoDaLinha(Linha(5405), true, 2));
    const LinhaPlanilha ruim = ColocaLinha(semCfo, TipoDaLinha(semCfo, false, 0));
    for (const LinhaPlanilha* l : {&boa, &ruim, &s}) {
        tot.Soma(*l);
        resumo.Acumula(1, "P", *l);
    }
    EXPECT_TRUE(ruim.saiNumero.empty());
    EXPECT_TRUE(ruim.valores[0].is_zero());
    EXPECT_EQ(tot.saiQuantidade, Decimal(5));
    EXPECT_EQ(resumo.Procura(1)->valores[0], Decimal::from_string("52.5"));
}

TEST(ResumoPlanilha, SumsByKeyWithTheRowsSignInKeyOrder) {
    ResumoPlanilha r;
    const auto venda = Linha(5405);
    const auto devolucao = Linha(1202);
    r.Acumula(7, "Produto A", ColocaLinha(venda, TipoDaLinha(venda, true, 2)));
    r.Acumula(7, "Produto A2", ColocaLinha(venda, TipoDaLinha(venda, true, 2)));
    r.Acumula(7, "Produto A3", ColocaLinha(devolucao, TipoDaLinha(devolucao, true, 2)));
    r.Acumula(0, "Sem fornecedor", ColocaLinha(venda, TipoDaLinha(venda, true, 2)));
    const auto e = r.Entradas();
    ASSERT_EQ(e.size(), 2u);
    EXPECT_EQ(e[0].codigo, 0u);
    EXPECT_EQ(e[1].codigo, 7u);
    EXPECT_EQ(e[1].descricao, "Produto A3");
    EXPECT_EQ(e[1].valores[0], Decimal::from_string("52.5"));
    EXPECT_EQ(e[1].valores[5], Decimal::from_string("40"));
    EXPECT_EQ(e[1].saiQuantidade, Decimal(5));

    // Sums past what a single field of the row holds do not overflow.
    ResumoPlanilha grande;
    auto alta = Linha(5405);
    alta.SAIISENTA = Decimal::from_string("999999999.99");
    for (int i = 0; i < 1000; ++i) grande.Acumula(1, "X", ColocaLinha(alta, TipoDaLinha(alta, true, 4)));
    EXPECT_EQ(grande.Procura(1)->valores[2], Decimal::from_string("999999999990.00"));
}

}  // namespace
}  // namespace vorel::sheets
