#include "vorel/report/report_controller.h"
#include "vorel/report/report_run.h"

#include <gtest/gtest.h>

#include "vorel/core/decimal.h"

namespace vorel::report {
namespace {

std::vector<std::string> texts(const Page& page) {
    std::vector<std::string> out;
    for (const Item& item : page.items)
        if (const auto* t = std::get_if<TextItem>(&item)) out.push_back(t->text);
    return out;
}

// A report whose detail area holds three bands of 100; header and footer say what they are.
struct Fixture {
    ReportSetup setup{.title = "Teste", .header_top = 0, .detail_top = 200, .detail_height = 300,
                      .footer_top = 600};
    RunningTotal<int> page_sum;
    RunningTotal<int> all_sum;

    ReportController make(bool footer_on_last = true) {
        setup.footer_on_last_page = footer_on_last;
        ReportController r(setup);
        r.set_page_header({100, [](BandPainter& p) { p.text({0, 0, 100, 100}, "header", {}); }});
        r.set_page_footer({100, [this](BandPainter& p) {
                               p.text({0, 0, 100, 100}, "footer " + std::to_string(page_sum.value()), {});
                               p.page_text({0, 0, 100, 100}, "{page}/{pages}", {});
                           }});
        r.reset_each_page(page_sum);
        return r;
    }
    static Band line(const std::string& s, Mils height = 100) {
        return {height, [s](BandPainter& p) { p.text({0, 0, 100, 100}, s, {}); }};
    }
};

TEST(ReportController, BandThatDoesNotFitGoesToNextPageWithItsTotal) {
    Fixture f;
    ReportController r = f.make();
    for (int i = 1; i <= 4; ++i) r.print(Fixture::line("d" + std::to_string(i)), [&] { f.page_sum.add(i); });
    Document d = r.finish();
    ASSERT_EQ(d.pages.size(), 2u);
    // The fourth record is added only once it is placed: page 1's footer holds 1+2+3.
    EXPECT_EQ(texts(d.pages[0]), (std::vector<std::string>{"header", "d1", "d2", "d3", "footer 6", "1/2"}));
    EXPECT_EQ(texts(d.pages[1]), (std::vector<std::string>{"header", "d4", "footer 4", "2/2"}));
    // Positions: details stack from the detail area's top, the footer at its own top.
    const auto& d2 = std::get<TextItem>(d.pages[0].items[2]);
    EXPECT_EQ(d2.box.y, 300);
    const auto& footer = std::get<TextItem>(d.pages[0].items[4]);
    EXPECT_EQ(footer.box.y, 600);
}

TEST(ReportController, FooterLeftOutOnLastPageWhenAsked) {
    Fixture f;
    ReportController r = f.make(/*footer_on_last=*/false);
    for (int i = 0; i < 4; ++i) r.print(Fixture::line("d"));
    Document d = r.finish();
    ASSERT_EQ(d.pages.size(), 2u);
    EXPECT_EQ(texts(d.pages[0]).back(), "1/2");
    EXPECT_EQ(texts(d.pages[1]), (std::vector<std::string>{"header", "d"}));
}

TEST(ReportController, PageNumbersStartAtTheFirstPageNumber) {
    Fixture f;
    f.setup.first_page_number = 5;
    ReportController r = f.make();
    for (int i = 0; i < 7; ++i) r.print(Fixture::line("d"));
    r.page_break();
    r.print(Fixture::line("after break"));
    Document d = r.finish();
    ASSERT_EQ(d.pages.size(), 4u);
    EXPECT_EQ(d.pages[0].number, 5);
    EXPECT_EQ(texts(d.pages[2]).back(), "7/8");  // page 3 holds the seventh detail only
    EXPECT_EQ(texts(d.pages[3]), (std::vector<std::string>{"header", "after break", "footer 0", "8/8"}));
}

TEST(ReportController, BandTallerThanTheDetailAreaGetsAPageOfItsOwn) {
    Fixture f;
    ReportController r = f.make();
    r.print(Fixture::line("small"));
    r.print(Fixture::line("huge", 1000));
    r.print(Fixture::line("next"));
    Document d = r.finish();
    ASSERT_EQ(d.pages.size(), 3u);
    EXPECT_EQ(texts(d.pages[1])[1], "huge");
    EXPECT_EQ(texts(d.pages[2])[1], "next");
}

TEST(ReportController, GroupBreaksPrintFooterThenHeaderAndResetTheirTotals) {
    Fixture f;
    f.setup.detail_height = 3000;
    ReportController r = f.make();
    RunningTotal<int> outer_sum, inner_sum;
    std::string outer_key, inner_key;
    auto outer = r.add_group({Fixture::line("(outer"), {10, [&](BandPainter& p) {
                                  p.text({}, "outer) " + std::to_string(outer_sum.value()), {});
                              }},
                              false, {&outer_sum}});
    auto inner = r.add_group({Fixture::line("(inner"), {10, [&](BandPainter& p) {
                                  p.text({}, "inner) " + std::to_string(inner_sum.value()), {});
                              }},
                              false, {&inner_sum}});
    const std::vector<std::pair<std::string, std::string>> records = {{"A", "x"}, {"A", "x"}, {"A", "y"}, {"B", "y"}};
    int n = 0;
    for (const auto& [o, i] : records) {
        r.group_key(outer, o);
        r.group_key(inner, i);
        ++n;
        r.print(Fixture::line(o + i), [&] {
            outer_sum.add(n);
            inner_sum.add(n);
        });
    }
    Document d = r.finish();
    ASSERT_EQ(d.pages.size(), 1u);
    EXPECT_EQ(texts(d.pages[0]),
              (std::vector<std::string>{"header", "(outer", "(inner", "Ax", "Ax", "inner) 3", "(inner", "Ay",
                                        "inner) 3", "outer) 6", "(outer", "(inner", "By", "inner) 4", "outer) 4",
                                        "footer 0", "1/1"}));
}

TEST(ReportController, GroupOnANewPageStartsEachKeyButTheFirstOnANewPage) {
    Fixture f;
    f.setup.detail_height = 3000;
    ReportController r = f.make();
    auto g = r.add_group({Fixture::line("head"), {}, true});
    for (std::string key : {"1", "1", "2", "3"}) {
        r.group_key(g, key);
        r.print(Fixture::line(key));
    }
    Document d = r.finish();
    ASSERT_EQ(d.pages.size(), 3u);
    EXPECT_EQ(texts(d.pages[0]), (std::vector<std::string>{"header", "head", "1", "1", "footer 0", "1/3"}));
    EXPECT_EQ(texts(d.pages[2])[1], "head");
}

TEST(RunningTotal, SumsDecimalsExactlyAndResetsWithItsPage) {
    Fixture f;
    ReportController r = f.make();
    RunningTotal<Decimal> page_amount;
    r.reset_each_page(page_amount);
    std::vector<std::string> footers;
    r.set_page_footer({100, [&](BandPainter&) { footers.push_back(page_amount.value().to_fixed(2)); }});
    for (int i = 0; i < 4; ++i) r.print(Fixture::line("d"), [&] { page_amount.add(Decimal::from_string("0.10")); });
    r.finish();
    EXPECT_EQ(footers, (std::vector<std::string>{"0.30", "0.10"}));
    EXPECT_EQ(page_amount.count(), 1);
}

TEST(PageList, PrependAndAppendKeepEachPageAsItsReportMadeIt) {
    Document sheet, result;
    sheet.pages = {Page{1, Paper::a4(), Orientation::Landscape, {}}, Page{2, Paper::a4(), Orientation::Landscape, {}}};
    result.pages = {Page{1, Paper::letter(), Orientation::Portrait, {}}};
    Document merged = result;
    merged.prepend(sheet);
    ASSERT_EQ(merged.pages.size(), 3u);
    EXPECT_EQ(merged.pages[0].number, 1);
    EXPECT_EQ(merged.pages[1].number, 2);
    EXPECT_EQ(merged.pages[2].number, 1);
    EXPECT_EQ(merged.pages[0].orientation, Orientation::Landscape);
    EXPECT_EQ(merged.pages[2].orientation, Orientation::Portrait);
    Document appended = sheet;
    appended.append(result);
    EXPECT_EQ(appended.pages.back().paper, Paper::letter());
    EXPECT_EQ(appended.pages.size(), 3u);
}

// Progress and cancel.

struct Recorder final : ProgressObserver {
    std::vector<int> percents;
    std::size_t stop_at = 0;
    Decision stop_with = Decision::Cancel;
    Decision on_progress(const Progress& p) override {
        percents.push_back(p.percent);
        return p.records == stop_at ? stop_with : Decision::Continue;
    }
};

struct Loop {
    int records;
    int read = 0;
    RecordLoop make(std::size_t total) {
        return {total, [this] { return read < records && ++read > 0; },
                [](ReportController& r) { r.print(Fixture::line("d")); },
                [](ReportController& r) { r.print(Fixture::line("closing")); }};
    }
};

TEST(ReportRun, ReportsProgressAfterEveryRecordCappedAt100) {
    struct Case {
        int records;
        std::size_t total;
        std::vector<int> percents;
    };
    for (const Case& c : std::vector<Case>{{3, 3, {33, 66, 100}}, {3, 2, {50, 100, 100}}, {2, 0, {0, 0}}}) {
        Fixture f;
        ReportController r = f.make();
        Loop loop{c.records};
        Recorder progress;
        RunResult result = run_report(r, loop.make(c.total), &progress);
        EXPECT_EQ(progress.percents, c.percents) << c.records << " of " << c.total;
        EXPECT_EQ(result.outcome, RunOutcome::Completed);
        EXPECT_EQ(result.records, static_cast<std::size_t>(c.records));
    }
}

TEST(ReportRun, StepsReadASliceOfRecordsAtATime) {
    Fixture f;
    ReportController r = f.make();
    Loop loop{60};
    ReportRun run(r, loop.make(60));
    std::vector<std::size_t> read;
    while (run.step(25)) read.push_back(run.progress().records);
    read.push_back(run.progress().records);
    EXPECT_EQ(read, (std::vector<std::size_t>{25, 50, 60}));
    EXPECT_EQ(run.progress().percent, 100);
    RunResult result = run.finish();
    EXPECT_EQ(result.outcome, RunOutcome::Completed);
    EXPECT_EQ(texts(result.document.pages.back())[1], "closing");
}

TEST(ReportRun, NoRecordGivesNoPages) {
    Fixture f;
    ReportController r = f.make();
    Loop loop{0};
    RunResult result = run_report(r, loop.make(10));
    EXPECT_EQ(result.outcome, RunOutcome::Empty);
    EXPECT_TRUE(result.document.empty());
}

TEST(ReportRun, CancelledReportStopsAndSaysSo) {
    Fixture f;
    ReportController r = f.make();
    Loop loop{10};
    Recorder progress;
    progress.stop_at = 4;
    RunResult result = run_report(r, loop.make(10), &progress);
    EXPECT_EQ(result.outcome, RunOutcome::Cancelled);
    EXPECT_EQ(loop.read, 4);  // no record is read after the cancel
    EXPECT_TRUE(result.document.empty());
    EXPECT_EQ(result.message, "Report Teste cancelled after 4 of 10 records; nothing was printed.");
}

TEST(ReportRun, PartialPreviewKeepsThePagesMadeSoFar) {
    Fixture f;
    ReportController r = f.make();
    Loop loop{10};
    Recorder progress;
    progress.stop_at = 4;
    progress.stop_with = Decision::PreviewPartial;
    RunResult result = run_report(r, loop.make(10), &progress);
    EXPECT_EQ(result.outcome, RunOutcome::PartialPreview);
    ASSERT_EQ(result.document.pages.size(), 2u);
    EXPECT_EQ(texts(result.document.pages[1]), (std::vector<std::string>{"header", "d", "footer 0", "2/2"}));
    EXPECT_NE(result.message.find("cancelled after 4 records"), std::string::npos) << result.message;
}

TEST(ReportRun, PartialPreviewWithoutPagesCancels) {
    Fixture f;
    ReportController r = f.make();
    bool read = false;
    RecordLoop loop{5, [&] { return !read && (read = true); }, [](ReportController&) {}};
    Recorder progress;
    progress.stop_at = 1;
    progress.stop_with = Decision::PreviewPartial;
    EXPECT_EQ(run_report(r, loop, &progress).outcome, RunOutcome::Cancelled);
}

}  // namespace
}  // namespace vorel::report
