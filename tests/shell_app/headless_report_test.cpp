// A page report printed through `vorel --headless`: drawn without a display as the desktop draws it,
// shown in its preview, and the program ends with exit code 0 (it once ended on an abort as the
// report's fonts were reached without Qt's graphical application).
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>


namespace {

namespace fs = std::filesystem;

TEST(HeadlessReport, ALayoutPrintedToItsPreviewEndsWithExitCodeZero) {
    std::string tmpl = (fs::temp_directory_path() / "vorel-hreport-XXXXXX").string();
    ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
    const fs::path dir = tmpl;
    fs::create_directories(dir / "Trabalho");
    fs::create_directories(dir / "settings");
    std::ofstream(dir / "script.txt")
        << "start Main\nwindow \"Login de Usuário\"\ntype #5 PAINELCHEFIA\ntype #7 PAINELCHEFIA\n"
           "press \"&Ok\"\nwait\n"
           "menu \"Layout de Saídas\"\npress \"&Inclui\"\nwindow \"Incluindo Novo Layout\"\n"
           "type \"02 Descrição\" \"Saidas do cliente\"\npress \"&Grava\"\nwait\n"
           "row 1\npress \"&Altera\"\nwindow \"Alterando Layout\"\npress \"&Imprimir\"\n"
           "await \"Visualização\"\nshow\n";
    // The program with its output into a file, in the working folder (whose "Trabalho" makes it the
    // data root), with a display platform asked for that it must not use.
    const pid_t pid = fork();
    if (pid == 0) {
        ::setenv("VOREL_SETTINGS_DIR", (dir / "settings").c_str(), 1);
        ::setenv("QT_QPA_PLATFORM", "xcb", 1);
        const int out = ::open((dir / "saida.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (out < 0 || ::dup2(out, 1) < 0 || ::chdir((dir / "Trabalho").c_str()) != 0) _exit(120);
        ::execl(VOREL_EXE, VOREL_EXE, "--headless", (dir / "script.txt").c_str(), static_cast<char*>(nullptr));
        _exit(121);
    }
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    std::ostringstream saida;
    saida << std::ifstream(dir / "saida.txt").rdbuf();
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status) << "\n" << saida.str();
    EXPECT_EQ(WEXITSTATUS(status), 0) << saida.str();
    EXPECT_NE(saida.str().find("window \"Visualização - "), std::string::npos) << saida.str();
    std::error_code ec;
    fs::remove_all(dir, ec);
}

}  // namespace
