// The frame's reading of the wallpaper and printing-mode settings.
#include <gtest/gtest.h>

#include "shell_fixture.h"
#include "vorel/shell/settings_read.h"

using namespace vorel::shell;
using shell_test::ShellTest;

using SettingsReadTest = ShellTest;

TEST_F(SettingsReadTest, WallpaperRules) {
    std::string root = Folder("dados") + "\\";
    struct Case {
        std::string vorelIni, revenda;
        std::string file;
        int layout;
    } cases[] = {
        {"", "", root + "FGenerico.bmp", 2},
        {"", "[Revenda]\r\nRevenda=3\r\n", root + "netfundo.bmp", 2},
        {"", "[Revenda]\r\nRevenda=2\r\n", root + "netfundo.bmp", 2},
        {"", "[Revenda]\r\nRevenda=1\r\n", root + "FGenerico.bmp", 2},
        {"[Papel_Parede]\r\nArquivo=C:\\f.bmp\r\nDisposicao=1\r\n", "", "C:\\f.bmp", 1},
        {"[Papel_Parede]\r\nArquivo=C:\\f.bmp\r\nDisposicao=4\r\n", "", "C:\\f.bmp", 0},
        {"[Papel_Parede]\r\nArquivo=C:\\f.bmp\r\nDisposicao=3\r\nNenhum=x\r\n", "", "", 3},
        {"[Papel_Parede]\r\nNenhum=1\r\n", "", "", 2},
    };
    for (const auto& c : cases) {
        WriteSettings("Vorel.ini", c.vorelIni);
        WriteFile(Native("dados/BComuns/Revenda.Ini"), c.revenda);
        PapelParede p = PapelParedeDoQuadro(root);
        EXPECT_EQ(p.arquivo, c.file) << c.vorelIni << c.revenda;
        EXPECT_EQ(p.disposicao, c.layout) << c.vorelIni << c.revenda;
    }
}

TEST_F(SettingsReadTest, PrintingModeAndItsDisplay) {
    EXPECT_EQ(LeModoImpressao().modo, 1) << "missing is 1";
    WriteSettings("Vorel.ini", "[Impressora]\r\nConfigura\xE7\xE3o=0\r\n");
    EXPECT_EQ(LeModoImpressao().modo, 1) << "0 becomes 1";
    struct Case {
        int modo;
        bool aoAbrir;
        const char* icone;
        const char* texto;
    } cases[] = {{1, true, "Computer.ico", "Vídeo/Windows"}, {1, false, "Computer.ico", "Vídeo"},
                 {0, false, "Matric.ico", "Jato Tinta/Laser"}, {2, true, "Print.ico", "Matricial"},
                 {2, false, "Print.ico", "Matricial"}};
    for (const auto& c : cases) {
        auto v = VisualModoImpressao(static_cast<std::uint8_t>(c.modo), c.aoAbrir);
        EXPECT_EQ(v.icone, c.icone);
        EXPECT_EQ(v.texto, c.texto);
    }
}

TEST_F(SettingsReadTest, KeypadOption) {
    EXPECT_TRUE(TecladoDecimalComVirgula()) << "missing";
    WriteSettings("qel.ini", "[Parametros]\r\nTecladoPadraoBR   =0\r\n");
    EXPECT_TRUE(TecladoDecimalComVirgula());
    WriteSettings("qel.ini", "[Parametros]\r\nTecladoPadraoBR   =1\r\n");
    EXPECT_FALSE(TecladoDecimalComVirgula());
}
