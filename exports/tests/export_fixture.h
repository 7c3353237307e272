// The exports' test fixture: a data root in a temporary folder with company 1 (year 2016, period
// March 2016) as the working company and its register record, the export procedures added by name,
// and the headless driver as the user. `Seed` writes records straight into a table; `File` reads an
// export's bytes; `Reference` compares them with a file under tests/reference (the bytes as
// written: Windows-1252, CR LF).
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <thread>

#include "data_root.h"
#include "reference_file.h"
#include "table_seed.h"
#include "vorel/data/file_manager.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/exports/procedures.h"
#include "vorel/shell/globals.h"

namespace vorel::exports::testing {

using report::testing::matches_reference;

struct ExportFixture : ::testing::Test, vorel::testing::DataRoot, vorel::testing::HeadlessUser,
                         vorel::testing::TableSeed {
    void SetUp() override {
        CreateDataRoot("vorel-exports");
        SetWorkingCompany();
        shell::PastaTemp.Set(root + "Temp/");
        std::filesystem::create_directories(dir / "Excel");
        AddExportProcedures();
        StartUser();
        Seed<dictionary::EmpresaRec>(dictionary::Empresa(), 1, [](dictionary::EmpresaRec& r, int) {
            r.Codigo = 1;
            r.RAZAOSOCIAL = "  COMERCIO MODELO LTDA";
            r.CIDADE = "SAO JOSE DOS CAMPOS";
            r.INSCESTADUAL = "123.456.789.110";
            r.ENDERECO = "RUA DAS FLORES";
            r.NUMERO = 120;
            r.COMPLEMENTO = "SALA 3";
            r.BAIRRO = "CENTRO";
        });
    }
    void TearDown() override {
        StopUser();
        RemoveDataRoot();
    }

    // `f()` on a thread of its own, with its own table dictionary (as a procedure thread has).
    template <class F>
    static auto OnThread(F f) {
        std::optional<decltype(f())> out;
        std::thread([&] {
            dictionary::InitDictionary();
            out.emplace(f());
            dictionary::TeardownDictionary();
        }).join();
        return std::move(*out);
    }

    static std::string File(const std::filesystem::path& p) {
        std::ifstream in(p, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    // The files in a folder, for "nothing else was left there".
    static std::size_t Files(const std::filesystem::path& folder) {
        std::size_t n = 0;
        for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(folder)) ++n;
        return n;
    }
};

}  // namespace vorel::exports::testing
