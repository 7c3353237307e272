// The listings' test fixture: a data root in a temporary folder with company 1 (year 2016, period
// March 2016) as the working company and its register record, the listing procedures added by
// name, and the headless driver as the user. `Seed` writes records straight into a table and
// `OnThread` runs a report on a thread of its own (each thread has its own table handles).
#pragma once

#include <gtest/gtest.h>

#include <QGuiApplication>

#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "data_root.h"
#include "reference_file.h"
#include "table_seed.h"
#include "vorel/data/file_manager.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/listings/procedures.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/printer_codes.h"

namespace vorel::listings::testing {

using Strings = std::vector<std::string>;
using report::testing::matches_reference;

struct ListingFixture : ::testing::Test, vorel::testing::DataRoot, vorel::testing::HeadlessUser,
                         vorel::testing::TableSeed {
    void SetUp() override {
        // The previewer and the PDF need a Qt application.
        if (QGuiApplication::instance() == nullptr) {
            static int argc = 1;
            static char nome[] = "listings_tests";
            static char* argv[] = {nome, nullptr};
            static QGuiApplication app(argc, argv);
        }
        CreateDataRoot("vorel-listings");
        SetWorkingCompany();
        shell::PastaTemp.Set(root + "Temp/");
        shell::ModoImpressao.Set(shell::kModoWindows);
        AddListingProcedures();
        StartUser();
        Seed<dictionary::EmpresaRec>(dictionary::Empresa(), 1, [](dictionary::EmpresaRec& r, int) {
            r.Codigo = 1;
            r.RAZAOSOCIAL = "COMERCIO MODELO LTDA";
            r.CGC = "12345678000195";
            r.EMAIL = "contabil@example.com";
        });
    }
    void TearDown() override {
        StopUser();
        shell::ModoImpressao.Set(shell::kModoWindows);
        RemoveDataRoot();
    }

    template <class F>
    static auto OnThread(F f) {
        std::optional<decltype(f())> out;
        std::thread([&] { out.emplace(f()); }).join();
        return std::move(*out);
    }

    static std::string ReadFile(const std::filesystem::path& p) {
        std::ifstream in(p, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    // Presses "&Fechar" in the previewer of `relatorio` once it shows.
    void ClosePreview(const std::string& relatorio) {
        const std::string caption = "Visualização - " + relatorio;
        ui->WaitUntil([&] { return ui->HasWindow(caption); }, "the preview of " + relatorio);
        ui->Press(ui->ByText(ui->WindowByCaption(caption), "&Fechar"));
    }
};

}  // namespace vorel::listings::testing
