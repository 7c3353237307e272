// The batch repairs' test fixture: a data root in a temporary folder with company 1, year 2016 and
// the working month March, helpers that write records straight into a table (the working year's
// file, or another year's), read a file back in a key's order and run a library call on a thread
// with its own table dictionary, and the headless user for the windows.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "data_root.h"
#include "vorel/core/date.h"
#include "vorel/core/decimal.h"
#include "vorel/data/file_manager.h"
#include "vorel/data/transaction.h"
#include "vorel/dictionary/folders.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/dictionary/tables.h"
#include "vorel/maintenance/procedures.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/period.h"

namespace vorel {
inline void PrintTo(const Decimal& d, std::ostream* os) { *os << d.to_string(); }
}  // namespace vorel

namespace vorel::maintenance::testing {

namespace keys = dictionary::keys;

inline Decimal D(const char* s) { return Decimal::from_string(s); }
inline date::Day Dia(int y, int m, int d) { return date::make(y, m, d); }

struct ReparoFixture : ::testing::Test, vorel::testing::DataRoot, vorel::testing::HeadlessUser {
    const shell::EmpresaPeriodo periodo{.empresa = 1, .ano = 2016, .mes = 3};

    void SetUp() override {
        CreateDataRoot("vorel-maintenance");
        SetWorkingCompany();
        shell::PastaTemp.Set(root + "Temp\\");
        AddMaintenanceProcedures();
    }
    void TearDown() override {
        StopUser();
        RemoveDataRoot();
    }

    // The file of `table` in year `ano` of company 1 (its folder made).
    std::string NoAno(const data::TableDesc& table, int ano) {
        auto a = dictionary::CaminhosArquivosAno(root, 1, ano);
        EXPECT_FALSE(dictionary::CriaPastas(a));
        return dictionary::CaminhoNoAno(a, table);
    }

    // Adds `n` records filled by `fill(rec, i)` in one transaction, to the table's name variable's
    // file or to `arquivo`.
    template <class Rec>
    void Grava(const data::TableDesc& table, int n, const std::function<void(Rec&, int)>& fill,
               const std::string& arquivo = {}) {
        std::thread([&] {
            data::FileManager fm(table);
            ASSERT_TRUE((arquivo.empty() ? fm.open() : fm.open_path(arquivo)).ok());
            {
                data::Transaction t({&fm});
                for (int i = 0; i < n; ++i) {
                    fm.clear_record();
                    fill(fm.rec<Rec>(), i);
                    ASSERT_TRUE(fm.add().ok()) << table.label;
                }
                ASSERT_TRUE(t.commit().ok());
            }
            (void)fm.close();
        }).join();
    }

    // Every record of a file in a key's order.
    template <class Rec>
    std::vector<Rec> Le(const data::TableDesc& table, data::KeyName key, const std::string& arquivo = {}) {
        std::vector<Rec> out;
        std::thread([&] {
            data::FileManager fm(table);
            ASSERT_TRUE((arquivo.empty() ? fm.open() : fm.open_path(arquivo)).ok());
            fm.clear_record();
            ASSERT_TRUE(fm.set(key).ok());
            while (fm.next().ok()) out.push_back(fm.rec<Rec>());
            (void)fm.close();
        }).join();
        return out;
    }

    // `f()` on a thread with its own table dictionary.
    template <class F>
    auto NaThread(F f) {
        decltype(f()) r;
        std::thread([&] {
            dictionary::InitDictionary();
            r = f();
            dictionary::TeardownDictionary();
        }).join();
        return r;
    }
};

}  // namespace vorel::maintenance::testing
