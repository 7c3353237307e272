// The working company and period windows, and the company browse, driven headless.
#include <gtest/gtest.h>

#include <optional>

#include "company_fixture.h"
#include "vorel/dictionary/name_variables.h"
#include "vorel/shell/working_context.h"

using namespace vorel;
using namespace vorel::shell;
using namespace vorel::ui;

namespace {

class CompanySelection : public shell_test::CompanyTest {};

TEST_F(CompanySelection, PeriodWindowProposesTheStartDayAndSetsThePeriod) {
    GLO_EMPRESA_CODIGO.Set(15);
    int t = rt->Start("SelecionaPeriodo");
    int w = driver->TopWindow();
    EXPECT_EQ(driver->Text(driver->Control(w, 1)), "Selecione o Período");
    EXPECT_EQ(driver->Value(driver->ByPrompt(w, "01 Ano")), "2016");
    EXPECT_EQ(driver->Value(driver->ByPrompt(w, "02 Mês")), "3 Março");
    EXPECT_EQ(GLO_ANO.Get(), 0) << "nothing changes before the window closes";
    driver->PickItem(driver->ByPrompt(w, "02 Mês"), "2 Fevereiro");
    driver->Press(driver->ByText(w, "&Seleciona"));
    WaitEnd(t);
    EXPECT_EQ(GLO_ANO.Get(), 2016);
    EXPECT_EQ(GLO_MES.Get(), 2);
    EXPECT_EQ(InicioPeriodo.Get(), date::make(2016, 2, 1));
    EXPECT_EQ(FimPeriodo.Get(), date::make(2016, 2, 29));
    EXPECT_EQ(PastaAno.Get(), Folder("dados") + "\\00000015\\Vorel\\2016");
    EXPECT_TRUE(std::filesystem::is_directory(Native("dados/00000015/Vorel/2016")));
}

TEST_F(CompanySelection, PeriodWindowDoesNotCloseWithoutAYear) {
    int t = rt->Start("SelecionaPeriodo");
    int w = driver->TopWindow();
    // Refused years keep the window open with the message, whichever button closes it; a text
    // that is no number does not fall back on the year shown before (2016, proposed).
    for (const char* ano : {"abcd", "0", "20167", "1800", "-2016"}) {
        driver->Type(driver->ByPrompt(w, "01 Ano"), ano);
        driver->Press(driver->ByText(w, std::string(ano) == "abcd" ? "&Seleciona" : "&Cancela"));
        ASSERT_TRUE(driver->HasMessageBox()) << ano;
        EXPECT_EQ(driver->PendingMessageBox().text, "É necessário informar o ano") << ano;
        EXPECT_EQ(driver->PendingMessageBox().title, "Atenção");
        driver->Answer(1);
        EXPECT_FALSE(rt->Finished(t).has_value()) << ano;
        EXPECT_EQ(driver->Focus(w), driver->ByPrompt(w, "01 Ano").feq) << ano;
        EXPECT_EQ(GLO_ANO.Get(), 0) << ano;
    }
    driver->Type(driver->ByPrompt(w, "01 Ano"), "2015");
    driver->CloseWindow(w);
    WaitEnd(t);
    EXPECT_EQ(GLO_ANO.Get(), 2015);
    EXPECT_EQ(GLO_MES.Get(), 3);
}

TEST_F(CompanySelection, UnknownCodeOpensTheBrowseAndNeverBecomesTheWorkingCompany) {
    Seed({{15, "Mercado Central", "11222333000181", 0, 2}, {16, "Padaria Sol", "12345678000195", 1}});
    GLO_ANO.Set(2016);
    GLO_MES.Set(3);
    int t = rt->Start("SelecionaEmpresa");
    int w = driver->TopWindow();
    EXPECT_EQ(driver->Text(driver->Control(w, 1)), "Selecione a Empresa");
    // "&Seleciona" without a code.
    driver->Press(driver->ByText(w, "&Seleciona"));
    EXPECT_EQ(driver->PendingMessageBox().text, "É necessário informar o Código da Empresa!!!");
    driver->Answer(1);
    // A code that does not exist opens the browse instead of a message.
    driver->Type(driver->ByPrompt(w, "01 Código"), "99");
    driver->Key(w, key::Tab);
    int b = WaitWindow("Visualização de Empresas Cadastradas");
    EXPECT_FALSE(driver->HasMessageBox());
    EXPECT_FALSE(driver->Hidden(driver->ByText(b, "&Seleciona Empresa")));
    auto rows = driver->Rows(driver->Control(b, 10));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0][1], "15");
    EXPECT_EQ(rows[0][5], "11.222.333/0001-81");
    EXPECT_EQ(driver->CellAt(driver->Control(b, 10), 2, 3).fg, 255) << "an inactive company is red";
    EXPECT_EQ(driver->CellAt(driver->Control(b, 10), 1, 3).fg, kDefaultColour);
    driver->Press(driver->ByText(b, "&Fecha"));
    EXPECT_FALSE(driver->HasWindow("Visualização de Empresas Cadastradas"));
    // The unknown code was not taken: "&Seleciona" refuses to close.
    driver->Press(driver->ByText(w, "&Seleciona"));
    EXPECT_EQ(driver->PendingMessageBox().text, "Seleciona uma Empresa");
    driver->Answer(1);
    EXPECT_EQ(GLO_EMPRESA_CODIGO.Get(), 0u);
    // Through the browse: the second row, then "&Seleciona Empresa".
    driver->Press(driver->Control(w, 4));
    b = WaitWindow("Visualização de Empresas Cadastradas");
    driver->PickRow(driver->Control(b, 10), 2);
    driver->Press(driver->ByText(b, "&Seleciona Empresa"));
    EXPECT_EQ(driver->Value(driver->ByPrompt(w, "01 Código")), "16");
    EXPECT_EQ(driver->Value(driver->ByPrompt(w, "02 Razão Social")), "Padaria Sol");
    EXPECT_FALSE(driver->Hidden(driver->ByText(w, "Empresa Inativa")));
    // Typing a code that exists loads it.
    driver->Type(driver->ByPrompt(w, "01 Código"), "15");
    driver->Key(w, key::Tab);
    EXPECT_EQ(driver->Value(driver->ByPrompt(w, "02 Razão Social")), "Mercado Central");
    EXPECT_TRUE(driver->Hidden(driver->ByText(w, "Empresa Inativa")));
    driver->Press(driver->ByText(w, "&Seleciona"));
    WaitEnd(t);
    EXPECT_EQ(GLO_EMPRESA_CODIGO.Get(), 15u);
    EXPECT_EQ(GLO_EMPRESA_RAZAO.Get(), "Mercado Central");
    EXPECT_EQ(CNPJEmpresa.Get(), "11222333000181");
    EXPECT_EQ(TipoFornecedorEmpresa.Get(), 2);
    EXPECT_EQ(PastaEmpresa.Get(), Folder("dados") + "\\00000015");
    EXPECT_EQ(PastaAno.Get(), Folder("dados") + "\\00000015\\Vorel\\2016");
    EXPECT_TRUE(std::filesystem::is_directory(Native("dados/00000015/Escrita")));
    EXPECT_EQ(dictionary::CaminhoEntradaVorel.get(), Folder("dados") + "\\00000015\\Vorel\\2016\\Entradas.Tps");
}

TEST_F(CompanySelection, AProcedureWithoutACompanyAsksForOneAndThePeriodOnItsOwnThread) {
    Seed({{7, "Oficina Leste"}});
    bool escolhida = false;
    int t = rt->Start("Relatorio", [&](ProcContext& ctx) { escolhida = GaranteEmpresa(ctx); });
    int w = driver->TopWindow();
    driver->Type(driver->ByPrompt(w, "01 Código"), "7");
    driver->Press(driver->ByText(w, "&Seleciona"));
    // No year yet: the period window follows on the same thread.
    int p = driver->TopWindow();
    EXPECT_NE(p, w);
    EXPECT_EQ(driver->Value(driver->ByPrompt(p, "01 Ano")), "2016");
    driver->Press(driver->ByText(p, "&Seleciona"));
    WaitEnd(t);
    EXPECT_TRUE(escolhida);
    EXPECT_EQ(GLO_EMPRESA_CODIGO.Get(), 7u);
    EXPECT_EQ(GLO_ANO.Get(), 2016);
    EXPECT_EQ(GLO_MES.Get(), 3);
    // With a company chosen, nothing is asked.
    t = rt->Start("Relatorio2", [&](ProcContext& ctx) { escolhida = GaranteEmpresa(ctx); });
    WaitEnd(t);
    EXPECT_TRUE(escolhida);
}

TEST_F(CompanySelection, CancelWithoutACompanyLeavesAndTheProcedureGoesNoFurther) {
    Seed({{7, "Oficina Leste"}});
    for (bool closeBox : {false, true}) {
        SCOPED_TRACE(closeBox ? "close box" : "&Cancela");
        std::optional<bool> escolhida;
        int t = rt->Start("Relatorio", [&](ProcContext& ctx) { escolhida = GaranteEmpresa(ctx); });
        int w = driver->TopWindow();
        driver->Type(driver->ByPrompt(w, "01 Código"), "99");  // not found: the browse opens
        driver->Key(w, key::Tab);
        driver->Press(driver->ByText(WaitWindow("Visualização de Empresas Cadastradas"), "&Fecha"));
        if (closeBox) driver->CloseWindow(w);
        else driver->Press(driver->ByText(w, "&Cancela"));
        WaitEnd(t);
        EXPECT_FALSE(driver->HasMessageBox());
        EXPECT_EQ(escolhida, false);
        EXPECT_EQ(GLO_EMPRESA_CODIGO.Get(), 0u);
    }
}

TEST_F(CompanySelection, TwoWindowsAskingAtOnceTakeTheCompanyChosenInEither) {
    Seed({{7, "Oficina Leste"}});
    GLO_ANO.Set(2016);
    GLO_MES.Set(3);
    bool primeira = false, segunda = false;
    int t1 = rt->Start("Relatorio", [&](ProcContext& ctx) { primeira = GaranteEmpresa(ctx); });
    int w1 = driver->TopWindow();
    int t2 = rt->Start("Listagem", [&](ProcContext& ctx) { segunda = GaranteEmpresa(ctx); });
    int w2 = driver->TopWindow();
    ASSERT_NE(w1, w2);
    driver->Type(driver->ByPrompt(w2, "01 Código"), "7");
    driver->Press(driver->ByText(w2, "&Seleciona"));
    WaitEnd(t2);
    // The window left over shows the company chosen in the other, ready to be confirmed.
    driver->WaitUntil([&] { return driver->Value(driver->ByPrompt(w1, "02 Razão Social")) == "Oficina Leste"; },
                      "the company chosen elsewhere");
    EXPECT_EQ(driver->Value(driver->ByPrompt(w1, "01 Código")), "7");
    driver->Press(driver->ByText(w1, "&Seleciona"));
    WaitEnd(t1);
    EXPECT_TRUE(primeira);
    EXPECT_TRUE(segunda);
    EXPECT_EQ(GLO_EMPRESA_CODIGO.Get(), 7u);
}

TEST_F(CompanySelection, BrowseTagsAndTheirFilter) {
    Seed({{1, "Alfa"}, {2, "Beta"}, {3, "Gama"}});
    int t = rt->Start("Empresa");
    int b = WaitWindow("Visualização de Empresas Cadastradas");
    auto list = driver->Control(b, 10);
    EXPECT_TRUE(driver->Hidden(driver->ByText(b, "&Seleciona Empresa")));
    driver->PickRow(list, 1);
    driver->Key(b, key::Space);  // tags the first row, the highlight moves down
    EXPECT_EQ(driver->Rows(list)[0][0], "*");
    EXPECT_EQ(driver->CellAt(list, 1, 1).icon, 2);
    EXPECT_EQ(driver->CellAt(list, 2, 1).icon, 1);
    EXPECT_EQ(driver->State(list).selected, 2);
    auto filtro = driver->ByText(b, "sho&W tags");
    driver->Press(filtro);
    EXPECT_EQ(driver->Text(driver->Control(b, 6)), "Selecionadas");
    EXPECT_EQ(driver->Rows(list).size(), 1u);
    driver->Press(driver->Control(b, 6));
    EXPECT_EQ(driver->Text(driver->Control(b, 6)), "Não Selecionadas");
    EXPECT_EQ(driver->Rows(list).size(), 2u);
    driver->Press(driver->Control(b, 6));
    EXPECT_EQ(driver->Text(driver->Control(b, 6)), "Todas");
    driver->Press(driver->ByText(b, "&Rev tags"));
    auto marcas = [&] {
        std::string m;
        for (auto& r : driver->Rows(list)) m += r[0];
        return m;
    };
    EXPECT_EQ(marcas(), " **");
    driver->Press(driver->ByText(b, "Marca &Todas"));
    EXPECT_EQ(marcas(), "***");
    driver->Press(driver->ByText(b, "&Desmarca Todas"));
    EXPECT_EQ(marcas(), "   ");
    driver->Press(driver->ByText(b, "&Fecha"));
    WaitEnd(t);
    EXPECT_EQ(rt->Finished(t), Response::Completed);
}

}  // namespace
