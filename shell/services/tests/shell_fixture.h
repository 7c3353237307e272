// A temporary data root and settings folder per test: VOREL_SETTINGS_DIR points into it while the
// test runs, and the folder is removed afterwards.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "vorel/core/paths.h"

namespace shell_test {

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string tmpl = (std::filesystem::temp_directory_path() / "vorel-shell-XXXXXX").string();
        char* made = ::mkdtemp(tmpl.data());
        ASSERT_NE(made, nullptr);
        dir_ = made;
        std::filesystem::create_directories(dir_ / "settings");
        ::setenv("VOREL_SETTINGS_DIR", (dir_ / "settings").c_str(), 1);
    }
    void TearDown() override {
        ::unsetenv("VOREL_SETTINGS_DIR");
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    // The temporary folder in program form, without a closing backslash.
    std::string Folder(const std::string& sub = {}) const {
        auto p = sub.empty() ? dir_ : dir_ / sub;
        return vorel::files::to_program_path(p);
    }
    std::filesystem::path Native(const std::string& sub) const { return dir_ / sub; }
    void WriteFile(const std::filesystem::path& p, const std::string& bytes) const {
        std::filesystem::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << bytes;
    }
    void WriteSettings(const std::string& name, const std::string& bytes) const {
        WriteFile(dir_ / "settings" / name, bytes);
    }
    static std::string ReadFile(const std::filesystem::path& p) {
        std::ifstream in(p, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    std::filesystem::path dir_;
};

}  // namespace shell_test
