// The record loop of a page report: reads records, lets the report print its bands for each,
// reports progress after every record, and honours a cancel.
//
// The procedure gives the number of records of its main table (the 100 % mark), a reader of the
// next record, its per-record work and its closing work. After each record the observer hears how
// far the run is and answers Continue, Cancel (the pages made so far are dropped) or PreviewPartial
// (the run stops and hands back the pages made so far). What the user is asked before cancelling
// is the observer's business (the progress window of the shell).
//
//   RunResult r = run_report(report, {count, next, on_record, on_end}, &progress_window);
//   if (r.outcome == RunOutcome::Cancelled) show(r.message);
//
// A window procedure that reads a slice of records per timer tick drives a ReportRun itself:
//
//   ReportRun run(report, loop);
//   on each tick: if (!run.step(25)) return run.finish();  show(run.progress());
//   on a cancel:  return run.stop(Decision::PreviewPartial);
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "vorel/report/page_model.h"
#include "vorel/report/report_controller.h"

namespace vorel::report {

struct RecordLoop {
    std::size_t total = 0;                              // records of the main table: 100 %
    std::function<bool()> next;                         // reads the next record; false at the end
    std::function<void(ReportController&)> on_record;   // the report's work and bands for a record
    std::function<void(ReportController&)> on_end = {}; // closing band, after the last record
};

struct Progress {
    std::size_t records = 0;  // records read so far
    std::size_t total = 0;
    int percent = 0;          // records * 100 / total, whole, at most 100 (0 when total is 0)
    std::size_t pages = 0;    // pages made so far
};

enum class Decision { Continue, Cancel, PreviewPartial };

class ProgressObserver {
public:
    virtual Decision on_progress(const Progress& progress) = 0;

protected:
    ~ProgressObserver() = default;
};

enum class RunOutcome {
    Completed,       // every record read; document holds the pages
    Empty,           // no record, or no band printed: no pages, nothing to show
    Cancelled,       // stopped on request; no pages
    PartialPreview,  // stopped on request; document holds the pages made so far
};

struct RunResult {
    RunOutcome outcome = RunOutcome::Empty;
    std::size_t records = 0;
    Document document;
    std::string message;  // what happened, for a cancelled or partial run
};

int percent_of(std::size_t records, std::size_t total);

class ReportRun {
public:
    ReportRun(ReportController& report, RecordLoop loop) : report_(report), loop_(std::move(loop)) {}

    // Reads and prints up to `count` records; false once the records have ended.
    bool step(std::size_t count);
    Progress progress() const;
    // After the last record: closing band and the pages (Empty when no record was read).
    RunResult finish();
    // Stops on request: Cancel drops the pages; PreviewPartial keeps them (a Cancel without pages).
    RunResult stop(Decision how);

private:
    ReportController& report_;
    RecordLoop loop_;
    std::size_t records_ = 0;
    bool ended_ = false;
};

RunResult run_report(ReportController& report, const RecordLoop& loop, ProgressObserver* observer = nullptr);

}  // namespace vorel::report
