// The vehicle sheet's file window through the headless driver: an empty folder or file name is
// asked for and nothing runs; otherwise the sheet's ';' file is written at the folder followed
// directly by the name.
#include <gtest/gtest.h>

#include <memory>

#include "calculo_window_fixture.h"
#include "vorel/computation/vehicle_procedures.h"
#include "vorel/ui/headless.h"
#include "vorel/ui/record_access.h"
#include "vorel/ui/runtime.h"

namespace vorel::computation::testing {
namespace {

class VehicleWindows : public CalculoWindowFixture {
protected:
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

}  // namespace
}  // namespace vorel::computation::testing
