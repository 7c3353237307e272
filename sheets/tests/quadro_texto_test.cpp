// The text sheet's page frame: header lines, the filler up to the page length, the footer.
#include <gtest/gtest.h>

#include <vector>

#include "vorel/core/text.h"
#include "vorel/sheets/quadro_texto.h"

namespace vorel::sheets {
namespace {

struct Texto {
    std::vector<std::string> linhas;
    GravaLinha grava() {
        return [this](std::string_view l) {
            linhas.emplace_back(l);
            return report::Outcome::success();
        };
    }
};

shell::CodigosImpressoraRec Codigos(int nlinhas) {
    shell::CodigosImpressoraRec c;
    c.CPI10 = "<10>";
    c.CPI17 = "<17>";
    c.LNEG = "<B>";
    c.DNEG = "<b>";
    c.DEXP = "<e>";
    c.NLINHAS = nlinhas;
    return c;
}

CabecalhoTexto Cab() {
    CabecalhoTexto c;
    c.empresa = "12 - ACME LTDA ( SAO PAULO ) ";
    c.inscricao = "123456789";
    c.endereco = "RUA A, 10 SALA 2 - CENTRO";
    c.produto = "123 - PARAFUSO SEXTAVADO GALVANIZADO 10MM";
    c.medida = "UNIDADE";
    c.aliquota = Decimal(18);
    c.mes = 7;
    c.ano = 2016;
    return c;
}

// The printed columns of a line: the printer codes take none.
std::string SemCodigos(std::string l) {
    for (const char* c : {"<10>", "<17>", "<B>", "<b>", "<e>"})
        for (std::size_t p; (p = l.find(c)) != std::string::npos;) l.erase(p, std::string(c).size());
    return l;
}

TEST(QuadroTexto, HeaderLinesWidthsMonthAndPageNumber) {
    Texto t;
    PaginaTexto p;
    ASSERT_TRUE(CabecalhoPaginaTexto(p, Cab(), Codigos(66), t.grava()).ok());
    ASSERT_EQ(t.linhas.size(), 18u);
    EXPECT_EQ(p.linhas, 18);
    EXPECT_EQ(t.linhas[0].rfind("<10>", 0), 0u);
    EXPECT_EQ(t.linhas[10].rfind("<17>", 0), 0u);
    for (std::size_t i = 0; i < 18; ++i) {
        SCOPED_TRACE(i + 1);
        const bool condensada = (i >= 10 && i <= 14) || i == 16;
        EXPECT_EQ(SemCodigos(t.linhas[i]).size(), condensada ? 224u : 131u);
    }
    EXPECT_NE(t.linhas[6].find(text::from_utf8("Mês e Ano Referência:  7/2016")), std::string::npos);
    EXPECT_NE(t.linhas[2].find(text::from_utf8("Número Página....001|")), std::string::npos);
    EXPECT_NE(t.linhas[6].find("UNI    <b>|"), std::string::npos);
    EXPECT_EQ(SemCodigos(t.linhas[6]).find('|', 1), 106u);
    EXPECT_NE(t.linhas[5].find(text::from_utf8("Alíquota: 18,00")), std::string::npos);

    // A page already open gets nothing; the next page counts on.
    ASSERT_TRUE(CabecalhoPaginaTexto(p, Cab(), Codigos(66), t.grava()).ok());
    EXPECT_EQ(t.linhas.size(), 18u);
    p.linhas = 0;
    ASSERT_TRUE(CabecalhoPaginaTexto(p, Cab(), Codigos(66), t.grava()).ok());
    EXPECT_NE(t.linhas[20].find(text::from_utf8("Número Página....002|")), std::string::npos);
}

TEST(QuadroTexto, LineSixAddressSupplierOrNone) {
    struct Caso {
        const char* nome;
        bool endereco, filtro;
        std::optional<std::string> fornecedor;
        const char* contem;  // nullptr: no line 6
    } casos[] = {
        {"address", true, false, std::nullopt, "RUA A, 10 SALA 2 - CENTRO"},
        {"no address", false, false, std::nullopt, "|    "},
        {"supplier", true, true, std::string("DISTRIBUIDORA X"), "Fornecedor: "},
        {"missing supplier", true, true, std::nullopt, nullptr},
    };
    for (const Caso& k : casos) {
        SCOPED_TRACE(k.nome);
        CabecalhoTexto c = Cab();
        c.mostraEndereco = k.endereco;
        c.filtroFornecedor = k.filtro;
        c.fornecedor = k.fornecedor;
        Texto t;
        PaginaTexto p;
        ASSERT_TRUE(CabecalhoPaginaTexto(p, c, Codigos(66), t.grava()).ok());
        EXPECT_EQ(p.linhas, 18);
        EXPECT_EQ(t.linhas.size(), k.contem ? 18u : 17u);
        if (k.contem) {
            EXPECT_NE(t.linhas[5].find(k.contem), std::string::npos);
            EXPECT_EQ(SemCodigos(t.linhas[5]).size(), 131u);
        }
    }
}

TEST(QuadroTexto, FooterFillsToPageLengthLessFive) {
    Texto t;
    PaginaTexto p;
    ASSERT_TRUE(CabecalhoPaginaTexto(p, Cab(), Codigos(66), t.grava()).ok());
    for (int i = 0; i < 11; ++i, ++p.linhas) t.linhas.push_back("linha");
    ASSERT_EQ(p.linhas, 29);
    p.totais.valores[0] = Decimal::from_string("-1234.5");
    ASSERT_TRUE(RodapePaginaTexto(p, Codigos(66), "|  |", t.grava()).ok());
    ASSERT_EQ(t.linhas.size(), 66u);
    EXPECT_EQ(t.linhas[29], "<17>|  |");
    EXPECT_EQ(t.linhas[60], "<17>|  |");
    EXPECT_EQ(t.linhas[61], std::string(224, '-'));
    EXPECT_EQ(t.linhas[62].size(), 224u);
    EXPECT_EQ(t.linhas[62].substr(0, 12), "|     Totais");
    EXPECT_EQ(t.linhas[62].substr(89, 13), "   -1.234,50|");
    EXPECT_EQ(t.linhas[62].substr(23, 16), "          0,000|");
    EXPECT_EQ(t.linhas[63], std::string(224, '='));
    EXPECT_EQ(t.linhas[64], std::string(150, ' ') + text::from_utf8("Página: 1"));
    EXPECT_EQ(t.linhas[65], "\f");
    EXPECT_EQ(p.linhas, 0);

    // A page past the limit gets no filler; no page and no room writes nothing.
    Texto cheio;
    PaginaTexto q;
    q.linhas = 70;
    ASSERT_TRUE(RodapePaginaTexto(q, Codigos(66), "|", cheio.grava()).ok());
    EXPECT_EQ(cheio.linhas.size(), 5u);
    Texto nada;
    PaginaTexto r;
    ASSERT_TRUE(RodapePaginaTexto(r, Codigos(5), "|", nada.grava()).ok());
    EXPECT_TRUE(nada.linhas.empty());
}

TEST(QuadroTexto, NewModelHasNoAccentsAndStaysCondensed) {
    CabecalhoTexto c = Cab();
    c.modeloNovo = true;
    Texto t;
    PaginaTexto p;
    ASSERT_TRUE(CabecalhoPaginaTexto(p, c, Codigos(66), t.grava()).ok());
    EXPECT_EQ(t.linhas[0].rfind("<17>", 0), 0u);
    for (const std::string& l : t.linhas) {
        EXPECT_EQ(l.find("<10>"), std::string::npos) << l;
        for (unsigned char ch : l) EXPECT_LT(ch, 128u) << l;
    }
    EXPECT_NE(t.linhas[2].find("Numero Pagina....001"), std::string::npos);
    EXPECT_EQ(t.linhas[10].rfind("|", 0), 0u);
}

}  // namespace
}  // namespace vorel::sheets
