#include "vorel/report/report_run.h"

namespace vorel::report {

int percent_of(std::size_t records, std::size_t total) {
    if (total == 0) return 0;
    const std::size_t p = records * 100 / total;
    return p > 100 ? 100 : static_cast<int>(p);
}

bool ReportRun::step(std::size_t count) {
    for (std::size_t i = 0; i < count && !ended_; ++i) {
        if (!loop_.next || !loop_.next()) {
            ended_ = true;
            break;
        }
        ++records_;
        if (loop_.on_record) loop_.on_record(report_);
    }
    return !ended_;
}

Progress ReportRun::progress() const {
    return {records_, loop_.total, percent_of(records_, loop_.total), report_.pages_made()};
}

RunResult ReportRun::finish() {
    RunResult result;
    result.records = records_;
    if (records_ == 0) {
        report_.discard();
        return result;
    }
    report_.end_groups();
    if (loop_.on_end) loop_.on_end(report_);
    result.document = report_.finish();
    result.outcome = result.document.empty() ? RunOutcome::Empty : RunOutcome::Completed;
    return result;
}

RunResult ReportRun::stop(Decision how) {
    RunResult result;
    result.records = records_;
    const std::string& title = report_.setup().title;
    if (how == Decision::PreviewPartial && report_.pages_made() > 0) {
        result.document = report_.finish();
        result.outcome = RunOutcome::PartialPreview;
        result.message = "Report " + title + " cancelled after " + std::to_string(records_) +
                         " records; showing the " + std::to_string(result.document.pages.size()) +
                         " pages made so far.";
        return result;
    }
    report_.discard();
    result.outcome = RunOutcome::Cancelled;
    result.message = "Report " + title + " cancelled after " + std::to_string(records_) + " of " +
                     std::to_string(loop_.total) + " records; nothing was printed.";
    return result;
}

RunResult run_report(ReportController& report, const RecordLoop& loop, ProgressObserver* observer) {
    ReportRun run(report, loop);
    while (run.step(1)) {
        if (observer == nullptr) continue;
        const Decision d = observer->on_progress(run.progress());
        if (d != Decision::Continue) return run.stop(d);
    }
    return run.finish();
}

}  // namespace vorel::report
