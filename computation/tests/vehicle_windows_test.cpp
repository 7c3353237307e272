// The vehicle sheets' windows through the headless driver: the file window's two questions and
// its file; the printing windows' page reports in the previewer (either model, none for a rate
// without vehicles), the supplier look-up in the register, the e-mail fields and the mail they
// send; the final summary's report from its first page number, and nothing printed in text mode.
#include <gtest/gtest.h>

#include <QGuiApplication>

#include <fstream>
#include <memory>
#include <optional>

#include "calculo_window_fixture.h"
#include "smtp_sink.h"
#include "veiculos_fixture.h"
#include "vorel/computation/vehicle_procedures.h"
#include "vorel/shell/printer_codes.h"
#include "vorel/ui/headless.h"
#include "vorel/ui/record_access.h"
#include "vorel/ui/register_window.h"
#include "vorel/ui/runtime.h"

namespace vorel::computation::testing {
namespace {

// What the stand-in of the supplier register chooses ("": the user cancels).
std::string escolhaFornecedor;

void FornecedoresParaEscolher(ui::ProcContext& ctx) {
    if (escolhaFornecedor.empty()) {
        ctx.response = ui::Response::Cancelled;
        return;
    }
    ui::ThreadFile(dictionary::ForCli()).rec<dictionary::ForCliRec>().CGC = escolhaFornecedor;
    ctx.response = ui::Response::Completed;
}

class VehicleWindows : public ComVeiculos<CalculoWindowFixture> {
protected:
    void SetUp() override {
        if (QGuiApplication::instance() == nullptr) app.emplace(argc, argv);  // the previewer and the PDF paint
        ComVeiculos<CalculoWindowFixture>::SetUp();
        ui::ProcedureRegistry::Add("Fornecedores", FornecedoresParaEscolher);
        shell::DataHoje.Set(Dia(2016, 4, 2));
        // Rate 12: one vehicle in stock and one sold in March, both from the supplier of CNPJ 22...
        Entra({"PARADO", Dia(2016, 1, 10), 1, "1000", "800", "12", "22222222000100"});
        Entra({"VENDIDO", Dia(2016, 2, 1), 2, "1000", "800", "12", "22222222000100"});
        Sai("VENDIDO", Dia(2016, 3, 20), 11, "1100");
    }
    void TearDown() override {
        shell::ModoImpressao.Set(shell::kModoWindows);
        shell::DataHoje.Set(0);
        ComVeiculos<CalculoWindowFixture>::TearDown();
        app.reset();
    }
    int argc = 1;
    char programa[18] = "computation_tests";
    char* argv[2] = {programa, nullptr};
    std::optional<QGuiApplication> app;

    void Fornecedor(std::uint32_t codigo, const char* cnpj, const char* nome) {
        Grava<dictionary::ForCliRec>(dictionary::ForCli(), [&](auto& r) {
            r.Codigo = codigo;
            r.CGC = cnpj;
            r.Nome = nome;
        });
    }
    void PreviewAndClose(const std::string& relatorio) {
        const std::string caption = "Visualização - " + relatorio;
        ui->WaitUntil([&] { return ui->HasWindow(caption); }, "the preview of " + relatorio);
        ui->Press(ui->ByText(ui->WindowByCaption(caption), "&Fechar"));
    }
    // The run's own files (work table, summary table) are gone once it is over.
    void WaitForTheRunsFilesToGo() {
        ui->WaitUntil([&] { return fs::is_empty(dir / "Temp"); }, "the run's files to be deleted");
    }
    static std::string Global(const shell::Global<std::string>& g) { return text::to_utf8(text::clip(g.Get())); }
};

TEST_F(VehicleWindows, FileWindowAsksForFolderAndNameThenWritesTheFile) {
    ui->Start("ExpExcelPlanilhaVeiculos");
    const int w = ui->WindowByCaption("Planilha de Veículos Excel");
    ui->Type(ui->ByPrompt(w, "Caninho Geração Arquivo"), "");
    ui->Press(ui->ByText(w, "&Gerar Excel"));
    ui->WaitUntil([&] { return ui->HasMessageBox(); }, "the folder question");
    EXPECT_EQ(ui->PendingMessageBox().title, "!!! Atenção !!!");
    EXPECT_EQ(ui->PendingMessageBox().text,
              "Caminho Não Informado. Por Favor informe o caminho para geração do arquivo");
    ui->Answer(1);

    ui->Type(ui->ByPrompt(w, "Caninho Geração Arquivo"), root);
    ui->Type(ui->ByPrompt(w, "Nome Arquivo"), "veiculos.csv");
    ui->Press(ui->ByText(w, "&Gerar Excel"));
    ui->WaitUntil([&] { return fs::exists(dir / "veiculos.csv") && fs::file_size(dir / "veiculos.csv") > 0; },
                  "the sheet's file");
    ui->WaitUntil([&] { return rt->Running().size() == 1; }, "the run to end");
    EXPECT_FALSE(ui->HasMessageBox());
    ui->Press(ui->ByText(w, "&Cancelar"));
}

TEST_F(VehicleWindows, SheetWindowPrintsEitherModelAndNothingForARateWithoutVehicles) {
    ui->Start("PlanilhaVeiculos");
    const int w = ui->WindowByCaption("Planilha de Veículos");
    EXPECT_FALSE(ui->Hidden(ui->ByText(w, "Enviar e-mail")));
    EXPECT_EQ(Global(shell::GLO_EMAIL_ASSUNTO), "Planilha de Veículos - 02/04/2016");
    EXPECT_EQ(Global(shell::GLO_EMAIL_TEXTO), "Planilha de Veículos - Empresa: 00001 -  - Período: 03/2016.");
    ui->Type(ui->ByPrompt(w, "Percentual:"), "12");
    ui->Press(ui->ByText(w, "&Imprimir"));
    PreviewAndClose("PlanilhaVeiculo");
    WaitForTheRunsFilesToGo();

    ui->PickItem(ui->ByPrompt(w, "Modelo:"), "1-Compra e Venda");
    ui->Press(ui->ByText(w, "&Imprimir"));
    PreviewAndClose("PlanilhaVeiculo2");
    WaitForTheRunsFilesToGo();

    ui->Type(ui->ByPrompt(w, "Percentual:"), "7");
    ui->Press(ui->ByText(w, "&Imprimir"));
    ui->WaitIdle();
    WaitForTheRunsFilesToGo();
    EXPECT_EQ(ui->Captions(), (std::vector<std::string>{"Planilha de Veículos"}));
    EXPECT_FALSE(ui->HasMessageBox());
    ui->Press(ui->ByText(w, "&Cancelar"));
}

TEST_F(VehicleWindows, SupplierWindowLooksTheSupplierUpAndNamesItInTheEmail) {
    Fornecedor(7, "22222222000100", "REVENDA MATRIZ");
    Fornecedor(8, "33333333000100", "OUTRA REVENDA");
    ui->Start("PlanilhaVeiculosFornecedor");
    const int w = ui->WindowByCaption("Planilha de Veículos por Fornecedor");
    EXPECT_EQ(Global(shell::GLO_EMAIL_ASSUNTO), "Planilha de Veículos por Fornecedor - 02/04/2016");
    const auto cnpj = ui->ByPrompt(w, "CNPJ Fornecedor:");
    const auto nome = ui->Control(w, 18);
    struct Caso {
        const char* digitado;
        const char* escolhido;  // by the register ("": cancelled; nullptr: not opened)
        const char* cnpj;
        const char* nome;
    };
    const Caso casos[] = {
        {"22.222.222/0001-00", nullptr, "22.222.222/0001-00", "REVENDA MATRIZ"},  // found as typed
        {"99.999.999/0001-99", "33333333000100", "33.333.333/0001-00", "OUTRA REVENDA"},  // chosen instead
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.digitado);
        escolhaFornecedor = c.escolhido ? c.escolhido : "";
        ui->Type(cnpj, c.digitado);
        ui->FocusOn(ui->ByPrompt(w, "Percentual:"));
        ui->WaitUntil([&] { return ui->Text(nome) == c.nome; }, "the supplier's name");
        EXPECT_EQ(ui->Value(cnpj), c.cnpj);
    }
    EXPECT_EQ(Global(shell::GLO_EMAIL_TEXTO), "Planilha de Veículos por Fornecedor - Empresa: 00001 -  - Fornecedor: "
                                              "00000008 - OUTRA REVENDA - Período: 03/2016.");
    // A look-up left without a choice keeps the focus on the CNPJ.
    escolhaFornecedor.clear();
    ui->Type(cnpj, "99.999.999/0001-99");
    ui->FocusOn(ui->ByPrompt(w, "Percentual:"));
    ui->WaitUntil([&] { return ui->Focus(w) == cnpj.feq; }, "the focus back on the CNPJ");
    // The look-up button takes the register's choice.
    escolhaFornecedor = "22222222000100";
    ui->Press(ui->ByText(w, "..."));
    ui->WaitUntil([&] { return ui->Text(nome) == "REVENDA MATRIZ"; }, "the chosen supplier's name");

    ui->Type(ui->ByPrompt(w, "Percentual:"), "12");
    ui->Press(ui->ByText(w, "&Imprimir"));
    PreviewAndClose("PlanilhaVeiculo");
    WaitForTheRunsFilesToGo();
    ui->Press(ui->ByText(w, "&Cancelar"));
}

TEST_F(VehicleWindows, FinalSummaryWindowPrintsItsReportAndNothingInTextMode) {
    ui->Start("PlanilhaFinalVeiculos");
    const int w = ui->WindowByCaption("Planilha Final de Veículos");
    EXPECT_EQ(Global(shell::GLO_EMAIL_TEXTO), "Planilha Final de Veículos - Empresa: 00001 -  - Período: 03/2016.");
    ui->Type(ui->ByPrompt(w, "Página Inicial:"), "5");
    ui->Press(ui->ByText(w, "&Imprimir"));
    PreviewAndClose("RelatorioFinalVeiculos");
    WaitForTheRunsFilesToGo();

    shell::ModoImpressao.Set(shell::kModoDos);
    ui->Press(ui->ByText(w, "&Imprimir"));
    ui->WaitIdle();
    WaitForTheRunsFilesToGo();
    EXPECT_EQ(ui->Captions(), (std::vector<std::string>{"Planilha Final de Veículos"}));
    EXPECT_TRUE(ui->Hidden(ui->ByText(w, "Enviar e-mail")));
    ui->Press(ui->ByText(w, "&Cancelar"));
}

TEST_F(VehicleWindows, PageReportsAreEmailedToTheAddressOfTheirWindow) {
    report::testing::SmtpSink sink;
    fs::create_directories(dir / "settings");
    std::ofstream(dir / "settings" / "Vorel.ini") << "[Email]\r\nServer=127.0.0.1\r\nPort=" << sink.port()
                                                  << "\r\nSender=escritorio@example.com\r\nTLS=0\r\n";
    for (const char* janela : {"PlanilhaVeiculos", "PlanilhaFinalVeiculos"}) {
        ui->Start(janela);
        const int w = ui->TopWindow();
        ui->Check(ui->ByText(w, "Enviar e-mail"), true);
        ui->Type(ui->ByPrompt(w, "E-mail:"), "contabil@example.com");
        if (std::string(janela) == "PlanilhaVeiculos") ui->Type(ui->ByPrompt(w, "Percentual:"), "12");
        ui->Press(ui->ByText(w, "&Imprimir"));
        PreviewAndClose(std::string(janela) == "PlanilhaVeiculos" ? "PlanilhaVeiculo" : "RelatorioFinalVeiculos");
        WaitForTheRunsFilesToGo();
        ui->Press(ui->ByText(w, "&Cancelar"));
    }
    ASSERT_TRUE(sink.wait_for(2, std::chrono::seconds(20)));
    const auto mensagens = sink.messages();
    EXPECT_EQ(mensagens.at(0).recipients, std::vector<std::string>{"contabil@example.com"});
    EXPECT_FALSE(report::testing::attachment_of(mensagens.at(0).data, "PlanilhaVeiculos.zip").empty());
    EXPECT_FALSE(report::testing::attachment_of(mensagens.at(1).data, "PlanilhaFinalVeiculos.zip").empty());
}

}  // namespace
}  // namespace vorel::computation::testing
