// Browse "SaldoAnterior": window "Saldo Anterior" over the opening balances of the working company's
// year (the entry items with number 0, whatever their month), by product, lot, series and number;
// the form is USaldoAnterior. It asks for the working company first when none is chosen. Its insert,
// change and delete buttons sit in the month lock's group: a closed working month refuses them,
// although the balances are not tied to it (month_lock.h).
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/movements/month_lock.h"
#include "vorel/movements/procedures.h"
#include "vorel/ui/pictured_use.h"

namespace vorel::movements {

namespace {

using dictionary::EntradaVorelRec;
namespace keys = dictionary::keys;

class SaldoAnteriorBrowse : public MonthLockedBrowse {
public:
    enum : int {
        kSheet = 1, kTab, kPromptProduto, kLocProduto, kList, kInsert, kChange, kDelete, kSelect, kClose,
        kPromptLock, kOpenPadlock, kClosedPadlock, kLockGroup
    };

    explicit SaldoAnteriorBrowse(ProcContext& ctx)
        : MonthLockedBrowse(ctx, "SaldoAnterior", "Saldo Anterior", dictionary::EntradaVorel(), "USaldoAnterior",
                            {kPromptLock, kOpenPadlock, kClosedPadlock, kLockGroup, kInsert, kChange, kDelete}),
          rec_(file().rec<EntradaVorelRec>()) {}

    Level Build(ui::Window& w) override {
        w.Sheet(kSheet);
        AddSearchTab(kSheet, {kTab, "Lançamento Anterior", kPromptProduto, "Produto:", kLocProduto,
                              ui::UseDecimal(rec_.CodMercadoria, 0), "@N-19.",
                              file().desc().key_index(keys::ENT_KEY_PRODLOTESERIENUM)});
        w.List(kList).Tip("Saldos Anteriores");
        AddMonthLock();
        w.Button(kInsert, "&Inclui").Parent(kLockGroup).Tip("Inclui Novo Lançamento");
        w.Button(kChange, "&Altera").Parent(kLockGroup).Tip("Altera Registro Selecionado");
        w.Button(kDelete, "&Exclui").Parent(kLockGroup).Tip("Exclui Registro Selecionado");
        w.Button(kSelect, "&Seleciona").Tip("Seleciona Registro");
        w.Button(kClose, "&Fecha").Tip("Fecha a Janela");

        ui::BrowseManager& b = browse();
        b.SetList(kList);
        b.SetFilter([this] { return rec_.Numero == 0; });
        b.AddColumn({"Data Emissão", 44, 'L', [this] {
                         return rec_.DataEmissao == 0 ? std::string() : ui::FormatNumber("@d06b", rec_.DataEmissao);
                     }});
        // The whole code: three characters would cut the four-digit codes of the years from 2003.
        b.AddColumn({"CFO", 22, 'R', [this] { return std::to_string(rec_.CFO); }});
        b.AddColumn({"Produto", 50, 'R', [this] { return rec_.CodMercadoria.value().to_fixed(0); }});
        b.AddColumn({"Quantidade", 50, 'R', [this] { return ui::ShowDecimal(rec_.Quantidade, 3); }});
        b.AddColumn({"Base I.C.M.S.", 50, 'R', [this] { return ui::ShowDecimal(rec_.BaseICMS, 2); }});
        b.AddColumn({"Aliquota", 30, 'R', [this] { return ui::ShowDecimal(rec_.Aliquota, 3); }});
        b.SetSheet(kSheet);
        SetButtons(b, kInsert, kChange, kDelete, kSelect);
        SetCloseButton(kClose);
        ExcludeFromNavigation({kInsert, kChange, kDelete, kSelect, kClose, kOpenPadlock, kClosedPadlock});
        return Level::Benign;
    }

private:
    EntradaVorelRec& rec_;
};

}  // namespace

void RunSaldoAnteriorBrowse(ProcContext& ctx) { SaldoAnteriorBrowse(ctx).Execute(); }

}  // namespace vorel::movements
