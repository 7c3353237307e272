// The annual windows through the headless driver: "CalculoAnual" lists the year's records and its
// "&Calcular" runs the recalculation on a thread of its own, the list showing the new records;
// "PlanilhaAnual" presets the e-mail fields, sums the year under the process window "Preparando
// Relatório" and, in printing mode 2, hides the e-mail options and prints nothing.
#include <gtest/gtest.h>

#include <memory>

#include "calculo_window_fixture.h"
#include "vorel/computation/procedures.h"
#include "vorel/shell/printer_codes.h"
#include "vorel/ui/headless.h"
#include "vorel/ui/progress_window.h"
#include "vorel/ui/record_access.h"
#include "vorel/ui/runtime.h"

namespace vorel::computation::testing {
namespace {

class AnnualWindows : public CalculoWindowFixture {
protected:
};

TEST_F(AnnualWindows, CalcularFillsTheListOfTheYear) {
    Cfo(1403, 1);
    Produto(1, "18");
    Entrada({.produto = 1, .data = Dia(2016, 2, 3), .numero = 1, .cfo = 1403, .qtd = "10", .base = "100"});
    Saldo({.produto = 1, .mes = Dia(2015, 12, 1), .qtd = "1", .base = "1"});  // another year: not listed
    ui->Start("CalculoAnual");
    const int w = ui->WindowByCaption("Cálculo Anual de Produtos");
    ui->Press(ui->ByText(w, "&Calcular"));
    ui->WaitUntil([&] { return Saldos().size() == 2; }, "the recalculated record");
    ui->WaitUntil([&] { return rt->Running().size() == 1; }, "the run to end");
    const auto lista = ui->Control(w, 5);  // the list
    ui->WaitUntil([&] { return ui->Rows(lista).size() == 1; }, "the list to show the new record");
    const auto linha = ui->Rows(lista).at(0);
    EXPECT_EQ(linha.at(0), "1");
    EXPECT_EQ(linha.at(1), "02/2016");
    EXPECT_EQ(text::clip(linha.at(10)), "          10,000");
    ui->Press(ui->ByText(w, "&Fecha"));
    ui->WaitUntil([&] { return !ui->HasWindow("Cálculo Anual de Produtos"); }, "the window to close");
}

TEST_F(AnnualWindows, PlanilhaAnualPresetsTheEmailAndInTextModePrintsNothing) {
    Saldo({.produto = 1, .mes = Dia(2016, 1, 1), .qtd = "1", .base = "1"});
    Saldo({.produto = 1, .mes = Dia(2016, 2, 1), .qtd = "1", .base = "1"});
    Saldo({.produto = 2, .mes = Dia(2016, 3, 1), .qtd = "1", .base = "1"});
    shell::DataHoje.Set(Dia(2016, 4, 2));
    shell::ModoImpressao.Set(shell::kModoDos);
    ui->Start("PlanilhaAnual");
    const int w = ui->WindowByCaption("Planilha Anual");
    EXPECT_TRUE(ui->Hidden(ui->ByText(w, "Enviar e-mail")));
    EXPECT_EQ(ui->Value(ui->ByPrompt(w, "Página Inicial:")), "     1");
    EXPECT_EQ(text::to_utf8(text::clip(shell::GLO_EMAIL_ASSUNTO.Get())), "Planilha Anual - 02/04/2016");
    EXPECT_EQ(text::to_utf8(text::clip(shell::GLO_EMAIL_TEXTO.Get())), "Planilha Anual - Empresa: 00001 -  - Período: 03/2016.");
    ui->Press(ui->ByText(w, "&Imprimir"));
    ui->WaitIdle();
    EXPECT_EQ(ui->Captions(), (std::vector<std::string>{"Planilha Anual"}));
    // The process window came and went: full bar, no button.
    ASSERT_FALSE(ui->ClosedWindows().empty());
    const auto& processo = ui->ClosedWindows().back();
    EXPECT_EQ(processo.header.caption, "Preparando Relatório");
    EXPECT_EQ(processo.Find(ui::ProgressWindow::kBar)->progress, 100);
    EXPECT_TRUE(processo.Find(ui::ProgressWindow::kCancel)->hidden);
    ui->Press(ui->ByText(w, "&Cancelar"));
    shell::ModoImpressao.Set(shell::kModoWindows);
    shell::DataHoje.Set(0);
}

}  // namespace
}  // namespace vorel::computation::testing
