// RangeSource: a browse source limited to the records whose leading key components equal a
// record's, for the dependent lists of a form (a product's suppliers, batches and rates; a
// cash-register master's analytic records, whose link is three components). `prime` writes the
// values into the cleared buffer; `inRange` tells whether the record just read still has them;
// `components` is how many leading components `prime` fills (1 by default). The list starts at the
// first such record and stops after the last, without reading the rest of the file.
//
//     RangeSource src(ThreadFile(LoteVorel()),
//                     [&] { lote.CODPRODUTO = produto.Codigo; },
//                     [&] { return lote.CODPRODUTO == produto.Codigo; });
//
// PeriodSource: a browse source whose chosen orders list only the records dated in one period (the
// working month of a movement browse), the date being the first component of their key; its other
// orders list the whole table. A limited order starts at the period's first day and stops after its
// last, without reading the rest of the file, from either end; a locator's date is held inside the
// period, and a record outside it (one a form has just moved to another month) is never shown.
//
//     PeriodSource src(ThreadFile(EntradaVorel()), ent.DataEmissao);
//     src.SetPeriod(first, last);
//     src.LimitOrder(file.desc().key_index(keys::ENT_KEY_NUMERO));   // the first tab only
#pragma once

#include <cstdint>
#include <functional>
#include <set>

#include "vorel/data/file_manager.h"
#include "vorel/ui/browse_manager.h"

namespace vorel::ui {

class RangeSource : public TableSource {
public:
    RangeSource(data::FileManager& file, std::function<void()> prime, std::function<bool()> inRange,
                int components = 1)
        : TableSource(file), file_(file), prime_(std::move(prime)), inRange_(std::move(inRange)),
          components_(components) {}

    void SetOrder(int key) override {
        key_ = key;
        TableSource::SetOrder(key);
    }
    void ToStart() override {
        file_.clear_record();
        prime_();
        (void)file_.set_at(key_, components_);
    }
    void ToEnd() override { ToStart(); }  // previous() reads the last record of the range
    bool Next() override { return file_.next().ok() && inRange_(); }
    bool Previous() override { return file_.previous().ok() && inRange_(); }

private:
    data::FileManager& file_;
    std::function<void()> prime_;
    std::function<bool()> inRange_;
    int key_ = 0;
    int components_ = 1;
};

class PeriodSource : public TableSource {
public:
    // `date` is the date field of the table's record buffer (a day number).
    PeriodSource(data::FileManager& file, std::int32_t& date) : TableSource(file), file_(file), date_(date) {}

    void SetPeriod(std::int32_t first, std::int32_t last) {
        first_ = first;
        last_ = last;
    }
    // Orders (key numbers) that list the period only.
    void LimitOrder(int key) { limited_.insert(key); }

    void SetOrder(int key) override;
    void ToStart() override;
    void ToEnd() override;
    void ToBuffer() override;
    bool StartAt(std::int64_t place) override;
    bool Next() override { return TableSource::Next() && InPeriod(); }
    bool Previous() override { return TableSource::Previous() && InPeriod(); }

private:
    bool limited() const { return limited_.count(key_) != 0; }
    bool InPeriod() const { return !limited() || (date_ >= first_ && date_ <= last_); }
    void From(std::int32_t day);  // positions at that day: next reads the first at or after it

    data::FileManager& file_;
    std::int32_t& date_;
    std::int32_t first_ = 0, last_ = 0;
    std::set<int> limited_;
    int key_ = 0;
};

}  // namespace vorel::ui
