// Running totals of a page report: sums that a band adds to as it prints, reset at the start of
// a page, when a group breaks, or never (the whole report).
//
// A total belongs to the report procedure; the ReportController only resets it at the moment its
// scope ends (ReportController::reset_each_page, Group::totals). Adding happens in the commit
// function of ReportController::print, which runs after the controller has decided on which page
// the band lands: a record that moves to the next page is not in the previous page's footer.
//
//   RunningTotal<Decimal> sum_page;
//   report.reset_each_page(sum_page);
//   report.print(detail, [&] { sum_page.add(value); });
#pragma once

namespace vorel::report {

class Resettable {
public:
    virtual void reset() = 0;

protected:
    ~Resettable() = default;
};

template <class T>
class RunningTotal final : public Resettable {
public:
    void add(const T& amount) {
        value_ += amount;
        ++count_;
    }
    const T& value() const { return value_; }
    long long count() const { return count_; }  // how many amounts were added since the reset
    void reset() override {
        value_ = T{};
        count_ = 0;
    }

private:
    T value_{};
    long long count_ = 0;
};

}  // namespace vorel::report
