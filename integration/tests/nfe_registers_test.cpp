// The registers step of the NF-e import: products by code or nickname with their first rate row,
// partners by CNPJ or by CPF and state registration.
#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

#include "import_fixture.h"
#include "vorel/core/paths.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/integration/cadastros_nfe.h"
#include "vorel/integration/linhas_nfe.h"
#include "vorel/dictionary/key_names.h"

namespace vorel::integration::testing {

namespace {

using dictionary::ForCliRec;
using dictionary::ProdutosRec;

// A line of the reader's products file (the code in both of its columns).
std::string Produto(const std::string& codigo, const std::string& nome, const std::string& aliquota) {
    using C = CampoProduto;
    std::string l(kLayoutProdutos.Comprimento(), ' ');
    for (auto [campo, valor] : {std::pair{C::Codigo, codigo}, {C::Grupo, "000"}, {C::Descricao, nome},
                                {C::Aliquota, aliquota}, {C::Unidade, "UN"}, {C::DataInicial, "00000000"},
                                {C::DataFinal, "00000000"}, {C::Reducao, "0000000"}, {C::Ncm, "12345678"},
                                {C::CodigoInteiro, codigo}})
        l.replace(kLayoutProdutos[campo].inicio - 1, valor.size(), valor);
    return l + "\r\n";
}

// A line of the reader's partners file.
std::string Parte(int tipo, const std::string& doc, const std::string& ie, const std::string& nome,
                  const std::string& cidade) {
    std::string l = "0000000" + text::pad(nome, 40) + text::pad("RUA A", 40) + "0000000010" + std::string(25, ' ') +
                    text::pad("CENTRO", 25) + text::pad(cidade, 25) + "SP" + "01001000" + "011" + "33334444" +
                    std::string(13, ' ') + std::to_string(tipo) + text::pad(tipo == 1 ? doc : "", 14) +
                    text::pad(tipo == 2 ? doc : "", 11) + text::pad(ie, 20);
    return l + "\r\n";
}

struct NfeRegisters : ImportFixture {
    std::string Arquivo(const std::string& nome, const std::string& bytes) {
        File(nome, bytes);
        return files::to_program_path(dir / nome);
    }
    std::vector<ProdutosRec> Produtos() { return All<ProdutosRec>(dictionary::Produtos(), dictionary::keys::PRO_KEY_CODIGO); }
    ResultadoCadastro Produtos(const std::string& arquivo, int intProdutos, bool entrada) {
        ResultadoCadastro r;
        OnThread([&] { r = ImportaProdutosNfe(arquivo, intProdutos, entrada, 3, 2016); });
        return r;
    }
};

}  // namespace

TEST_F(NfeRegisters, ProductsByNicknameTakeConsecutiveCodesAfterTheHighest) {
    SeedProduct(10);
    const std::string arq =
        Arquivo("p.txt", Produto("A1", "UM", "001800") + Produto("B2", "DOIS", "001200") + Produto("C3", "TRES", "000000"));
    ResultadoCadastro r = Produtos(arq, 1, true);
    ASSERT_TRUE(r.falha.ok()) << r.falha;
    EXPECT_EQ(r.novos, 3);
    auto ps = Produtos();
    ASSERT_EQ(ps.size(), 4u);
    EXPECT_EQ(static_cast<const Decimal&>(ps[1].Codigo), Decimal(11));
    EXPECT_EQ(std::string(ps[1].Apelido.clipped()), "A1");
    EXPECT_EQ(ps[1].Alicota.value().to_fixed(3), "18.000");
    EXPECT_EQ(std::string(ps[1].NCM.clipped()), "12345678");
    EXPECT_EQ(ps[1].MesImport, date::make(2016, 3, 1));
    EXPECT_EQ(static_cast<const Decimal&>(ps[3].Codigo), Decimal(13));
    // Entries open the rate history of the products with a rate; a second import adds no row.
    auto historico = All<dictionary::ProdutosAliqRec>(dictionary::ProdutosAliq(), dictionary::keys::PALIQ_Key_Codigo);
    ASSERT_EQ(historico.size(), 2u);
    EXPECT_EQ(historico[0].DATA_INICIAL, date::make(1900, 1, 1));
    ASSERT_TRUE(Produtos(arq, 1, true).falha.ok());
    EXPECT_EQ(All<dictionary::ProdutosAliqRec>(dictionary::ProdutosAliq(), dictionary::keys::PALIQ_Key_Codigo).size(), 2u);
    EXPECT_EQ(Produtos().size(), 4u);
}

TEST_F(NfeRegisters, ProductsByCodeUpdateInPlaceAndACodeWithLettersNeverOverwritesAnother) {
    Seed<ProdutosRec>(dictionary::Produtos(), [](auto& p) {
        p.Codigo = Decimal(12);
        p.Produtos = "ANTIGO";
    });
    const std::string arq = Arquivo("p.txt", Produto("12", "NOVO", "001800") + Produto("0012A", "LETRAS", "001800") +
                                                 Produto("77", "OUTRO", "000700"));
    ASSERT_TRUE(Produtos(arq, 0, false).falha.ok());
    auto ps = Produtos();
    ASSERT_EQ(ps.size(), 3u);
    EXPECT_EQ(std::string(ps[0].Produtos.clipped()), "NOVO");
    EXPECT_EQ(std::string(ps[0].Apelido.clipped()), "");
    EXPECT_EQ(static_cast<const Decimal&>(ps[1].Codigo), Decimal(13));  // the letters: a new product by nickname
    EXPECT_EQ(std::string(ps[1].Apelido.clipped()), "0012A");
    EXPECT_EQ(static_cast<const Decimal&>(ps[2].Codigo), Decimal(77));
    // Exits never touch the rate history.
    EXPECT_TRUE(All<dictionary::ProdutosAliqRec>(dictionary::ProdutosAliq(), dictionary::keys::PALIQ_Key_Codigo).empty());
}

// Under "Código": a registered product is updated and stamped with the import month; a code of
// letters becomes a new product numbered after the highest code of 14 digits (a 15-digit code does
// not count); an entry's rate opens a history row only for a product with no row at or above it;
// a start date without its day is no date.
TEST_F(NfeRegisters, RegisteredProductsNewCodesAndTheFirstRateRow) {
    SeedProduct(5);
    SeedProduct(6);
    SeedProduct(123456789012345LL);
    int linha = 0;
    for (auto [produto, aliquota] : {std::pair{5, 25}, {6, 12}})
        Seed<dictionary::ProdutosAliqRec>(dictionary::ProdutosAliq(), [&](auto& a) {
            a.CODIGO = Decimal(++linha);
            a.CODIGO_PRODUTO = Decimal(produto);
            a.ALIQUOTA = Decimal(aliquota);
            a.DATA_INICIAL = date::make(2010, 1, 1);
        });
    std::string seis = Produto("6", "SEIS", "001800");
    seis.replace(kLayoutProdutos[CampoProduto::DataInicial].inicio - 1, 8, "00032016");
    ASSERT_TRUE(Produtos(Arquivo("p.txt", Produto("5", "CINCO", "001800") + seis + Produto("X9", "NOVO", "001800")), 0, true)
                    .falha.ok());
    auto ps = Produtos();
    ASSERT_EQ(ps.size(), 4u);
    EXPECT_EQ(std::string(ps[0].Produtos.clipped()), "CINCO");
    EXPECT_EQ(ps[0].MesImport, date::make(2016, 3, 1));
    EXPECT_EQ(ps[1].DataInicio, 0);
    EXPECT_EQ(static_cast<const Decimal&>(ps[2].Codigo), Decimal(7));
    EXPECT_EQ(std::string(ps[2].Apelido.clipped()), "X9");
    std::vector<std::string> historico;
    for (const auto& a : All<dictionary::ProdutosAliqRec>(dictionary::ProdutosAliq(), dictionary::keys::PALIQ_Key_Codigo))
        historico.push_back(a.CODIGO_PRODUTO.value().to_fixed(0) + "@" + a.ALIQUOTA.value().to_fixed(0));
    EXPECT_EQ(historico, (std::vector<std::string>{"5@25", "6@12", "6@18", "7@18"}));
}

TEST_F(NfeRegisters, PartnersByCnpjOrByCpfAndStateRegistration) {
    Seed<ForCliRec>(dictionary::ForCli(), [](auto& f) {
        f.Codigo = 4;
        f.CGC = "34128745000152";
        f.Nome = "ANTES";
    });
    const std::string arq = Arquivo(
        "f.txt", Parte(1, "34128745000152", "111", "DEPOIS", "SAO PAULO") + Parte(2, "12345678901", "IE1", "PESSOA 1", "") +
                     Parte(2, "12345678901", "IE2", "PESSOA 2", "") + Parte(2, "12345678901", "IE1", "PESSOA 1B", ""));
    for (bool sobrescreve : {false, true}) {
        SCOPED_TRACE(sobrescreve);
        ResultadoCadastro r;
        OnThread([&] { r = ImportaFornecedoresNfe(arq, sobrescreve); });
        ASSERT_TRUE(r.falha.ok()) << r.falha;
        auto fs = All<ForCliRec>(dictionary::ForCli(), dictionary::keys::FOR_KEY_CODIGO);
        ASSERT_EQ(fs.size(), 3u);
        EXPECT_EQ(fs[0].Codigo, 4u);
        EXPECT_EQ(std::string(fs[0].Nome.clipped()), sobrescreve ? "DEPOIS" : "ANTES");
        EXPECT_EQ(fs[1].Codigo, 5u);
        // The third line of IE1 updated the first one's record only when written over.
        EXPECT_EQ(std::string(fs[1].Nome.clipped()), sobrescreve ? "PESSOA 1B" : "PESSOA 1");
        EXPECT_EQ(std::string(fs[2].InscricaoEstadual.clipped()), "IE2");
        EXPECT_EQ(fs[2].Telefone, 33334444u);
        EXPECT_EQ(fs[2].Clientes, 1);
    }
}

TEST_F(NfeRegisters, EachStepReportsItsLinesAndAStopLeavesTheRegisterAsItWas) {
    const std::string produtos = Arquivo("p.txt", Produto("A1", "UM", "001800") + Produto("B2", "DOIS", "001200") +
                                                      Produto("C3", "TRES", "000000"));
    const std::string partes = Arquivo("f.txt", Parte(1, "34128745000152", "", "A", "") +
                                                    Parte(1, "57647232000153", "", "B", "") +
                                                    Parte(2, "12345678901", "IE1", "C", ""));
    using Passo = std::function<ResultadoCadastro(const ProgressoCadastro&)>;
    const std::vector<std::pair<const char*, Passo>> passos = {
        {"produtos", [&](const ProgressoCadastro& p) { return ImportaProdutosNfe(produtos, 1, true, 3, 2016, p); }},
        {"parceiros", [&](const ProgressoCadastro& p) { return ImportaFornecedoresNfe(partes, false, p); }},
    };
    auto gravados = [&] {
        return Produtos().size() + All<ForCliRec>(dictionary::ForCli(), dictionary::keys::FOR_KEY_CODIGO).size() +
               All<dictionary::ProdutosAliqRec>(dictionary::ProdutosAliq(), dictionary::keys::PALIQ_Key_Codigo).size();
    };
    for (const auto& [nome, passo] : passos) {
        SCOPED_TRACE(nome);
        const std::size_t antes = gravados();
        std::vector<std::pair<long, long>> vistos;
        ResultadoCadastro r;
        OnThread([&] {
            r = passo([&](long feitos, long total) {
                vistos.emplace_back(feitos, total);
                return feitos < 2;  // stopped after the second line
            });
        });
        EXPECT_TRUE(r.interrompida);
        EXPECT_TRUE(r.falha.ok()) << r.falha;
        EXPECT_EQ(vistos, (std::vector<std::pair<long, long>>{{1, 3}, {2, 3}}));
        EXPECT_EQ(gravados(), antes);
        vistos.clear();
        OnThread([&] {
            r = passo([&](long feitos, long total) {
                vistos.emplace_back(feitos, total);
                return true;
            });
        });
        EXPECT_TRUE(r.ok()) << r.falha;
        EXPECT_EQ(vistos, (std::vector<std::pair<long, long>>{{1, 3}, {2, 3}, {3, 3}}));
    }
}

}  // namespace vorel::integration::testing
