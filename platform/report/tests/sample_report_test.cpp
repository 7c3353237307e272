// The sample reports' page models against their reference texts (tests/reference/).
#include "reference_file.h"
#include "sample_reports.h"

#include <gtest/gtest.h>

namespace vorel::report {
namespace {

TEST(SampleReport, EntriesListingMatchesItsReference) {
    RunResult r = samples::run_entries_listing(samples::entries(14));
    ASSERT_EQ(r.outcome, RunOutcome::Completed);
    EXPECT_TRUE(testing::matches_reference(to_text(r.document), "entries_listing.txt"));
}

TEST(SampleReport, LandscapeResultPageMatchesItsReference) {
    RunResult r = samples::run_result_page(samples::result_lines(12));
    ASSERT_EQ(r.outcome, RunOutcome::Completed);
    EXPECT_TRUE(testing::matches_reference(to_text(r.document), "result_page.txt"));
}

TEST(SampleReport, ResultPageAfterTheSheetPagesKeepsBothNumberings) {
    Document merged = samples::run_result_page(samples::result_lines(12)).document;
    merged.prepend(samples::run_entries_listing(samples::entries(14)).document);
    std::vector<int> numbers;
    for (const Page& p : merged.pages) numbers.push_back(p.number);
    EXPECT_EQ(numbers, (std::vector<int>{1, 2, 3, 1, 2}));
    EXPECT_EQ(merged.pages.front().orientation, Orientation::Portrait);
    EXPECT_EQ(merged.pages.back().orientation, Orientation::Landscape);
}

TEST(ReferenceFile, MissingReferenceFailsAndDiffShowsTheChangedLines) {
    EXPECT_FALSE(testing::matches_reference("x\n", "no_such_reference.txt"));
    EXPECT_EQ(testing::line_diff("a\nb\nc\n", "a\nB\nc\nd\n"), "-2: b\n+2: B\n+4: d\n");
}

}  // namespace
}  // namespace vorel::report
