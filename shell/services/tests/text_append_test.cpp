// AnexaTextoArquivo: bytes appended, line ends, cuts and failures reported by result.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "shell_fixture.h"
#include "vorel/shell/text_append.h"

using namespace vorel::shell;
using shell_test::ShellTest;

using TextAppendTest = ShellTest;

TEST_F(TextAppendTest, AppendsWithAndWithoutLineEnds) {
    std::string f = Folder("saida.txt");
    struct Case {
        std::string text;
        int fim1, fim2;
        std::string bytes;
    } cases[] = {
        {"ABC", 0, 1, "ABC\r\n"},
        {"ABC  ", 0, 1, "ABC  \r\n"},  // own trailing blanks kept before the line end
        {"ABC  ", 0, 0, "ABC"},        // without a line end they go
        {"", 0, 1, "\r\n"},
        {"\f", 0, 1, "\f"},            // a form feed alone gets no line end
        {"X", 1, 0, "X\r\n"},
        {"Y", 2, 0, "Y"},
    };
    std::string expected;
    for (const auto& c : cases) {
        EXPECT_EQ(AnexaTextoArquivo(f, c.text, 0, static_cast<std::uint8_t>(c.fim1), static_cast<std::uint8_t>(c.fim2)), kAnexaOk);
        expected += c.bytes;
        EXPECT_EQ(ReadFile(Native("saida.txt")), expected) << "after " << testing::PrintToString(c.text);
    }
}

TEST_F(TextAppendTest, LongTextIsCutTo2000BytesWithItsLineEnd) {
    std::string f = Folder("longo.txt");
    EXPECT_EQ(AnexaTextoArquivo(f, std::string(1999, 'a'), 0, 0, 1), kAnexaOk);
    EXPECT_EQ(ReadFile(Native("longo.txt")), std::string(1999, 'a') + "\r");
    std::filesystem::remove(Native("longo.txt"));
    EXPECT_EQ(AnexaTextoArquivo(f, std::string(2500, 'b'), 0, 0, 1), kAnexaOk);
    EXPECT_EQ(ReadFile(Native("longo.txt")), std::string(2000, 'b'));
}

TEST_F(TextAppendTest, ExistingFileIsAppendedInAnyCaseOfItsName) {
    WriteFile(Native("Arq.TXT"), "linha1\r\n");
    EXPECT_EQ(AnexaTextoArquivo(Folder() + "\\ARQ.txt", "linha2", 0, 0, 1), kAnexaOk);
    EXPECT_EQ(ReadFile(Native("Arq.TXT")), "linha1\r\nlinha2\r\n");
}

TEST_F(TextAppendTest, FailuresAreResultsNotMessages) {
    EXPECT_EQ(AnexaTextoArquivo(Folder("nao/existe/x.txt"), "a", 0, 0, 1), kAnexaNaoAbriu);
    std::filesystem::create_directories(Native("pasta"));
    EXPECT_EQ(AnexaTextoArquivo(Folder("pasta"), "a", 0, 0, 1), kAnexaNaoAbriu) << "a folder is not a file";
    EXPECT_EQ(AnexaTextoArquivo("   ", "a", 0, 0, 1), kAnexaNaoAbriu);
    EXPECT_EQ(AnexaTextoArquivo(Folder("x.txt"), "a", 1, 0, 1), kAnexaNaoAbriu) << "no printer port here";
    if (std::filesystem::exists("/dev/full")) {
        EXPECT_EQ(AnexaTextoArquivo("/dev/full", "a", 0, 0, 1), kAnexaGravacaoIncompleta);
    }
    EXPECT_NE(MensagemAnexaTexto(kAnexaNaoAbriu, "C:\\x.txt").find("C:\\x.txt"), std::string::npos);
    EXPECT_EQ(MensagemAnexaTexto(kAnexaOk, "x"), "");
}

TEST_F(TextAppendTest, ThreadsAppendingAtOnceLoseNoLine) {
    std::vector<std::thread> ts;
    for (int t = 0; t < 4; ++t)
        ts.emplace_back([&, t] {
            std::string f = Folder("t" + std::to_string(t) + ".txt");
            for (int i = 0; i < 200; ++i) ASSERT_EQ(AnexaTextoArquivo(f, std::to_string(i), 0, 0, 1), kAnexaOk);
        });
    for (auto& t : ts) t.join();
    for (int t = 0; t < 4; ++t) {
        std::string expected;
        for (int i = 0; i < 200; ++i) expected += std::to_string(i) + "\r\n";
        EXPECT_EQ(ReadFile(Native("t" + std::to_string(t) + ".txt")), expected);
    }
}
