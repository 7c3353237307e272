// PeriodSource: the orders of a browse that list one period along their leading date.
#include "vorel/ui/range_source.h"

namespace vorel::ui {

void PeriodSource::SetOrder(int key) {
    key_ = key;
    TableSource::SetOrder(key);
}

void PeriodSource::From(std::int32_t day) {
    file_.clear_record();
    date_ = day;
    (void)file_.set_at(key_, 1);
}

void PeriodSource::ToStart() {
    if (limited()) From(first_);
    else TableSource::ToStart();
}

// Previous() reads the last record dated on or before the period's last day.
void PeriodSource::ToEnd() {
    if (limited()) From(last_);
    else TableSource::ToEnd();
}

// A locator's date before or after the period starts the list at the period's edge.
void PeriodSource::ToBuffer() {
    if (limited() && date_ < first_) return From(first_);
    if (limited() && date_ > last_) return From(last_ + 1);
    TableSource::ToBuffer();
}

bool PeriodSource::StartAt(std::int64_t place) { return TableSource::StartAt(place) && InPeriod(); }

}  // namespace vorel::ui
