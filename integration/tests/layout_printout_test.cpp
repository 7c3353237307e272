// The layout printouts: the text form's lines (header, documentation, rows with continuation
// lines, page footers) and the page form's document.
#include <gtest/gtest.h>

#include "import_fixture.h"
#include "vorel/core/text.h"
#include "vorel/integration/layout_printout.h"
#include "vorel/report/page_model.h"

namespace vorel::integration::testing {

namespace {

shell::CodigosImpressoraRec Codigos(int linhas) {
    shell::CodigosImpressoraRec c;
    c.NLINHAS = linhas;
    return c;  // no control strings: the columns are those of the paper
}

DadosLayout Layout(int tipo, std::vector<CampoImpresso> campos = {}) {
    return {tipo, true, "Meu layout", std::move(campos)};
}

TEST(RelLayoutsM, TheHeaderBlockTakesEighteenLinesOrOneMorePerParagraphLine) {
    for (auto [tipo, cabecalho] : {std::pair{16, 18}, std::pair{9, 19}}) {
        SCOPED_TRACE(tipo);
        const auto l = Utf8(LinhasRelLayoutsM(Layout(tipo), Codigos(66)));
        EXPECT_EQ(l[cabecalho - 1], std::string(80, '-'));
        EXPECT_EQ(l[cabecalho - 2].substr(0, 5), "Campo");
        EXPECT_EQ(l[4], "Descrição do Layout no Sistema : Meu layout");
    }
    const auto l = Utf8(LinhasRelLayoutsM(Layout(16), Codigos(66)));
    EXPECT_EQ(l[2], std::string(80, ' '));  // no title
    const auto nove = Utf8(LinhasRelLayoutsM(Layout(9), Codigos(66)));
    EXPECT_EQ(nove[6], "Este arquivo deverá conter os clientes e fornecedores da empresa");
}

TEST(RelLayoutsM, LongNamesAndDescriptionsContinueOnTheirColumns) {
    const std::string cem = std::string(42, 'a') + std::string(42, 'b') + std::string(16, 'c');
    // Type 9 code 21's name has 32 characters; code 3's ("Endereço") 8.
    const auto l = Utf8(LinhasRelLayoutsM(
        Layout(9, {{21, "dez letras", "N", 1, 255}, {3, cem, "X", 40, 47}, {1, std::string(42, 'd'), "N", 6, 1}}),
        Codigos(66)));
    const std::size_t primeira = 19;
    EXPECT_EQ(l[primeira], "Cadastro Produtor/Transp" + std::string("dez letras") + std::string(32, ' ') + "  N    1   255");
    EXPECT_EQ(l[primeira + 1], "ortadora");
    EXPECT_EQ(l[primeira + 2], "Endereço                " + std::string(42, 'a') + "  X   40    47");
    EXPECT_EQ(l[primeira + 3], std::string(24, ' ') + std::string(42, 'b'));
    EXPECT_EQ(l[primeira + 4], std::string(24, ' ') + std::string(16, 'c'));
    EXPECT_EQ(l[primeira + 5].substr(0, 7), "Código");  // exactly 42: no continuation
    EXPECT_EQ(l[primeira + 6], "");
}

TEST(RelLayoutsM, PagesEndWithAFooterAndTheCloseFillsTheLastPage) {
    // Twenty lines a page: the header (19) and the first row bring the count to 20 >= 18.
    const auto l = Utf8(LinhasRelLayoutsM(Layout(9, {{1, "x", "N", 6, 1}, {2, "y", "X", 40, 7}}), Codigos(20)));
    EXPECT_EQ(l[20], std::string(80, '-'));
    EXPECT_EQ(l[21], std::string(125, ' ') + "Página : 01");
    EXPECT_EQ(l[22], "\f");
    // The second row, then blank lines up to 18, then the last footer with page 02.
    ASSERT_EQ(l.size(), 23u + 18u + 3u);
    EXPECT_EQ(l[l.size() - 2], std::string(125, ' ') + "Página : 02");
    EXPECT_EQ(l.back(), "\f");
    // No stored layout: one page of empty lines and the footer of page 01.
    DadosLayout nada;
    const auto vazio = Utf8(LinhasRelLayoutsM(nada, Codigos(2)));
    EXPECT_EQ(vazio, (std::vector<std::string>{"", std::string(80, '-'), std::string(125, ' ') + "Página : 01", "\f"}));
}

TEST(RelLayoutsW, TheDescriptionBandOpensThePagesAndRowsRunOnWithoutColumnTitles) {
    std::vector<CampoImpresso> campos;
    for (int i = 1; i <= 60; ++i) campos.push_back({i % 11 + 1, std::string(200, 'z'), "N", 6, i});
    const report::Document doc = DocumentoRelLayoutsW(Layout(38, campos));
    ASSERT_GE(doc.pages.size(), 2u);
    const std::string texto = report::to_text(doc);
    const std::size_t segunda = texto.find("Página :", texto.find("Página :") + 1);
    ASSERT_NE(segunda, std::string::npos);
    // The page form's name of type 38 code 11 has no final period (its last word wraps alone).
    EXPECT_EQ(NomeCampoImpressao(38, 11, true), "11-CNPJ/CPF Fornecedor do Produto");
    EXPECT_EQ(NomeCampoImpressao(38, 11, false), "11-CNPJ/CPF Fornecedor do Produto.");
    EXPECT_NE(texto.find("\"Produto\""), std::string::npos);
    EXPECT_EQ(NomeCampoImpressao(38, 12, true), "");
    EXPECT_EQ(texto.find("Tamanho", segunda), std::string::npos);
    EXPECT_TRUE(DocumentoRelLayoutsW(DadosLayout{}).pages.empty());
}

}  // namespace

}  // namespace vorel::integration::testing
