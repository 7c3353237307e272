// A data root with the shared tables named, a runtime whose threads set up their table dictionary,
// the shell's procedures registered, and a headless user; companies written straight to the table.
#pragma once

#include <memory>
#include <thread>

#include "data_root.h"
#include "shell_fixture.h"
#include "vorel/core/date.h"
#include "vorel/data/dictionary.h"
#include "vorel/dictionary/folders.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/dictionary/tables.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/procedures.h"
#include "vorel/ui/headless.h"
#include "vorel/ui/record_access.h"

namespace shell_test {

class CompanyTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        using namespace vorel;
        shell::RegisterShellProcedures();
        ui::InstallMessageBoxAsker();
        shell::PastaRaiz.Set(Folder("dados") + "\\");
        for (const char* pasta : {"dados/BComuns", "dados/BVOREL", "dados/BEscrita"})
            std::filesystem::create_directories(Native(pasta));
        dictionary::AplicaCaminhos(dictionary::CaminhosArquivosComuns(shell::PastaRaiz.Get()));
        shell::GLO_EMPRESA_CODIGO.Set(0);
        shell::GLO_EMPRESA_RAZAO.Set("");
        shell::GLO_ANO.Set(0);
        shell::GLO_MES.Set(0);
        shell::DataHoje.Set(date::make(2016, 3, 15));
        shell::GLO_LOGIN.Set("");
        rt = std::make_unique<ui::Runtime>(vorel::testing::WithDictionary());
        driver = std::make_unique<ui::HeadlessDriver>(*rt);
    }
    void TearDown() override {
        driver.reset();
        rt.reset();
        ShellTest::TearDown();
    }
    // Runs `f` on a thread with its own dictionary (seeding, reading back).
    template <class F>
    void OnTables(F&& f) {
        std::thread([&] {
            vorel::dictionary::InitDictionary();
            f();
            vorel::dictionary::TeardownDictionary();
        }).join();
    }
    struct Empresa {
        int codigo;
        const char* razao;
        const char* cgc = "11222333000181";
        int inativa = 0;
        int tipoFornecedor = 1;
        const char* logo = "";
    };
    void Seed(const std::vector<Empresa>& empresas) {
        OnTables([&] {
            auto& f = vorel::data::dictionary::file(vorel::dictionary::Empresa());
            ASSERT_EQ(f.open(), vorel::data::kNoError);
            for (const Empresa& e : empresas) {
                f.prime_record();
                auto& r = f.rec<vorel::dictionary::EmpresaRec>();
                r.Codigo = static_cast<std::uint16_t>(e.codigo);
                r.RAZAOSOCIAL = e.razao;
                r.CGC = e.cgc;
                r.EMPRESAINATIVA = static_cast<std::uint8_t>(e.inativa);
                r.TIPOFORNECEDOR = static_cast<std::uint8_t>(e.tipoFornecedor);
                r.LOGO = e.logo;
                ASSERT_EQ(f.add(), vorel::data::kNoError);
            }
            (void)f.close();
        });
    }
    int WaitWindow(const std::string& caption) {
        driver->WaitUntil([&] { return driver->HasWindow(caption); }, caption);
        return driver->WindowByCaption(caption);
    }
    void WaitEnd(int thread) {
        driver->WaitUntil([&] { return rt->Finished(thread).has_value(); }, "the procedure's end");
    }
    std::unique_ptr<vorel::ui::Runtime> rt;
    std::unique_ptr<vorel::ui::HeadlessDriver> driver;
};

}  // namespace shell_test
