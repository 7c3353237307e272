// A front end's report of how many rows a list shows: a browse pages by it (refilled around the
// highlighted record, also when the report comes while a form is open above the browse); the
// window posts a list-sized event only when the number changes. A browse over a range reads no
// further than the record after the range's end.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "vorel/ui/browse_manager.h"
#include "vorel/ui/headless.h"

using namespace vorel::ui;

namespace {

// Records 1..n in one order; a record's place is its number.
class CountingSource : public BrowseSource {
public:
    explicit CountingSource(int n, std::atomic<int>* reads = nullptr) : n_(n), reads_(reads) {}
    void SetOrder(int) override {}
    void ClearBuffer() override { buffer_ = 0; }
    void ToStart() override { at_ = 0; }
    void ToEnd() override { at_ = n_ + 1; }
    void ToBuffer() override { at_ = buffer_ - 1; }
    void After(std::int64_t place) override { at_ = static_cast<int>(place); }
    void Before(std::int64_t place) override { at_ = static_cast<int>(place); }
    bool StartAt(std::int64_t place) override {
        if (place < 1 || place > n_) return false;
        buffer_ = at_ = static_cast<int>(place);
        return true;
    }
    bool Next() override {
        if (reads_) ++*reads_;
        if (at_ >= n_) return false;
        buffer_ = ++at_;
        return true;
    }
    bool Previous() override {
        if (reads_) ++*reads_;
        if (at_ <= 1) return false;
        buffer_ = --at_;
        return true;
    }
    std::int64_t Current() const override { return at_; }
    bool Fetch(std::int64_t place) override { return StartAt(place); }
    int buffer() const { return buffer_; }

private:
    int n_;
    std::atomic<int>* reads_;
    int at_ = 0, buffer_ = 0;
};

enum : int { kList = 1, kInsert = 2, kOk = 3 };

class Browse : public BrowseWindow {
public:
    Browse(ProcContext& ctx, CountingSource& source, std::function<bool()> range = {})
        : BrowseWindow(ctx, "Numeros", "Números", source), source_(source), range_(std::move(range)) {}
    Level Setup() override {
        BrowseWindow::Setup();
        window().List(kList, {{"Número", 20, 'R'}});
        window().Button(kInsert, "&Inclui");
        browse().SetList(kList);  // ten rows until the front end says otherwise
        browse().AddColumn({"Número", 20, 'R', [this] { return std::to_string(source_.buffer()); }});
        browse().SetInsertButton(kInsert);
        if (range_) browse().SetRange(range_);
        SetForm([](ProcContext& c) {
            Window f(c, "Formulário");
            f.Button(kOk, "&OK");
            f.Open();
            for (Event e; (e = f.Accept()).code != event::None;)
                if (e.code == event::Accepted) f.Close();
        });
        return Level::Benign;
    }

private:
    CountingSource& source_;
    std::function<bool()> range_;
};

struct ListRowsTest : ::testing::Test {
    Runtime rt;
    HeadlessDriver ui{rt};
    int w = 0;
    HeadlessDriver::Ctl list;

    void SetUp() override {
        rt.Start("Numeros", [](ProcContext& ctx) {
            CountingSource source(40);
            Browse(ctx, source).Execute();
        });
        w = ui.WindowByCaption("Números");
        list = ui.Control(w, kList);
    }
    // The numbers on the page, and the highlighted one.
    std::vector<int> Page() {
        std::vector<int> out;
        for (auto& r : ui.Rows(list)) out.push_back(std::stoi(r[0]));
        return out;
    }
    int Highlighted() { return Page().at(static_cast<std::size_t>(ui.State(list).selected - 1)); }
};

std::vector<int> Span(int from, int to) {
    std::vector<int> v;
    for (int i = from; i <= to; ++i) v.push_back(i);
    return v;
}

TEST_F(ListRowsTest, PagingMovesByTheRowsTheFrontEndShows) {
    EXPECT_EQ(Page(), Span(1, 10));
    ui.FitRows(list, 5);
    EXPECT_EQ(Page(), Span(1, 5));
    ui.FocusOn(list);
    ui.Key(w, key::PageDown);
    EXPECT_EQ(Page(), Span(6, 10));
    ui.Key(w, key::PageUp);
    EXPECT_EQ(Page(), Span(1, 5));
    ui.Key(w, key::Down);
    ui.Key(w, key::Down);
    EXPECT_EQ(Highlighted(), 3);
    // A taller list keeps its first row and the highlight.
    ui.FitRows(list, 8);
    EXPECT_EQ(Page(), Span(1, 8));
    EXPECT_EQ(Highlighted(), 3);
}

TEST_F(ListRowsTest, AtTheEndThePageFillsUpwardsAndTheHighlightStays) {
    ui.FocusOn(list);
    ui.Key(w, key::End);
    EXPECT_EQ(Page(), Span(31, 40));
    ui.PickRow(list, 8);
    ui.FitRows(list, 25);
    EXPECT_EQ(Page(), Span(16, 40));
    EXPECT_EQ(Highlighted(), 38);
    // A shorter list drops rows above the highlight rather than the highlight itself.
    ui.FitRows(list, 4);
    EXPECT_EQ(Page(), Span(35, 38));
    EXPECT_EQ(Highlighted(), 38);
    // Larger than the file: every record, the highlight kept.
    ui.FitRows(list, 100000);
    EXPECT_EQ(Page(), Span(1, 40));
    EXPECT_EQ(Highlighted(), 38);
}

TEST_F(ListRowsTest, AReportWhileAFormIsOpenAboveTheBrowseIsKept) {
    ui.Press(ui.Control(w, kInsert));
    int f = ui.WindowByCaption("Formulário");
    ui.FitRows(list, 6);
    EXPECT_EQ(Page(), Span(1, 10));  // the browse's loop waits for the form
    ui.Press(ui.Control(f, kOk));
    EXPECT_FALSE(ui.HasWindow("Formulário"));
    EXPECT_EQ(Page(), Span(1, 6));
}

TEST(ListRows, ABrowseOverARangeStopsAtItsEnd) {
    // Records 1..100000; the range is 11..25. Every page the user reaches shows only the range, and
    // no page reads more than the record after the range's end.
    Runtime rt;
    HeadlessDriver ui{rt};
    std::atomic<int> reads{0};
    rt.Start("Numeros", [&reads](ProcContext& ctx) {
        CountingSource source(100000, &reads);
        Browse(ctx, source, [&source] { return source.buffer() >= 11 && source.buffer() <= 25; }).Execute();
    });
    int w = ui.WindowByCaption("Números");
    auto list = ui.Control(w, kList);
    auto page = [&] {
        std::vector<int> out;
        for (auto& r : ui.Rows(list)) out.push_back(std::stoi(r[0]));
        return out;
    };
    EXPECT_EQ(page(), Span(11, 20));
    ui.FocusOn(list);
    ui.Key(w, key::PageDown);
    EXPECT_EQ(page(), Span(16, 25));
    ui.Key(w, key::PageDown);
    ui.Key(w, key::Down);
    EXPECT_EQ(page(), Span(16, 25));
    ui.Key(w, key::Home);
    EXPECT_EQ(page(), Span(11, 20));
    ui.WaitIdle();
    EXPECT_LT(reads.load(), 200);  // not a read towards the file's end (100,000 records)
}

TEST(ListRows, OnlyAChangedNumberReachesTheProcedure) {
    std::vector<int> seen;  // list-sized events with the rows then known
    Runtime rt;
    HeadlessDriver ui{rt};
    rt.Start("Lista", [&seen](ProcContext& ctx) {
        Window win(ctx, "Lista");
        win.List(kList, {{"Código", 20, 'L'}}).Rows({{{"1"}}, {{"2"}}});
        win.Button(5, "&OK");
        win.Open();
        for (Event e; (e = win.Accept()).code != event::None;)
            if (e.code == event::ListSized) seen.push_back(win[e.feq].visibleRows());
    });
    int w = ui.WindowByCaption("Lista");
    for (int rows : {5, 5, 0, -3, 7, 7}) ui.FitRows(ui.Control(w, kList), rows);
    ui.FitRows(ui.Control(w, 5), 9);  // not a list
    EXPECT_EQ(seen, (std::vector<int>{5, 7}));
    EXPECT_EQ(ui.Rows(ui.Control(w, kList)).size(), 2u);  // a list without a browse keeps its rows
}

}  // namespace
