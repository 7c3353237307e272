// The register imports: suppliers and customers, products with their first rate rows, machines.
#include <gtest/gtest.h>

#include <map>

#include "import_fixture.h"
#include "vorel/core/text.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/integration/importa_cadastros.h"
#include "vorel/integration/layout_catalogue.h"

namespace vorel::integration::testing {

namespace {

using dictionary::ForCliRec;
using dictionary::ICMSEletronicaRec;
using dictionary::ProdutosAliqRec;
using dictionary::ProdutosRec;

struct RegisterImport : ImportFixture {
    // Reads the lines with `run` and imports them when the read allows it.
    template <class Run, class Prepara>
    std::pair<ResultadoLeitura, ResultadoImportacao> ReadAndImport(int tipo, const std::vector<std::string>& linhas,
                                                                   Prepara prepara) {
        const std::string arquivo = FileOfLines("cadastro.txt", linhas);
        std::pair<ResultadoLeitura, ResultadoImportacao> r;
        (void)tipo;
        OnThread([&] {
            Run run;
            prepara(run);
            ASSERT_EQ(run.Abre(), "");
            r.first = run.Le({arquivo, 1, 1, shell::GLO_MES.Get(), shell::GLO_ANO.Get(), {}, 1});
            if (r.first.PodeImportar()) r.second = run.Importa(shell::GLO_MES.Get());
        });
        return r;
    }
    void Partner(std::uint32_t codigo, const std::string& cgc, std::uint8_t inativo = 0, const std::string& nome = "") {
        Seed<ForCliRec>(dictionary::ForCli(), [&](auto& f) {
            f.Codigo = codigo;
            f.CGC = cgc;
            f.Inativo = inativo;
            f.Nome = nome;
            f.TipoInscricao = 1;
        });
    }
    std::vector<ForCliRec> Partners() { return All<ForCliRec>(dictionary::ForCli(), dictionary::keys::FOR_KEY_CODIGO1); }
    std::vector<ProdutosRec> Products() { return All<ProdutosRec>(dictionary::Produtos(), dictionary::keys::PRO_KEY_CODIGO); }
    std::vector<ProdutosAliqRec> Rates() { return All<ProdutosAliqRec>(dictionary::ProdutosAliq(), dictionary::keys::PALIQ_Key_Codigo); }
};

std::string Fornecedor(const std::string& codigo, const std::string& cgc, const std::string& nome) {
    return LinhaPadrao(kTipoFornecedores, {{1, codigo}, {2, nome}, {8, "SP"}, {14, "1"}, {15, cgc}});
}

}  // namespace

TEST_F(RegisterImport, NewPartnersTakeTheNextCodesAndRegisteredOnesKeepTheirs) {
    LayoutPadrao(kTipoFornecedores, 1, "Cadastro");
    Partner(57, "11222333000181", 0, "Antigo");
    for (bool sobrescreve : {false, true}) {
        SCOPED_TRACE(sobrescreve);
        const auto r = ReadAndImport<ImportacaoFornecedores>(
            kTipoFornecedores,
            {Fornecedor("000000", "11111111000111", "Novo A"), Fornecedor("000900", "11222333000181", "Linha"),
             Fornecedor("000000", "22222222000122", "Novo B"), Fornecedor("000000", "11222333000181", "Repetido"),
             Fornecedor("000000", "33333333000133", "Novo C"), Fornecedor("000000", "11111111000111", "Novo A de novo")},
            [&](ImportacaoFornecedores& run) { run.SobrescreveCadastrados(sobrescreve); });
        EXPECT_TRUE(r.first.erros.empty());
        EXPECT_EQ(r.first.preparados, 4);  // the repeated partners are staged once
        ASSERT_TRUE(r.second.ok());
        const auto p = Partners();
        ASSERT_EQ(p.size(), 4u);
        EXPECT_EQ(p[0].Codigo, 57u);
        EXPECT_EQ(std::string(p[0].Nome.clipped()), sobrescreve ? "Linha" : "Antigo");
        EXPECT_EQ(p[0].MesImport, sobrescreve ? date::make(2016, 3, 1) : 0);
        for (std::size_t i = 1; i < 4; ++i) {
            EXPECT_EQ(p[i].Codigo, 57u + i);  // 58, 59, 60
            EXPECT_EQ(p[i].MesImport, date::make(2016, 3, 1));
        }
        EXPECT_EQ(std::string(p[1].Nome.clipped()), "Novo A");
        EXPECT_EQ(std::string(p[3].Nome.clipped()), "Novo C");
    }
}

TEST_F(RegisterImport, APartnerWhoseCodeBelongsToAnInactiveOneIsListedNotLost) {
    LayoutPadrao(kTipoFornecedores, 1, "Cadastro");
    Partner(5, "99999999000199", 1, "Inativo");
    const auto r = ReadAndImport<ImportacaoFornecedores>(
        kTipoFornecedores, {Fornecedor("000005", "44444444000144", "Colide"), Fornecedor("000006", "55555555000155", "Livre")},
        [](ImportacaoFornecedores&) {});
    ASSERT_TRUE(r.second.ok());
    EXPECT_EQ(r.second.importados, 1);
    ASSERT_EQ(r.second.erros.size(), 1u);
    EXPECT_NE(text::to_utf8(r.second.erros[0]).find("código 5"), std::string::npos);
    const auto p = Partners();
    ASSERT_EQ(p.size(), 2u);
    EXPECT_EQ(std::string(p[0].Nome.clipped()), "Inativo");
    EXPECT_EQ(std::string(p[1].Nome.clipped()), "Livre");
}

TEST_F(RegisterImport, ProductsByNicknameGetNewCodesAndTheirFirstRateRow) {
    LayoutPadrao(kTipoProdutos, 1, "Cadastro");
    auto produto = [](const std::string& apelido, const std::string& aliq, std::map<int, std::string> mais = {}) {
        mais[1] = apelido;
        mais[4] = "Produto " + apelido;
        mais[5] = aliq;
        return LinhaPadrao(kTipoProdutos, mais);
    };
    const auto r = ReadAndImport<ImportacaoProdutos>(
        kTipoProdutos,
        {produto("A1", "018000", {{7, "01"}, {8, "02"}, {9, "2016"}}), produto("B2", "000000"), produto("A1", "018000"),
         produto("C3", "012000")},
        [](ImportacaoProdutos&) {});
    EXPECT_EQ(r.first.preparados, 3);
    ASSERT_TRUE(r.second.ok());
    const auto p = Products();
    ASSERT_EQ(p.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(static_cast<const Decimal&>(p[i].Codigo), Decimal(static_cast<long long>(i + 1)));
        EXPECT_EQ(p[i].MesImport, date::make(2016, 3, 1));
    }
    EXPECT_EQ(std::string(p[0].Apelido.clipped()), "A1");
    EXPECT_EQ(p[0].DataInicio, date::make(2016, 2, 1));
    EXPECT_EQ(p[1].DataInicio, 0);  // all-zero date fields give no date
    const auto a = Rates();  // no row for a rate of 0
    ASSERT_EQ(a.size(), 2u);
    EXPECT_EQ(static_cast<const Decimal&>(a[0].CODIGO_PRODUTO), Decimal(1));
    EXPECT_EQ(static_cast<const Decimal&>(a[1].CODIGO_PRODUTO), Decimal(3));
    EXPECT_EQ(a[1].DATA_INICIAL, date::make(1900, 1, 1));
}

TEST_F(RegisterImport, ANewProductsCodeFollowsTheHighestCodeOfFourteenDigits) {
    LayoutPadrao(kTipoProdutos, 1, "Cadastro");
    SeedProduct(7);
    SeedProduct(123456789012345LL);  // a code of 15 digits, given by hand
    const auto r = ReadAndImport<ImportacaoProdutos>(kTipoProdutos, {LinhaPadrao(kTipoProdutos, {{1, "NOVO"}, {4, "Novo"}})},
                                                     [](ImportacaoProdutos&) {});
    ASSERT_TRUE(r.second.ok());
    const auto p = Products();
    ASSERT_EQ(p.size(), 3u);
    EXPECT_EQ(static_cast<const Decimal&>(p[1].Codigo), Decimal(8));
    EXPECT_EQ(std::string(p[1].Apelido.clipped()), "NOVO");
}

TEST_F(RegisterImport, ARateRowIsAddedOnlyWhenTheHistoryHasNoneAtOrAboveTheRate) {
    LayoutPadrao(kTipoProdutos, 1, "Cadastro");
    auto linha = [&](long long codigo, long long aliquota) {
        SeedProduct(codigo);
        Seed<ProdutosAliqRec>(dictionary::ProdutosAliq(), [&](auto& a) {
            a.CODIGO = Decimal(codigo * 10);
            a.CODIGO_PRODUTO = Decimal(codigo);
            a.ALIQUOTA = Decimal(aliquota);
            a.DATA_INICIAL = date::make(2010, 1, 1);
        });
        return LinhaPadrao(kTipoProdutos, {{1, std::to_string(codigo)}, {5, "018000"}});
    };
    const auto r = ReadAndImport<ImportacaoProdutos>(kTipoProdutos, {linha(1, 25), linha(2, 12)},
                                                     [](ImportacaoProdutos& run) { run.ImportaCodigo(true); });
    ASSERT_TRUE(r.second.ok());
    const auto a = Rates();
    ASSERT_EQ(a.size(), 3u);  // 10, 20 and the new row 21
    EXPECT_EQ(static_cast<const Decimal&>(a[2].CODIGO), Decimal(21));
    EXPECT_EQ(static_cast<const Decimal&>(a[2].CODIGO_PRODUTO), Decimal(2));
    EXPECT_EQ(static_cast<const Decimal&>(a[2].ALIQUOTA), Decimal(18));
    EXPECT_EQ(a[2].DATA_INICIAL, date::make(1900, 1, 1));
}

TEST_F(RegisterImport, MachinesReplaceTheRegisteredOnesAndUndefinedFieldsReadAsZero) {
    LayoutPadrao(kTipoMaquinas, 1, "Cadastro", {1, 2});
    Seed<ICMSEletronicaRec>(dictionary::ICMSEletronica(), [](auto& m) {
        m.Codigo = 1;
        m.Nome = "Velha";
    });
    const auto r = ReadAndImport<ImportacaoMaquinas>(
        kTipoMaquinas, {LinhaPadrao(kTipoMaquinas, {{1, "001"}, {2, "Nova"}}), LinhaPadrao(kTipoMaquinas, {{1, "002"}, {2, "Outra"}})},
        [](ImportacaoMaquinas&) {});
    ASSERT_TRUE(r.second.ok());
    const auto m = All<ICMSEletronicaRec>(dictionary::ICMSEletronica(), dictionary::keys::ICM_KEY_NUMERO);
    ASSERT_EQ(m.size(), 2u);
    EXPECT_EQ(std::string(m[0].Nome.clipped()), "Nova");
    EXPECT_EQ(std::string(m[0].Serie.clipped()), "0");
    EXPECT_EQ(std::string(m[0].CumpomFiscal.clipped()), "0");
    EXPECT_EQ(m[1].Codigo, 2);
    EXPECT_EQ(std::string(m[1].Nome.clipped()), "Outra");
    EXPECT_EQ(m[0].MesImpor, date::make(2016, 3, 1));
    EXPECT_EQ(m[1].MesImpor, date::make(2016, 3, 1));
}

}  // namespace vorel::integration::testing
