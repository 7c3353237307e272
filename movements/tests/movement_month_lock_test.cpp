// The month lock on the vehicle and cash-register browses: a closed month refuses insert, change and
// delete (buttons and list keys), and reopening it from the browse gives them back.
#include "movement_fixture.h"

namespace vorel::movements::testing {
namespace {

constexpr int kList = 5, kMonthState = 15, kOpenPadlock = 16, kClosedPadlock = 17;


struct MovementLockTest : MovementFixture {};

TEST_F(MovementLockTest, AClosedMonthRefusesUpdatesInEveryBrowseAndReopeningAllowsThem) {
    struct Case {
        const char* procedure;
        const char* browse;
        const char* insertForm;
    };
    SeedClosedMonth(2016, 3);
    UserConfirms("ANA");
    for (const Case& c : {Case{"EntradaVeiculo", "Lançamento de Entrada de Veículos", "Inclui Novo Lançamento"},
                          {"SaidaVeiculo", "Janela de Lançamentos de Saídas", "Inclui Lançamento de Saída"},
                          {"LancamentoMestre", "Janela de Lançamentos Mestre", "Inclui Lançamento Mestre"}}) {
        SCOPED_TRACE(c.procedure);
        ui->Start(c.procedure);
        int b = ui->WindowByCaption(c.browse);
        EXPECT_EQ(ui->Text(ui->Control(b, kMonthState)), "Mês Fechado");
        for (const char* button : {"&Inclui Lançamento", "&Altera Lançamento", "&Exclui Lançamento"})
            EXPECT_FALSE(ui->Enabled(ui->ByText(b, button))) << button;
        ui->FocusOn(ui->Control(b, kList));
        ui->Key(b, ui::key::Insert);
        EXPECT_FALSE(ui->HasWindow(c.insertForm));

        // The closed padlock reopens the month (for the next browse too, so close it again after).
        ui->Press(ui->Control(b, kClosedPadlock));
        EXPECT_EQ(ui->Text(ui->Control(b, kMonthState)), "Mês Aberto");
        ui->FocusOn(ui->Control(b, kList));
        ui->Key(b, ui::key::Insert);
        ASSERT_TRUE(ui->HasWindow(c.insertForm));
        ui->Press(ui->ByText(ui->WindowByCaption(c.insertForm), "&Cancela"));
        ui->Press(ui->Control(b, kOpenPadlock));
        EXPECT_EQ(ui->Text(ui->Control(b, kMonthState)), "Mês Fechado");
        ui->CloseWindow(b);
    }
}

}  // namespace
}  // namespace vorel::movements::testing
