#include "vorel/report/report_controller.h"

#include <stdexcept>

namespace vorel::report {

ReportController::ReportController(ReportSetup setup) : setup_(std::move(setup)) {
    document_.title = setup_.title;
    document_.paper = setup_.paper;
    document_.orientation = setup_.orientation;
}

ReportController::GroupId ReportController::add_group(Group group) {
    groups_.push_back({std::move(group), std::nullopt});
    return groups_.size() - 1;
}

int ReportController::page_number() const { return page_open_ ? document_.pages.back().number : 0; }

void ReportController::place(const Band& band, Mils y) {
    if (!band) return;
    BandPainter painter(document_.pages.back(), setup_.left, y);
    band.paint(painter);
}

void ReportController::start_page() {
    Page page;
    page.number = setup_.first_page_number + static_cast<int>(document_.pages.size());
    page.paper = setup_.paper;
    page.orientation = setup_.orientation;
    document_.pages.push_back(std::move(page));
    page_open_ = true;
    break_pending_ = false;
    for (Resettable* total : page_totals_) total->reset();
    place(form_, setup_.form_top);
    place(header_, setup_.header_top);
    cursor_ = setup_.detail_top;
}

void ReportController::end_page(bool last) {
    if (!page_open_) return;
    if (!last || setup_.footer_on_last_page) place(footer_, setup_.footer_top);
    page_open_ = false;
}

void ReportController::print(const Band& band, const std::function<void()>& commit) {
    if (finished_) throw std::logic_error("report printed to after it ended: " + setup_.title);
    const Mils bottom = setup_.detail_top + setup_.detail_height;
    const bool fits = cursor_ + band.height <= bottom;
    // A band taller than the whole detail area goes on a page of its own rather than looping.
    const bool page_has_bands = cursor_ > setup_.detail_top;
    if (page_open_ && (break_pending_ || (!fits && page_has_bands))) end_page(false);
    if (!page_open_) start_page();
    if (commit) commit();
    place(band, cursor_);
    cursor_ += band.height;
}

void ReportController::close_groups_from(std::size_t first) {
    for (std::size_t i = groups_.size(); i-- > first;) {
        GroupState& g = groups_[i];
        if (!g.key) continue;
        if (g.group.footer) print(g.group.footer);
        for (Resettable* total : g.group.totals) total->reset();
        g.key.reset();
    }
}

void ReportController::group_key(GroupId id, std::string key) {
    if (id >= groups_.size()) throw std::out_of_range("no such report group");
    GroupState& g = groups_[id];
    if (g.key && *g.key == key) return;
    close_groups_from(id);
    if (g.group.new_page && page_open_ && cursor_ > setup_.detail_top) break_pending_ = true;
    g.key = std::move(key);
    if (g.group.header) print(g.group.header);
}

Document ReportController::finish() {
    if (finished_) throw std::logic_error("report ended twice: " + setup_.title);
    close_groups_from(0);
    end_page(true);
    finished_ = true;
    if (!document_.pages.empty())
        resolve_page_numbers(document_.pages, document_.pages.back().number);
    return std::move(document_);
}

void ReportController::discard() {
    document_.pages.clear();
    page_open_ = false;
    finished_ = true;
}

}  // namespace vorel::report
