// The management text sheet: its detail line, grid and continuation, a month against a reference
// text, and a product longer than a page going on under its headers.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "reference_file.h"
#include "vorel/core/text.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/sheets/planilha_gestao_texto.h"

namespace vorel::sheets {
namespace {

Decimal D(const char* s) { return Decimal::from_string(s); }

const std::vector<std::size_t> kBarras = {1, 12, 19, 23, 39, 52, 61, 65, 79, 89, 102, 115, 129, 142, 155, 169, 183,
                                          200, 211, 224};

std::vector<std::size_t> Barras(const std::string& l) {
    std::vector<std::size_t> b;
    for (std::size_t i = 0; i < l.size(); ++i)
        if (l[i] == '|') b.push_back(i + 1);
    return b;
}

TEST(PlanilhaGestaoTexto, DetailLineGridAndContinuation) {
    LinhaPlanilha l;
    l.data = date::make(2016, 7, 5);
    l.entNumero = " 1.234";
    l.entSerie = "1";
    l.entQuantidade = D("1234.5");
    l.entBase = D("-70");
    l.saiNumero = "ABC1234567890";
    l.saiQuantidade = D("4");
    l.saiValUnitario = D("6");
    for (std::size_t i = 0; i < kValores; ++i) l.valores[i] = Decimal(static_cast<int>(i + 10));
    l.saldoQuantidade = D("16");
    l.saldoValUnitario = D("6");
    l.saldoBase = D("96");
    const std::string linha = LinhaDetalheGestaoTexto(l);
    EXPECT_EQ(linha.size(), 224u);
    EXPECT_EQ(Barras(linha), kBarras);
    EXPECT_EQ(linha.substr(0, 25), "|05/07/2016| 1.234| 1 |  ");
    EXPECT_NE(linha.find("    1.234,500|      -70,00|ABC12345| "), std::string::npos) << linha;
    EXPECT_EQ(linha.substr(210), "|       96,00|");

    const std::string grade = kGradeGestaoTexto;
    EXPECT_EQ(grade.size(), 225u);
    EXPECT_EQ(Barras(grade), kBarras);

    const std::optional<std::string> c = ContinuacaoGestaoTexto(l);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->size(), 224u);
    EXPECT_EQ(c->substr(52, 8), "67890   ");
    EXPECT_EQ(c->substr(0, 12), "|          |");  // zeros and dates blank
    l.saiNumero = "  123456";
    EXPECT_FALSE(ContinuacaoGestaoTexto(l));
}

struct Saida {
    std::vector<std::string> linhas;
    GravaLinha grava() {
        return [this](std::string_view l) {
            linhas.emplace_back(l);
            return report::Outcome::success();
        };
    }
    std::string Texto() const {
        std::string t;
        for (const std::string& l : linhas) t += l + "\n";
        return t;
    }
};

shell::CodigosImpressoraRec Codigos(int nlinhas) {
    shell::CodigosImpressoraRec c;
    c.CPI10 = "<10>";
    c.CPI17 = "<17>";
    c.NLINHAS = nlinhas;
    return c;
}

dictionary::EntradaSaidaVorelRec Row(int produto, std::uint16_t cfo, const char* q, const char* b, int dia,
                                     const char* numero, const char* aliquota = "") {
    dictionary::EntradaSaidaVorelRec r{};
    r.ENTSAI = cfo != 0 && cfo < 5000 ? 1 : 2;
    r.DATA = date::make(2016, 7, dia);
    r.NUMERO = numero;
    r.SERIE = "1";
    r.CFO = cfo;
    r.QUANTIDADE = D(q);
    r.BASEICMS = D(b);
    r.CODMERCADORIA = produto;
    r.ALIQUOTA = aliquota;
    return r;
}

ConsultasGestao Consultas() {
    ConsultasGestao c;
    c.coluna = [](std::uint16_t cfo, std::uint8_t) -> std::optional<std::uint8_t> {
        if (cfo == 1403) return 1;
        if (cfo == 5405) return 2;
        if (cfo == 6404) return 5;
        return std::nullopt;
    };
    c.saldoAnterior = [](const Decimal& produto) {
        return produto == Decimal(5) ? SaldoGestao{D("10"), D("5"), D("50")} : SaldoGestao{};
    };
    c.entradas = [](const Decimal&, date::Day ate, const std::function<bool(const EntradaAnterior&)>& v) {
        if (date::make(2016, 7, 5) <= ate) (void)v({date::make(2016, 7, 5), D("10"), D("50"), false});
    };
    return c;
}

CabecalhoTexto Cab() {
    CabecalhoTexto c;
    c.empresa = "12 - ACME LTDA ( SAO PAULO ) ";
    c.inscricao = "123456789";
    c.mes = 7;
    c.ano = 2016;
    return c;
}

ProdutoPlanilha Produto(const Decimal& codigo) {
    return {codigo == Decimal(5) ? "PARAFUSO" : "PORCA", "UN", D("18")};
}

TEST(PlanilhaGestaoTexto, WorkedMonthAgainstReference) {
    OpcoesGestao o;
    o.forma = FormaPlanilha::Texto;
    ValorMedioGestao v(o, Consultas());
    Saida s;
    TextoPlanilhaGestao t(v, Cab(), Codigos(66), "RODAPE", s.grava(), Produto, false);
    ASSERT_TRUE(t.Linha(Row(5, 1403, "10", "70", 5, "1234"), kLoteAtual, 3).ok());
    ASSERT_TRUE(t.Linha(Row(5, 5405, "4", "30", 10, "    77"), kLoteAtual, 3).ok());
    ASSERT_TRUE(t.Linha(Row(5, 6404, "2", "0", 12, "ECF1234567890", "F"), kLoteAtual, 3).ok());
    ASSERT_TRUE(t.Linha(Row(6, 5405, "1", "0", 12, "    78"), kLoteAtual, 0).ok());
    ASSERT_TRUE(t.Fecha([](std::uint32_t c) -> std::optional<std::string> {
                     if (c == 3) return std::string("FORNECEDOR TRES");
                     return std::nullopt;
                 }, false).ok());
    EXPECT_TRUE(report::testing::matches_reference(s.Texto(), "planilha_gestao_texto.txt"));
}

TEST(PlanilhaGestaoTexto, LongProductGoesOnUnderItsHeaders) {
    OpcoesGestao o;
    o.forma = FormaPlanilha::Texto;
    ValorMedioGestao v(o, Consultas());
    Saida s;
    const int nlinhas = 30;  // 25 lines before the footer: the header and 7 lines a page
    TextoPlanilhaGestao t(v, Cab(), Codigos(nlinhas), "", s.grava(), Produto, false);
    for (int i = 1; i <= 15; ++i)  // the opening and 15 exits: 16 lines, three pages
        ASSERT_TRUE(t.Linha(Row(5, 5405, "0.1", "0", i, "    77"), kLoteAtual, 0).ok());
    ASSERT_TRUE(t.Fecha({}, false).ok());
    std::vector<std::size_t> fimDePagina;
    for (std::size_t i = 0; i < s.linhas.size(); ++i)
        if (s.linhas[i] == "\f") fimDePagina.push_back(i + 1);
    ASSERT_GE(fimDePagina.size(), 4u);  // three sheet pages and the result page
    EXPECT_EQ(fimDePagina[0], 30u);
    EXPECT_EQ(fimDePagina[1], 60u);
    EXPECT_EQ(fimDePagina[2], 90u);
    // Every sheet page opens with the header: its first line is the 10-cpi rule.
    for (std::size_t inicio : {0u, 30u, 60u}) EXPECT_EQ(s.linhas[inicio].rfind("<10>", 0), 0u) << inicio;
    const auto detalhes = std::count_if(s.linhas.begin(), s.linhas.begin() + 90, [](const std::string& l) {
        return l.rfind("<17>|", 0) == 0 && l.find("/07/2016") != std::string::npos;
    });
    EXPECT_EQ(detalhes, 15);
}

}  // namespace
}  // namespace vorel::sheets
