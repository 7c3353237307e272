// SelecionaDiretorio: start folder, answer and cancel.
#include <gtest/gtest.h>

#include "shell_fixture.h"
#include "vorel/core/text.h"
#include "vorel/shell/folder_picker.h"
#include "vorel/ui/headless.h"

using namespace vorel;
using namespace vorel::shell;
using namespace vorel::ui;
using shell_test::ShellTest;

using FolderPickerTest = ShellTest;

TEST_F(FolderPickerTest, StartsOnTheVariablesFolderAndFillsItOnOk) {
    std::filesystem::create_directories(Native("Relatorios/Mes"));
    struct Case {
        std::string start, answer, result, dialogFolder;
    } cases[] = {
        {Folder("Relatorios"), Native("Relatorios/Mes").string(), Folder("Relatorios/Mes") + "\\", Native("Relatorios").string()},
        {Folder("Relatorios"), "", Folder("Relatorios") + "\\", Native("Relatorios").string()},   // cancelled
        {Folder("nao-existe"), "", "", ""},                                                         // cancelled, no folder
        {"   ", Native("Relatorios").string(), Folder("Relatorios") + "\\", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.start);
        Runtime rt;
        std::string pasta = c.start;
        int t = rt.Start("Pick", [&](ProcContext& ctx) { SelecionaDiretorio(ctx, pasta, 100, 0); });
        HeadlessDriver ui(rt);
        ui.WaitUntil([&] { return ui.HasFileDialog(); }, "the folder dialog");
        EXPECT_TRUE(ui.PendingFileDialog().chooseFolder);
        EXPECT_EQ(ui.PendingFileDialog().title, "Selecione Diretório");
        if (!c.dialogFolder.empty()) {
            EXPECT_EQ(ui.PendingFileDialog().folder, c.dialogFolder);
        }
        ui.AnswerFile(c.answer);
        ui.WaitUntil([&] { return rt.Finished(t).has_value(); }, "the picker");
        EXPECT_EQ(pasta, c.result);
    }
}
