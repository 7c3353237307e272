// Text report files: printer control codes, temporary names with their counters, the 500-character
// line, accents for the printer or stripped, and the bytes a run writes.
#include <gtest/gtest.h>

#include <filesystem>
#include <thread>
#include <set>
#include <mutex>

#include "shell_fixture.h"
#include "vorel/core/settings_file.h"
#include "vorel/shell/printer_codes.h"
#include "vorel/shell/text_report.h"

using namespace vorel;
using namespace vorel::shell;
using shell_test::ShellTest;

namespace {

std::string Bytes(std::initializer_list<int> codes) {
    std::string s;
    for (int c : codes) s.push_back(static_cast<char>(c));
    return s;
}

}  // namespace

TEST(ConverteCodigos, DecimalListsBecomeTheirCharacters) {
    struct Case {
        const char* codigos;
        std::string bytes;
    } cases[] = {
        {"27,45,1", Bytes({27, 45, 1})},
        {"27,15", Bytes({27, 15})},
        {"27,32,65", Bytes({27, 65})},                 // a blank is lost
        {"32,27,32", Bytes({27})},
        {"                    ", Bytes({0})},          // a blank field reads as code 0
        {"27,80,18,10         ", Bytes({27, 80, 18, 10})},  // the whole field, not its first 10 characters
        {"27,300", Bytes({27, 44})},                   // modulo 256
        {" 27 , 71", Bytes({27, 71})},
        {"27,,1", Bytes({27, 0, 1})},
    };
    for (const Case& c : cases) EXPECT_EQ(ConverteCodigos(c.codigos), c.bytes) << c.codigos;
}

TEST(ModoImpressao, OnlyModeTwoMakesTextReports) {
    EXPECT_EQ(FormaDoRelatorio(kModoDos), FormaRelatorio::Texto);
    for (std::uint8_t m : {0, 1, 3, 255}) EXPECT_EQ(FormaDoRelatorio(m), FormaRelatorio::Pagina) << int(m);
}

TEST(Portas, PlainNamesAreQueuesAndPathsAreDevices) {
    EXPECT_EQ(DestinoDaPorta("matricial  ").kind, report::PrintTarget::Kind::Queue);
    EXPECT_EQ(DestinoDaPorta("matricial  ").name, "matricial");
    EXPECT_EQ(DestinoDaPorta("").kind, report::PrintTarget::Kind::Queue);
    EXPECT_EQ(DestinoDaPorta("/dev/usb/lp0").kind, report::PrintTarget::Kind::Device);
    EXPECT_EQ(DestinoDaPorta("\\\\MICRO01\\EPSON").kind, report::PrintTarget::Kind::Device);
}

using NomeArqTempTest = ShellTest;

TEST_F(NomeArqTempTest, CountersNameTheFileAndPointPastIt) {
    std::filesystem::create_directories(Native("temp"));
    settings::SettingsFile win("WIN.INI");
    auto contadores = [&] {
        return std::pair{win.read_text("ArqTemp", "ContadorPR"), win.read_text("ArqTemp", "ContadorSC")};
    };

    NomeTemporario n = NomeArqTemp(Folder("temp"), win);  // no section yet: counters 0 and 0
    ASSERT_TRUE(n.ok()) << n.erro;
    EXPECT_EQ(n.nome, Folder("temp") + "\\00000000.000");
    EXPECT_TRUE(std::filesystem::exists(Native("temp/00000000.000"))) << "the name is taken by creating the file";
    EXPECT_EQ(contadores(), (std::pair<std::string, std::string>{"0", "1"}));

    ASSERT_FALSE(win.write_number("ArqTemp", "ContadorPR", 5));
    ASSERT_FALSE(win.write_number("ArqTemp", "ContadorSC", 999));
    n = NomeArqTemp(Folder("temp") + "\\", win);
    EXPECT_EQ(n.nome, Folder("temp") + "\\00000005.999");
    EXPECT_EQ(contadores(), (std::pair<std::string, std::string>{"6", "0"}));

    // Names that exist are passed over.
    WriteFile(Native("temp/00000000.001"), "x");
    WriteFile(Native("temp/00000000.002"), "x");
    ASSERT_FALSE(win.write_number("ArqTemp", "ContadorPR", 0));
    ASSERT_FALSE(win.write_number("ArqTemp", "ContadorSC", 0));
    n = NomeArqTemp(Folder("temp"), win);
    EXPECT_EQ(n.nome, Folder("temp") + "\\00000000.003");
    EXPECT_EQ(contadores(), (std::pair<std::string, std::string>{"0", "4"}));
    EXPECT_EQ(ReadFile(Native("temp/00000000.001")), "x") << "an existing file is never touched";

    // The last main counter starts the names over.
    ASSERT_FALSE(win.write_number("ArqTemp", "ContadorPR", 99999999));
    ASSERT_FALSE(win.write_number("ArqTemp", "ContadorSC", 999));
    n = NomeArqTemp(Folder("temp"), win);
    EXPECT_EQ(n.nome, Folder("temp") + "\\99999999.999");
    EXPECT_EQ(contadores(), (std::pair<std::string, std::string>{"0", "0"}));
}

TEST_F(NomeArqTempTest, ConcurrentRunsNeverShareANameAndAMissingFolderIsAnError) {
    std::filesystem::create_directories(Native("temp"));
    std::mutex m;
    std::set<std::string> nomes;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&] {
            settings::SettingsFile win("WIN.INI");
            for (int i = 0; i < 10; ++i) {
                NomeTemporario n = NomeArqTemp(Folder("temp"), win);
                std::lock_guard lock(m);
                EXPECT_TRUE(n.ok()) << n.erro;
                EXPECT_TRUE(nomes.insert(n.nome).second) << n.nome << " handed out twice";
            }
        });
    for (auto& t : threads) t.join();
    EXPECT_EQ(nomes.size(), 40u);

    settings::SettingsFile win("WIN.INI");
    NomeTemporario n = NomeArqTemp(Folder("nao-existe"), win);
    EXPECT_FALSE(n.ok());
    EXPECT_TRUE(n.nome.empty());
}

TEST(GravaLinhaTexto, LinesAreCutAt500AndAccentsConvertedOrStripped) {
    const std::string acao = "A\xE7\xE3o n\xBA 5";  // "Ação nº 5"
    EXPECT_EQ(LinhaTexto(acao, 0, false), "Acao n 5");
    EXPECT_EQ(LinhaTexto(acao, 1, false), "Ac\b,a\b~o n\xBA 5");
    EXPECT_EQ(LinhaTexto(acao, 1, true), "Acao n 5") << "the flag strips whatever the printer";
    EXPECT_EQ(LinhaTexto("\xFB", 0, false), "u");
    EXPECT_EQ(LinhaTexto("\xFB", 1, false), "u\b^");
    EXPECT_EQ(RetiraAcentos("\xC1\xC0\xC2\xC3\xC4\xC9\xCD\xD3\xDA\xC7 \xE1\xE8\xEE\xF5\xFC\xE7 \xAA\xF1"),
              "AAAAAEIOUC aeiouc \xF1") << "only the printers' letters; ª removed";
    EXPECT_EQ(ConverteAcentosImpressora("\xE9\xE0\xEF"), "e\b'a\b`i\b\"");

    EXPECT_EQ(LinhaTexto(std::string(600, 'x'), 0, false), std::string(500, 'x'));
    // Overstrike sequences that push the line past 500 characters are cut there.
    std::string longa = std::string(498, 'x') + "\xE7\xE7";
    EXPECT_EQ(LinhaTexto(longa, 1, false), std::string(498, 'x') + "c\b");
    // Text past the 500th character never reaches the line, even when stripping shortens it.
    EXPECT_EQ(LinhaTexto(std::string(499, 'x') + "\xBA" + "yz", 0, false), std::string(499, 'x'));
}

TEST(RodapeRelatorio, FootersAreBlanks) {
    EXPECT_EQ(RodapeRelatorio(), std::string(150, ' '));
    EXPECT_EQ(RodapeRelatorioCurto(), std::string(100, ' '));
}

using ArquivoTextoTest = ShellTest;

TEST_F(ArquivoTextoTest, EachRunWritesItsOwnFileWithItsPrintersAccents) {
    std::filesystem::create_directories(Native("temp"));
    settings::SettingsFile win("WIN.INI");
    CodigosImpressoraRec comAcentos;
    comAcentos.ACENTOS = 1;
    ArquivoTexto a(comAcentos), b;
    ASSERT_TRUE(a.AbreTemporario(Folder("temp"), win).ok());
    ASSERT_TRUE(b.AbreTemporario(Folder("temp"), win).ok());
    EXPECT_NE(a.nome(), b.nome());
    ASSERT_TRUE(a.GravaLinhaTexto("\x1BGA\xE7\xE3o\f").ok());
    ASSERT_TRUE(b.GravaLinhaTexto("A\xE7\xE3o   ").ok());
    ASSERT_TRUE(a.Fecha().ok());
    ASSERT_TRUE(b.Fecha().ok());
    EXPECT_EQ(ReadFile(files::resolve(a.nome())), "\x1BGAc\b,a\b~o\f\r\n");
    EXPECT_EQ(ReadFile(files::resolve(b.nome())), "Acao\r\n");
    a.Apaga();
    EXPECT_FALSE(std::filesystem::exists(files::resolve(a.nome())));

    // An export strips accents whatever the printer, and stays.
    ArquivoTexto exp(comAcentos);
    ASSERT_TRUE(exp.AbreExportacao(Folder("Excel.csv")).ok());
    ASSERT_TRUE(exp.GravaLinhaTexto("Ca\xE7\xE3;1").ok());
    ASSERT_TRUE(exp.Fecha().ok());
    exp.Apaga();
    EXPECT_EQ(ReadFile(Native("Excel.csv")), "Caca;1\r\n");

    // A write to a file that is not open is an error, not a lost line.
    ArquivoTexto fechado;
    EXPECT_FALSE(fechado.GravaLinhaTexto("x").ok());
}
