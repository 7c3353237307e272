// "PlanilhaMensalProdutos" on a computation's hand-over: the sheet's preview, the unknown CFO named
// once, the result page by supplier after it; without a hand-over nothing happens.
#include <gtest/gtest.h>

#include "tabelas_fixture.h"
#include "vorel/dictionary/tables.h"
#include "vorel/sheets/procedures.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/work_table_handover.h"
#include "vorel/shell/working_context.h"
#include "vorel/ui/headless.h"
#include "vorel/ui/runtime.h"

namespace vorel::sheets {
namespace {

struct PlanilhaProcedimentoTest : testing::TabelasFixture {
    std::unique_ptr<ui::Runtime> rt;
    std::unique_ptr<ui::HeadlessDriver> driver;

    void SetUp() override {
        TabelasFixture::SetUp();
        shell::PastaRaiz.Set(root);
        shell::PastaTemp.Set(root + "Temp\\");
        shell::GLO_EMPRESA_CODIGO.Set(1);
        shell::GLO_MES.Set(7);
        shell::GLO_ANO.Set(2016);
        shell::ModoImpressao.Set(1);
        rt = std::make_unique<ui::Runtime>(vorel::testing::WithDictionary());
        driver = std::make_unique<ui::HeadlessDriver>(*rt);
        AddSheetProcedures();
    }
    void TearDown() override {
        driver.reset();
        rt.reset();
        shell::GLO_EMPRESA_CODIGO.Set(0);
        TabelasFixture::TearDown();
    }
    void Linha(const std::string& arquivo, int produto, int entsai, int dia, const char* numero, std::uint16_t cfo,
               const char* consFinal) {
        Grava<dictionary::EntradaSaidaVorelRec>(dictionary::EntradaSaidaVorel(), [&](auto& r) {
            r.CODMERCADORIA = produto;
            r.ENTSAI = static_cast<std::uint8_t>(entsai);
            r.DATA = date::make(2016, 7, dia);
            r.NUMERO = numero;
            r.CFO = cfo;
            r.QUANTIDADE = Decimal(1);
            r.SAICONSFINAL = Decimal::from_string(consFinal);
            r.SALDOQUANTIDADE = Decimal(10);
        }, arquivo);
    }
    void Preview(const std::string& relatorio) {
        const std::string caption = "Visualização - " + relatorio;
        driver->WaitUntil([&] { return driver->HasWindow(caption); }, "the preview of " + relatorio);
        driver->Press(driver->ByText(driver->WindowByCaption(caption), "&Fechar"));
    }
};

TEST_F(PlanilhaProcedimentoTest, SheetThenAlertThenResultBySupplier) {
    Grava<dictionary::CFORec>(dictionary::CFO(), [](auto& r) {
        r.CODIGO = 5405;
        r.COLUNA = 2;
    });
    Grava<dictionary::ProdutosRec>(dictionary::Produtos(), [](auto& r) {
        r.Codigo = 1;
        r.Produtos = "PARAFUSO";
    });
    Fornecedor(7, "22222222000100", "MATRIZ");
    Entrada(1, 1, "22222222000100");
    const std::string arquivo = root + "Temp/trabalho.tps";
    Linha(arquivo, 1, 0, 1, "", 0, "0");
    Linha(arquivo, 1, 2, 5, "9001", 5405, "84.00");
    Linha(arquivo, 1, 2, 6, "9002", 5999, "21.00");
    Linha(arquivo, 1, 2, 7, "9003", 5999, "21.00");

    const int t = rt->Start("Calculo", [&](ui::ProcContext& ctx) {
        shell::EntregaTrabalho entrega({arquivo, 2, shell::PeriodoDeTrabalho()});
        (void)ctx.Call("PlanilhaMensalProdutos");
    });
    Preview("PlanilhaMensalProdutos");
    driver->WaitUntil([&] { return driver->HasMessageBox(); }, "the unknown CFO");
    EXPECT_EQ(driver->PendingMessageBox().title, "Alerta!");
    const std::string texto = driver->PendingMessageBox().text;
    EXPECT_NE(texto.find("5999 - 0"), std::string::npos) << texto;
    EXPECT_EQ(texto.find("5999", texto.find("5999") + 1), std::string::npos) << "named once";
    driver->Answer(1);
    Preview("PlanilhaMensalProdutos_AuxParte2_Fornecedor");
    driver->WaitUntil([&] { return rt->Finished(t).has_value(); }, "the run to end");

    // Without a hand-over the procedure does nothing.
    const int s = rt->Start("Sozinha", [](ui::ProcContext& ctx) { (void)ctx.Call("PlanilhaMensalProdutos"); });
    driver->WaitUntil([&] { return rt->Finished(s).has_value(); }, "the lone call to end");
    EXPECT_FALSE(driver->HasMessageBox());
}

}  // namespace
}  // namespace vorel::sheets
