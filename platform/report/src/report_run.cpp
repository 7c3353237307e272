#include "vorel/report/report_run.h"

namespace vorel::report {

int percent_of(std::size_t records, std::size_t total) {
    if (total == 0) return 0;
    const std::size_t p = records * 100 / total;
    return p > 100 ? 100 : static_cast<int>(p);
}

RunResult run_report(ReportController& report, const RecordLoop& loop, ProgressObserver* observer) {
    RunResult result;
    const std::string& title = report.setup().title;
    while (loop.next && loop.next()) {
        ++result.records;
        if (loop.on_record) loop.on_record(report);
        if (observer == nullptr) continue;
        const Decision d = observer->on_progress(
            {result.records, loop.total, percent_of(result.records, loop.total), report.pages_made()});
        if (d == Decision::Continue) continue;
        if (d == Decision::PreviewPartial && report.pages_made() > 0) {
            result.document = report.finish();
            result.outcome = RunOutcome::PartialPreview;
            result.message = "Report " + title + " cancelled after " + std::to_string(result.records) +
                             " records; showing the " + std::to_string(result.document.pages.size()) +
                             " pages made so far.";
            return result;
        }
        report.discard();
        result.outcome = RunOutcome::Cancelled;
        result.message = "Report " + title + " cancelled after " + std::to_string(result.records) + " of " +
                         std::to_string(loop.total) + " records; nothing was printed.";
        return result;
    }
    if (result.records == 0) {
        report.discard();
        return result;
    }
    report.end_groups();
    if (loop.on_end) loop.on_end(report);
    result.document = report.finish();
    result.outcome = result.document.empty() ? RunOutcome::Empty : RunOutcome::Completed;
    return result;
}

}  // namespace vorel::report
