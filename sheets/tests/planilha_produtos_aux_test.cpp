// The management window through the headless driver: the e-mail preset, the supplier check, a run
// whose preview shows the sheet's page and its result page together, the work table removed after.
#include <gtest/gtest.h>

#include "tabelas_fixture.h"
#include "vorel/core/settings_file.h"
#include "vorel/data/transaction.h"
#include "vorel/dictionary/tables.h"
#include "vorel/sheets/procedures.h"
#include "vorel/shell/globals.h"
#include "vorel/ui/headless.h"
#include "vorel/ui/runtime.h"

namespace vorel::sheets {
namespace {

struct PlanilhaProdutosAuxTest : testing::TabelasFixture {
    std::unique_ptr<ui::Runtime> rt;
    std::unique_ptr<ui::HeadlessDriver> driver;
    const std::string kJanela = "Planilha Mensal de Produtos/Gestão";

    void SetUp() override {
        TabelasFixture::SetUp();
        ::setenv("VOREL_STATE_DIR", (dir / "state").c_str(), 1);
        ::setenv("VOREL_SETTINGS_DIR", (dir / "settings").c_str(), 1);
        shell::PastaRaiz.Set(root);
        shell::PastaTemp.Set(root + "Temp\\");
        shell::GLO_EMPRESA_CODIGO.Set(12);
        vorel::testing::NameCompanyTables(root, 12);  // the working company's files, which the run reads
        vorel::testing::NameYearTables(root, 12, 2016);
        shell::GLO_MES.Set(7);
        shell::GLO_ANO.Set(2016);
        shell::ModoImpressao.Set(1);
        ui::Runtime::Options opt;
        opt.threadStart = [](ui::ProcContext&) { dictionary::InitDictionary(); };
        opt.threadEnd = [](ui::ProcContext&) { dictionary::TeardownDictionary(); };
        rt = std::make_unique<ui::Runtime>(opt);
        driver = std::make_unique<ui::HeadlessDriver>(*rt);
        AddSheetProcedures();
    }
    void Cfo(std::int16_t codigo, std::uint8_t coluna) {
        Grava<dictionary::CFORec>(dictionary::CFO(), [&](auto& r) {
            r.CODIGO = codigo;
            r.COLUNA = coluna;
        });
    }
    void TearDown() override {
        driver.reset();
        rt.reset();
        shell::GLO_EMPRESA_CODIGO.Set(0);
        TabelasFixture::TearDown();
    }
};

TEST_F(PlanilhaProdutosAuxTest, RunShowsSheetAndResultInOnePreviewAndRemovesTheWorkTable) {
    Grava<dictionary::EmpresaRec>(dictionary::Empresa(), [](auto& r) {
        r.Codigo = 12;
        r.RAZAOSOCIAL = "ACME LTDA";
    });
    Cfo(1403, 1);
    Cfo(5405, 2);
    Grava<dictionary::ProdutosRec>(dictionary::Produtos(), [](auto& r) {
        r.Codigo = 5;
        r.Produtos = "PARAFUSO";
    });
    Grava<dictionary::LoteVorelRec>(dictionary::LoteVorel(), [](auto& r) {
        r.LOTE = "L1";
        r.CODPRODUTO = 5;
        r.TIPO = 1;
    });
    Grava<dictionary::EntradaVorelRec>(dictionary::EntradaVorel(), [](auto& r) {
        r.CodMercadoria = 5;
        r.DataEmissao = date::make(2016, 7, 5);
        r.Numero = 1234;
        r.CFO = 1403;
        r.Lote = "L1";
        r.Quantidade = Decimal(10);
        r.BaseICMS = Decimal(70);
    });
    Grava<dictionary::SaidaVorelRec>(dictionary::SaidaVorel(), [](auto& r) {
        r.CodMercadoria = 5;
        r.DataSaida = date::make(2016, 7, 10);
        r.Numero = 77;
        r.CFO = 5405;
        r.Lote = "L1";
        r.Quantidade = Decimal(4);
        r.BaseCalculo = Decimal(30);
    });

    const int t = rt->Start("Menu", [](ui::ProcContext& ctx) { (void)ctx.Call("PlanilhaProdutos_Aux"); });
    driver->WaitUntil([&] { return driver->HasWindow(kJanela); }, "the window");
    EXPECT_EQ(text::clip(shell::GLO_EMAIL_TEXTO.Get()), text::from_utf8("Planilha Mensal de Produtos - Empresa: 00012 - ACME LTDA "
                                                            "- Período: 07/2016."));
    int w = driver->WindowByCaption(kJanela);

    // The supplier filter without a supplier: the alert, and no run.
    driver->Check(driver->ByText(w, " Filtrar Fornecedor"), true);
    driver->Press(driver->ByText(w, "&Imprimir"));
    driver->WaitUntil([&] { return driver->HasMessageBox(); }, "the supplier alert");
    EXPECT_EQ(driver->PendingMessageBox().title, "Alerta");
    driver->Answer(1);
    driver->Check(driver->ByText(w, " Filtrar Fornecedor"), false);

    driver->Check(driver->ByText(w, " Imprimir todos os Produtos"), true);
    driver->Press(driver->ByText(w, "&Imprimir"));
    const std::string previa = "Visualização - PlanilhaMensalProdutos_AuxParte2";
    driver->WaitUntil([&] { return driver->HasWindow(previa); }, "the preview");
    const int p = driver->WindowByCaption(previa);
    EXPECT_EQ(driver->Text(driver->ByText(p, "de 2")), "de 2");  // the sheet's page, then the result page
    driver->Press(driver->ByText(p, "&Fechar"));

    // The run's work table is gone; the window stays for another run.
    driver->WaitUntil([&] { return !driver->HasWindow(previa); }, "the preview to close");
    w = driver->WindowByCaption(kJanela);
    std::vector<std::string> sobra;
    for (const auto& f : std::filesystem::directory_iterator(dir / "Temp"))
        if (f.path().filename() != "Erros_Notas.txt") sobra.push_back(f.path().filename().string());
    EXPECT_TRUE(sobra.empty()) << sobra.front();
    driver->Press(driver->ByText(w, "&Cancelar"));
    driver->WaitUntil([&] { return rt->Finished(t).has_value(); }, "the window to close");
}

TEST_F(PlanilhaProdutosAuxTest, PrintingModeTwoWritesTheTextSheetOrSaysTheOptionIsInMaintenance) {
    shell::ModoImpressao.Set(2);
    Cfo(1403, 1);
    Grava<dictionary::EntradaVorelRec>(dictionary::EntradaVorel(), [](auto& r) {
        r.CodMercadoria = 5;
        r.DataEmissao = date::make(2016, 7, 5);
        r.Numero = 1234;
        r.CFO = 1403;
        r.Quantidade = Decimal(10);
        r.BaseICMS = Decimal(70);
    });
    const auto imprime = [&] {
        const int t = rt->Start("Menu", [](ui::ProcContext& ctx) { (void)ctx.Call("PlanilhaProdutos_Aux"); });
        driver->WaitUntil([&] { return driver->HasWindow(kJanela); }, "the window");
        const int w = driver->WindowByCaption(kJanela);
        EXPECT_TRUE(driver->Hidden(driver->ByText(w, "Enviar e-mail")));  // the text sheet sends no e-mail
        driver->Check(driver->ByText(w, " Imprimir todos os Produtos"), true);
        driver->Press(driver->ByText(w, "&Imprimir"));
        driver->WaitUntil([&] { return driver->HasMessageBox(); }, "a message");
        return t;
    };

    int t = imprime();
    EXPECT_EQ(driver->PendingMessageBox().text, "Selecione uma impressora para imprimir");
    driver->Answer(1);
    const std::string visualizador = "Visualização Impressão Matricial";
    driver->WaitUntil([&] { return driver->HasWindow(visualizador); }, "the text viewer");
    driver->Press(driver->ByText(driver->WindowByCaption(visualizador), "&Fechar"));
    driver->WaitUntil([&] { return !driver->HasWindow(visualizador); }, "the viewer to close");
    driver->Press(driver->ByText(driver->WindowByCaption(kJanela), "&Cancelar"));
    driver->WaitUntil([&] { return rt->Finished(t).has_value(); }, "the window to close");

    // The result-page option read when the window opens: 1 is not offered in this mode.
    settings::SettingsFile parametros(root + "BComuns\\Vorel.ini");
    ASSERT_FALSE(parametros.write_text("Parametros", "ResulPlanilha", "1"));
    t = imprime();
    EXPECT_EQ(driver->PendingMessageBox().text, "Atenção! Opção em manutenção!");
    EXPECT_EQ(driver->PendingMessageBox().title, "Mensagem");
    driver->Answer(1);
    driver->Press(driver->ByText(driver->WindowByCaption(kJanela), "&Cancelar"));
    driver->WaitUntil([&] { return rt->Finished(t).has_value(); }, "the window to close");
}

TEST_F(PlanilhaProdutosAuxTest, ACancelConfirmedOnTheProgressWindowShowsNeitherTheSheetNorItsResultPage) {
    Cfo(1403, 1);
    std::thread([&] {  // a month long enough for the progress window to be seen working
        data::FileManager fm(dictionary::EntradaVorel());
        fm.set_create(true);
        ASSERT_TRUE(fm.open().ok());
        data::Transaction tr({&fm});
        ASSERT_TRUE(tr.status().ok());
        for (int i = 1; i <= 3000; ++i) {
            fm.clear_record();
            auto& r = fm.rec<dictionary::EntradaVorelRec>();
            r.CodMercadoria = 1 + i % 40;
            r.DataEmissao = date::make(2016, 7, 1 + i % 28);
            r.Numero = static_cast<std::uint32_t>(i);
            r.CFO = 1403;
            r.Quantidade = Decimal(1);
            r.BaseICMS = Decimal(7);
            ASSERT_TRUE(fm.add().ok());
        }
        ASSERT_TRUE(tr.commit().ok());
        (void)fm.close();
    }).join();

    const int t = rt->Start("Menu", [](ui::ProcContext& ctx) { (void)ctx.Call("PlanilhaProdutos_Aux"); });
    driver->WaitUntil([&] { return driver->HasWindow(kJanela); }, "the window");
    int w = driver->WindowByCaption(kJanela);
    driver->Check(driver->ByText(w, " Imprimir todos os Produtos"), true);
    driver->Press(driver->ByText(w, "&Imprimir"));
    driver->WaitUntil([&] { return driver->HasWindow("Generating Report"); }, "the progress window");
    driver->Press(driver->ByText(driver->WindowByCaption("Generating Report"), "Cancel"));
    driver->WaitUntil([&] { return driver->HasMessageBox(); }, "the cancel question");
    EXPECT_EQ(driver->PendingMessageBox().text, "Are you sure you want to CANCEL this Report?");
    driver->Answer("&Yes");

    // No question about the pages so far and no preview (a preview would hold the run, and the run's
    // work table would stay): the run ends and its work table goes.
    const auto sobra = [&] {
        int n = 0;
        for (const auto& f : std::filesystem::directory_iterator(dir / "Temp"))
            n += f.path().filename() != "Erros_Notas.txt";
        return n;
    };
    driver->WaitUntil([&] { return sobra() == 0; }, "the run to end and its work table to go");
    EXPECT_FALSE(driver->HasMessageBox());
    EXPECT_FALSE(driver->HasWindow("Visualização - PlanilhaMensalProdutos_AuxParte2"));
    w = driver->WindowByCaption(kJanela);
    driver->Press(driver->ByText(w, "&Cancelar"));
    driver->WaitUntil([&] { return rt->Finished(t).has_value(); }, "the window to close");
}

}  // namespace
}  // namespace vorel::sheets
