// The calculator window, the month-closing windows and the office parameters, driven headless.
#include <gtest/gtest.h>

#include <chrono>

#include "company_fixture.h"
#include "vorel/core/settings_file.h"
#include "vorel/core/text.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/shell/clipboard.h"
#include "vorel/shell/shell_windows.h"

using namespace vorel;
using namespace vorel::shell;
using namespace vorel::ui;

namespace {

class UtilityWindows : public shell_test::CompanyTest {
protected:
    std::string Tira(const std::string& s) { return std::string(text::trim(s)); }
};

TEST_F(UtilityWindows, CalculatorButtonsKeysAndClipboard) {
    GravaAreaTransferencia("150");
    int t = rt->Start("Calculadora");
    int w = WaitWindow("Calculadora");
    auto valor = driver->ByPrompt(w, "Valor");
    EXPECT_EQ(Tira(driver->Value(valor)), "150,00");
    // 5 + 8 - = with buttons and keys.
    driver->Press(driver->ByText(w, "5"));
    driver->Press(driver->ByText(w, "+"));
    driver->FocusOn(driver->ByText(w, "+"));
    driver->Key(w, '8');
    driver->Key(w, 109);  // the keypad's minus
    driver->Press(driver->ByText(w, "="));
    EXPECT_EQ(Tira(driver->Value(driver->ByPrompt(w, "Resultado"))), "-3,00");
    auto fita = driver->Rows(driver->Control(w, 32));
    ASSERT_GE(fita.size(), 4u);
    EXPECT_EQ(Tira(fita[0][0]) + fita[0][1], "5,00+");
    EXPECT_EQ(Tira(fita[3][0]) + fita[3][1], "-3,00T");
    // Division by zero: a message, and nothing changes.
    driver->Press(driver->ByText(w, "1"));
    driver->Press(driver->ByText(w, "/"));
    driver->Press(driver->ByText(w, "0"));
    const auto antes = driver->Rows(driver->Control(w, 32));
    driver->Press(driver->ByText(w, "="));
    ASSERT_TRUE(driver->HasMessageBox());
    EXPECT_EQ(driver->PendingMessageBox().text, "Divisão por zero não é possível");
    driver->Answer(1);
    EXPECT_EQ(driver->Rows(driver->Control(w, 32)), antes);
    driver->Press(driver->ByText(w, "C"));
    driver->Press(driver->ByText(w, "4"));
    driver->Press(driver->ByText(w, "="));
    EXPECT_EQ(Tira(driver->Value(driver->ByPrompt(w, "Resultado"))), "0,25");
    // Zero decimal places are kept for the next opening.
    driver->Type(driver->ByPrompt(w, "Casas decimais"), "0");
    driver->Key(w, key::Tab);
    EXPECT_EQ(Tira(driver->Value(driver->ByPrompt(w, "Resultado"))), "0");
    driver->Press(driver->Control(w, 26));
    WaitEnd(t);
    EXPECT_EQ(LeAreaTransferencia(), "0.25");
    EXPECT_EQ(settings::SettingsFile("Escrita.Ini").read_number("Calculadora", "CasasDecimais", 2), 0);
}

TEST_F(UtilityWindows, ClosingARangeLogsTheVerifiedUserAndReopeningRemovesIt) {
    int t = rt->Start("AberturaFechamento");
    int v = WaitWindow(" Verifica Usuário");
    driver->Type(driver->Control(v, 2), "PAINELCHEFIA");
    driver->Type(driver->Control(v, 4), "PAINELCHEFIA");
    driver->Press(driver->ByText(v, "&OK"));
    int w = WaitWindow(" Fechamento / Abertura");
    auto list = driver->Control(w, 3);
    EXPECT_TRUE(driver->Rows(list).empty());
    EXPECT_FALSE(driver->Enabled(driver->ByText(w, "Abre Vários Meses")));
    driver->Press(driver->ByText(w, "Fecha Vários Meses"));
    int r = WaitWindow(" Fecha Vários Meses");
    driver->Press(driver->ByText(r, "&OK"));
    EXPECT_EQ(driver->PendingMessageBox().text, "Preencha o Mês / Ano Inicial");
    driver->Answer(1);
    driver->Type(driver->Control(r, 2), "11/2015");
    driver->Type(driver->Control(r, 4), "02/2016");
    driver->Press(driver->ByText(r, "&OK"));
    EXPECT_FALSE(driver->HasWindow(" Fecha Vários Meses"));
    EXPECT_EQ(driver->Rows(list), (std::vector<std::vector<std::string>>{{"11/2015"}, {"12/2015"}, {"01/2016"}, {"02/2016"}}));
    EXPECT_TRUE(driver->Enabled(driver->ByText(w, "Abre Vários Meses")));
    // One month through the form: closing a closed month is refused and logs nothing.
    driver->Press(driver->ByText(w, "&Inclui"));
    int f = WaitWindow(" Inclui Mês / Ano");
    driver->Type(driver->Control(f, 2), "12/2015");
    driver->Press(driver->ByText(f, "&OK"));
    EXPECT_EQ(driver->PendingMessageBox().text, "Mês já está fechado");
    driver->Answer(1);
    driver->Press(driver->ByText(f, "&Cancela"));
    driver->Press(driver->ByText(w, "Abre Vários Meses"));
    r = WaitWindow(" Abre Vários Meses");
    driver->Type(driver->Control(r, 2), "12/2015");
    driver->Type(driver->Control(r, 4), "01/2016");
    driver->Press(driver->ByText(r, "&OK"));
    EXPECT_EQ(driver->Rows(list), (std::vector<std::vector<std::string>>{{"11/2015"}, {"02/2016"}}));
    driver->Press(driver->ByText(w, "&Fecha"));
    WaitEnd(t);

    t = rt->Start("VisualizacaoLog");
    int l = WaitWindow("Visualização de Log");
    auto linhas = driver->Rows(driver->Control(l, 3));
    ASSERT_EQ(linhas.size(), 6u);
    int fechamentos = 0, aberturas = 0;
    for (const auto& x : linhas) {
        EXPECT_EQ(x[0], "PAINELCHEFIA");
        if (x[5] == "Fechamento" && x[4] == "1") ++fechamentos;
        if (x[5] == "Abertura" && x[4] == "0") ++aberturas;
    }
    EXPECT_EQ(fechamentos, 4);
    EXPECT_EQ(aberturas, 2);
    driver->Press(driver->Control(l, 4));
    WaitEnd(t);
}

TEST_F(UtilityWindows, TheProgramEndsWithinASecondWhileALongClosingRuns) {
    int t = rt->Start("AberturaFechamento");
    int v = WaitWindow(" Verifica Usuário");
    driver->Type(driver->Control(v, 2), "PAINELCHEFIA");
    driver->Type(driver->Control(v, 4), "PAINELCHEFIA");
    driver->Press(driver->ByText(v, "&OK"));
    int w = WaitWindow(" Fechamento / Abertura");
    driver->Press(driver->ByText(w, "Fecha Vários Meses"));
    int r = WaitWindow(" Fecha Vários Meses");
    driver->Type(driver->Control(r, 2), "01/1801");  // 98,388 months: seconds of work
    driver->Type(driver->Control(r, 4), "11/9999");
    driver->AllowBusy(t);
    driver->Press(driver->ByText(r, "&OK"));
    driver->WaitUntil([&] { return !rt->Busy(std::chrono::milliseconds(100)).empty(); }, "the closing at work");

    const auto pedido = std::chrono::steady_clock::now();
    rt->Shutdown();
    EXPECT_LT(std::chrono::steady_clock::now() - pedido, std::chrono::seconds(1));
    OnTables([] {
        auto& f = data::dictionary::file(dictionary::FechamentoEscrita());
        ASSERT_EQ(f.open(), data::kNoError);
        EXPECT_EQ(f.records(), 0) << "the stopped closing is undone whole";
        (void)f.close();
    });
}

TEST_F(UtilityWindows, ClosingDecember9999IsRefused) {
    int t = rt->Start("AberturaFechamento");
    int v = WaitWindow(" Verifica Usuário");
    driver->Type(driver->Control(v, 2), "PAINELCHEFIA");
    driver->Type(driver->Control(v, 4), "PAINELCHEFIA");
    driver->Press(driver->ByText(v, "&OK"));
    int w = WaitWindow(" Fechamento / Abertura");
    driver->Press(driver->ByText(w, "Fecha Vários Meses"));
    int r = WaitWindow(" Fecha Vários Meses");
    driver->Type(driver->Control(r, 2), "12/9999");
    driver->Type(driver->Control(r, 4), "01/10000");  // no such month: the entry refuses it, saying why
    driver->Press(driver->ByText(r, "&OK"));
    EXPECT_EQ(driver->PendingMessageBox().text, "Data inválida");
    driver->Answer(1);
    EXPECT_TRUE(driver->HasWindow(" Fecha Vários Meses"));
    driver->Type(driver->Control(r, 4), "12/9999");
    driver->Press(driver->ByText(r, "&OK"));
    EXPECT_EQ(driver->PendingMessageBox().text, "Mês / Ano Final além de 11/9999");
    driver->Answer(1);
    EXPECT_EQ(driver->Focus(r), 4);
    driver->Press(driver->ByText(r, "&Cancela"));
    EXPECT_TRUE(driver->Rows(driver->Control(w, 3)).empty());
    driver->Press(driver->ByText(w, "&Fecha"));
    WaitEnd(t);
}

TEST_F(UtilityWindows, ClosingNeedsAVerifiedUser) {
    int t = rt->Start("AberturaFechamento");
    int v = WaitWindow(" Verifica Usuário");
    driver->Press(driver->ByText(v, "&Cancela"));
    WaitEnd(t);
    EXPECT_FALSE(driver->HasWindow(" Fechamento / Abertura"));
}

TEST_F(UtilityWindows, ParametersSwitchTheNumberCheckItAndWriteTheSettings) {
    ParametrosEscritorio p;
    p.PARTIPINS = 1;
    p.PARCGC = "11222333000181";
    GLO_PARAMETROS.Set(p);
    int t = rt->Start("Parametros");
    int w = WaitWindow("Parâmetros do Escritório Licenciado");
    EXPECT_FALSE(driver->Hidden(driver->Control(w, 33)));
    EXPECT_TRUE(driver->Hidden(driver->Control(w, 34)));
    // With no Naveli.ini both access options show checked.
    EXPECT_EQ(driver->Value(driver->Control(w, 49)), "1");
    EXPECT_EQ(driver->Value(driver->Control(w, 50)), "1");
    driver->PickItem(driver->Control(w, 32), "CPF");
    EXPECT_TRUE(driver->Hidden(driver->Control(w, 33)));
    driver->PickItem(driver->Control(w, 32), "CNPJ");
    EXPECT_EQ(driver->Value(driver->Control(w, 33)), "") << "switching clears both numbers";
    driver->Type(driver->Control(w, 33), "11222333000182");
    driver->Key(w, key::Tab);
    EXPECT_EQ(driver->PendingMessageBox().title, "Número do CGC está Incorreto");
    driver->Answer(1);
    EXPECT_EQ(driver->Focus(w), 33);
    driver->Type(driver->Control(w, 33), "11.222.333/0001-81");
    driver->Type(driver->ByPrompt(w, "01 Nome do Escritório"), "Escritório Modelo");
    driver->Check(driver->Control(w, 47), true);
    driver->Check(driver->Control(w, 53), true);
    driver->Press(driver->ByText(w, "&Grava"));
    WaitEnd(t);
    settings::SettingsFile ini(Folder("dados") + "\\BComuns\\Vorel.ini");
    EXPECT_EQ(ini.read_text("Parametros", "Nome"), text::from_utf8("Escritório Modelo"));
    EXPECT_EQ(ini.read_text("Parametros", "CGC"), "11222333000181");
    EXPECT_EQ(ini.read_number("Parametros", "AliquotaProdutos", 0), 1);
    EXPECT_EQ(settings::SettingsFile("qel.ini").read_number("Parametros", "TecladoPadraoBR", 0), 1);
    EXPECT_EQ(GLO_PARAMETROS.Get().PARNOME, text::from_utf8("Escritório Modelo"));
    EXPECT_EQ(GLO_USAALIQPRODUTO.Get(), 1);
    EXPECT_FALSE(TecladoDecimalVirgula.Get());
}

}  // namespace
