// Browse "Saidas": window "Janela de Lançamentos de Saídas" over the exit items of the working
// company's year table (SaidaVorel): the working month's items by invoice, every item by date, every
// item by product. Its insert, change and delete run the form Usaidas and stop while the working
// month is closed (the month lock's prompt and padlock buttons). It asks for the working company
// first when none is chosen. Tables: SaidaVorel, and the month lock's FechamentoEscrita and LogEscrita.
#include "vorel/core/date.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/movements/month_lock.h"
#include "vorel/movements/procedures.h"
#include "vorel/shell/globals.h"
#include "vorel/ui/pictured_use.h"
#include "vorel/ui/query.h"
#include "cnpj_text.h"

namespace vorel::movements {

namespace {

namespace keys = dictionary::keys;
using dictionary::SaidaVorelRec;

class SaidasBrowse : public MonthLockedBrowse {
public:
    enum : int {
        kSheet = 1, kTabNumero, kPromptNumero, kLocNumero, kTabData, kPromptData, kLocData, kTabProduto,
        kPromptProduto, kLocProduto, kList, kPromptMes, kMesAberto, kMesFechado, kGroup, kInsert, kChange, kDelete,
        kQuery, kClearQuery, kSelect, kClose, kHelp
    };

    explicit SaidasBrowse(ProcContext& ctx)
        : MonthLockedBrowse(ctx, "Saidas", "Janela de Lançamentos de Saídas", dictionary::SaidaVorel(), "Usaidas",
                            {kPromptMes, kMesAberto, kMesFechado, kGroup, kInsert, kChange, kDelete}),
          rec_(file().rec<SaidaVorelRec>()) {}

    Level Build(ui::Window& w) override {
        const int ano = shell::GLO_ANO.Get(), mes = shell::GLO_MES.Get();
        primeiro_ = date::first_of_month(ano, mes);
        ultimo_ = date::last_of_month(ano, mes);

        ui::BrowseManager& b = browse();
        w.Sheet(kSheet);
        AddTab(kTabNumero, "Pesquisa Lançamentos de Saídas", kPromptNumero, "Data:", kLocNumero,
               ui::UseDate(rec_.DataSaida, "@D06b"), "@D06b", keys::SAI_KEY_NUMERO,
               [this] { return rec_.DataSaida >= primeiro_ && rec_.DataSaida <= ultimo_; });
        AddTab(kTabData, "Pesquisa Lançamentos por Data", kPromptData, "Data:", kLocData,
               ui::UseDate(rec_.DataSaida, "@D06b"), "@D06b", keys::SAI_KEY_DATA, {});
        AddTab(kTabProduto, "Pesquisa por Produtos", kPromptProduto, "Produto:", kLocProduto,
               ui::UseDecimal(rec_.CodMercadoria, 0), "@n15", keys::SAI_KEY_PRODUTODATA, {});
        w.List(kList).Tip("Lançamentos de Saídas");
        AddMonthLock();
        w.Button(kInsert, "&Inclui").Parent(kGroup);
        w.Button(kChange, "&Altera").Parent(kGroup);
        w.Button(kDelete, "&Exclui").Parent(kGroup);
        w.Button(kQuery, "&Pesquisa");
        w.Button(kClearQuery, "&Limpa");
        w.Button(kSelect, "&Seleciona");
        w.Button(kClose, "&Fecha");
        w.Button(kHelp, "&Ajuda");

        b.SetList(kList);
        b.AddColumn({"Número", 30, 'R', [this] { return std::to_string(rec_.Numero); }});
        b.AddColumn({"Série", 20, 'L', [this] { return text::to_utf8(rec_.Serie.clipped()); }});
        b.AddColumn({"Data Saída", 44, 'C', [this] { return ui::FormatNumber("@d06b", rec_.DataSaida); }});
        b.AddColumn({"C.N.P.J.", 79, 'L', [this] { return ShowCnpj(rec_.CNPJ.value()); }});
        b.AddColumn({"UF", 14, 'C', [this] { return text::to_utf8(rec_.Estado.clipped()); }});
        b.AddColumn({"Quantidade", 56, 'R', [this] { return Decimal(rec_.Quantidade).to_fixed(3, ','); }});
        b.AddColumn({"Produto", 56, 'R', [this] { return Decimal(rec_.CodMercadoria).to_string(); }});
        b.AddColumn({"Base Cálculo", 56, 'R', [this] { return Decimal(rec_.BaseCalculo).to_fixed(2, ','); }});
        b.AddColumn({"CFO", 20, 'R', [this] { return std::to_string(rec_.CFO); }});
        b.AddColumn({"Compl", 20, 'R', [this] { return std::to_string(rec_.Complemento); }});
        b.SetSheet(kSheet);
        b.AttachQuery(query_, kQuery, kClearQuery);
        SetButtons(b, kInsert, kChange, kDelete, kSelect);
        SetCloseButton(kClose);
        ExcludeFromNavigation({kMesAberto, kMesFechado, kInsert, kChange, kDelete, kQuery, kClearQuery, kSelect, kClose,
                               kHelp});
        return Level::Benign;
    }

private:
    void AddTab(int tab, const char* caption, int prompt, const char* promptText, int locator, ui::UsePtr use,
                const char* picture, data::KeyName key, std::function<bool()> filter) {
        ui::Window& w = window();
        w.Tab(tab, kSheet, caption);
        w.Prompt(prompt, promptText).Parent(tab);
        w.Entry(locator, std::move(use), picture).Parent(tab).Immediate();
        browse().AddSortOrder({file().desc().key_index(key), locator, true, std::move(filter)});
    }

    SaidaVorelRec& rec_;
    ui::Query query_;
    date::Day primeiro_ = 0, ultimo_ = 0;
};

}  // namespace

void RunSaidasBrowse(ProcContext& ctx) { SaidasBrowse(ctx).Execute(); }

}  // namespace vorel::movements
