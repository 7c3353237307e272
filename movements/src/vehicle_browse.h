// The browse shared by the vehicle entries (`EntradaVeiculo`) and exits (`SaidaVeiculo`): the
// records of the working month (date from its first to its last day) in the order of the table's
// number key (date, chassis, number, series), with a locator on the date, query by example, and the
// month lock of the movement browses (a closed month takes insert, change and delete away). It asks
// for the working company first when none is chosen. `VehicleBrowseTexts` holds what each says.
#pragma once

#include <string>
#include <vector>

#include "vorel/movements/procedures.h"
#include "vorel/ui/query.h"
#include "vorel/ui/register_window.h"

namespace vorel::movements {

struct VehicleBrowseTexts {
    std::string procedure, caption, form;
    std::string keyName;                    // the number key, led by the date
    std::string selectButton;
    std::vector<ui::BrowseColumn> columns;  // after the browse's own chassis and date columns
    std::string dataHeading;
};

class VehicleBrowse : public ui::RegisterBrowse {
public:
    enum : int {
        kPromptLocator = 1, kLocator, kList, kGroup, kInsert, kChange, kDelete, kPesquisa, kLimpa, kSelect, kClose,
        kHelp, kMonthState, kMonthOpen, kMonthClosed
    };

    // `data` is the record's date field, `chassi` its chassis, both in the table's buffer.
    VehicleBrowse(ProcContext& ctx, const data::TableDesc& table, VehicleBrowseTexts texts, std::int32_t& data,
                  const String<22>& chassi);

    bool BeforeTables() override;
    Level Setup() override;
    Level OnWindowOpened() override;
    Level OnAccepted(int feq) override;

private:
    VehicleBrowseTexts texts_;
    std::int32_t& data_;
    const String<22>& chassi_;
    ui::Query query_;
};

}  // namespace vorel::movements
