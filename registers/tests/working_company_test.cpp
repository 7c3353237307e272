// The registers kept per company ask for the working company when none is chosen, through the
// shell's company window, and open their window whatever the choice.
#include "company_fixture.h"

#include "vorel/shell/globals.h"

namespace vorel::registers::testing {
namespace {

using WorkingCompany = CompanyFixture;

TEST_F(WorkingCompany, RegistersOfTheCompanyAskForOneWhenNoneIsChosen) {
    int asked = 0;
    ui::ProcedureRegistry::Add("SelecionaEmpresa", [&](ui::ProcContext& c) {
        ++asked;
        c.response = ui::Response::Cancelled;  // no company chosen: the register goes on
    });
    for (const char* procedure :
         {"Produtos", "Fornecedores", "BFuncionarios", "ValorUnitario", "CadastroValorUnitSaida", "ICMSEletronico"}) {
        SCOPED_TRACE(procedure);
        shell::GLO_EMPRESA_CODIGO.Set(0);
        asked = 0;
        int t = rt->Start(procedure);
        ui->WaitUntil([&] { return !ui->Windows().empty(); }, "the register's window");
        EXPECT_EQ(asked, 1);
        ui->CloseWindow(ui->TopWindow());
        WaitFinished(t);
        // With a company chosen nothing is asked.
        shell::GLO_EMPRESA_CODIGO.Set(1);
        t = rt->Start(procedure);
        ui->WaitUntil([&] { return !ui->Windows().empty(); }, "the register's window");
        EXPECT_EQ(asked, 1);
        ui->CloseWindow(ui->TopWindow());
        WaitFinished(t);
    }
}

}  // namespace
}  // namespace vorel::registers::testing
