#include "vorel/dictionary/folders.h"

#include <gtest/gtest.h>

#include <string>

namespace vorel::dictionary {
namespace {

const std::string root = "C:\\VOREL\\";

TEST(Folders, Company15Year2016LandWhereTheWorkingContextExpects) {
    const CaminhosEmpresa e = CaminhosArquivosEmpresa(root, 15, 1, 1);
    EXPECT_EQ(e.PastaEmpresa, "C:\\VOREL\\00000015");
    EXPECT_EQ(e.PastaEmpresaVorel, "C:\\VOREL\\00000015\\Vorel");
    EXPECT_EQ(e.PastaEscrita, "C:\\VOREL\\00000015\\Escrita");
    EXPECT_EQ(e.CaminhoFuncionarios, "C:\\VOREL\\00000015\\Funciona.Tps");
    EXPECT_EQ(e.CaminhoRefVlrMensais, "C:\\VOREL\\00000015\\RefVlMen.Tps");
    EXPECT_EQ(e.CaminhoTabValorIndProduto, "C:\\VOREL\\00000015\\Vorel\\ProdUnit.Tps");
    EXPECT_EQ(e.CaminhoTabelaValorProdutoSaida, "C:\\VOREL\\00000015\\Vorel\\ProdUniS.Tps");
    EXPECT_EQ(e.CaminhosIntegracao[2], "C:\\VOREL\\00000015\\Vorel\\IntTip3M.Tps");

    const CaminhosAno a = CaminhosArquivosAno(root, 15, 2016);
    EXPECT_EQ(a.PastaAno, "C:\\VOREL\\00000015\\Vorel\\2016");
    EXPECT_EQ(a.CaminhoEntradaVorel, "C:\\VOREL\\00000015\\Vorel\\2016\\Entradas.Tps");
    EXPECT_EQ(a.CaminhoSaidaVorel, "C:\\VOREL\\00000015\\Vorel\\2016\\Saidas.Tps");
    EXPECT_EQ(a.CaminhoQuantidadeVorel, "C:\\VOREL\\00000015\\Vorel\\2016\\QuantQel.Tps");
    EXPECT_EQ(a.CaminhoSaldosVorel, "C:\\VOREL\\00000015\\Vorel\\2016\\SaldoPro.Tps");
    EXPECT_EQ(a.CaminhoMovMaqRegistradora, "C:\\VOREL\\00000015\\Vorel\\2016\\CaLanCup.Tps");
    // the machines are kept per company, not per year
    EXPECT_EQ(a.CaminhoICMSEletronica, "C:\\VOREL\\00000015\\Vorel\\MaqICMS.Tps");
}

TEST(Folders, ProductsAndSuppliersFollowTheCompanyOptions) {
    struct Case {
        int tipoNbm, tipoFornecedor;
        const char *produtos, *aliq, *forcli, *morto;
    } cases[] = {
        {1, 1, "C:\\VOREL\\BComuns\\Produtos.Tps", "C:\\VOREL\\BComuns\\ProdAliq.Tps",
         "C:\\VOREL\\BComuns\\ForCli.Tps", "C:\\VOREL\\BComuns\\ForCliMo.Tps"},
        {0, 3, "C:\\VOREL\\BComuns\\Produtos.Tps", "C:\\VOREL\\BComuns\\ProdAliq.Tps",
         "C:\\VOREL\\BComuns\\ForCli.Tps", "C:\\VOREL\\BComuns\\ForCliMo.Tps"},
        // 2: the company's own files, products directly in the company folder (not under \Vorel)
        {2, 2, "C:\\VOREL\\00000007\\Produtos.Tps", "C:\\VOREL\\00000007\\ProdAliq.Tps",
         "C:\\VOREL\\00000007\\Escrita\\ForCli.Tps", "C:\\VOREL\\00000007\\Escrita\\ForCliMo.Tps"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.tipoNbm << "/" << c.tipoFornecedor);
        const CaminhosEmpresa e = CaminhosArquivosEmpresa(root, 7, c.tipoNbm, c.tipoFornecedor);
        EXPECT_EQ(e.CaminhoProdutos, c.produtos);
        EXPECT_EQ(e.CaminhoProdutosAliq, c.aliq);
        EXPECT_EQ(e.CaminhoForCli, c.forcli);
        EXPECT_EQ(e.ArquivoForCliMorto, c.morto);
    }
}

TEST(Folders, CompanyZeroAndLongRootsAreNeverCut) {
    EXPECT_EQ(CaminhosArquivosEmpresa(root, 0, 1, 1).PastaEmpresa, "C:\\VOREL\\00000000");
    // a root longer than the 100 characters of the cash-register variables keeps every character
    const std::string longRoot = "C:\\" + std::string(150, 'x') + "\\";
    const CaminhosAno a = CaminhosArquivosAno(longRoot, 15, 2016);
    EXPECT_EQ(a.CaminhoLancICMSEletronico, longRoot + "00000015\\Vorel\\2016\\CaLanMes.Tps");
    EXPECT_EQ(a.CaminhoICMSEletronica, longRoot + "00000015\\Vorel\\MaqICMS.Tps");
}

TEST(Folders, SharedTablesLieUnderTheDataRoot) {
    const CaminhosComuns c = CaminhosArquivosComuns(root);
    EXPECT_EQ(c.CaminhoEmpresa, "C:\\VOREL\\BComuns\\Empresas.Tps");
    EXPECT_EQ(c.CaminhoContas_Integracao_Contabil, "C:\\VOREL\\BComuns\\CIntegra.Ini");
    EXPECT_EQ(c.CaminhoCFO, "C:\\VOREL\\BEscrita\\CfoVorel.Tps");
    EXPECT_EQ(c.CaminhoSenhas, "C:\\VOREL\\BVorel\\Senha.Tps");
    // these two carry a doubled separator after the root, which the file system reads as one
    EXPECT_EQ(c.CaminhoForCliQel, "C:\\VOREL\\\\BComuns\\ForCli17.Tps");
    EXPECT_EQ(c.CaminhoLoteVorel, "C:\\VOREL\\\\BComuns\\LotVorel.Tps");
}

}  // namespace
}  // namespace vorel::dictionary
