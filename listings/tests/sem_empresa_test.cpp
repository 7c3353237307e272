// The listings' option windows without a working company: each asks for one, opens when the user
// leaves the company window without choosing, and the balance listing asks again when it prints.
#include "listing_fixture.h"

#include <atomic>

#include "vorel/core/text.h"
#include "vorel/ui/headless.h"
#include "vorel/ui/runtime.h"

namespace vorel::listings::testing {
namespace {

struct SemEmpresa : ListingFixture {
    void SetUp() override {
        ListingFixture::SetUp();
        perguntas = 0;
        // The user leaves the company window without choosing a company.
        ui::ProcedureRegistry::Add("SelecionaEmpresa", [](ui::ProcContext&) { ++perguntas; });
        shell::GLO_EMPRESA_CODIGO.Set(0);
    }
    static inline std::atomic<int> perguntas{0};
};

TEST_F(SemEmpresa, TheListingsWindowsOpenWithoutACompany) {
    const struct {
        const char* procedimento;
        const char* caption;
        const char* fecha;
        const char* email;  // the e-mail text the window starts with
    } casos[] = {
        {"RelatorioCF", "Relatório de Cupons Fiscais", "&Cancelar",
         "Relatório de Lançamentos Mestres - Empresa: 00000 -  - Período: 03/2016."},
        {"ListagemEmpresas", "Listagem de Empresas", "&Cancelar", "Listagem de Empresas - Período: 03/2016."},
        {"JRelProdutos", "Relação de Produtos", "&Fecha", "Relação de Produtos - Empresa: 00000 -  - Período: 03/2016."},
        {"JRelSaldos", "Caption", "&Fecha", "Relação de Saldos - Empresa: 00000 -  - Período: 03/2016."},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.procedimento);
        perguntas = 0;
        const int t = ui->Start(c.procedimento);
        ui->WaitUntil([&] { return ui->HasWindow(c.caption) || rt->Finished(t).has_value(); }, "the window");
        ASSERT_TRUE(ui->HasWindow(c.caption));
        EXPECT_EQ(perguntas, 1);
        const int w = ui->WindowByCaption(c.caption);
        EXPECT_EQ(text::clip(ui->Value(ui->ByPrompt(w, "Destinatário:"))), "");
        EXPECT_EQ(text::clip(ui->Value(ui->ByPrompt(w, "Texto:"))), c.email);
        ui->Press(ui->ByText(w, c.fecha));
        ui->WaitUntil([&] { return rt->Finished(t).has_value(); }, "the window to close");
    }
}

TEST_F(SemEmpresa, TheBalanceListingAsksForACompanyAgainWhenItPrints) {
    ui->Start("JRelSaldos");
    const int w = ui->WindowByCaption("Caption");
    ui->Press(ui->ByText(w, "&Imprimir"));
    ui->WaitIdle();
    EXPECT_EQ(perguntas, 2);
    EXPECT_FALSE(ui->HasMessageBox());  // no balances: no report and no message
    ui->Press(ui->ByText(w, "&Fecha"));
}

}  // namespace
}  // namespace vorel::listings::testing
