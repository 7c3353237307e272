// The settings accessors: the frame's wallpaper and printing mode, the office's parameters and the
// CNPJ handed between forms.
#include <gtest/gtest.h>

#include <optional>

#include "shell_fixture.h"
#include "vorel/core/settings_file.h"
#include "vorel/shell/program_settings.h"
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

TEST_F(SettingsReadTest, OfficeParametersKeepTheSectionsOtherKeysAndReadTheirDefaults) {
    const std::string root = Folder("dados") + "\\";
    WriteFile(Native("dados/BComuns/Vorel.ini"), "[Parametros]\r\nOutra=7\r\n[Outro]\r\nNome=x\r\n");
    ParametrosEscritorio p = LeParametrosEscritorio(root);
    EXPECT_EQ(p.PARIMPDATA, 1) << "missing is 1";
    EXPECT_EQ(p.PARIMPESCR, 1);
    EXPECT_EQ(LeOpcoesEscritorio(root).lote, 0);

    p.PARNOME = "Escrit\xF3rio";
    p.PARCEP = 1310100;
    p.PARIMPDATA = 0;
    OpcoesEscritorio o;
    o.lote = 1;
    o.aliquotaProdutos = 1;
    ASSERT_FALSE(GravaParametrosEscritorio(root, p, o));
    const ParametrosEscritorio lido = LeParametrosEscritorio(root);
    EXPECT_EQ(lido.PARNOME, "Escrit\xF3rio");
    EXPECT_EQ(lido.PARCEP, 1310100u);
    EXPECT_EQ(lido.PARIMPDATA, 0);
    EXPECT_TRUE(LeLoteObrigatorio(root));
    EXPECT_EQ(LeUsaAliquotaProduto(root), 1);
    vorel::settings::SettingsFile ini(root + "BComuns\\Vorel.ini");
    EXPECT_EQ(ini.read_number("Parametros", "Outra"), 7) << "a key the program does not know stays";
    EXPECT_EQ(ini.read_text("Outro", "Nome"), "x");
}

TEST_F(SettingsReadTest, TheCnpjHandedToTheSupplierFormWhileItsEntryIsOpen) {
    struct Case {
        const char* temp;
        bool aguardando;
        std::optional<std::string> cnpj;
    } cases[] = {
        {"", true, std::nullopt},  // nothing kept: the entry's own CNPJ
        {"[Temp]\r\nCNPJ=00000000000191\r\nLocal=4\r\n", true, "00000000000191"},
        {"[Temp]\r\nCNPJ=00000000000191\r\nLocal=0\r\n", false, std::nullopt},
    };
    for (const auto& c : cases) {
        WriteSettings("Vorel.ini", c.temp);
        const CnpjAoCadastro r = LeCnpjAoCadastro();
        EXPECT_EQ(r.aguardando, c.aguardando) << c.temp;
        EXPECT_EQ(r.cnpj, c.cnpj) << c.temp;
    }
    ASSERT_FALSE(EntregaCnpjAoCadastro("11222333000181"));
    EXPECT_EQ(LeCnpjAoCadastro().cnpj, "11222333000181");
    ASSERT_FALSE(EncerraCnpjAoCadastro());
    EXPECT_FALSE(LeCnpjAoCadastro().aguardando);
}
