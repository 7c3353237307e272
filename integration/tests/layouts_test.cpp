// The layout catalogue, the default layouts and the position check.
#include <gtest/gtest.h>

#include "import_fixture.h"
#include "vorel/integration/layout_catalogue.h"
#include "vorel/integration/layouts.h"

namespace vorel::integration::testing {

namespace {

TEST(LayoutCatalogue, DefaultLayoutsRunFromColumnOneWithoutGapsToTheirLineLength) {
    const std::pair<int, int> kLengths[] = {{9, 295}, {10, 162}, {16, 129}, {17, 131}, {18, 117}, {19, 106},
                                            {20, 50},  {21, 61},  {22, 27},  {23, 68},  {38, 123}};
    for (auto [tipo, comprimento] : kLengths) {
        SCOPED_TRACE(tipo);
        EXPECT_EQ(ComprimentoPadrao(tipo), comprimento);
        int proxima = 1;
        for (const CampoCatalogo& c : EntradasDoTipo(tipo)) {
            EXPECT_EQ(c.posicao, proxima) << c.rotulo;
            proxima = c.posicao + c.tamanho;
        }
        EXPECT_FALSE(TituloTipoLayout(tipo).empty());
    }
    for (int fora : {0, 5, 8, 11, 24}) {
        EXPECT_TRUE(EntradasDoTipo(fora).empty());
        EXPECT_EQ(TituloTipoLayout(fora), "");
        EXPECT_EQ(ComprimentoPadrao(fora), 0);
    }
}

TEST(LayoutCatalogue, LabelsGoByCodeWithTheFormsOwnWordings) {
    EXPECT_EQ(RotuloCampo(10, 16), "13-Alíquota Reduzida.");
    EXPECT_EQ(RotuloCampo(10, 13), "");  // products have no code 13
    EXPECT_EQ(RotuloCampo(17, 1, Onde::ListaCampos), "1-CNPJ do Destinatário.");
    EXPECT_EQ(RotuloCampo(17, 1, Onde::Verificacao), "1-CNPJ do Fornecedor.");
    EXPECT_EQ(RotuloCampo(17, 16, Onde::ListaCampos), "16-Lote do Produto.");
    EXPECT_EQ(RotuloCampo(17, 16, Onde::Verificacao), "16-Lote.");
    EXPECT_EQ(RotuloCampo(38, 11, Onde::ListaCampos), "11-CNPJ/CPF Fornecedor");
    // Type 20 code 3: the choice proposes N, the default layout stores X.
    const CampoCatalogo* serie = EntradaDoCampo(20, 3);
    ASSERT_NE(serie, nullptr);
    EXPECT_EQ(serie->tipo, 'N');
    EXPECT_EQ(serie->tipoPadrao, 'X');
    ASSERT_NE(EntradaDoCampo(38, 12), nullptr);
    EXPECT_EQ(EntradaDoCampo(38, 12)->posicao, 118);
}

TEST(PositionCheck, AFieldStartingInsideThePreviousOneIsNamedOnceWithItsExpectedStart) {
    std::vector<CampoPosicao> campos = {{1, 1, 6}, {2, 7, 40}, {3, 47, 40}};
    EXPECT_TRUE(VerificaPosicoes(9, campos).empty());
    campos[1].posicao = 5;
    const auto msgs = VerificaPosicoes(9, campos);
    ASSERT_EQ(msgs.size(), 1u);
    EXPECT_EQ(msgs[0],
              "Atenção o campo 2-Razão Social do Fornecedor. está com a posição inicial incorreta possivelmente "
              "ela deve ser 7 !!!");
    // Gaps pass; every misplaced field is its own message.
    EXPECT_TRUE(VerificaPosicoes(9, std::vector<CampoPosicao>{{1, 3, 2}, {2, 10, 1}}).empty());
    EXPECT_EQ(VerificaPosicoes(9, std::vector<CampoPosicao>{{1, 1, 10}, {2, 2, 1}, {3, 3, 1}}).size(), 2u);
}

using StoredLayouts = ImportFixture;

TEST_F(StoredLayouts, PositionsComeByFieldCodeAndTheDefaultLayoutFillsOnlyMissingCodes) {
    Layout(17, 4, "Saídas", {{3, 17, 6}, {25, 1, 5}, {5, 0, 2}});
    Layout(16, 5, "Entradas", {{3, 1, 2}});
    OnThread([&] {
        const Posicoes p = CarregaPosicoes(17, 4, 20);
        ASSERT_EQ(p.size(), 21u);
        EXPECT_EQ(p[3].inicio, 17);
        EXPECT_EQ(p[3].fim, 22);
        EXPECT_EQ(p[5].inicio, 0);  // a field before column 1 is not read
        EXPECT_EQ(p[1].inicio, 0);
        const auto lista = LayoutsDoTipo(17);
        ASSERT_EQ(lista.size(), 1u);
        EXPECT_EQ(lista[0].codigo, 4);

        ASSERT_TRUE(AdicionaLayoutPadrao(17, 4).ok());
        const auto campos = CamposParaVerificacao(17, 4);
        EXPECT_EQ(campos.size(), 18u);  // the 17 default codes, plus the stored code 25
        EXPECT_EQ(campos[0].posicao, 1);
        EXPECT_EQ(CarregaPosicoes(17, 4, 20)[3].inicio, 17);
    });
}

}  // namespace

}  // namespace vorel::integration::testing
