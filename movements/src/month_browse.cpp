// The movement browse of the working month (see month_browse.h).
#include "month_browse.h"

#include "vorel/shell/globals.h"
#include "vorel/shell/period.h"

namespace vorel::movements {

MonthBrowse::MonthBrowse(ProcContext& ctx, const data::TableDesc& table, MonthBrowseLayout layout)
    : MonthLockedBrowse(ctx, layout.procedure, layout.caption, table, layout.form,
                        {kMonthState, kMonthOpen, kMonthClosed, kGroup, kInsert, kChange, kDelete}),
      layout_(std::move(layout)),
      query_(layout_.procedure) {
    // A date kept as a day number lets the list start at the month's first day and stop after its
    // last; a date kept as text is read as a day for each record of the order.
    if (layout_.dateField) {
        period_ = std::make_unique<ui::PeriodSource>(file(), *layout_.dateField);
        SetBrowseManager(std::make_unique<ui::BrowseManager>(*this, *period_));
    }
}

Level MonthBrowse::Build(ui::Window& w) {
    const int key = file().desc().key_index(layout_.keyName);
    ui::BrowseManager& b = browse();
    if (layout_.tab.empty()) {
        w.Prompt(kPromptLocator, "Data:");
        w.Entry(kLocator, layout_.locator, "@d06b");
        b.AddSortOrder({key, kLocator, true, {}});
    } else {
        w.Sheet(kSheet);
        AddSearchTab(kSheet, {kTab, layout_.tab, kPromptLocator, "Data:", kLocator, layout_.locator, "@d06b", key});
        b.SetSheet(kSheet);
    }
    w.List(kList);
    AddMonthLock();
    w.Button(kInsert, "&Inclui Lançamento").Parent(kGroup);
    w.Button(kChange, "&Altera Lançamento").Parent(kGroup);
    w.Button(kDelete, "&Exclui Lançamento").Parent(kGroup);
    w.Button(kPesquisa, layout_.pesquisaButton).Icon("QkQBE.ico");
    w.Button(kLimpa, "&Limpa Pesquisa").Icon("QkLoad.ico");
    w.Button(kSelect, layout_.selectButton);
    w.Button(kClose, "&Fecha");
    w.Button(kHelp, "Ajuda &On-Line");

    b.SetList(kList);
    for (const ui::BrowseColumn& c : layout_.columns) b.AddColumn(c);
    // The working month, from its first day to its last.
    const date::Day first = date::make(shell::GLO_ANO.Get(), shell::GLO_MES.Get(), 1);
    const date::Day last = shell::UltimoDiaMes(first);
    if (period_) {
        period_->SetPeriod(first, last);
        period_->LimitOrder(key);
    } else {
        b.SetRange([this, first, last] {
            const date::Day d = layout_.day();
            return d >= first && d <= last;
        });
    }
    b.AttachQuery(query_, kPesquisa, kLimpa);
    SetButtons(b, kInsert, kChange, kDelete, kSelect);
    SetCloseButton(kClose);
    ExcludeFromNavigation({kInsert, kChange, kDelete, kPesquisa, kLimpa, kSelect, kClose, kHelp, kMonthOpen,
                           kMonthClosed});
    return Level::Benign;
}

}  // namespace vorel::movements
