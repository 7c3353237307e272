// The registers kept per company ask for the working company when none is chosen, through the
// shell's company window, and do not open when the user leaves it without a company.
#include "company_fixture.h"

#include "vorel/shell/globals.h"

namespace vorel::registers::testing {
namespace {

using WorkingCompany = CompanyFixture;

TEST_F(WorkingCompany, RegistersOfTheCompanyAskForOneWhenNoneIsChosen) {
    int asked = 0;
    std::uint32_t chosen = 0;
    ui::ProcedureRegistry::Add("SelecionaEmpresa", [&](ui::ProcContext& c) {
        ++asked;
        shell::GLO_EMPRESA_CODIGO.Set(chosen);
        c.response = chosen ? ui::Response::Completed : ui::Response::Cancelled;
    });
    for (const char* procedure :
         {"Produtos", "Fornecedores", "BFuncionarios", "ValorUnitario", "CadastroValorUnitSaida", "ICMSEletronico"}) {
        SCOPED_TRACE(procedure);
        // Cancelled: the register does not open.
        shell::GLO_EMPRESA_CODIGO.Set(0);
        asked = 0;
        chosen = 0;
        int t = rt->Start(procedure);
        WaitFinished(t);
        EXPECT_EQ(asked, 1);
        EXPECT_TRUE(ui->Windows().empty());
        // A company chosen: it opens.
        chosen = 1;
        t = rt->Start(procedure);
        ui->WaitUntil([&] { return !ui->Windows().empty(); }, "the register's window");
        EXPECT_EQ(asked, 2);
        ui->CloseWindow(ui->TopWindow());
        WaitFinished(t);
        // With a company chosen nothing is asked.
        shell::GLO_EMPRESA_CODIGO.Set(1);
        t = rt->Start(procedure);
        ui->WaitUntil([&] { return !ui->Windows().empty(); }, "the register's window");
        EXPECT_EQ(asked, 2);
        ui->CloseWindow(ui->TopWindow());
        WaitFinished(t);
    }
}

}  // namespace
}  // namespace vorel::registers::testing
