// Browse "Entradas": window "Janela de Lançamentos de Entrada" over the working company's year table
// of entry items (EntradaVorel). Three tabs: the working month's items (opening balances, number 0,
// left out) in invoice order, every item of the year by date, and every item by product; the form
// is UEntradas. It asks for the working company first when none is chosen. Its insert, change and
// delete buttons sit in the month lock's group: a closed month refuses them (month_lock.h).
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/movements/month_lock.h"
#include "vorel/movements/procedures.h"
#include "vorel/shell/globals.h"
#include "vorel/ui/pictured_use.h"
#include "vorel/ui/query.h"
#include "vorel/ui/range_source.h"

namespace vorel::movements {

namespace {

using dictionary::EntradaVorelRec;
namespace keys = dictionary::keys;

constexpr const char* kCnpjPicture = "@p##.###.###/####-##p";
constexpr const char* kDataPicture = "@d06b";

std::string DataDMA(date::Day d) { return d == 0 ? std::string() : ui::FormatNumber(kDataPicture, d); }

class EntradasBrowse : public MonthLockedBrowse {
public:
    enum : int {
        kSheet = 1, kTabMes, kTabData, kPromptData, kLocData, kTabProduto, kPromptProduto, kLocProduto, kList,
        kInsert, kChange, kDelete, kQuery, kClear, kSelect, kClose, kHelp, kPromptLock, kOpenPadlock,
        kClosedPadlock, kLockGroup
    };

    explicit EntradasBrowse(ProcContext& ctx)
        : MonthLockedBrowse(ctx, "Entradas", "Janela de Lançamentos de Entrada", dictionary::EntradaVorel(),
                            "UEntradas",
                            {kPromptLock, kOpenPadlock, kClosedPadlock, kLockGroup, kInsert, kChange, kDelete}),
          rec_(file().rec<EntradaVorelRec>()),
          month_(file(), rec_.DataEmissao) {
        SetBrowseManager(std::make_unique<ui::BrowseManager>(*this, month_));
    }

    bool BeforeTables() override {
        if (!MonthLockedBrowse::BeforeTables()) return false;
        const date::Day primeiroDia = date::make(shell::GLO_ANO.Get(), shell::GLO_MES.Get(), 1);
        month_.SetPeriod(primeiroDia, date::last_of_month(primeiroDia));
        return true;
    }

    Level Build(ui::Window& w) override {
        const auto& d = file().desc();
        ui::BrowseManager& b = browse();
        w.Sheet(kSheet);
        w.Tab(kTabMes, kSheet, "Pesquisa Lançamentos de Entrada");
        month_.LimitOrder(d.key_index(keys::ENT_KEY_NUMERO));
        b.AddSortOrder({d.key_index(keys::ENT_KEY_NUMERO), 0, false, [this] { return rec_.Numero != 0; }});
        AddSearchTab(kSheet, {kTabData, "Pesquisa Lançamentos por Data", kPromptData, "Data:", kLocData,
                              ui::UsePattern(rec_.DataEmissao, kDataPicture), kDataPicture, d.key_index(keys::ENT_KEY_DATA)});
        AddSearchTab(kSheet, {kTabProduto, "Pesquisa por Produto", kPromptProduto, "Produto:", kLocProduto,
                              ui::UseDecimal(rec_.CodMercadoria, 0), "@N-19.", d.key_index(keys::ENT_KEY_PRODUTODATA)});
        w.List(kList).Tip("Lançamentos de Entrada");
        AddMonthLock();
        w.Button(kInsert, "&Inclui").Parent(kLockGroup).Tip("Inclui Lançamento de Entrada");
        w.Button(kChange, "&Altera").Parent(kLockGroup).Tip("Altera Lançamento de Entrada");
        w.Button(kDelete, "&Exclui").Parent(kLockGroup).Tip("Exclui Lançamento de Entrada");
        w.Button(kQuery, "&Pesquisa").Tip("Pesquisa Lançamentos");
        w.Button(kClear, "&Limpa").Tip("Limpa a Pesquisa");
        w.Button(kSelect, "&Seleciona").Tip("Seleciona Lançamento");
        w.Button(kClose, "&Fecha").Tip("Fecha a Janela");
        w.Button(kHelp, "&Ajuda").Tip("Ajuda On-Line");

        b.SetList(kList);
        b.AddColumn({"Número", 40, 'R', [this] { return std::to_string(rec_.Numero); }});
        b.AddColumn({"Série", 20, 'L', [this] { return text::to_utf8(rec_.Serie.clipped()); }});
        b.AddColumn({"Data Emissão", 44, 'L', [this] { return DataDMA(rec_.DataEmissao); }});
        b.AddColumn({"C.N.P.J.", 76, 'L', [this] { return ui::FormatText(kCnpjPicture, std::string(rec_.Cnpj.clipped())); }});
        b.AddColumn({"UF", 14, 'L', [this] { return text::to_utf8(rec_.Estado.clipped()); }});
        b.AddColumn({"Quantidade", 50, 'R', [this] { return ui::ShowDecimal(rec_.Quantidade, 3); }});
        b.AddColumn({"Produto", 50, 'R', [this] { return rec_.CodMercadoria.value().to_fixed(0); }});
        b.AddColumn({"Base ICMS", 50, 'R', [this] { return ui::ShowDecimal(rec_.BaseICMS, 2); }});
        b.AddColumn({"CFO", 22, 'R', [this] { return std::to_string(rec_.CFO); }});
        b.AddColumn({"Compl", 22, 'R', [this] { return std::to_string(rec_.Complemento); }});
        b.AddColumn({"Alíquota", 30, 'R', [this] { return ui::ShowDecimal(rec_.Aliquota, 3); }});
        b.SetSheet(kSheet);
        SetButtons(b, kInsert, kChange, kDelete, kSelect);
        b.AttachQuery(query_, kQuery, kClear);
        SetCloseButton(kClose);
        ExcludeFromNavigation({kInsert, kChange, kDelete, kQuery, kClear, kSelect, kClose, kHelp, kOpenPadlock,
                               kClosedPadlock});
        return Level::Benign;
    }

private:
    EntradaVorelRec& rec_;
    ui::Query query_{"Entradas"};
    ui::PeriodSource month_;  // the first tab lists the working month only
};

}  // namespace

void RunEntradasBrowse(ProcContext& ctx) { EntradasBrowse(ctx).Execute(); }

}  // namespace vorel::movements
