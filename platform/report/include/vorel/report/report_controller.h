// ReportController: fills the pages of one page report from its bands.
//
// The report procedure describes its layout (paper, orientation, where the page header, the
// detail area and the page footer lie), gives its bands, and then prints bands one after another
// (details, group headers and footers, a closing band). The controller starts a page when the
// first band is printed (a report that prints nothing has no pages), paints the form band and the
// page header on every new page, moves a band that does not fit the rest of the detail area to a
// new page, paints the page footer when a page ends (optionally not on the last page), numbers the
// pages from a first page number, resets running totals of page and group scope, and at `finish`
// fills the "page of pages" texts and hands back the Document.
//
//   ReportController report(setup);
//   report.set_page_header(header); report.set_page_footer(footer);
//   auto by_cfo = report.add_group({cfo_header, cfo_footer});
//   for (each record) { report.group_key(by_cfo, cfo); report.print(detail, [&]{ sum.add(v); }); }
//   report.print(closing);
//   Document pages = report.finish();
//
// One controller per report run, used on the run's own thread.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "vorel/report/band.h"
#include "vorel/report/page_model.h"
#include "vorel/report/running_total.h"

namespace vorel::report {

struct ReportSetup {
    std::string title;  // the print job's name
    Paper paper = Paper::letter();
    Orientation orientation = Orientation::Portrait;
    Mils left = 0;           // left edge of every band, from the paper's left edge
    Mils form_top = 0;       // top of the form band
    Mils header_top = 0;     // top of the page header
    Mils detail_top = 0;     // top of the detail area
    Mils detail_height = 0;  // height of the detail area
    Mils footer_top = 0;     // top of the page footer
    int first_page_number = 1;
    bool footer_on_last_page = true;  // false: the last page shows no page footer
};

struct Group {
    Band header;                          // printed when the group's key starts
    Band footer;                          // printed when the group's key ends (and at the end)
    bool new_page = false;                // each key but the first starts on a new page
    std::vector<Resettable*> totals = {};  // reset after the footer has printed
};

class ReportController {
public:
    using GroupId = std::size_t;

    explicit ReportController(ReportSetup setup);

    void set_form(Band band) { form_ = std::move(band); }
    void set_page_header(Band band) { header_ = std::move(band); }
    void set_page_footer(Band band) { footer_ = std::move(band); }
    // Totals reset when a new page starts (after the previous page's footer has shown them).
    void reset_each_page(Resettable& total) { page_totals_.push_back(&total); }
    // Groups nest in the order they are added: the first is the outermost.
    GroupId add_group(Group group);

    // Declares the current record's key of a group. When it differs from the group's key, the
    // footers of this group and its inner groups print (inner first) and the header prints.
    void group_key(GroupId group, std::string key);

    // Prints a band in the detail area, on a new page when it does not fit what is left. `commit`
    // runs once the page is decided, before the band paints: add running totals there.
    void print(const Band& band, const std::function<void()>& commit = {});
    // The next band starts a new page.
    void page_break() { break_pending_ = true; }

    // Closes the open groups (their footers print, inner first); a closing band prints after this.
    void end_groups() { close_groups_from(0); }
    // Ends the report: closes open groups (their footers print), ends the last page, fills the
    // page numbering. The controller is spent afterwards.
    Document finish();
    // Drops the pages made so far (a cancelled report); the controller is spent afterwards.
    void discard();

    int page_number() const;          // number of the page being filled (0 before the first)
    std::size_t pages_made() const { return document_.pages.size(); }
    const ReportSetup& setup() const { return setup_; }

private:
    void start_page();
    void end_page(bool last);
    void place(const Band& band, Mils y);
    void close_groups_from(std::size_t first);

    struct GroupState {
        Group group;
        std::optional<std::string> key;
    };

    ReportSetup setup_;
    Band form_, header_, footer_;
    std::vector<Resettable*> page_totals_;
    std::vector<GroupState> groups_;
    Document document_;
    bool page_open_ = false;
    bool break_pending_ = false;
    bool finished_ = false;
    Mils cursor_ = 0;
};

}  // namespace vorel::report
