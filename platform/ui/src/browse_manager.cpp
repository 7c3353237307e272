// BrowseManager, TableSource and BrowseWindow.
#include "vorel/ui/browse_manager.h"

#include <algorithm>
#include <utility>

#include "vorel/ui/query.h"

namespace vorel::ui {

// Both position the cursor on the record itself (its key values and its place among equal ones), so
// a step costs the same however many records share its key.
void TableSource::Before(std::int64_t place) {
    if (file_.set_after(key_, {place}) != data::kNoError) ToEnd();
}

bool TableSource::StartAt(std::int64_t place) {
    return file_.set_after(key_, {place}) == data::kNoError && file_.reget({place}) == data::kNoError;
}

// ---- BrowseManager -------------------------------------------------------------------------------

BrowseManager::BrowseManager(WindowController& owner, BrowseSource& source) : owner_(owner), source_(source) {}
BrowseManager::~BrowseManager() = default;

void BrowseManager::SetList(int listFeq, int pageRows) {
    list_ = listFeq;
    pageRows_ = std::clamp(pageRows, 1, kMaxPageRows);
    ShowColumns();
}

void BrowseManager::SetPageRows(int rows) {
    rows = std::clamp(rows, 1, kMaxPageRows);
    if (rows == pageRows_) return;
    pageRows_ = rows;
    if (list_ == 0 || !owner_.hasWindow() || !owner_.window().opened()) return;
    if (page_.empty()) return ResetToTop();
    // The page keeps its first row unless the highlighted row would fall below a shorter page.
    int h = highlighted();
    std::int64_t keep = page_[static_cast<std::size_t>(h - 1)].place;
    std::int64_t first = page_[static_cast<std::size_t>(std::max(0, h - rows))].place;
    FillFrom(first, keep);
}

void BrowseManager::AddColumn(BrowseColumn column) {
    columns_.push_back(std::move(column));
    ShowColumns();
}

// A button the browse has, shown and enabled, as a user could press it.
bool BrowseManager::Pressable(int button) {
    if (button == 0) return false;
    const Control* c = owner_.window().Find(button);
    return c && c->enabled() && !c->hidden();
}

// The list's columns are the ones added here: heading, width and alignment are said once.
void BrowseManager::ShowColumns() {
    if (list_ == 0 || columns_.empty() || !owner_.hasWindow()) return;
    Control* list = owner_.window().Find(list_);
    if (!list) return;
    std::vector<Column> shown;
    shown.reserve(columns_.size());
    for (const BrowseColumn& c : columns_) shown.push_back({c.heading, c.width, c.align});
    list->Columns(std::move(shown));
}
void BrowseManager::AddSortOrder(SortOrder order) { orders_.push_back(std::move(order)); }

void BrowseManager::AttachQuery(Query& query, int buttonFeq, int clearFeq) {
    query_ = &query;
    queryButton_ = buttonFeq;
    queryClear_ = clearFeq;
}

bool BrowseManager::Wanted() {
    if (range_ && !range_()) return false;
    if (filter_ && !filter_()) return false;
    if (!orders_.empty() && orders_[static_cast<std::size_t>(order_)].filter &&
        !orders_[static_cast<std::size_t>(order_)].filter())
        return false;
    return true;
}

Row BrowseManager::MakeRow() {
    Row row;
    for (auto& c : columns_) row.push_back(Cell{c.text ? c.text() : std::string()});
    FillRow(row);
    return row;
}

void BrowseManager::FillRow(Row&) {}

bool BrowseManager::WantedRow() {
    if (!Wanted()) return false;
    return !(query_ && query_->active() && !query_->Matches(MakeRow()));
}

bool BrowseManager::ReadNext() { return ReadOn(1); }
bool BrowseManager::ReadPrevious() { return ReadOn(-1); }

// The range is one stretch of the order: records before it are passed over, and the first record
// beyond it ends the read, so a page at the range's end does not read on to the end of the file.
bool BrowseManager::ReadOn(int dir) {
    while (dir > 0 ? source_.Next() : source_.Previous()) {
        if (range_ && !range_()) {
            if (inRange_) return false;
            continue;
        }
        inRange_ = true;
        if (WantedRow()) return true;
    }
    return false;
}

void BrowseManager::Show(int highlight) {
    std::vector<Row> rows;
    for (auto& r : page_) rows.push_back(r.row);
    int n = static_cast<int>(rows.size());
    owner_.window()[list_].Rows(std::move(rows)).Selected(n == 0 ? 0 : std::clamp(highlight, 1, n));
    UpdateButtons();
}

int BrowseManager::highlighted() const {
    if (page_.empty()) return 0;
    int sel = owner_.hasWindow() ? const_cast<WindowController&>(owner_).window()[list_].selected() : 1;
    return std::clamp(sel, 1, static_cast<int>(page_.size()));
}

std::int64_t BrowseManager::HighlightedPlace() const {
    int h = highlighted();
    return h ? page_[static_cast<std::size_t>(h - 1)].place : 0;
}

bool BrowseManager::FetchHighlighted() {
    std::int64_t p = HighlightedPlace();
    return p != 0 && source_.Fetch(p);
}

namespace {
thread_local bool openAtBuffer = false;  // OpenNextSelectionAtBuffer's request, taken by the next open
}  // namespace

void OpenNextSelectionAtBuffer(bool on) { openAtBuffer = on; }

void BrowseManager::ResetToTop() {
    page_.clear();
    source_.ToStart();
    inRange_ = false;
    while (static_cast<int>(page_.size()) < pageRows_ && ReadNext()) page_.push_back({source_.Current(), MakeRow()});
    Show(1);
}

void BrowseManager::ToBottom() {
    page_.clear();
    source_.ToEnd();
    inRange_ = false;
    while (static_cast<int>(page_.size()) < pageRows_ && ReadPrevious())
        page_.insert(page_.begin(), {source_.Current(), MakeRow()});
    Show(static_cast<int>(page_.size()));
}

void BrowseManager::ResetTo(std::int64_t place) { FillFrom(place, place); }

void BrowseManager::FillFrom(std::int64_t place, std::int64_t highlightPlace) {
    page_.clear();
    if (place == 0 || !source_.StartAt(place)) return ResetToTop();
    inRange_ = !range_ || range_();
    if (WantedRow()) page_.push_back({place, MakeRow()});
    while (static_cast<int>(page_.size()) < pageRows_ && ReadNext()) page_.push_back({source_.Current(), MakeRow()});
    if (page_.empty()) return ToBottom();
    // A short page at the end of the order is filled from above.
    inRange_ = true;
    while (static_cast<int>(page_.size()) < pageRows_) {
        source_.Before(page_.front().place);
        if (!ReadPrevious()) break;
        page_.insert(page_.begin(), {source_.Current(), MakeRow()});
    }
    int highlight = 1;
    for (std::size_t i = 0; i < page_.size(); ++i)
        if (page_[i].place == highlightPlace) highlight = static_cast<int>(i) + 1;
    Show(highlight);
}

void BrowseManager::FillPage() {
    if (page_.empty()) return ResetToTop();
    ResetTo(page_.front().place);
}

void BrowseManager::ReloadBusy() {
    std::int64_t keep = HighlightedPlace();
    if (keep) ResetTo(keep);
    else ResetToTop();
}

void BrowseManager::ScrollDown(int n) {
    int moved = 0;
    for (int i = 0; i < n && !page_.empty(); ++i) {
        source_.After(page_.back().place);
        inRange_ = true;
        if (!ReadNext()) break;
        page_.push_back({source_.Current(), MakeRow()});
        if (static_cast<int>(page_.size()) > pageRows_) page_.erase(page_.begin());
        ++moved;
    }
    int h = highlighted();
    Show(n == 1 ? static_cast<int>(page_.size()) : std::min(h, static_cast<int>(page_.size())));
}

void BrowseManager::ScrollUp(int n) {
    for (int i = 0; i < n && !page_.empty(); ++i) {
        source_.Before(page_.front().place);
        inRange_ = true;
        if (!ReadPrevious()) break;
        page_.insert(page_.begin(), {source_.Current(), MakeRow()});
        if (static_cast<int>(page_.size()) > pageRows_) page_.pop_back();
    }
    Show(n == 1 ? 1 : highlighted());
}

void BrowseManager::ChooseSortOrder() {
    if (orders_.empty()) return;
    int index = sheet_ ? owner_.window().CurrentTab(sheet_) - 1 : 0;
    if (index < 0 || index >= static_cast<int>(orders_.size())) index = 0;
    order_ = index;
    source_.SetOrder(orders_[static_cast<std::size_t>(order_)].key);
}

void BrowseManager::Locate() {
    if (orders_.empty()) return;
    int loc = orders_[static_cast<std::size_t>(order_)].locator;
    if (!loc) return;
    Control& c = owner_.window()[loc];
    std::string value = c.value();
    source_.ClearBuffer();
    if (c.use()) c.use()->Set(value);
    source_.ToBuffer();
    inRange_ = false;
    if (ReadNext()) ResetTo(source_.Current());
    else ToBottom();
}

void BrowseManager::UpdateButtons() {
    Window& w = owner_.window();
    bool any = !page_.empty();
    if (select_) {
        if (Control* s = w.Find(select_)) {
            s->Hide(!selectMode_);
            s->Enable(any);
            if (selectMode_ && w.defaultButton() != select_) w.SetDefaultButton(select_);
        }
    }
    for (int b : {change_, delete_})
        if (b)
            if (Control* c = w.Find(b)) c->Enable(any);
}

Level BrowseManager::DoUpdate(Request r) {
    std::int64_t keep = HighlightedPlace();
    std::int64_t after = 0;
    if (r == Request::Delete) {
        int h = highlighted();
        if (h < rowCount()) after = page_[static_cast<std::size_t>(h)].place;
        else if (h > 1) after = page_[static_cast<std::size_t>(h - 2)].place;
    }
    if (r == Request::Insert) source_.ClearBuffer();
    else if (!FetchHighlighted()) return kHandled;
    Response resp = owner_.CallProcedure(1, r);
    if (resp == Response::Completed) {
        if (r == Request::Delete) ResetTo(after);
        else ResetTo(source_.Current());
    } else {
        ResetTo(keep);
    }
    // Back on the list, on the record just written: Enter now does what the list's Enter does
    // (the select button of a lookup), not the update button again.
    if (Control* list = owner_.window().Find(list_); list && list->enabled() && !list->hidden())
        owner_.window().Select(list_);
    return kHandled;
}

Level BrowseManager::TakeEvent(const Event& e) {
    if (list_ == 0) return Level::Benign;
    switch (e.code) {
        case event::OpenWindow:
            // Insert and Delete on the list press the insert and delete buttons.
            if (Control* list = owner_.window().Find(list_)) list->Alert(key::Insert).Alert(key::Delete);
            // A locator shows what the user types, not the record each page fill leaves in the
            // buffer (it opens blank; typed letters stay as they are while the list moves).
            for (const SortOrder& o : orders_)
                if (Control* loc = o.locator ? owner_.window().Find(o.locator) : nullptr) loc->OwnText().Value("");
            ChooseSortOrder();
            if (selectMode_ && std::exchange(openAtBuffer, false)) {
                source_.ToBuffer();
                inRange_ = false;
                if (ReadNext()) ResetTo(source_.Current());
                else ToBottom();
            } else {
                ResetToTop();
            }
            return Level::Benign;
        case event::AlertKey:
            if (e.feq != list_) break;
            if (e.key == key::Insert && Pressable(insert_)) return DoUpdate(Request::Insert);
            if (e.key == key::Delete && Pressable(delete_)) return rowCount() ? DoUpdate(Request::Delete) : kHandled;
            break;
        case event::NewSelection:
            if (e.feq == sheet_ && sheet_) {
                std::int64_t keep = HighlightedPlace();
                ChooseSortOrder();
                ResetTo(keep);
                return Level::Benign;
            }
            if (!orders_.empty() && e.feq == orders_[static_cast<std::size_t>(order_)].locator &&
                orders_[static_cast<std::size_t>(order_)].incremental) {
                Locate();
                return kHandled;
            }
            return Level::Benign;
        case event::ScrollDown: if (e.feq == list_) { ScrollDown(1); return kHandled; } break;
        case event::ScrollUp: if (e.feq == list_) { ScrollUp(1); return kHandled; } break;
        case event::PageDown: if (e.feq == list_) { ScrollDown(pageRows_); return kHandled; } break;
        case event::PageUp: if (e.feq == list_) { ScrollUp(pageRows_); return kHandled; } break;
        case event::ScrollTop: if (e.feq == list_) { ResetToTop(); return kHandled; } break;
        case event::ScrollBottom: if (e.feq == list_) { ToBottom(); return kHandled; } break;
        case event::ListSized:
            if (e.feq == list_) {
                SetPageRows(owner_.window()[list_].visibleRows());
                return kHandled;
            }
            break;
        case event::Accepted:
            if (e.feq == 0) break;
            if (e.feq == insert_) return DoUpdate(Request::Insert);
            if (e.feq == change_) return rowCount() ? DoUpdate(Request::Change) : kHandled;
            if (e.feq == delete_) return rowCount() ? DoUpdate(Request::Delete) : kHandled;
            if (e.feq == select_ && selectMode_) {
                if (FetchHighlighted()) owner_.CloseWith(Response::Completed);
                return kHandled;
            }
            if (e.feq == list_) {
                if (selectMode_ && select_) { if (FetchHighlighted()) owner_.CloseWith(Response::Completed); }
                else if (change_ && rowCount()) return DoUpdate(Request::Change);
                return kHandled;
            }
            if (query_ && e.feq == queryButton_) {
                std::int64_t keep = HighlightedPlace();
                if (query_->Ask(owner_.context(), columns_)) ResetToTop();
                else ResetTo(keep);
                return kHandled;
            }
            if (query_ && queryClear_ && e.feq == queryClear_) {
                query_->Clear();
                ResetToTop();
                return kHandled;
            }
            if (!orders_.empty() && e.feq == orders_[static_cast<std::size_t>(order_)].locator) {
                Locate();
                return kHandled;
            }
            break;
        default:
            break;
    }
    return Level::Benign;
}

// ---- BrowseWindow --------------------------------------------------------------------------------

BrowseWindow::BrowseWindow(ProcContext& ctx, std::string procedureName, std::string caption, BrowseSource& source)
    : WindowController(ctx, std::move(procedureName), std::move(caption)),
      browse_(std::make_unique<BrowseManager>(*this, source)) {}

Control& BrowseWindow::AddSearchTab(int sheet, SearchTab t) {
    Window& w = window();
    Control& tab = w.Tab(t.tab, sheet, std::move(t.caption));
    w.Prompt(t.prompt, std::move(t.promptText)).Parent(t.tab);
    Control& locator = w.Entry(t.locator, std::move(t.use), std::move(t.picture)).Parent(t.tab);
    if (t.locates) locator.Immediate();
    browse_->AddSortOrder({t.key, t.locator, t.locates, {}});
    return tab;
}

Level BrowseWindow::Setup() {
    Level l = WindowController::Setup();
    browse_->SetSelectMode(request_ == Request::Select);
    return l;
}

Level BrowseWindow::DispatchEvent(const Event& e) {
    if (e.code == event::OpenWindow && request_ == Request::View) browse_->DropUpdateButtons();
    return WindowController::DispatchEvent(e);
}

Level BrowseWindow::TakeEvent(const Event& e) {
    Level l = browse_->TakeEvent(e);
    if (l == kHandled) return l;
    return WindowController::TakeEvent(e);
}

Level BrowseWindow::OnAccepted(int feq) {
    if (feq != 0 && feq == close_) {
        CloseWith(browse_->selectMode() ? Response::Cancelled : Response::Completed);
        return Level::Benign;
    }
    return WindowController::OnAccepted(feq);
}

Level BrowseWindow::OnWindowOpened() { return Level::Benign; }

Response BrowseWindow::CallProcedure(int number, Request r) {
    if (request_ == Request::View) return Response::Cancelled;
    if (form_) return ctx_.Call(form_, r);
    return WindowController::CallProcedure(number, r);
}

}  // namespace vorel::ui
