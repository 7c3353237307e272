// An export is put in place only when whole: the target keeps its old bytes until then, a failure
// or an abandoned run leaves neither a partial target nor the run's own file.
#include <gtest/gtest.h>

#include <filesystem>

#include "shell_fixture.h"
#include "vorel/shell/exportacao_inteira.h"

using namespace vorel;
using shell::ExportacaoInteira;
using shell_test::ShellTest;

namespace {

using ExportacaoInteiraTest = ShellTest;

std::size_t Arquivos(const std::filesystem::path& pasta) {
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(pasta)) ++n;
    return n;
}

TEST_F(ExportacaoInteiraTest, TheTargetIsReplacedOnlyWhenTheFileIsWhole) {
    WriteFile(Native("x/Saida.csv"), "antigo\r\n");
    {
        ExportacaoInteira f(Folder("x") + "\\Saida.csv");
        ASSERT_TRUE(f.Abre().ok());
        ASSERT_TRUE(f.Linha("Ca\xE7\xE3o;1").ok());          // stripped
        ASSERT_TRUE(f.LinhaInteira("Sa\xED" "da;2  ").ok());  // as given
        EXPECT_EQ(ReadFile(Native("x/Saida.csv")), "antigo\r\n");
        ASSERT_TRUE(f.Conclui().ok());
    }
    EXPECT_EQ(ReadFile(Native("x/Saida.csv")), "Cacao;1\r\nSa\xED" "da;2  \r\n");
    EXPECT_EQ(Arquivos(Native("x")), 1u);

    // Abandoned (a stopped run): the old file stays and nothing else is left.
    {
        ExportacaoInteira f(Folder("x") + "\\Saida.csv");
        ASSERT_TRUE(f.Abre().ok());
        ASSERT_TRUE(f.Linha("parcial").ok());
    }
    EXPECT_EQ(ReadFile(Native("x/Saida.csv")), "Cacao;1\r\nSa\xED" "da;2  \r\n");
    EXPECT_EQ(Arquivos(Native("x")), 1u);

    // A folder that does not exist: the failure names the target.
    ExportacaoInteira f(Folder("nao-existe") + "\\Saida.csv");
    const report::Outcome o = f.Abre();
    ASSERT_FALSE(o.ok());
    EXPECT_NE(o.error.find("Saida.csv"), std::string::npos) << o.error;
    EXPECT_EQ(o.error.find(".~"), std::string::npos) << o.error;
    EXPECT_FALSE(f.Linha("x").ok());
    EXPECT_FALSE(f.Conclui().ok());
}

}  // namespace
