// RangeSource: a browse source limited to the records whose leading key component equals a value,
// for the dependent lists of a form (a product's suppliers, batches and rates). `prime` writes the
// value into the cleared buffer; `inRange` tells whether the record just read still has it. The list
// starts at the first such record and stops after the last, without reading the rest of the file.
//
//     RangeSource src(ThreadFile(LoteVorel()),
//                     [&] { lote.CODPRODUTO = produto.Codigo; },
//                     [&] { return lote.CODPRODUTO == produto.Codigo; });
#pragma once

#include <functional>

#include "vorel/data/file_manager.h"
#include "vorel/ui/browse_manager.h"

namespace vorel::ui {

class RangeSource : public TableSource {
public:
    RangeSource(data::FileManager& file, std::function<void()> prime, std::function<bool()> inRange)
        : TableSource(file), file_(file), prime_(std::move(prime)), inRange_(std::move(inRange)) {}

    void SetOrder(int key) override {
        key_ = key;
        TableSource::SetOrder(key);
    }
    void ToStart() override {
        file_.clear_record();
        prime_();
        (void)file_.set_at(key_, 1);
    }
    void ToEnd() override { ToStart(); }  // previous() reads the last record of the range
    bool Next() override { return file_.next() == 0 && inRange_(); }
    bool Previous() override { return file_.previous() == 0 && inRange_(); }

private:
    data::FileManager& file_;
    std::function<void()> prime_;
    std::function<bool()> inRange_;
    int key_ = 0;
};

}  // namespace vorel::ui
