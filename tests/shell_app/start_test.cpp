// `vorel` started in a working folder: the data root and its folders are made, the login is asked
// for, and cancelling it ends the program with exit code 0 without the frame; logging in opens it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "vorel/core/paths.h"
#include "vorel/core/program.h"

namespace {

namespace fs = std::filesystem;

class VorelStart : public ::testing::Test {
protected:
    void SetUp() override {
        std::string tmpl = (fs::temp_directory_path() / "vorel-start-XXXXXX").string();
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
        dir_ = tmpl;
        fs::create_directories(dir_ / "Trabalho");
        fs::create_directories(dir_ / "settings");
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    // Runs `vorel --headless` on the script in the working folder dir_/Trabalho (or another one);
    // returns the exit code (1 when a line of the script failed, 2 when the program cannot start).
    int Run(const std::string& script, const std::string& workingFolder = "Trabalho") {
        std::ofstream(dir_ / "script.txt") << script;
        ::setenv("VOREL_SETTINGS_DIR", (dir_ / "settings").c_str(), 1);
        auto r = vorel::program::run(VOREL_EXE, {"--headless", (dir_ / "script.txt").string()},
                                     {.wait = vorel::program::Wait::Yes,
                                      .working_folder = vorel::files::to_program_path(dir_ / workingFolder)});
        ::unsetenv("VOREL_SETTINGS_DIR");
        EXPECT_FALSE(r.error) << r.error.message();
        return r.exit_code;
    }
    std::string LastUser() {
        std::ifstream in(dir_ / "settings" / "UsuVorel.ini");
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    fs::path dir_;
};

TEST_F(VorelStart, CancellingTheLoginEndsWithExitCodeZeroAndNoFrame) {
    const std::string cancel = "start Main\nwindow \"Login de Usuário\"\npress \"&Cancela\"\nwait\n";
    EXPECT_EQ(Run(cancel), 0);
    EXPECT_EQ(Run(cancel + "menu \"Sobre\"\n"), 1) << "no frame, so no menu to choose from";
    EXPECT_EQ(LastUser(), "") << "nobody logged in";
    for (const char* f : {"BComuns", "BEscrita", "BCTB", "BVOREL", "Excel", "Temp"})
        EXPECT_TRUE(fs::is_directory(dir_ / "Trabalho" / f)) << f;
    EXPECT_TRUE(fs::exists(dir_ / "Trabalho" / "BVOREL" / "Senha.Tps")) << "the users table, made by the login";
}

TEST_F(VorelStart, TheBuiltInUserOpensTheFrame) {
    EXPECT_EQ(Run("start Main\nwindow \"Login de Usuário\"\ntype #5 PAINELCHEFIA\ntype #7 PAINELCHEFIA\n"
                  "press \"&Ok\"\nwait\nmenu \"Sobre\"\nwindow \"Sobre o  Sistema\"\n"
                  "menu \"C.F.O.P.\"\nwindow \"Janela de C.F.O.P. Cadastrados\"\n"),
              0)
        << "the frame's menu reaches the registers the program is built with";
    EXPECT_NE(LastUser().find("Usuario=PAINELCHEFIA"), std::string::npos) << LastUser();
}

TEST_F(VorelStart, AMissingDataRootStopsTheProgramAndIsNotMade) {
    // The working folder is no "TRABALHO": the root is NetPath, on a share that is not mounted.
    fs::create_directories(dir_ / "Vorel");
    std::ofstream(dir_ / "settings" / "Marvex.ini")
        << "[Servidor_Vorel]\r\nNetPath=" << vorel::files::to_program_path(dir_ / "rede" / "dados") << "\\\r\n";
    EXPECT_EQ(Run("start Main\n", "Vorel"), 2);
    EXPECT_FALSE(fs::exists(dir_ / "rede")) << "the missing root is not created";
    fs::create_directories(dir_ / "rede" / "dados");
    EXPECT_EQ(Run("start Main\nwindow \"Login de Usuário\"\npress \"&Cancela\"\nwait\n", "Vorel"), 0);
    EXPECT_TRUE(fs::is_directory(dir_ / "rede" / "dados" / "BComuns")) << "its folders are, once it is there";
}

}  // namespace
