// SelecionaDiretorio: the start folder, going down and up the folder list, the drive list, the
// answer on OK and what Cancel leaves.
#include <gtest/gtest.h>

#include "shell_fixture.h"
#include "vorel/core/paths.h"
#include "vorel/core/text.h"
#include "vorel/shell/folder_picker.h"
#include "vorel/ui/headless.h"

using namespace vorel;
using namespace vorel::shell;
using namespace vorel::ui;
using shell_test::ShellTest;
namespace d = seleciona_diretorio;

namespace {

class FolderPickerTest : public ShellTest {
protected:
    // Starts the picker on `start`; the test then plays the user on `ui`.
    int Open(const std::string& start, long posicao = 0) {
        pasta = start;
        thread = rt.Start("Pick", [this, posicao](ProcContext& ctx) { SelecionaDiretorio(ctx, pasta, posicao, 0); });
        return ui.WindowByCaption("Selecione Diretório");
    }
    void WaitEnd() {
        ui.WaitUntil([&] { return rt.Finished(thread).has_value(); }, "the picker");
    }
    std::vector<std::string> Folders(int w) {
        std::vector<std::string> v;
        for (auto& r : ui.Rows(ui.Control(w, d::kPastas))) v.push_back(r[0]);
        return v;
    }
    // A folder in upper case, as the picker shows it (this system's separators).
    std::string U(const std::string& s) { return text::to_utf8(files::to_display_path(text::upper(s))); }
    std::string D(const std::string& s) { return text::to_utf8(files::to_display_path(s)); }
    Runtime rt;
    HeadlessDriver ui{rt};
    std::string pasta;
    int thread = 0;
};

TEST_F(FolderPickerTest, GoesDownAndUpTheFoldersAndAnswersTheChosenOne) {
    for (const char* p : {"A/Relatorios/Mes", "A/beta", "A/Zeta"}) std::filesystem::create_directories(Native(p));
    WriteFile(Native("A/arquivo.txt"), "not a folder");
    int w = Open(Folder("A"), 40);
    const std::string a = text::upper(Folder("A")) + "\\";
    EXPECT_EQ(ui.Mirror(w).header.at.y, 70) << "30 units below the position given";
    EXPECT_EQ(ui.Value(ui.Control(w, d::kEscolhida)), U(a));
    EXPECT_EQ(Folders(w), (std::vector<std::string>{U(Folder("A")), "BETA", "RELATORIOS", "ZETA"}));
    EXPECT_EQ(ui.CellAt(ui.Control(w, d::kPastas), 1, 1).icon, 1);
    EXPECT_EQ(ui.CellAt(ui.Control(w, d::kPastas), 2, 1).icon, 2);
    EXPECT_EQ(ui.Focus(w), d::kPastas);

    ui.PickRow(ui.Control(w, d::kPastas), 3, /*doubleClick=*/true);
    EXPECT_EQ(ui.Value(ui.Control(w, d::kEscolhida)), U(a + "RELATORIOS\\"));
    EXPECT_EQ(Folders(w), (std::vector<std::string>{U(a + "RELATORIOS"), "MES"}));
    ui.PickRow(ui.Control(w, d::kPastas), 2);
    ui.Key(w, key::Enter);  // Enter activates the highlighted row too
    EXPECT_EQ(ui.Value(ui.Control(w, d::kEscolhida)), U(a + "RELATORIOS\\MES\\"));
    EXPECT_EQ(Folders(w).size(), 1u);

    ui.Press(ui.ByText(w, "Nível Anterior"));
    ui.Press(ui.ByText(w, "Nível Anterior"));
    EXPECT_EQ(ui.Value(ui.Control(w, d::kEscolhida)), U(a));
    ui.PickRow(ui.Control(w, d::kPastas), 4, true);
    ui.Press(ui.ByText(w, "&OK"));
    WaitEnd();
    EXPECT_EQ(pasta, a + "ZETA\\");
}

TEST_F(FolderPickerTest, CancelLeavesTheStartFolderOrBlank) {
    std::filesystem::create_directories(Native("Relatorios"));
    struct Case {
        std::string start, left, shown;
    } cases[] = {
        {Folder("Relatorios"), Folder("Relatorios") + "\\", U(Folder("Relatorios") + "\\")},  // no closing backslash given
        {Folder("nao-existe"), "", D("\\")},  // no such folder: the first fixed root
        {"   ", "", D("\\")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.start);
        int w = Open(c.start);
        EXPECT_EQ(ui.Value(ui.Control(w, d::kEscolhida)), c.shown);
        ui.Press(ui.ByText(w, "Cancela"));
        WaitEnd();
        EXPECT_EQ(pasta, c.left);
    }
}

TEST_F(FolderPickerTest, ARootStaysWhenGoingUpAndTheDriveListStartsAtARoot) {
    std::filesystem::create_directories(Native("B"));
    int w = Open(Folder("B"));
    auto drives = ui.State(ui.Control(w, d::kUnidades)).items;
    ASSERT_FALSE(drives.empty());
    EXPECT_EQ(ui.State(ui.Control(w, d::kImagem)).icon, "~SMDISK.ICO");
    ui.PickItem(ui.Control(w, d::kUnidades), 1);
    const std::string raiz = D(UnidadesDoSistema().front().raiz);
    EXPECT_EQ(ui.Value(ui.Control(w, d::kEscolhida)), raiz);
    EXPECT_EQ(ui.Focus(w), d::kPastas);
    ui.Press(ui.ByText(w, "Nível Anterior"));
    EXPECT_EQ(ui.Value(ui.Control(w, d::kEscolhida)), raiz);
    ui.CloseWindow(w);
    WaitEnd();
    EXPECT_EQ(pasta, Folder("B") + "\\") << "closed without OK: the start folder";
}

TEST(PastaAcima, CutsBackToTheParentAndKeepsARoot) {
    struct Case {
        const char* pasta;
        const char* acima;
    } cases[] = {{"C:\\A\\B\\", "C:\\A\\"}, {"C:\\A\\", "C:\\"}, {"C:\\", "C:\\"}, {"\\", "\\"},
                 {"\\home\\x\\", "\\home\\"}, {"\\home\\", "\\"}};
    for (const Case& c : cases) EXPECT_EQ(PastaAcima(c.pasta), c.acima) << c.pasta;
}

}  // namespace
