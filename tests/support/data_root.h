// What the subsystems' test fixtures share: a data root in a temporary folder, the working company
// (1) and period (March 2016) named into it, and, for the tests that drive windows, the headless
// driver over a runtime whose procedure threads get their own table dictionary. Every test program
// finds this folder on its include path (vorel_add_test).
//
//     struct MyFixture : ::testing::Test, vorel::testing::DataRoot, vorel::testing::HeadlessUser {
//         void SetUp() override { CreateDataRoot("vorel-mine"); SetWorkingCompany(); AddMyProcedures(); StartUser(); }
//         void TearDown() override { StopUser(); RemoveDataRoot(); }
//     };
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>

#include "vorel/dictionary/folders.h"
#include "vorel/dictionary/tables.h"
#include "vorel/shell/globals.h"
#include "vorel/ui/headless.h"
#include "vorel/ui/record_access.h"
#include "vorel/ui/runtime.h"

namespace vorel::testing {

// Runtime options that give every procedure thread the table dictionary.
inline ui::Runtime::Options WithDictionary() {
    ui::Runtime::Options o;
    o.threadStart = [](ui::ProcContext&) { dictionary::InitDictionary(); };
    o.threadEnd = [](ui::ProcContext&) { dictionary::TeardownDictionary(); };
    return o;
}

// Company `empresa`'s folders under the data root `root` (a program path ending in a separator)
// and its tables named into them; with a year, that year's too.
inline void NameCompanyTables(const std::string& root, int empresa) {
    auto c = dictionary::CaminhosArquivosEmpresa(root, empresa, 0, 0);
    ASSERT_FALSE(dictionary::CriaPastas(c));
    dictionary::AplicaCaminhos(c);
}
inline void NameYearTables(const std::string& root, int empresa, int ano) {
    auto a = dictionary::CaminhosArquivosAno(root, empresa, ano);
    ASSERT_FALSE(dictionary::CriaPastas(a));
    dictionary::AplicaCaminhos(a);
}

// Company 1 and year 2016 named under `root`, which becomes PastaRaiz; the working period is
// March 2016.
inline void SetWorkingCompany(const std::string& root) {
    NameCompanyTables(root, 1);
    NameYearTables(root, 1, 2016);
    shell::PastaRaiz.Set(root);
    shell::GLO_EMPRESA_CODIGO.Set(1);
    shell::GLO_ANO.Set(2016);
    shell::GLO_MES.Set(3);
}

struct DataRoot {
    std::filesystem::path dir;
    std::string root;  // the data root as a program path, ending in a separator

    // A new folder "<prefix>-XXXXXX" holding BComuns, BEscrita, BVorel and Temp, with the state and
    // settings folders beneath it and the shared tables named into it.
    void CreateDataRoot(const std::string& prefix) {
        std::string tmpl = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
        dir = tmpl;
        ::setenv("VOREL_STATE_DIR", (dir / "state").c_str(), 1);
        ::setenv("VOREL_SETTINGS_DIR", (dir / "settings").c_str(), 1);
        root = dir.string() + "/";
        for (const char* sub : {"BComuns", "BEscrita", "BVorel", "Temp"}) std::filesystem::create_directories(dir / sub);
        dictionary::AplicaCaminhos(dictionary::CaminhosArquivosComuns(root));
    }
    void SetWorkingCompany() { testing::SetWorkingCompany(root); }
    // The folder with everything in it; no working company is left chosen.
    void RemoveDataRoot() {
        shell::GLO_EMPRESA_CODIGO.Set(0);
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
};

struct HeadlessUser {
    std::unique_ptr<ui::Runtime> rt;
    std::unique_ptr<ui::HeadlessDriver> ui;

    // Message boxes answer the table engine's questions; the runtime and the driver start.
    void StartUser() {
        ui::InstallMessageBoxAsker();
        rt = std::make_unique<ui::Runtime>(WithDictionary());
        ui = std::make_unique<ui::HeadlessDriver>(*rt);
    }
    void StopUser() {
        ui.reset();
        rt.reset();
    }
};

}  // namespace vorel::testing
