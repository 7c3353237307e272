// The text result page: one line per summary entry, suppliers not found as "SALDO ANTERIOR".
#include <gtest/gtest.h>

#include "reference_file.h"
#include "vorel/core/text.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/sheets/resultado_texto.h"

namespace vorel::sheets {
namespace {

LinhaPlanilha Saida(const char* consFinal, const char* outraUf, const char* confronto) {
    LinhaPlanilha l;
    l.tipo = {TipoLinha::Coluna, 2};
    l.valores[0] = Decimal::from_string(consFinal);
    l.valores[3] = Decimal::from_string(outraUf);
    l.valores[5] = Decimal::from_string(confronto);
    return l;
}

shell::CodigosImpressoraRec Codigos() {
    shell::CodigosImpressoraRec c;
    c.CPI10 = "<10>";
    c.CPI17 = "<17>";
    c.NLINHAS = 30;
    return c;
}

CabecalhoTexto Cab(bool novo) {
    CabecalhoTexto c;
    c.empresa = "12 - ACME LTDA ( SAO PAULO ) ";
    c.inscricao = "123456789";
    c.mes = 7;
    c.ano = 2016;
    c.modeloNovo = novo;
    return c;
}

std::string Junta(const std::vector<std::string>& linhas) {
    std::string s;
    for (const std::string& l : linhas) s += text::to_utf8(l) + "\n";
    return s;
}

TEST(ResultadoTexto, SupplierLinesAndTotalsAgainstReference) {
    ResumoPlanilha r;
    r.Acumula(0, "", Saida("10.00", "0", "4.00"));
    r.Acumula(15, "", Saida("1234567.89", "20.00", "0"));
    r.Acumula(16, "", Saida("-5.50", "0", "0"));  // inactive supplier: a line of its own, code 0
    const auto nome = [](std::uint32_t c) -> std::optional<std::string> {
        if (c == 15) return std::string("DISTRIBUIDORA DE PARAFUSOS E FERRAGENS DO INTERIOR PAULISTA LTDA");
        return std::nullopt;
    };
    for (bool novo : {false, true}) {
        SCOPED_TRACE(novo);
        std::vector<std::string> linhas;
        GravaLinha grava = [&](std::string_view l) {
            linhas.emplace_back(l);
            return report::Outcome::success();
        };
        ASSERT_TRUE(PaginaResultadoTexto(r, Cab(novo), Codigos(), nome, grava).ok());
        ASSERT_EQ(linhas.size(), 30u);
        EXPECT_TRUE(report::testing::matches_reference(
            Junta(linhas), novo ? "resultado_texto_novo.txt" : "resultado_texto.txt"));
    }
}

TEST(ResultadoTexto, EmptySummaryIsAWholePageAndLongOnesBreak) {
    std::vector<std::string> linhas;
    GravaLinha grava = [&](std::string_view l) {
        linhas.emplace_back(l);
        return report::Outcome::success();
    };
    ASSERT_TRUE(PaginaResultadoTexto(ResumoPlanilha{}, Cab(false), Codigos(), {}, grava).ok());
    ASSERT_EQ(linhas.size(), 30u);
    EXPECT_EQ(linhas[18].size(), 4u + 225u);
    EXPECT_NE(linhas[26].find("         0,00|"), std::string::npos);

    ResumoPlanilha longo;
    for (std::uint32_t c = 1; c <= 10; ++c) longo.Acumula(c, "", Saida("1", "0", "0"));
    linhas.clear();
    ASSERT_TRUE(PaginaResultadoTexto(longo, Cab(false), Codigos(), {}, grava).ok());
    ASSERT_EQ(linhas.size(), 60u);
    EXPECT_NE(linhas[58].find(text::from_utf8("Página: 2")), std::string::npos);
    EXPECT_NE(linhas[56].find("        10,00|"), std::string::npos);
}

}  // namespace
}  // namespace vorel::sheets
