// The one-time conversion of the rate history: each product's row of its current rate from
// 01/01/1900, numbered after the file's highest, once; the year folders; the working company and
// the tables' names untouched, also through the window.
#include <gtest/gtest.h>

#include <filesystem>

#include "lote_fixture.h"
#include "vorel/core/paths.h"
#include "vorel/dictionary/name_variables.h"
#include "vorel/maintenance/atualiza_arquivos.h"

namespace vorel::maintenance::testing {
namespace {

using dictionary::EmpresaRec;
using dictionary::ProdutosAliqRec;
using dictionary::ProdutosRec;

struct AtualizaArquivosTest : LoteFixture {
    // Company `codigo` in the register; `proprios`: its own products and history (EMP:TIPONBM 2).
    dictionary::CaminhosEmpresa Empresa(std::uint16_t codigo, bool proprios) {
        Grava<EmpresaRec>(dictionary::Empresa(), [&](EmpresaRec& e) {
            e.Codigo = codigo;
            e.RAZAOSOCIAL = "Empresa " + std::to_string(codigo);
            e.TIPONBM = proprios ? 2 : 1;
        });
        return dictionary::CaminhosArquivosEmpresa(root, codigo, proprios ? 2 : 1, 0);
    }
    void Produto(const dictionary::CaminhosEmpresa& c, int codigo, const char* aliquota) {
        std::filesystem::create_directories(files::resolve(c.PastaEmpresa));
        Grava<ProdutosRec>(dictionary::Produtos(), [&](ProdutosRec& p) {
            p.Codigo = Decimal(codigo);
            p.Alicota = D(aliquota);
        }, c.CaminhoProdutos);
    }
    void MudaAliquota(const dictionary::CaminhosEmpresa& c, int codigo, const char* aliquota) {
        std::thread([&] {
            data::FileManager fm(dictionary::Produtos());
            ASSERT_TRUE(fm.open_path(c.CaminhoProdutos).ok());
            fm.rec<ProdutosRec>().Codigo = Decimal(codigo);
            ASSERT_TRUE(fm.get(keys::PRO_KEY_CODIGO).ok());
            fm.rec<ProdutosRec>().Alicota = D(aliquota);
            ASSERT_TRUE(fm.put().ok());
            (void)fm.close();
        }).join();
    }
    // The history as "sequence:product:rate:start" in sequence order.
    std::string Historico(const dictionary::CaminhosEmpresa& c) {
        std::string s;
        for (const auto& a : Le<ProdutosAliqRec>(dictionary::ProdutosAliq(), keys::PALIQ_Key_Codigo, c.CaminhoProdutosAliq)) {
            s += (s.empty() ? "" : " ") + a.CODIGO.value().to_fixed(0) + ":" + a.CODIGO_PRODUTO.value().to_fixed(0) +
                 ":" + a.ALIQUOTA.value().to_fixed(0) + ":" +
                 (a.DATA_INICIAL == Dia(1900, 1, 1) ? "1900" : std::to_string(a.DATA_INICIAL));
        }
        return s;
    }
    ResultadoConversao Converte(const ProgressoConversao& p = {}) {
        return NaThread([&] { return AtualizaArquivos(root, p); });
    }
};

TEST_F(AtualizaArquivosTest, EveryProductGetsItsCurrentRateFrom1900OnceNumberedAfterTheHighest) {
    const auto um = Empresa(1, true), dois = Empresa(2, true), tres = Empresa(3, false), quatro = Empresa(4, false);
    for (int p : {10, 20, 30}) Produto(um, p, p == 20 ? "12" : "18");
    Produto(dois, 7, "17");
    Grava<ProdutosAliqRec>(dictionary::ProdutosAliq(), [](ProdutosAliqRec& a) {
        a.CODIGO_PRODUTO = Decimal(7);
        a.CODIGO = Decimal(40);
        a.ALIQUOTA = D("12");
        a.DATA_INICIAL = Dia(2015, 1, 1);
    }, dois.CaminhoProdutosAliq);
    Produto(tres, 5, "25");  // the office's shared register, used by companies 3 and 4

    ResultadoConversao r = Converte();
    EXPECT_TRUE(r.ok()) << (r.falhas.empty() ? "" : r.falhas[0]);
    EXPECT_EQ(r.empresas, 4);
    EXPECT_EQ(r.incluidos, 5);
    EXPECT_EQ(Historico(um), "1:10:18:1900 2:20:12:1900 3:30:18:1900");
    EXPECT_EQ(Historico(dois), "40:7:12:" + std::to_string(Dia(2015, 1, 1)) + " 41:7:17:1900");
    EXPECT_EQ(Historico(quatro), "1:5:25:1900");  // converted once, not once per company

    // Run again: nothing more; then a changed rate adds its own row, right after the highest.
    r = Converte();
    EXPECT_EQ(r.incluidos, 0);
    EXPECT_EQ(Historico(um), "1:10:18:1900 2:20:12:1900 3:30:18:1900");
    MudaAliquota(um, 20, "17");
    r = Converte();
    EXPECT_EQ(r.incluidos, 1);
    EXPECT_EQ(Historico(um), "1:10:18:1900 2:20:12:1900 3:30:18:1900 4:20:17:1900");

    for (std::uint32_t e : {1u, 2u, 3u, 4u})
        for (int ano = 1999; ano <= 2010; ++ano)
            EXPECT_TRUE(files::exists(dictionary::CaminhosArquivosAno(root, e, ano).PastaAno)) << e << " " << ano;
}

TEST_F(AtualizaArquivosTest, AStopRollsBackTheCompanyInHand) {
    const auto um = Empresa(1, true);
    for (int p : {10, 20, 30}) Produto(um, p, "18");
    const ResultadoConversao r = Converte([](const AndamentoConversao& a) { return a.produtosFeitos < 2; });
    EXPECT_TRUE(r.cancelado);
    EXPECT_EQ(r.incluidos, 0);
    EXPECT_EQ(Historico(um), "");
}

TEST_F(AtualizaArquivosTest, TheWindowRunsAloneAndTheWorkingCompanyStaysAsItWas) {
    const auto um = Empresa(1, true), dois = Empresa(2, true);
    Produto(um, 10, "18");
    Produto(dois, 7, "17");
    // A window works on company 2 in 2015.
    vorel::testing::NameCompanyTables(root, 2);
    vorel::testing::NameYearTables(root, 2, 2015);
    shell::GLO_EMPRESA_CODIGO.Set(2);
    shell::GLO_ANO.Set(2015);
    const std::string produtos = dictionary::CaminhoProdutos.get(), saidas = dictionary::CaminhoSaidaVorel.get();
    bool mudou = false;
    const ResultadoConversao r = Converte([&](const AndamentoConversao&) {
        mudou = mudou || shell::GLO_EMPRESA_CODIGO.Get() != 2 || shell::GLO_ANO.Get() != 2015 ||
                dictionary::CaminhoProdutos.get() != produtos || dictionary::CaminhoSaidaVorel.get() != saidas;
        return true;
    });
    EXPECT_TRUE(r.ok());
    EXPECT_FALSE(mudou);
    EXPECT_EQ(Historico(um), "1:10:18:1900");

    // Through the window, from the menu: it opens, runs and closes by itself.
    MudaAliquota(dois, 7, "19");
    StartUser();
    ui->Start("AtualizaArquivos");
    ui->WaitIdle();
    EXPECT_FALSE(ui->HasMessageBox());
    EXPECT_FALSE(ui->HasWindow("Atualização"));
    EXPECT_EQ(Historico(dois), "1:7:17:1900 2:7:19:1900");
    EXPECT_EQ(shell::GLO_EMPRESA_CODIGO.Get(), 2);
    EXPECT_EQ(shell::GLO_ANO.Get(), 2015);
    EXPECT_EQ(dictionary::CaminhoProdutos.get(), produtos);
}

}  // namespace
}  // namespace vorel::maintenance::testing
