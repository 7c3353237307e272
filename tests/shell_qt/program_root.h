// What the shell's Qt tests share: runtime options that give every procedure thread the table
// dictionary (`WithDictionary`, data_root.h), and a program started in a temporary folder (settings and state beneath it, the
// shell's and the registers' procedures registered, message boxes as the asker, the data root
// "TRABALHO" found by the start-up), removed again at the end.
//
//     ProgramRoot root("vorel-keys");  ASSERT_TRUE(root.Start());  ...  root.dir()
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "data_root.h"
#include "vorel/core/paths.h"
#include "vorel/dictionary/tables.h"
#include "vorel/registers/procedures.h"
#include "vorel/shell/procedures.h"
#include "vorel/shell/startup.h"
#include "vorel/ui/record_access.h"
#include "vorel/ui/runtime.h"

namespace vorel::testing {

class ProgramRoot {
public:
    explicit ProgramRoot(const std::string& prefix) : prefix_(prefix) {}
    ~ProgramRoot() {
        ::unsetenv("VOREL_SETTINGS_DIR");
        ::unsetenv("VOREL_STATE_DIR");
        std::error_code ec;
        if (!dir_.empty()) std::filesystem::remove_all(dir_, ec);
    }
    ProgramRoot(const ProgramRoot&) = delete;
    ProgramRoot& operator=(const ProgramRoot&) = delete;

    // False (with a test failure) when the folder or the data root cannot be made.
    bool Start() {
        std::string tmpl = (std::filesystem::temp_directory_path() / (prefix_ + "-XXXXXX")).string();
        if (::mkdtemp(tmpl.data()) == nullptr) {
            ADD_FAILURE() << "no temporary folder";
            return false;
        }
        dir_ = tmpl;
        std::filesystem::create_directories(dir_ / "settings");
        ::setenv("VOREL_SETTINGS_DIR", (dir_ / "settings").c_str(), 1);
        ::setenv("VOREL_STATE_DIR", (dir_ / "state").c_str(), 1);
        shell::RegisterShellProcedures();
        registers::AddRegisterProcedures();
        ui::InstallMessageBoxAsker();
        std::filesystem::create_directories(dir_ / "TRABALHO");  // the working folder: the data root
        auto r = shell::IniciaPrograma(files::to_program_path(dir_ / "TRABALHO"), files::to_program_path(dir_));
        EXPECT_EQ(r.erro, "");
        EXPECT_TRUE(r.falhas.empty());
        return r.erro.empty() && r.falhas.empty();
    }
    const std::filesystem::path& dir() const { return dir_; }

private:
    std::string prefix_;
    std::filesystem::path dir_;
};

}  // namespace vorel::testing
