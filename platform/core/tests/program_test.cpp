#include "vorel/core/program.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <chrono>
#include <thread>

#include "temp_folder.h"

namespace vorel::program {
namespace {

using vorel::testing::TempFolder;
namespace fs = std::filesystem;

TEST(Program, AMissingProgramIsReportedNotRun) {
    TempFolder tmp;
    tmp.write("WebBrowser/leia-me.txt", "not a program");
    fs::create_directories(tmp.path() / "Pasta");
    struct Case {
        std::string program;
        std::errc expected;
    } cases[] = {
        {tmp.program("WebBrowser\\WebBrowser.exe"), std::errc::no_such_file_or_directory},
        {"vorel-no-such-program", std::errc::no_such_file_or_directory},
        {tmp.program("WebBrowser\\leia-me.txt"), std::errc::permission_denied},  // not executable
        {tmp.program("Pasta"), std::errc::permission_denied},
        {"", std::errc::invalid_argument},
    };
    for (const Case& c : cases) {
        for (Wait wait : {Wait::Yes, Wait::No}) {
            RunResult r = run(c.program, {"3", "12345678000199"}, {.wait = wait, .working_folder = {}});
            EXPECT_EQ(r.error, c.expected) << c.program;
            EXPECT_FALSE(r.started());
            EXPECT_EQ(r.exit_code, -1);
        }
    }
}

TEST(Program, ArgumentsReachTheProgramAsTheyAre) {
    TempFolder tmp;
    // The shell is only the program under test here: it writes each argument it got on a line.
    RunResult r = run("sh", {"-c", "printf '%s\\n' \"$@\" > args.txt; exit 3", "sh", "a b", "$(rm -rf x)",
                             "; echo no", "A\xE7\xE3o"},
                      {.working_folder = tmp.program()});
    ASSERT_FALSE(r.error) << r.error.message();
    EXPECT_EQ(r.exit_code, 3);
    EXPECT_EQ(tmp.read("args.txt"), "a b\n$(rm -rf x)\n; echo no\nA\xC3\xA7\xC3\xA3o\n");
    EXPECT_NE(fs::current_path(), tmp.path());  // the process's own folder never moves
}

TEST(Program, ExitCodesAndSignals) {
    EXPECT_EQ(run("/bin/sh", {"-c", "exit 0"}).exit_code, 0);
    EXPECT_EQ(run("/BIN/SH", {"-c", "exit 7"}).exit_code, 7);  // resolved without regard to case
    EXPECT_EQ(run("sh", {"-c", "kill -9 $$"}).exit_code, 128 + 9);
}

TEST(Program, NotWaitingLeavesNoChildBehind) {
    TempFolder tmp;
    auto begin = std::chrono::steady_clock::now();
    RunResult r = run("sh", {"-c", "sleep 2; echo feito > fim.txt"},
                      {.wait = Wait::No, .working_folder = tmp.program()});
    ASSERT_FALSE(r.error);
    EXPECT_EQ(r.exit_code, -1);
    EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::milliseconds(1500));  // returned long before the program ends
    // The program is no child of this process, so nothing is left to reap.
    EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1);
    for (int i = 0; i < 200 && tmp.read("fim.txt").empty(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(tmp.read("fim.txt"), "feito\n");
}

}  // namespace
}  // namespace vorel::program
