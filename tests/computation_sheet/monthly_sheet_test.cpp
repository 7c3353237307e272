// "PlanilhaProdutos" with the program's own sheet and confrontation: "&Imprimir" runs the month and
// the run starts the monthly sheet, or the confrontation report, by name; both reach the previewer
// and the option window stays open for the next run.
#include <gtest/gtest.h>

#include <QGuiApplication>

#include <optional>

#include "calculo_window_fixture.h"
#include "vorel/sheets/procedures.h"

namespace vorel::computation::testing {
namespace {

class MonthlySheetOptions : public CalculoWindowFixture {
protected:
    void SetUp() override {
        CalculoWindowFixture::SetUp();
        sheets::AddSheetProcedures();
        if (QGuiApplication::instance() == nullptr) app_.emplace(argc_, argv_);  // the sheets' fonts
    }
    void TearDown() override {
        CalculoWindowFixture::TearDown();
        app_.reset();
    }
    int argc_ = 1;
    char nome_[24] = "computation_sheet_tests";
    char* argv_[2] = {nome_, nullptr};
    std::optional<QGuiApplication> app_;
    void Previa(const std::string& relatorio) {
        const std::string caption = "Visualização - " + relatorio;
        ui->WaitUntil([&] { return ui->HasWindow(caption) || ui->HasMessageBox(); }, "the preview of " + relatorio);
        ASSERT_FALSE(ui->HasMessageBox()) << ui->PendingMessageBox().text;
        ui->Press(ui->ByText(ui->WindowByCaption(caption), "&Fechar"));
    }
};

TEST_F(MonthlySheetOptions, ImprimirStartsTheSheetOrTheConfrontationByName) {
    Cfo(5102, kConsumidorFinal);
    Cfo(6102, kOutroEstado);
    Cfo(1403, kEntradas);
    Produto(1);
    Saldo({.produto = 1, .mes = Dia(2016, 2, 1), .qtd = "10", .unit = "1", .base = "10"});
    Entrada({.produto = 1, .data = Dia(2016, 3, 1), .numero = 41, .cfo = 1403, .qtd = "5", .base = "5", .propria = "50"});
    Saida(1, Dia(2016, 3, 10), 15, 5102, "2");
    Saida(1, Dia(2016, 3, 12), 16, 6102, "1");

    ui->Start("PlanilhaProdutos");
    const int w = ui->WindowByCaption("Planilha Mensal de Produtos");
    ui->Check(ui->ByText(w, " Imprimir todos os Produtos"), true);
    ui->Press(ui->ByText(w, "&Imprimir"));
    Previa("PlanilhaMensalProdutos");
    ui->PickItem(ui->Control(w, 1), "1-Relatório de Confronto");
    ui->Press(ui->ByText(w, "&Imprimir"));
    Previa("RelConfSaidaEnt");
    ui->WaitIdle();
    EXPECT_FALSE(ui->HasMessageBox());
    EXPECT_TRUE(ui->HasWindow("Planilha Mensal de Produtos"));
    ui->Press(ui->ByText(w, "&Cancelar"));
}

}  // namespace
}  // namespace vorel::computation::testing
