// The monthly computation window through the headless driver: the month's list (red rows of a
// negative base), the negative clean-up with its question, "&Fecha" starting nothing and
// "&Calcular" running the computation after the window is gone.
#include <gtest/gtest.h>

#include <memory>

#include "calculo_window_fixture.h"
#include "vorel/computation/procedures.h"
#include "vorel/ui/headless.h"
#include "vorel/ui/record_access.h"

namespace vorel::computation::testing {
namespace {

constexpr const char* kCaption = "Cálculo Mensal de Produtos";

class CalculoMensalTest : public CalculoWindowFixture {
protected:
    std::vector<std::string> Meses() {
        std::vector<std::string> out;
        for (const auto& s : Saldos())
            out.push_back(std::string(s.Produto.clipped()) + "/" + std::to_string(date::month(s.Competencia)));
        return out;
    }
};

TEST_F(CalculoMensalTest, ListCleanUpAndComputationOnlyOnCalcular) {
    const date::Day fev = Dia(2016, 2, 1), mar = Dia(2016, 3, 1);
    Produto(3);
    Saldo({.produto = 1, .mes = mar, .qtd = "-5", .base = "3"});  // default colours, taken by the clean-up
    Saldo({.produto = 2, .mes = mar, .qtd = "4", .base = "-1"});  // red, left alone
    Saldo({.produto = 3, .mes = fev, .qtd = "2", .unit = "1", .base = "2"});
    Saida(1, Dia(2016, 3, 20), 1, 5102, "5");

    ui->Start("CalculoMensal");
    int w = ui->WindowByCaption(kCaption);
    auto lista = ui->Control(w, 1);
    auto rows = ui->Rows(lista);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0][0], "1");
    EXPECT_EQ(rows[1][0], "2");
    EXPECT_EQ(ui->CellAt(lista, 1, 1).fg, ui::kDefaultColour);
    EXPECT_EQ(ui->CellAt(lista, 2, 14).fg, 255);

    ui->Press(ui->ByText(w, "Excluir Saldo Negativo"));
    ASSERT_TRUE(ui->HasMessageBox());
    ui->Answer("Sim");
    ui->WaitUntil([&] { return ui->HasMessageBox(); }, "the clean-up's message");
    EXPECT_EQ(ui->PendingMessageBox().text, "Lançamentos Excluídos!");
    ui->Answer(1);
    ui->WaitIdle();
    rows = ui->Rows(lista);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][0], "2");

    ui->Press(ui->ByText(w, "&Fecha"));
    ui->WaitIdle();
    EXPECT_FALSE(ui->HasWindow(kCaption));
    EXPECT_EQ(Meses(), (std::vector<std::string>{"2/3", "3/2"}));  // nothing computed

    ui->Start("CalculoMensal");
    ui->Press(ui->ByText(ui->WindowByCaption(kCaption), "&Calcular"));
    ui->WaitUntil([&] { return !ui->HasWindow(kCaption) || ui->HasMessageBox(); }, "the computation");
    while (ui->HasMessageBox()) {
        ui->Answer(1);
        ui->WaitIdle();
    }
    ui->WaitUntil([&] { return !ui->HasWindow(kCaption); }, "the end of the run");
    ui->WaitIdle();
    const auto meses = Meses();
    EXPECT_NE(std::find(meses.begin(), meses.end(), "3/3"), meses.end());  // product 3 carried into March
}

}  // namespace
}  // namespace vorel::computation::testing
