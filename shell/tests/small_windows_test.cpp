// The splash's one-time conversion, the about window and the wallpaper window.
#include <gtest/gtest.h>

#include <atomic>

#include "shell_fixture.h"
#include "vorel/core/settings_file.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/main_frame.h"
#include "vorel/shell/small_windows.h"
#include "vorel/ui/headless.h"

using namespace vorel;
using namespace vorel::shell;
using namespace vorel::ui;
using shell_test::ShellTest;

using SmallWindowsTest = ShellTest;

TEST_F(SmallWindowsTest, TemAtuRunsTheConversionOnceAndGoes) {
    PastaRaiz.Set(Folder() + "\\");
    GLO_VERSAO.Set("Vers\xE3o: 1.00d 077");
    WriteFile(Native("tem.atu"), "");  // any case of the name
    std::atomic<int> conversions{0};
    bool registered = false;
    auto procura = [&](std::string_view name) -> std::optional<ProcedureFn> {
        if (name == "AtualizaArquivos" && registered) return ProcedureFn([&](ProcContext&) { ++conversions; });
        return std::nullopt;
    };
    for (int run = 0; run < 3; ++run) {
        registered = run > 0;  // the first start: the conversion is not in the program yet
        Runtime rt;
        int t = rt.Start("Abertura", [&](ProcContext& c) { Abertura(c, procura); });
        HeadlessDriver ui(rt);
        ui.WaitUntil([&] { return !ui.Captions().empty(); }, "the splash");
        int w = ui.TopWindow();
        EXPECT_EQ(ui.Text(ui.Control(w, 1)), "Sistema de Substituição        Tributária - Vorel.");
        EXPECT_EQ(ui.Text(ui.Control(w, 2)), "Versão: 1.00d 077");
        if (run == 2) ui.Deactivate(w);  // the user went to another window
        else ui.CloseWindow(w);
        ui.WaitUntil([&] { return rt.Finished(t).has_value(); }, "the splash to end");
        EXPECT_EQ(conversions, run == 0 ? 0 : 1) << "run " << run;
        EXPECT_EQ(std::filesystem::exists(Native("tem.atu")), run == 0) << "run " << run;
    }
}

TEST_F(SmallWindowsTest, AboutShowsTheProgramLineAndVersion) {
    GLO_VERSAO.Set("Vers\xE3o: 1.00d 077");
    Runtime rt;
    int t = rt.Start("Sobre", [](ProcContext& c) { Sobre(c); });
    HeadlessDriver ui(rt);
    int w = ui.WindowByCaption("Sobre o  Sistema");
    EXPECT_EQ(ui.Text(ui.Control(w, 1)), "Sistema de Substituição      Tributária - Vorel");
    EXPECT_EQ(ui.Text(ui.Control(w, 2)), "Versão: 1.00d 077");
    ui.Press(ui.ByText(w, "&OK"));
    ui.WaitUntil([&] { return rt.Finished(t).has_value(); }, "about");
}

TEST_F(SmallWindowsTest, WallpaperWindowReadsAndWritesItsSection) {
    namespace p = papel;
    for (int run = 0; run < 2; ++run) {
        Runtime rt;
        int t = rt.Start("TrocaPapelParede", [](ProcContext& c) { TrocaPapelParede(c); });
        HeadlessDriver ui(rt);
        int w = ui.WindowByCaption("Trocar Papel Parede");
        if (run == 0) {
            // No section: empty name, no layout, box clear, everything enabled.
            EXPECT_EQ(ui.Value(ui.Control(w, p::kArquivo)), "");
            for (int r : {p::kAmpliado, p::kLadoALado, p::kCentralizado}) EXPECT_EQ(ui.Value(ui.Control(w, r)), "0");
            EXPECT_EQ(ui.Value(ui.Control(w, p::kNenhum)), "0");
            ui.Type(ui.Control(w, p::kArquivo), "C:\\Figuras\\praia.jpg");
            ui.Check(ui.Control(w, p::kCentralizado), true);
            EXPECT_EQ(ui.State(ui.Control(w, p::kImagem)).value, "3");
            EXPECT_EQ(ui.Text(ui.Control(w, p::kImagem)), "C:\\Figuras\\praia.jpg");
            ui.Check(ui.Control(w, p::kNenhum), true);
            EXPECT_FALSE(ui.Enabled(ui.Control(w, p::kArquivo)));
            EXPECT_FALSE(ui.Enabled(ui.Control(w, p::kPesquisa)));
            ui.Press(ui.ByText(w, "&Ok"));
        } else {
            EXPECT_EQ(ui.Value(ui.Control(w, p::kArquivo)), "C:\\Figuras\\praia.jpg");
            EXPECT_EQ(ui.Value(ui.Control(w, p::kCentralizado)), "1");
            EXPECT_FALSE(ui.Enabled(ui.Control(w, p::kArquivo))) << "no wallpaper: the file is off";
            ui.Check(ui.Control(w, p::kNenhum), false);
            ui.Press(ui.ByText(w, "&Cancela"));
        }
        ui.WaitUntil([&] { return rt.Finished(t).has_value(); }, "wallpaper window");
    }
    settings::SettingsFile ini("Vorel.ini");
    EXPECT_EQ(ini.read_text("Papel_Parede", "Arquivo"), "C:\\Figuras\\praia.jpg");
    EXPECT_EQ(ini.read_number("Papel_Parede", "Disposicao"), 3);
    EXPECT_FALSE(ini.read_text("Papel_Parede", "Nenhum").empty()) << "cancel wrote nothing";
}
