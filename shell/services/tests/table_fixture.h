// A temporary folder with the calling thread's table dictionary set up, for tests of the shell's
// routines that read and write tables. The named tables' name variables point into the folder.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "vorel/core/paths.h"
#include "vorel/data/dictionary.h"
#include "vorel/data/name_variable.h"
#include "vorel/dictionary/tables.h"

namespace shell_test {

class TableTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string tmpl = (std::filesystem::temp_directory_path() / "vorel-shell-tables-XXXXXX").string();
        char* made = ::mkdtemp(tmpl.data());
        ASSERT_NE(made, nullptr);
        dir_ = made;
        vorel::data::dictionary::init(vorel::dictionary::table_descs());
    }
    void TearDown() override {
        vorel::data::dictionary::teardown();
        for (auto& [var, old] : saved_) var->set(old);
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    // Points a name variable at a file of the folder (restored after the test).
    void Point(vorel::data::NameVariable& var, const std::string& file) {
        saved_.emplace_back(&var, var.get());
        var.set(vorel::files::to_program_path(dir_ / file));
    }
    std::filesystem::path dir_;
    std::vector<std::pair<vorel::data::NameVariable*, std::string>> saved_;
};

}  // namespace shell_test
