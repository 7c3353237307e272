// A data root in a temporary folder with the shared, company 1 and year 2016 tables named into it,
// the running thread's dictionary set up and a scripted asker answering the table layer.
#pragma once

#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "vorel/core/paths.h"
#include "vorel/data/asker.h"
#include "vorel/data/dictionary.h"
#include "vorel/data/error_manager.h"
#include "vorel/dictionary/folders.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/payroll_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/dictionary/tables.h"

namespace vorel::dictionary {

using namespace vorel::data;
namespace fs = std::filesystem;
using Values = std::vector<std::int64_t>;

class DictionaryFiles : public testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("vorel_dictionary_files_" + std::to_string(::getpid()) + "_" +
                testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        for (const char* f : {"BComuns", "BEscrita", "BVorel"}) fs::create_directories(dir_ / f);
        const std::string root = files::to_program_path(dir_) + "\\";
        const CaminhosEmpresa e = CaminhosArquivosEmpresa(root, 1, 1, 1);
        const CaminhosAno a = CaminhosArquivosAno(root, 1, 2016);
        ASSERT_FALSE(CriaPastas(e));
        ASSERT_FALSE(CriaPastas(a));
        AplicaCaminhos(CaminhosArquivosComuns(root));
        AplicaCaminhos(e);
        AplicaCaminhos(a);
        InitDictionary();
        ErrorManager::current().set_asker(&asker_);
    }
    void TearDown() override {
        ErrorManager::current().set_asker(nullptr);
        TeardownDictionary();
        fs::remove_all(dir_);
    }

    // Adds a record filled by `fill` directly (no numbering, no cascade).
    template <class R, class F>
    void add(const TableDesc& t, F fill) {
        FileManager& fm = data::dictionary::file(t);
        if (!fm.is_open()) {
            ASSERT_EQ(fm.open(), data::kNoError) << last_error().text;
        }
        fm.clear_record();
        fill(fm.rec<R>());
        ASSERT_EQ(fm.add(), data::kNoError) << t.label << ": " << last_error().text;
    }
    // One field of every record of a table, sorted.
    Values column(const TableDesc& t, std::string_view field) {
        FileManager& fm = data::dictionary::file(t);
        if (!fm.is_open()) {
            EXPECT_EQ(fm.open(), data::kNoError);
        }
        Values v;
        EXPECT_EQ(fm.set(0), data::kNoError);
        while (fm.next().ok()) v.push_back(field_int(t.field(field), fm.buffer()));
        std::sort(v.begin(), v.end());
        return v;
    }
    // Reads the record whose key matches what `fill` puts in the buffer.
    template <class R, class F>
    void fetch(const TableDesc& t, data::KeyName key, F fill) {
        FileManager& fm = data::dictionary::file(t);
        fm.clear_record();
        fill(fm.rec<R>());
        ASSERT_EQ(fm.get(key), data::kNoError) << t.label;
    }

    fs::path dir_;
    ScriptedAsker asker_;
};

}  // namespace vorel::dictionary
