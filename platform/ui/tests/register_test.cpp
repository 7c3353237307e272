// A test-only register (its own table, browse and form) driven headless through insert, change,
// delete, view and select, with sort tabs, a locator, query by example, paging, row colours, the
// field rules, a duplicate key, the field-history key and a lookup on the caller's thread.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "vorel/core/fixed_string.h"
#include "vorel/data/file_manager.h"
#include "vorel/data/table_desc.h"
#include "vorel/ui/browse_manager.h"
#include "vorel/ui/form.h"
#include "vorel/ui/headless.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/query.h"

using namespace vorel;
using namespace vorel::ui;
namespace fs = std::filesystem;

namespace {

struct ItemRec {
    std::uint16_t Codigo = 0;
    String<40> Descricao;
    std::uint8_t Coluna = 0;
};

data::NameVariable CaminhoTesteItens;

const data::TableDesc& TesteItens() {
    static const data::TableDesc d = data::TableBuilder<ItemRec>("TesteItens", "TIT")
                                         .file(CaminhoTesteItens)
                                         .version(1)
                                         .field("Codigo", &ItemRec::Codigo)
                                         .field("Descricao", &ItemRec::Descricao)
                                         .field("Coluna", &ItemRec::Coluna)
                                         .key("KEY:CODIGO", "Código", {"Codigo"}, data::kPrimary | data::kNoCase, 1)
                                         .key("KEY:DESCRICAO", "Descrição", {"Descricao"}, data::kDuplicates | data::kNoCase)
                                         .range_rule("Coluna", "Coluna do item", 1, 3)
                                         .defaults([](ItemRec& r) { r.Coluna = 1; })
                                         .build();
    return d;
}

// The thread's dictionary: one FileManager per table, shared by the browse and the form.
struct Dictionary {
    data::FileManager items{TesteItens()};
};
Dictionary& Dict(ProcContext& ctx) { return *static_cast<Dictionary*>(ctx.resources.get()); }

std::string Utf8(std::string_view s) { return text::to_utf8(text::clip(s)); }

// ---- the form ----------------------------------------------------------------------------------

class UTesteItens : public FormController {
public:
    enum : int { kCodigo = 2, kDescricao = 4, kColuna = 6, kOk = 10, kCancel = 11 };
    UTesteItens(ProcContext& ctx, TableAccess& access)
        : FormController(ctx, "UTesteItens", "Cadastro de Item", access, {"Inclui Item", "Altera Item", "Exclui Item"}),
          rec_(Dict(ctx).items.rec<ItemRec>()) {}
    Level Setup() override {
        FormController::Setup();
        Window& w = window();
        w.Prompt(1, "01 Código....");
        w.Entry(kCodigo, Use(rec_.Codigo), "@n4");
        w.Prompt(3, "02 Descrição....");
        w.Entry(kDescricao, Use(rec_.Descricao), "@s40");
        w.Prompt(5, "03 Coluna....");
        w.Entry(kColuna, Use(rec_.Coluna), "@n1");
        w.Button(kOk, "&OK");
        w.Button(kCancel, "&Cancela");
        SetOkButton(kOk);
        SetCancelButton(kCancel);
        w.SetDefaultButton(kOk);
        for (int f : {kCodigo, kDescricao, kColuna}) LinkHistoryControl(f);
        LinkField(kColuna, 2);
        DisableOnDelete({kCodigo, kDescricao});
        navigator().ExcludeControl(kOk);
        navigator().ExcludeControl(kCancel);
        return Level::Benign;
    }
    Level OnWindowOpened() override {
        if (request() == Request::Change) window()[kOk].Text("&Grava");
        if (request() == Request::Delete) window()[kOk].Text("&Exclui");
        return Level::Benign;
    }
    Level OnAccepted(int feq) override {
        Level l = FormController::OnAccepted(feq);
        if (feq == kDescricao && window().acceptAll && rec_.Descricao.empty()) {
            Message("Campo com a Descrição é Indispensável", "Atenção");
            window().Select(kDescricao);
            return kHandled;
        }
        return l;
    }

private:
    ItemRec& rec_;
};

void RunForm(ProcContext& ctx) {
    TableAccess access(Dict(ctx).items);
    UTesteItens(ctx, access).Execute();
}

// ---- the browse --------------------------------------------------------------------------------

class TesteItensBrowse : public BrowseWindow {
public:
    enum : int {
        kSheet = 10, kTabCodigo = 11, kTabDescricao = 12, kLocCodigo = 13, kLocDescricao = 14, kList = 20,
        kInsert = 30, kChange = 31, kDelete = 32, kSelect = 33, kClose = 34, kQuery = 35, kClear = 36
    };
    TesteItensBrowse(ProcContext& ctx, TableSource& source)
        : BrowseWindow(ctx, "TesteItens", "Janela de Itens", source), rec_(Dict(ctx).items.rec<ItemRec>()) {}
    Level Setup() override {
        BrowseWindow::Setup();
        Window& w = window();
        w.Sheet(kSheet);
        w.Tab(kTabCodigo, kSheet, "Por &Código");
        w.Prompt(15, "Pesquisa por Código....").Parent(kTabCodigo);
        w.Entry(kLocCodigo, Use(rec_.Codigo)).Parent(kTabCodigo).Immediate();
        w.Tab(kTabDescricao, kSheet, "Por &Descrição");
        w.Prompt(16, "Pesquisa por Descrição....").Parent(kTabDescricao);
        w.Entry(kLocDescricao, Use(rec_.Descricao)).Parent(kTabDescricao).Immediate();
        w.List(kList);
        w.Button(kInsert, "&Inclui");
        w.Button(kChange, "&Altera");
        w.Button(kDelete, "&Exclui");
        w.Button(kSelect, "&Seleciona");
        w.Button(kClose, "&Fecha");
        w.Button(kQuery, "   &Filtrar");
        w.Button(kClear, "&Limpa");
        BrowseManager& b = browse();
        b.SetList(kList, 5);
        b.AddColumn({"Código", 28, 'C', [this] { return std::to_string(rec_.Codigo); }});
        b.AddColumn({"Descrição", 200, 'L', [this] { return Utf8(rec_.Descricao.value()); }});
        b.AddColumn({"Coluna", 12, 'R', [this] { return std::to_string(rec_.Coluna); }});
        const auto& d = TesteItens();
        b.AddSortOrder({d.key_index(data::KeyName{"KEY:CODIGO"}), kLocCodigo, true, {}});
        b.AddSortOrder({d.key_index(data::KeyName{"KEY:DESCRICAO"}), kLocDescricao, true, {}});
        b.SetSheet(kSheet);
        b.SetInsertButton(kInsert);
        b.SetChangeButton(kChange);
        b.SetDeleteButton(kDelete);
        b.SetSelectButton(kSelect);
        b.AttachQuery(query_, kQuery, kClear);
        SetCloseButton(kClose);
        SetForm(RunForm);
        for (int f : {kInsert, kChange, kDelete, kSelect, kClose, kQuery, kClear}) navigator().ExcludeControl(f);
        return Level::Benign;
    }
    Level OnWindowOpened() override {
        if (browse().selectMode()) {
            browse().DropUpdateButtons();
            for (int f : {kInsert, kChange, kDelete}) window()[f].Hide();
            window().Select(kSelect);
        }
        return Level::Benign;
    }

private:
    ItemRec& rec_;
    Query query_{"TesteItens"};
};

class ColouredManager : public BrowseManager {
public:
    ColouredManager(WindowController& o, BrowseSource& s, ItemRec& rec) : BrowseManager(o, s), rec_(rec) {}
    void FillRow(Row& row) override {
        if (rec_.Coluna == 3)
            for (auto& c : row) { c.fg = 255; c.selFg = 255; }
    }

private:
    ItemRec& rec_;
};

void RunBrowse(ProcContext& ctx) {
    TableSource source(Dict(ctx).items);
    TesteItensBrowse b(ctx, source);
    b.SetBrowseManager(std::make_unique<ColouredManager>(b, source, Dict(ctx).items.rec<ItemRec>()));
    b.Execute();
}

// ---- fixture ---------------------------------------------------------------------------------------

struct RegisterTest : ::testing::Test {
    fs::path dir;
    std::unique_ptr<Runtime> rt;
    std::unique_ptr<HeadlessDriver> ui;

    void SetUp() override {
        std::string tmpl = (fs::temp_directory_path() / "vorel-ui-XXXXXX").string();
        ASSERT_NE(mkdtemp(tmpl.data()), nullptr);
        dir = tmpl;
        ::setenv("VOREL_STATE_DIR", (dir / "state").c_str(), 0);
        CaminhoTesteItens.set((dir / "Itens.Tps").string());
        ProcedureRegistry::Add("TesteItens", RunBrowse);
        ProcedureRegistry::Add("UTesteItens", RunForm);
        InstallMessageBoxAsker();
        Runtime::Options opt;
        opt.threadStart = [](ProcContext& ctx) {
            auto d = std::make_shared<Dictionary>();
            if (!d->items.open().ok()) throw std::runtime_error("cannot open the items table");
            ctx.resources = d;
        };
        opt.threadEnd = [](ProcContext& ctx) { (void)Dict(ctx).items.close(); };
        rt = std::make_unique<Runtime>(opt);
        ui = std::make_unique<HeadlessDriver>(*rt);
    }
    void TearDown() override {
        ui.reset();
        rt.reset();
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    // Adds records directly, on a thread of its own.
    void Seed(const std::vector<std::pair<int, std::string>>& items, int coluna = 1) {
        std::thread([&] {
            data::FileManager fm(TesteItens());
            ASSERT_EQ(fm.open(), data::kNoError);
            for (auto& [code, name] : items) {
                fm.clear_record();
                auto& r = fm.rec<ItemRec>();
                r.Codigo = static_cast<std::uint16_t>(code);
                r.Descricao = text::from_utf8(name);
                r.Coluna = static_cast<std::uint8_t>(coluna);
                ASSERT_EQ(fm.add(), data::kNoError);
            }
            (void)fm.close();
        }).join();
    }
    using Rows = std::vector<std::vector<std::string>>;
    Rows ListRows(int w) { return ui->Rows(ui->Control(w, TesteItensBrowse::kList)); }
};

TEST_F(RegisterTest, InsertChangeAndDeleteThroughTheForm) {
    ui->Start("TesteItens");
    int b = ui->WindowByCaption("Janela de Itens");
    EXPECT_TRUE(ListRows(b).empty());
    EXPECT_TRUE(ui->Hidden(ui->ByText(b, "&Seleciona")));  // not selecting
    EXPECT_FALSE(ui->Enabled(ui->ByText(b, "&Altera")));   // nothing to change yet

    // Insert: the code is numbered and the defaults are in.
    ui->Press(ui->ByText(b, "&Inclui"));
    int f = ui->WindowByCaption("Inclui Item");
    EXPECT_EQ(ui->Value(ui->ByPrompt(f, "01 Código")), "1");
    EXPECT_EQ(ui->Value(ui->ByPrompt(f, "03 Coluna")), "1");
    ui->Press(ui->ByText(f, "&OK"));  // a blank description is refused by the form's own check
    EXPECT_EQ(ui->PendingMessageBox().text, "Campo com a Descrição é Indispensável");
    ui->Answer("&OK");
    EXPECT_EQ(ui->Focus(f), UTesteItens::kDescricao);
    ui->Type(ui->ByPrompt(f, "02 Descrição"), "Parafuso ação");
    ui->Key(f, key::Enter);  // the navigator: Enter moves to the next field
    EXPECT_EQ(ui->Focus(f), UTesteItens::kColuna);
    ui->Type(ui->ByPrompt(f, "03 Coluna"), "4");
    ui->Press(ui->ByText(f, "&OK"));  // the table's rule
    EXPECT_EQ(ui->PendingMessageBox().text, "O valor do Coluna do item deve estar entre 1 .. 3.");
    EXPECT_EQ(ui->PendingMessageBox().title, "Erro no Filtro");
    ui->Answer(1);
    EXPECT_TRUE(ui->HasWindow("Inclui Item"));
    EXPECT_EQ(ui->Focus(f), UTesteItens::kColuna);
    ui->Type(ui->ByPrompt(f, "03 Coluna"), "3");
    ui->Press(ui->ByText(f, "&OK"));
    EXPECT_FALSE(ui->HasWindow("Inclui Item"));
    EXPECT_EQ(ListRows(b), (Rows{{"1", "Parafuso ação", "3"}}));
    EXPECT_EQ(ui->CellAt(ui->Control(b, TesteItensBrowse::kList), 1, 2).fg, 255);  // column 3 is red

    // A second insert that takes an existing code is refused and the form stays open; cancelling
    // gives the reserved number back.
    ui->Press(ui->ByText(b, "&Inclui"));
    f = ui->WindowByCaption("Inclui Item");
    EXPECT_EQ(ui->Value(ui->ByPrompt(f, "01 Código")), "2");
    ui->Type(ui->ByPrompt(f, "01 Código"), "1");
    ui->Type(ui->ByPrompt(f, "02 Descrição"), "Porca");
    ui->Press(ui->ByText(f, "&OK"));
    EXPECT_EQ(ui->PendingMessageBox().text, "Chave duplicada: Código");
    ui->Answer(1);
    EXPECT_TRUE(ui->HasWindow("Inclui Item"));
    ui->Press(ui->ByText(f, "&Cancela"));
    EXPECT_EQ(ListRows(b), (Rows{{"1", "Parafuso ação", "3"}}));
    ui->Press(ui->ByText(b, "&Inclui"));
    f = ui->WindowByCaption("Inclui Item");
    EXPECT_EQ(ui->Value(ui->ByPrompt(f, "01 Código")), "2");
    // The field-history key brings back the description of the last save.
    ui->FocusOn(ui->ByPrompt(f, "02 Descrição"));
    ui->Key(f, key::FieldHistory);
    EXPECT_EQ(ui->Value(ui->ByPrompt(f, "02 Descrição")), "Parafuso ação");
    ui->Type(ui->ByPrompt(f, "02 Descrição"), "Arruela");
    ui->Press(ui->ByText(f, "&OK"));
    EXPECT_EQ(ListRows(b), (Rows{{"1", "Parafuso ação", "3"}, {"2", "Arruela", "1"}}));

    // Change the second row.
    ui->PickRow(ui->Control(b, TesteItensBrowse::kList), 2);
    ui->Press(ui->ByText(b, "&Altera"));
    f = ui->WindowByCaption("Altera Item");
    EXPECT_EQ(ui->Text(ui->Control(f, UTesteItens::kOk)), "&Grava");
    EXPECT_EQ(ui->Value(ui->ByPrompt(f, "02 Descrição")), "Arruela");
    ui->Type(ui->ByPrompt(f, "02 Descrição"), "Arruela lisa");
    ui->Press(ui->ByText(f, "&Grava"));
    EXPECT_EQ(ListRows(b), (Rows{{"1", "Parafuso ação", "3"}, {"2", "Arruela lisa", "1"}}));
    EXPECT_EQ(ui->State(ui->Control(b, TesteItensBrowse::kList)).selected, 2);

    // Delete the first: "No" keeps it and the form open, "Yes" deletes it.
    ui->PickRow(ui->Control(b, TesteItensBrowse::kList), 1);
    ui->Press(ui->ByText(b, "&Exclui"));
    f = ui->WindowByCaption("Exclui Item");
    EXPECT_FALSE(ui->Enabled(ui->ByPrompt(f, "01 Código")));
    EXPECT_FALSE(ui->Enabled(ui->ByPrompt(f, "02 Descrição")));
    EXPECT_TRUE(ui->Enabled(ui->ByPrompt(f, "03 Coluna")));
    ui->Press(ui->ByText(f, "&Exclui"));
    EXPECT_EQ(ui->PendingMessageBox().text, "Confirma a exclusão deste registro?");
    ui->Answer("&Não");
    EXPECT_TRUE(ui->HasWindow("Exclui Item"));
    ui->Press(ui->ByText(f, "&Exclui"));
    ui->Answer("&Sim");
    EXPECT_FALSE(ui->HasWindow("Exclui Item"));
    EXPECT_EQ(ListRows(b), (Rows{{"2", "Arruela lisa", "1"}}));
    ui->Press(ui->ByText(b, "&Fecha"));
    EXPECT_FALSE(ui->HasWindow("Janela de Itens"));
}

TEST_F(RegisterTest, TheListTakesItsColumnsFromTheBrowseAndItsInsertAndDeleteKeys) {
    Seed({{1, "Parafuso"}, {2, "Arruela"}});
    ui->Start("TesteItens");
    int b = ui->WindowByCaption("Janela de Itens");
    const auto list = ui->Control(b, TesteItensBrowse::kList);
    EXPECT_EQ(ui->State(list).columns,
              (std::vector<Column>{{"Código", 28, 'C'}, {"Descrição", 200, 'L'}, {"Coluna", 12, 'R'}}));

    // Insert on the list is the insert button, Delete the delete button on the highlighted row.
    ui->FocusOn(list);
    ui->Key(b, key::Insert);
    int f = ui->WindowByCaption("Inclui Item");
    ui->Press(ui->ByText(f, "&Cancela"));
    ui->PickRow(list, 2);
    ui->FocusOn(list);
    ui->Key(b, key::Delete);
    f = ui->WindowByCaption("Exclui Item");
    ui->Press(ui->ByText(f, "&Exclui"));
    ui->Answer("&Sim");
    EXPECT_EQ(ListRows(b), (Rows{{"1", "Parafuso", "1"}}));
    ui->Press(ui->ByText(b, "&Fecha"));

    // Selecting, the update buttons are hidden and the keys do nothing.
    int t = rt->Start("Picker", [](ProcContext& ctx) { ctx.Call("TesteItens", Request::Select); });
    b = ui->WindowByCaption("Janela de Itens");
    ui->FocusOn(ui->Control(b, TesteItensBrowse::kList));
    ui->Key(b, key::Insert);
    ui->Key(b, key::Delete);
    EXPECT_EQ(ui->Captions(), std::vector<std::string>{"Janela de Itens"});
    ui->Press(ui->ByText(b, "&Fecha"));
    ui->WaitUntil([&] { return rt->Finished(t).has_value(); }, "the picker to end");
}

TEST_F(RegisterTest, ViewModeChangesNothing) {
    Seed({{1, "Parafuso"}});
    std::atomic<int> viewResponse{-1};
    int t = rt->Start("Viewer", [&](ProcContext& ctx) {
        auto& fm = Dict(ctx).items;
        fm.rec<ItemRec>().Codigo = 1;
        ASSERT_EQ(fm.get(data::KeyName{"TIT:KEY:CODIGO"}), data::kNoError);
        viewResponse = static_cast<int>(ctx.Call("UTesteItens", Request::View));
    });
    int f = ui->WindowByCaption("View Record");
    ui->Type(ui->ByPrompt(f, "02 Descrição"), "Outra coisa");
    ui->Press(ui->ByText(f, "&OK"));
    ui->WaitUntil([&] { return rt->Finished(t).has_value(); }, "the viewer to end");
    EXPECT_EQ(viewResponse, 2);
    // The browse in view mode opens no form.
    rt->Start("TesteItens", Request::View);
    int b = ui->WindowByCaption("Janela de Itens");
    EXPECT_EQ(ListRows(b), (Rows{{"1", "Parafuso", "1"}}));
    ui->Press(ui->ByText(b, "&Altera"));
    EXPECT_EQ(ui->Captions(), std::vector<std::string>{"Janela de Itens"});
}

TEST_F(RegisterTest, ALookupOpensTheBrowseForSelectionOnTheCallersThread) {
    Seed({{1, "Parafuso"}, {2, "Arruela"}, {3, "Porca"}});
    std::atomic<int> chosen{-1};
    std::atomic<bool> found{false};
    auto lookup = [&](ProcContext& ctx, int code) {
        auto& fm = Dict(ctx).items;
        auto& r = fm.rec<ItemRec>();
        int result = -1;
        bool ok = Lookup(
            ctx, [&] { fm.clear_record(); r.Codigo = static_cast<std::uint16_t>(code); return fm.get(data::KeyName{"TIT:KEY:CODIGO"}).ok(); },
            "TesteItens", [&] { result = r.Codigo; });
        found = ok;
        chosen = ok ? (result < 0 ? r.Codigo : result) : 0;
    };
    int t = rt->Start("Caller", [&](ProcContext& ctx) { lookup(ctx, 99); });
    int b = ui->WindowByCaption("Janela de Itens");
    EXPECT_EQ(ui->Mirror(b).header.thread, t);  // on the caller's thread
    EXPECT_FALSE(ui->Hidden(ui->ByText(b, "&Seleciona")));
    EXPECT_TRUE(ui->Hidden(ui->ByText(b, "&Inclui")));
    EXPECT_EQ(ui->Focus(b), TesteItensBrowse::kSelect);
    EXPECT_EQ(ui->Mirror(b).header.defaultButton, TesteItensBrowse::kSelect);
    ui->PickRow(ui->Control(b, TesteItensBrowse::kList), 3);
    ui->Press(ui->ByText(b, "&Seleciona"));
    ui->WaitUntil([&] { return rt->Finished(t).has_value(); }, "the lookup to end");
    EXPECT_TRUE(found);
    EXPECT_EQ(chosen, 3);

    t = rt->Start("Caller", [&](ProcContext& ctx) { lookup(ctx, 99); });
    b = ui->WindowByCaption("Janela de Itens");
    ui->Press(ui->ByText(b, "&Fecha"));  // in select mode: Response 2
    ui->WaitUntil([&] { return rt->Finished(t).has_value(); }, "the lookup to end");
    EXPECT_FALSE(found);

    rt->Start("Caller", [&](ProcContext& ctx) { lookup(ctx, 2); });  // found: no browse
    ui->WaitIdle();
    EXPECT_TRUE(found);
    EXPECT_EQ(chosen, 2);
    EXPECT_TRUE(ui->Captions().empty());
}

TEST_F(RegisterTest, TabsLocatorsPagingAndQueryByExample) {
    std::vector<std::pair<int, std::string>> many;
    const char* names[] = {"Zinco", "Arame", "Prego", "Broca", "Lixa", "Cola", "Tinta", "Pincel", "Rolo", "Fita", "Serra", "Trena"};
    for (int i = 0; i < 12; ++i) many.push_back({i + 1, names[i]});
    Seed(many);
    ui->Start("TesteItens");
    int b = ui->WindowByCaption("Janela de Itens");
    auto list = ui->Control(b, TesteItensBrowse::kList);
    auto codes = [&] {
        std::vector<std::string> r;
        for (auto& row : ListRows(b)) r.push_back(row[0]);
        return r;
    };
    EXPECT_EQ(codes(), (std::vector<std::string>{"1", "2", "3", "4", "5"}));
    // Down on the last row scrolls one record; PageDown a page; End the last page.
    ui->PickRow(list, 5);
    ui->Key(b, key::Down);
    EXPECT_EQ(codes(), (std::vector<std::string>{"2", "3", "4", "5", "6"}));
    EXPECT_EQ(ui->State(list).selected, 5);
    ui->Key(b, key::PageDown);
    EXPECT_EQ(codes(), (std::vector<std::string>{"7", "8", "9", "10", "11"}));
    ui->Key(b, key::End);
    EXPECT_EQ(codes(), (std::vector<std::string>{"8", "9", "10", "11", "12"}));
    ui->Key(b, key::Home);
    EXPECT_EQ(codes(), (std::vector<std::string>{"1", "2", "3", "4", "5"}));

    // The code locator moves the list as the code is typed.
    ui->Type(ui->ByPrompt(b, "Pesquisa por Código"), "9");
    EXPECT_EQ(ListRows(b)[static_cast<std::size_t>(ui->State(list).selected - 1)][0], "9");

    // The description tab lists in description order; its locator finds the first at or after.
    ui->PickTab(ui->Control(b, TesteItensBrowse::kSheet), "Por &Descrição");
    ui->Type(ui->ByPrompt(b, "Pesquisa por Descrição"), "pi");
    auto rows = ListRows(b);
    EXPECT_EQ(rows[static_cast<std::size_t>(ui->State(list).selected - 1)][1], "Pincel");
    ui->FocusOn(list);
    ui->Key(b, key::Home);
    EXPECT_EQ(ListRows(b)[0][1], "Arame");

    // Query by example: codes above 9 only; "&Limpa" shows all again.
    ui->Press(ui->ByText(b, "&Filtrar"));
    int q = ui->WindowByCaption("Query");
    ui->Type(ui->ByPrompt(q, "Código"), ">9");
    ui->Press(ui->ByText(q, "&OK"));
    std::set<std::string> shown;
    for (auto& r : ListRows(b)) shown.insert(r[0]);
    EXPECT_EQ(shown, (std::set<std::string>{"10", "11", "12"}));
    EXPECT_EQ(ListRows(b)[0][1], "Fita");  // still in description order
    ui->Press(ui->ByText(b, "&Limpa"));
    EXPECT_EQ(ListRows(b).size(), 5u);
}

TEST(QueryByExample, ConditionsOnTheShownText) {
    struct Case { const char* cell; const char* cond; bool want; };
    const Case cases[] = {
        {"5102", "=5102", true}, {"5102", "<>5102", false}, {"5102", ">999", true}, {"99", "<100", true},
        {"1.234,50", ">=1234,5", true}, {"Parafuso", "fus", true}, {"Parafuso", "FUS", true},
        {"Ação", "aÇÃ", true}, {"Parafuso", "x", false}, {"  abc  ", "=abc", true}, {"b", ">a", true},
    };
    for (const Case& c : cases) EXPECT_EQ(Query::CellMatches(c.cell, c.cond), c.want) << c.cell << " " << c.cond;
}

}  // namespace
