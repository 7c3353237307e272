// The registers' test fixture: a data root in a temporary folder with the shared tables named
// under it, a runtime whose threads get the table dictionary, the register procedures added by
// name, message boxes for the table engine's questions, and the headless driver as the user.
// `Seed` writes records straight into a table on a thread of its own.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "data_root.h"
#include "table_seed.h"
#include "vorel/data/dictionary.h"
#include "vorel/data/file_manager.h"
#include "vorel/dictionary/folders.h"
#include "vorel/dictionary/tables.h"
#include "vorel/registers/procedures.h"
#include "vorel/ui/headless.h"
#include "vorel/ui/record_access.h"

namespace vorel::registers::testing {

namespace fs = std::filesystem;
using Rows = std::vector<std::vector<std::string>>;

struct RegisterFixture : ::testing::Test, vorel::testing::DataRoot, vorel::testing::HeadlessUser,
                         vorel::testing::TableSeed {
    void SetUp() override {
        CreateDataRoot("vorel-registers");
        AddRegisterProcedures();
        StartUser();
    }
    void TearDown() override {
        StopUser();
        RemoveDataRoot();
    }

    // Every record of a table in the order of a key, as `show(rec)` makes it.
    template <class Rec>
    std::vector<std::string> Read(const data::TableDesc& table, data::KeyName key,
                                  const std::function<std::string(const Rec&)>& show) {
        std::vector<std::string> out;
        std::thread([&] {
            data::FileManager fm(table);
            ASSERT_EQ(fm.open(), data::kNoError);
            fm.clear_record();
            (void)fm.set(table.key_index(key));
            while (fm.next().ok()) out.push_back(show(fm.rec<Rec>()));
            (void)fm.close();
        }).join();
        return out;
    }
    // Runs a procedure on a thread of its own with a request; its Response once it ends.
    std::optional<ui::Response> Finished(int thread) { return rt->Finished(thread); }
    ui::Response WaitFinished(int thread) {
        ui->WaitUntil([&] { return rt->Finished(thread).has_value(); }, "the procedure to end");
        return *rt->Finished(thread);
    }
};

}  // namespace vorel::registers::testing
