// A product's supplier found through its entries and ForCli, with the CNPJ-root cache.
#include <gtest/gtest.h>

#include "tabelas_fixture.h"
#include "vorel/sheets/resumo_planilha.h"

namespace vorel::sheets {
namespace {

using FornecedorDoProdutoTest = testing::TabelasFixture;

TEST_F(FornecedorDoProdutoTest, FirstEntryWithAnActiveSupplierAndItsEstablishments) {
    Fornecedor(7, "22222222000100", "MATRIZ");
    Fornecedor(8, "22222222000281", "FILIAL");
    Fornecedor(9, "33333333000100", "INATIVO", 1);
    Entrada(1, 1, "");
    Entrada(1, 2, "00000000000000");
    Entrada(1, 3, "11111111000199");  // not registered
    Entrada(1, 4, "22222222000100");
    Entrada(1, 5, "33333333000100");
    Entrada(2, 1, "22222222000281");  // the branch: summed under the first supplier found
    Entrada(3, 1, "33333333000100");  // inactive only
    Entrada(5, 9, "22222222000281");  // a branch first met through its own CNPJ
    std::thread([&] {
        struct Caso {
            int produto;
            std::uint32_t esperado;
        } casos[] = {{1, 7}, {2, 7}, {3, 0}, {4, 0}};
        FornecedorDoProduto f;
        for (const Caso& k : casos) {
            SCOPED_TRACE(k.produto);
            std::uint32_t codigo = 99;
            ASSERT_TRUE(f.Fornecedor(Decimal(k.produto), codigo).ok());
            EXPECT_EQ(codigo, k.esperado);
        }
        FornecedorDoProduto novo;  // a new run: no cache, the branch is its own supplier
        std::uint32_t codigo = 0;
        ASSERT_TRUE(novo.Fornecedor(Decimal(5), codigo).ok());
        EXPECT_EQ(codigo, 8u);
        EXPECT_EQ(NomeFornecedorAtivo(7), std::optional<std::string>("MATRIZ"));
        EXPECT_EQ(NomeFornecedorAtivo(9), std::nullopt);
        EXPECT_EQ(NomeFornecedorAtivo(0), std::nullopt);
    }).join();
}

}  // namespace
}  // namespace vorel::sheets
