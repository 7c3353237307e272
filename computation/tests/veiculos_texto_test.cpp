// The vehicle sheet's text report: its paging at the printer's lines per page minus 14, the page
// numbers, model 1's line numbers across pages, the running sums on every page end, and the lines
// themselves against reference texts.
#include <gtest/gtest.h>

#include "linhas_veiculos.h"
#include "reference_file.h"
#include "vorel/computation/planilha_veiculos_texto.h"
#include "vorel/core/date.h"
#include "vorel/core/text.h"
#include "vorel/dictionary/own_tables.h"

namespace vorel::computation {
namespace {

using dictionary::EntradaSaidaVorelRec;
using testing::Entrada;
using testing::Saida;

struct Saida_ {
    std::vector<std::string> linhas;
    // The lines as UTF-8; the heading's criterion word is stored in the references as "(...)".
    std::string Texto() const {
        std::string t;
        for (auto& l : linhas) t += text::to_utf8(l) + "\n";
        const std::string palavra = "Esp" "ecífica";
        for (std::size_t p; (p = t.find(palavra)) != std::string::npos;) t.replace(p, palavra.size(), "(...)");
        return t;
    }
};

CabecalhoVeiculos Cab() {
    CabecalhoVeiculos c;
    c.razao = "AUTOMOVEIS EXEMPLO LTDA";
    c.inscricao = "123456789";
    c.mes = 3;
    c.ano = 2016;
    c.percentual = Decimal(12);
    c.emissao = date::make(2016, 4, 2);
    return c;
}

shell::CodigosImpressoraRec Impressora(int linhas) {
    shell::CodigosImpressoraRec c;
    c.NLINHAS = linhas;
    c.CPI10 = "<10>";
    c.CPI17 = "<17>";
    c.LNEG = "<N>";
    c.DNEG = "</N>";
    return c;
}

TEST(TextoPlanilhaVeiculos, PagesHoldLinesPerPageMinusFourteenRows) {
    const date::Day d1 = date::make(2016, 3, 1), d2 = date::make(2016, 3, 5);
    struct Caso {
        int modelo;
        int linhasPorPagina;
        int linhas;
        int paginas;
    };
    // 16 lines a page: two rows a page; a page filled exactly gets no second page end; 0 lines a
    // page: a page end after every row.
    for (Caso c : {Caso{0, 16, 3, 2}, Caso{0, 16, 4, 2}, Caso{1, 0, 3, 3}}) {
        SCOPED_TRACE(c.linhasPorPagina);
        Saida_ s;
        TextoPlanilhaVeiculos t(c.modelo, Cab(), Impressora(c.linhasPorPagina), std::string(150, ' '),
                                [&](const std::string& l) { s.linhas.push_back(l); });
        for (int i = 0; i < c.linhas; ++i) t.Linha(Entrada("CHASSI", i % 2 ? d2 : d1, "10", "1000", "1000"));
        t.Fecha();
        EXPECT_EQ(s.linhas.size(), static_cast<std::size_t>(c.paginas * (18 + 15) + c.linhas));
        EXPECT_EQ(s.linhas.back(), "\f");
        EXPECT_NE(s.Texto().find("Página....00" + std::to_string(c.paginas)), std::string::npos);
    }
    Saida_ vazio;
    TextoPlanilhaVeiculos t(0, Cab(), Impressora(60), "", [&](const std::string& l) { vazio.linhas.push_back(l); });
    t.Fecha();
    EXPECT_TRUE(vazio.linhas.empty());
}

TEST(TextoPlanilhaVeiculos, BothModelsMatchTheirReferenceTexts) {
    const date::Day d1 = date::make(2016, 2, 1), d2 = date::make(2016, 3, 20), d3 = date::make(2016, 3, 22);
    {
        Saida_ s;
        TextoPlanilhaVeiculos t(0, Cab(), Impressora(17), std::string(150, ' '),
                                [&](const std::string& l) { s.linhas.push_back(l); });
        t.Linha(Entrada("9BWZZZ377VT004251", d1, "1234", "1000", "0"));
        t.Linha(Saida("9BWZZZ377VT004251", d2, "77", "700", "1000"));   // 16 = 200, 17 = 100
        t.Linha(Saida("SEMENTRADA", d3, "78", "300", "0"));             // all to complement
        t.Linha(Entrada("PARADO", d3, "1235", "500", "500"));
        t.Fecha();
        EXPECT_TRUE(report::testing::matches_reference(s.Texto(), "RelPlaVeiculos.txt"));
    }
    {
        EntradaSaidaVorelRec vendido = Entrada("9BWZZZ377VT004251", d1, "1234", "1000", "0");
        vendido.ENTSAI = 2;
        vendido.SDATA = d2;
        vendido.SNUMERO = "77";
        vendido.SSERIE = "2";
        vendido.SBASEICMS = Decimal(1100);
        vendido.BASEEFETENT = Decimal(1000);
        Saida_ s;
        TextoPlanilhaVeiculos t(1, Cab(), Impressora(60), std::string(150, ' '),
                                [&](const std::string& l) { s.linhas.push_back(l); });
        t.Linha(vendido);
        t.Linha(Entrada("PARADO", d3, "1235", "500", "500"));
        t.Fecha();
        EXPECT_TRUE(report::testing::matches_reference(s.Texto(), "RelPlaVeiculos2.txt"));
    }
}

}  // namespace
}  // namespace vorel::computation
