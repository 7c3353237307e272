// Records written straight into a table for a test, on a thread of its own (each thread has its
// own table handles, as a procedure thread has), at the file the table's name variable names.
// Fixtures take it as a base:
//
//     struct MyFixture : ::testing::Test, vorel::testing::DataRoot, vorel::testing::TableSeed { ... };
//     Seed<dictionary::EmpresaRec>(dictionary::Empresa(), 3, [](dictionary::EmpresaRec& r, int i) { r.Codigo = i + 1; });
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <thread>

#include "vorel/data/file_manager.h"
#include "vorel/data/table_desc.h"

namespace vorel::testing {

struct TableSeed {
    // Adds `count` records to `table` (at the file `path`, when given): `fill(rec, i)` fills the i-th.
    template <class Rec>
    static void Seed(const data::TableDesc& table, int count, const std::function<void(Rec&, int)>& fill,
                     const std::string& path = {}) {
        std::thread([&] {
            data::FileManager fm(table);
            ASSERT_EQ(path.empty() ? fm.open() : fm.open_path(path), data::kNoError);
            for (int i = 0; i < count; ++i) {
                fm.clear_record();
                fill(fm.rec<Rec>(), i);
                ASSERT_EQ(fm.add(), data::kNoError) << "record " << i;
            }
            (void)fm.close();
        }).join();
    }
};

}  // namespace vorel::testing
