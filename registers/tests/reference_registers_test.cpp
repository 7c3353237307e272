// The complementary CFOP, CNAE, states and municipality registers driven headless: duplicates,
// tab orders and locators, the CNAE code's picture, the states browse's opening tab and Enter,
// codes typed only on insert, read-only deletes, and the municipality form's state lookup.
#include "register_fixture.h"

#include "vorel/dictionary/shared_registers.h"
#include "vorel/dictionary/key_names.h"

namespace vorel::registers::testing {
namespace {

using dictionary::CNAERec;
using dictionary::CodCFOComplementarRec;
using dictionary::EstadosRec;
using dictionary::MunicipiosRec;
using ui::Request;
using ui::Response;

struct ReferenceTest : RegisterFixture {
    void SeedStates(std::vector<std::pair<std::string, std::string>> states) {
        Seed<EstadosRec>(dictionary::Estados(), static_cast<int>(states.size()), [&](EstadosRec& r, int i) {
            r.UF = states[static_cast<std::size_t>(i)].first;
            r.DESC = text::from_utf8(states[static_cast<std::size_t>(i)].second);
        });
    }
    Rows ListOf(int w, int feq) { return ui->Rows(ui->Control(w, feq)); }
    std::string Highlighted(int w, int feq, std::size_t column = 0) {
        auto list = ui->Control(w, feq);
        return ui->Rows(list)[static_cast<std::size_t>(ui->State(list).selected - 1)][column];
    }
};

constexpr int kCcfList = 8, kCnaeList = 8, kEstList = 8;

TEST_F(ReferenceTest, ComplementaryCodesTakeDuplicatesAndEachTabHasItsOrder) {
    ui->Start("CFOComplementar");
    int b = ui->WindowByCaption("Janela de Código Complemtar");
    for (auto [code, desc] : {std::pair{"7", "Bonificação"}, std::pair{"3", "Amostra"}, std::pair{"7", "Brinde"}}) {
        ui->Press(ui->ByText(b, "&Inclui Novo Código"));
        int f = ui->WindowByCaption("Inclui Novo CFOP Complementar");
        ui->Type(ui->ByPrompt(f, "01 Código"), code);
        ui->Key(f, ui::key::Enter);  // Enter moves on to the description
        EXPECT_EQ(ui->Focus(f), ui->ByPrompt(f, "02 Descrição").feq);
        ui->Type(ui->ByPrompt(f, "02 Descrição"), desc);
        ui->FocusOn(ui->ByText(f, "&O.K."));
        ui->Key(f, ui::key::Enter);  // Enter on the OK button saves
        EXPECT_FALSE(ui->HasWindow("Inclui Novo CFOP Complementar"));
    }
    EXPECT_EQ(ListOf(b, kCcfList), (Rows{{"3", "Amostra"}, {"7", "Bonificação"}, {"7", "Brinde"}}));
    // The form's code takes two digits at most.
    ui->Press(ui->ByText(b, "&Inclui Novo Código"));
    int n = ui->WindowByCaption("Inclui Novo CFOP Complementar");
    ui->Type(ui->ByPrompt(n, "01 Código"), "100");
    ui->Type(ui->ByPrompt(n, "02 Descrição"), "Demais");
    ui->Press(ui->ByText(n, "&O.K."));
    EXPECT_TRUE(ui->HasWindow("Inclui Novo CFOP Complementar"));  // refused, not stored as another code
    EXPECT_EQ(ui->Focus(n), ui->ByPrompt(n, "01 Código").feq);
    ui->Press(ui->ByText(n, "&Cancela"));
    EXPECT_EQ(ListOf(b, kCcfList).size(), 3u);
    ui->Type(ui->ByPrompt(b, "Pesquisa por Código"), "5");
    EXPECT_EQ(Highlighted(b, kCcfList, 1), "Bonificação");
    ui->PickTab(ui->Control(b, 1), "Pesquisa por &Descrição");
    ui->Type(ui->ByPrompt(b, "Pesquisa por Descrição"), "bri");
    EXPECT_EQ(ListOf(b, kCcfList), (Rows{{"3", "Amostra"}, {"7", "Bonificação"}, {"7", "Brinde"}}));
    EXPECT_EQ(Highlighted(b, kCcfList, 1), "Brinde");

    ui->Press(ui->ByText(b, "&Altera Código "));
    int f = ui->WindowByCaption("Altera Cadastro do CFOP Complementar");
    EXPECT_EQ(ui->Text(ui->Control(f, 6)), "&Grava");
    ui->Press(ui->ByText(f, "&Cancela"));
    ui->Press(ui->ByText(b, "&Exclui Código"));
    f = ui->WindowByCaption("Exclui Cadastro do CFOP Complementar");
    EXPECT_FALSE(ui->Enabled(ui->ByPrompt(f, "01 Código")));
    EXPECT_FALSE(ui->Enabled(ui->ByPrompt(f, "02 Descrição")));
    EXPECT_EQ(ui->State(ui->ByText(f, "&Exclui")).tip, "Exclui Cadastro de Complento de C.F.O.");
}

TEST_F(ReferenceTest, CnaeCodesAreTypedAndListedThroughThePattern) {
    ui->Start("CNAE");
    int b = ui->WindowByCaption("Consulta de C.N.A.E.");
    ui->Press(ui->ByText(b, "&Inclui Novo C.N.A.E."));
    int f = ui->WindowByCaption("Inclui Novo Código de C.N.A.E.");
    ui->Type(ui->ByPrompt(f, "01 Código"), "4711-3/02");
    ui->Type(ui->ByPrompt(f, "02 Descrição"), "Comércio varejista");
    ui->Press(ui->ByText(f, "&OK"));
    ui->Press(ui->ByText(b, "&Inclui Novo C.N.A.E."));
    f = ui->WindowByCaption("Inclui Novo Código de C.N.A.E.");
    ui->Type(ui->ByPrompt(f, "01 Código"), "0111301");  // digits alone
    ui->Type(ui->ByPrompt(f, "02 Descrição"), "Cultivo de arroz");
    ui->Press(ui->ByText(f, "&OK"));
    EXPECT_EQ(ListOf(b, kCnaeList), (Rows{{"0111-3/01", "Cultivo de arroz"}, {"4711-3/02", "Comércio varejista"}}));
    EXPECT_EQ(Read<CNAERec>(dictionary::CNAE(), dictionary::keys::CNAE_KEY_CODIGO, [](const CNAERec& r) { return std::to_string(r.CODIGO); }),
              (std::vector<std::string>{"111301", "4711302"}));
    // The same code again is refused by the unique key; the form stays open.
    ui->Press(ui->ByText(b, "&Inclui Novo C.N.A.E."));
    f = ui->WindowByCaption("Inclui Novo Código de C.N.A.E.");
    ui->Type(ui->ByPrompt(f, "01 Código"), "4711-3/02");
    ui->Press(ui->ByText(f, "&OK"));
    ASSERT_TRUE(ui->HasMessageBox());
    ui->Answer(1);
    EXPECT_TRUE(ui->HasWindow("Inclui Novo Código de C.N.A.E."));
    ui->Press(ui->ByText(f, "&Cancela"));
    // Select mode keeps every button.
    ui->CloseWindow(b);
    rt->Start("CNAE", Request::Select);
    b = ui->WindowByCaption("Consulta de C.N.A.E.");
    EXPECT_FALSE(ui->Hidden(ui->ByText(b, "&Inclui Novo C.N.A.E.")));
    EXPECT_FALSE(ui->Hidden(ui->ByText(b, "&Seleciona C.N.A.E.")));
}

TEST_F(ReferenceTest, StatesBrowseOpensAlphabeticAndEnterChangesOrSelects) {
    SeedStates({{"SP", "São Paulo"}, {"AC", "Acre"}, {"RJ", "Rio de Janeiro"}});
    ui->Start("Estados");
    int b = ui->WindowByCaption("Visualização da Tabela Unidade de Federação");
    EXPECT_EQ(ListOf(b, kEstList), (Rows{{"AC", "Acre"}, {"RJ", "Rio de Janeiro"}, {"SP", "São Paulo"}}));
    EXPECT_EQ(ui->State(ui->Control(b, 1)).selected, 2);  // "&Alfabética"
    ui->PickRow(ui->Control(b, kEstList), 3);
    ui->Key(b, ui::key::Enter);  // from the menu: Enter changes the state
    int f = ui->WindowByCaption("Alterando um Estado");
    EXPECT_FALSE(ui->Enabled(ui->ByPrompt(f, "0&1-Unidade da Federação")));  // the code is typed only on insert
    EXPECT_EQ(ui->Value(ui->ByPrompt(f, "0&1-Unidade da Federação")), "SP");
    ui->Press(ui->ByText(f, "&Cancela"));
    ui->Press(ui->ByText(b, "&Excluir"));
    f = ui->WindowByCaption("Excluindo um Estado");
    EXPECT_TRUE(ui->State(ui->ByPrompt(f, "0&2-Descrição da Unidade")).readOnly);
    auto ok = ui->Control(f, 5), cancel = ui->Control(f, 6);
    EXPECT_EQ(ui->Text(ok), "&Exclui");
    EXPECT_EQ(ui->State(ok).tip, "Exclui o Estado da Tabela");
    EXPECT_EQ(ui->State(cancel).msg, "Cancela a exclusão do Estado mostrado na janela");
    ui->Press(cancel);
    ui->CloseWindow(b);

    std::atomic<int> got{0};
    std::string chosen;
    int t = rt->Start("Empresa", [&](ui::ProcContext& ctx) {
        if (ctx.Call("Estados", Request::Select) == Response::Completed) {
            chosen = data::dictionary::file(dictionary::Estados()).rec<EstadosRec>().UF.clipped();
            got = 1;
        }
    });
    b = ui->WindowByCaption("Visualização da Tabela Unidade de Federação");
    EXPECT_FALSE(ui->Hidden(ui->ByText(b, "&Incluir")));
    EXPECT_EQ(ui->State(ui->ByText(b, "&Alterar")).tip, "Altera Registro Selecionado");
    ui->PickRow(ui->Control(b, kEstList), 2);
    ui->Key(b, ui::key::Enter);  // called for selection: Enter selects
    WaitFinished(t);
    EXPECT_EQ(got, 1);
    EXPECT_EQ(chosen, "RJ");
}

TEST_F(ReferenceTest, MunicipalityStateLookupFallsBackToTheStatesBrowse) {
    SeedStates({{"SP", "São Paulo"}, {"MG", "Minas Gerais"}});
    const char* caption = "Incluindo um Município";
    const char* states = "Visualização da Tabela Unidade de Federação";
    rt->Start("Cadastro", [](ui::ProcContext& ctx) { ctx.Call("UMunicipios", Request::Insert); });
    int f = ui->WindowByCaption(caption);
    EXPECT_TRUE(ui->Enabled(ui->ByPrompt(f, "0&1-Código")));
    ui->Type(ui->ByPrompt(f, "0&2-Nome"), "Campinas");
    auto estado = ui->ByPrompt(f, "0&3-Estado");
    ui->Type(estado, "sp");  // exists: kept, upper case
    ui->FocusOn(ui->ByPrompt(f, "0&2-Nome"));
    EXPECT_FALSE(ui->HasWindow(states));
    EXPECT_EQ(ui->Value(estado), "SP");

    ui->Type(estado, "XX");  // missing: the states browse opens for selection
    ui->FocusOn(ui->ByPrompt(f, "0&2-Nome"));
    int b = ui->WindowByCaption(states);
    ui->Press(ui->ByText(b, "&Fecha"));  // cancelled: the typed code stays, the focus on it
    EXPECT_EQ(ui->Value(estado), "XX");
    EXPECT_EQ(ui->Focus(f), estado.feq);

    ui->Type(estado, "xx");  // typed again: this time a state is chosen
    ui->FocusOn(ui->ByPrompt(f, "0&2-Nome"));
    b = ui->WindowByCaption(states);
    ui->PickRow(ui->Control(b, kEstList), 1);  // "Minas Gerais" comes first in description order
    ui->Press(ui->ByText(b, "&Selecionar"));
    EXPECT_EQ(ui->Value(estado), "MG");

    // The search button: cancelling leaves the entry as it was; choosing puts the state in.
    ui->Press(ui->ByText(f, "Pesquisa na Tabela de Estados"));
    ui->Press(ui->ByText(ui->WindowByCaption(states), "&Fecha"));
    EXPECT_EQ(ui->Value(estado), "MG");
    ui->Press(ui->ByText(f, "Pesquisa na Tabela de Estados"));
    b = ui->WindowByCaption(states);
    ui->PickRow(ui->Control(b, kEstList), 2);
    ui->Press(ui->ByText(b, "&Selecionar"));
    EXPECT_EQ(ui->Value(estado), "SP");
    ui->Press(ui->ByText(f, "&Grava "));
    EXPECT_FALSE(ui->HasWindow(caption));
    EXPECT_EQ(Read<MunicipiosRec>(dictionary::Municipios(), dictionary::keys::MUN_KEY_CODIGO,
                                  [](const MunicipiosRec& r) {
                                      return std::to_string(r.CODIGO) + " " + text::to_utf8(r.NOME.clipped()) + " " +
                                             std::string(r.ESTADO.clipped());
                                  }),
              (std::vector<std::string>{"1 Campinas SP"}));
}

TEST_F(ReferenceTest, MunicipalityDeleteIsReadOnlyAndCodeIsGreyedOnChange) {
    Seed<MunicipiosRec>(dictionary::Municipios(), 1, [](MunicipiosRec& r, int) {
        r.CODIGO = 7;
        r.NOME = "Santos";
        r.ESTADO = "SP";
    });
    for (Request r : {Request::Change, Request::Delete}) {
        rt->Start("Cadastro", [r](ui::ProcContext& ctx) {
            auto& m = data::dictionary::file(dictionary::Municipios());
            ASSERT_EQ(m.open(), data::kNoError);
            m.rec<MunicipiosRec>().CODIGO = 7;
            ASSERT_EQ(m.get(dictionary::keys::MUN_KEY_CODIGO), data::kNoError);
            ctx.Call("UMunicipios", r);
            (void)m.close();
        });
        int f = ui->WindowByCaption(r == Request::Change ? "Alterando um Município" : "Excluindo um Município");
        EXPECT_FALSE(ui->Enabled(ui->ByPrompt(f, "0&1-Código")));
        if (r == Request::Delete) {
            EXPECT_TRUE(ui->State(ui->ByPrompt(f, "0&2-Nome")).readOnly);
            EXPECT_TRUE(ui->State(ui->ByPrompt(f, "0&3-Estado")).readOnly);
            EXPECT_EQ(ui->State(ui->ByText(f, "&Exclui")).msg, "Exclui o Município mostrado na janela");
        }
        ui->Press(ui->ByText(f, "&Cancela"));
        ui->WaitIdle();
    }
}

}  // namespace
}  // namespace vorel::registers::testing
