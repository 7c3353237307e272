// The CFOP register driven headless: the print-column check when column 8 is chosen, the new
// record's columns, captions and OK labels per request, select mode, and the tabs' order.
#include "register_fixture.h"

#include "vorel/dictionary/shared_registers.h"
#include "vorel/dictionary/key_names.h"

namespace vorel::registers::testing {
namespace {

using dictionary::CFORec;
using ui::Request;
using ui::Response;

constexpr const char* kBrowse = "Janela de C.F.O.P. Cadastrados";
constexpr const char* kWarning = "Atenção! Opção \"8 - Devolução de Compras\" válida somente para os CFOs 5411 e 6411.";

struct CfoTest : RegisterFixture {
    void SeedCfo(std::vector<std::tuple<int, int, std::string, std::string>> rows) {
        Seed<CFORec>(dictionary::CFO(), static_cast<int>(rows.size()), [&](CFORec& r, int i) {
            auto& [code, compl_, uf, desc] = rows[static_cast<std::size_t>(i)];
            r.CODIGO = static_cast<std::int16_t>(code);
            r.COMPLEMENTO = static_cast<std::int16_t>(compl_);
            r.ESTADO = uf;
            r.DESCRICAO = text::from_utf8(desc);
            r.COLUNA = 2;
        });
    }
    std::vector<std::string> Stored() {
        return Read<CFORec>(dictionary::CFO(), dictionary::keys::CFO_KEY_CFO, [](const CFORec& r) {
            return std::to_string(r.CODIGO) + "/" + std::to_string(r.COMPLEMENTO) + " col " + std::to_string(r.COLUNA) +
                   " veic " + std::to_string(r.COLUNAVEIC) + " " + text::to_utf8(r.DESCRICAO.clipped());
        });
    }
    int OpenInsertForm() {
        ui->Start("CFO");
        int b = ui->WindowByCaption(kBrowse);
        ui->Press(ui->ByText(b, "&Inclui Novo C.F.O."));
        return ui->WindowByCaption("Inclui Novo Cadastro de C.F.O.P.");
    }
};

TEST_F(CfoTest, PrintColumnEightIsKeptOnlyFor5411And6411WhenChosen) {
    struct Case { const char* code; bool kept; };
    const Case cases[] = {{"5411", true}, {"6411", true}, {"5102", false}, {"", false} /* still 0 */};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        int f = OpenInsertForm();
        if (*c.code) ui->Type(ui->ByPrompt(f, "01 Código"), c.code);
        ui->PickItem(ui->ByPrompt(f, "04 Coluna de Impressão"), "8 Devolução de Compras");
        if (c.kept) {
            EXPECT_FALSE(ui->HasMessageBox());
            EXPECT_EQ(ui->Value(ui->ByPrompt(f, "04 Coluna de Impressão")), "8 Devolução de Compras");
        } else {
            ASSERT_TRUE(ui->HasMessageBox());
            EXPECT_EQ(ui->PendingMessageBox().text, kWarning);
            EXPECT_EQ(ui->PendingMessageBox().title, "Alerta!");
            EXPECT_EQ(ui->PendingMessageBox().icon, ui::Icon::Information);
            ui->Answer("&OK");
            EXPECT_EQ(ui->Value(ui->ByPrompt(f, "04 Coluna de Impressão")), "1 CFO Entrada");
            EXPECT_EQ(ui->Focus(f), ui->ByPrompt(f, "04 Coluna de Impressão").feq);
        }
        ui->Press(ui->ByText(f, "&Cancela"));
        ui->CloseWindow(ui->WindowByCaption(kBrowse));
        ui->WaitIdle();
    }
}

TEST_F(CfoTest, NothingChecksThePrintColumnAgainAtSave) {
    int f = OpenInsertForm();
    // A new record: no print column chosen, vehicle column 1.
    EXPECT_EQ(ui->Value(ui->ByPrompt(f, "04 Coluna de Impressão")), "");
    EXPECT_EQ(ui->Value(ui->ByPrompt(f, "05 Coluna Veículo")), "CFO de Entrada de Veículo");
    ui->Type(ui->ByPrompt(f, "01 Código"), "5411");
    ui->PickItem(ui->ByPrompt(f, "04 Coluna de Impressão"), "8 Devolução de Compras");
    ui->Type(ui->ByPrompt(f, "01 Código"), "5102");
    ui->Type(ui->ByPrompt(f, "06 Descrição"), "Venda");
    ui->Press(ui->ByText(f, "&OK"));
    EXPECT_FALSE(ui->HasMessageBox());
    EXPECT_FALSE(ui->HasWindow("Inclui Novo Cadastro de C.F.O.P."));

    // A second record saved without choosing a print column stores 0.
    int b = ui->WindowByCaption(kBrowse);
    ui->Press(ui->ByText(b, "&Inclui Novo C.F.O."));
    f = ui->WindowByCaption("Inclui Novo Cadastro de C.F.O.P.");
    ui->Type(ui->ByPrompt(f, "01 Código"), "1102");
    ui->Type(ui->ByPrompt(f, "06 Descrição"), "Compra");
    ui->Press(ui->ByText(f, "&OK"));
    EXPECT_EQ(Stored(), (std::vector<std::string>{"1102/0 col 0 veic 1 Compra", "5102/0 col 8 veic 1 Venda"}));
    EXPECT_EQ(ui->Rows(ui->Control(b, 8)), (Rows{{"1102", "Compra", "0"}, {"5102", "Venda", "0"}}));
}

TEST_F(CfoTest, CaptionsAndOkLabelsFollowTheRequest) {
    SeedCfo({{5102, 0, "SP", "Venda de mercadoria"}});
    ui->Start("CFO");
    int b = ui->WindowByCaption(kBrowse);
    EXPECT_EQ(ui->Text(ui->Control(b, 9)), "Venda de mercadoria");  // the description below the list

    ui->Press(ui->ByText(b, "&Altera C.F.O."));
    int f = ui->WindowByCaption("Altera Cadastro de C.F.O.P.");
    auto ok = ui->Control(f, 14);
    EXPECT_EQ(ui->Text(ok), "&Grava");
    EXPECT_EQ(ui->State(ok).tip, "Grava Alteração do Cadastro de C.F.O.");
    EXPECT_TRUE(ui->Enabled(ui->ByPrompt(f, "01 Código")));
    ui->Press(ui->ByText(f, "&Cancela"));

    ui->Press(ui->ByText(b, "&Exclui C.F.O."));
    f = ui->WindowByCaption("Exclui Cadastro de C.F.O.P.");
    EXPECT_EQ(ui->Text(ok = ui->Control(f, 14)), "&Exclui");
    EXPECT_EQ(ui->State(ok).tip, "Exclui Cadastro de C.F.O.");
    for (const char* p : {"01 Código", "06 Descrição", "04 Coluna de Impressão"})
        EXPECT_FALSE(ui->Enabled(ui->ByPrompt(f, p))) << p;
    for (const char* p : {"02 Complemento", "03 CFO anterior", "05 Coluna Veículo"})
        EXPECT_TRUE(ui->State(ui->ByPrompt(f, p)).readOnly) << p << ": a delete changes nothing";
    ui->Press(ok);
    ui->Answer("&Sim");
    EXPECT_TRUE(Stored().empty());
    EXPECT_TRUE(ui->Rows(ui->Control(b, 8)).empty());
}

TEST_F(CfoTest, SelectModeAndMenuModeButtonsAndResponse) {
    SeedCfo({{1102, 0, "", "Compra"}, {5102, 0, "", "Venda"}});
    // Called for selection.
    int t = rt->Start("CFO", Request::Select);
    int b = ui->WindowByCaption(kBrowse);
    for (const char* text : {"&Inclui Novo C.F.O.", "&Altera C.F.O.", "&Exclui C.F.O."})
        EXPECT_TRUE(ui->Hidden(ui->ByText(b, text))) << text;
    auto select = ui->ByText(b, "&Seleciona CFO");
    EXPECT_FALSE(ui->Hidden(select));
    EXPECT_EQ(ui->Focus(b), select.feq);
    EXPECT_EQ(ui->Mirror(b).header.defaultButton, select.feq);
    ui->Press(ui->ByText(b, "&Fecha"));
    EXPECT_EQ(WaitFinished(t), Response::Cancelled);

    // A selection leaves the record in the caller's buffer and ends with 1.
    std::atomic<int> chosen{0};
    t = rt->Start("Movimento", [&](ui::ProcContext& ctx) {
        if (ctx.Call("CFO", Request::Select) == Response::Completed)
            chosen = data::dictionary::file(dictionary::CFO()).rec<CFORec>().CODIGO;
    });
    b = ui->WindowByCaption(kBrowse);
    ui->PickRow(ui->Control(b, 8), 2);
    ui->Press(ui->ByText(b, "&Seleciona CFO"));
    WaitFinished(t);
    EXPECT_EQ(chosen, 5102);

    // Started from the menu.
    t = ui->Start("CFO");
    b = ui->WindowByCaption(kBrowse);
    EXPECT_TRUE(ui->Hidden(ui->ByText(b, "&Seleciona CFO")));
    EXPECT_FALSE(ui->Hidden(ui->ByText(b, "&Inclui Novo C.F.O.")));
    ui->Press(ui->ByText(b, "&Fecha"));
    EXPECT_EQ(WaitFinished(t), Response::Completed);
}

TEST_F(CfoTest, CodeTabLocatesAndDescriptionTabKeepsCodeOrder) {
    SeedCfo({{6102, 0, "SP", "Zeta"}, {1102, 0, "SP", "Beta"}, {5102, 0, "SP", "Alfa"}, {5102, 0, "RJ", "Alfa RJ"},
             {2102, 0, "SP", "Gama"}});
    ui->Start("CFO");
    int b = ui->WindowByCaption(kBrowse);
    auto list = ui->Control(b, 8);
    const Rows inCodeOrder{{"1102", "Beta", "0"}, {"2102", "Gama", "0"}, {"5102", "Alfa", "0"},
                           {"5102", "Alfa RJ", "0"}, {"6102", "Zeta", "0"}};
    EXPECT_EQ(ui->Rows(list), inCodeOrder);  // one row per state, each with its description
    ui->Type(ui->ByPrompt(b, "Pesquisa por Código"), "5000");
    EXPECT_EQ(ui->Rows(list)[static_cast<std::size_t>(ui->State(list).selected - 1)][0], "5102");

    ui->PickTab(ui->Control(b, 1), "Pesquisa por De&scrição");
    EXPECT_EQ(ui->Rows(list), inCodeOrder);
    int before = ui->State(list).selected;
    ui->Type(ui->ByPrompt(b, "Pesquisa por Descrição"), "Zeta");
    EXPECT_EQ(ui->Rows(list), inCodeOrder);
    EXPECT_EQ(ui->State(list).selected, before);  // the description entry positions nothing
}

}  // namespace
}  // namespace vorel::registers::testing
