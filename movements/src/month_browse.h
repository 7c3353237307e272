// The browse of the vehicle entries (`EntradaVeiculo`), the vehicle exits (`SaidaVeiculo`) and the
// cash-register master records (`LancamentoMestre`): the records of the working month (their date
// from its first to its last day) in the order of a key led by the date, with a locator on the
// date, query by example, and the month lock of the movement browses (a closed month takes insert,
// change and delete away). It asks for the working company first when none is chosen.
// `MonthBrowseLayout` holds what each of them says and reads.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "vorel/core/date.h"
#include "vorel/movements/month_lock.h"
#include "vorel/movements/procedures.h"
#include "vorel/ui/query.h"
#include "vorel/ui/range_source.h"

namespace vorel::movements {

struct MonthBrowseLayout {
    std::string procedure, caption, form;
    data::KeyName keyName;                  // a key whose first component is the date
    std::string tab;                        // the one search tab's caption, or none
    std::string pesquisaButton, selectButton;
    std::function<date::Day()> day;         // the date of the record in the buffer
    std::int32_t* dateField = nullptr;      // that date's field, when it is a day number
    ui::UsePtr locator;                     // the date through the locator entry
    std::vector<ui::BrowseColumn> columns;
};

class MonthBrowse : public MonthLockedBrowse {
public:
    enum : int {
        kSheet = 1, kTab, kPromptLocator, kLocator, kList, kGroup, kInsert, kChange, kDelete, kPesquisa, kLimpa,
        kSelect, kClose, kHelp, kMonthState, kMonthOpen, kMonthClosed
    };

    MonthBrowse(ProcContext& ctx, const data::TableDesc& table, MonthBrowseLayout layout);

    Level Build(ui::Window& w) override;

private:
    MonthBrowseLayout layout_;
    std::unique_ptr<ui::PeriodSource> period_;  // for a date kept as a day number
    ui::Query query_;
};

}  // namespace vorel::movements
