// A question still on screen when the program ends is not a "yes": the headless run of `vorel`
// ends its script with the CNAE form's delete question open, and the record is still there.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "vorel/core/paths.h"
#include "vorel/core/program.h"

namespace {

namespace fs = std::filesystem;

class UnansweredQuestion : public ::testing::Test {
protected:
    void SetUp() override {
        std::string tmpl = (fs::temp_directory_path() / "vorel-question-XXXXXX").string();
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
        dir_ = tmpl;
        fs::create_directories(dir_ / "Trabalho");
        fs::create_directories(dir_ / "settings");
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    // Runs the script after logging in and opening the CNAE register from the menu.
    int Run(const std::string& script) {
        std::ofstream(dir_ / "script.txt")
            << "start Main\nwindow \"Login de Usuário\"\ntype #5 PAINELCHEFIA\ntype #7 PAINELCHEFIA\n"
               "press \"&Ok\"\nwait\nmenu CNAE\nwindow \"Consulta de C.N.A.E.\"\n"
            << script;
        ::setenv("VOREL_SETTINGS_DIR", (dir_ / "settings").c_str(), 1);
        auto r = vorel::program::run(VOREL_EXE, {"--headless", (dir_ / "script.txt").string()},
                                     {.wait = vorel::program::Wait::Yes,
                                      .working_folder = vorel::files::to_program_path(dir_ / "Trabalho")});
        ::unsetenv("VOREL_SETTINGS_DIR");
        EXPECT_FALSE(r.error) << r.error.message();
        return r.exit_code;
    }
    fs::path dir_;
};

TEST_F(UnansweredQuestion, ADeleteQuestionOpenAtTheEndDeletesNothing) {
    ASSERT_EQ(Run("press \"&Inclui Novo C.N.A.E.\"\ntype \"01 Código\" 0111301\n"
                  "type \"02 Descrição\" \"Cultivo de arroz\"\npress \"&OK\"\n"),
              0);
    const std::string deleteAsked = "row 1\npress \"&Exclui C.N.A.E.\"\npress \"&Exclui\"\n";
    const std::string stillThere = "row 1\n";
    ASSERT_EQ(Run(stillThere), 0) << "the record was added";

    EXPECT_EQ(Run(deleteAsked), 0) << "the script ends with \"Confirmar Exclusão\" on screen";
    EXPECT_EQ(Run(stillThere), 0) << "the unanswered question deleted the record";

    // The same path answered "&Sim" does delete: the check above would see a deletion.
    EXPECT_EQ(Run(deleteAsked + "answer \"&Sim\"\n"), 0);
    EXPECT_EQ(Run(stillThere), 1) << "no row 1 once the delete is confirmed";
}

}  // namespace
