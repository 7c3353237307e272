// BrowseManager: a list that pages over a table in one of its key orders, and the browse window.
//
// `BrowseSource` is the cursor a browse reads (one order at a time; records go into the table's
// record buffer); `TableSource` binds it to a thread's `data::FileManager`. The manager keeps one
// page of rows (their record places and cells), knows no front end, and is driven by the window's
// events: scrolling and paging, the sheet's tabs (`ChooseSortOrder`: one sort order per tab, each
// with its locator entry; a locator moves the list to the first record at or after the typed value),
// the insert / change / delete buttons (they run the controller's `CallProcedure` with the request
// and refill the list on the record the form left), and the select button (select mode: it is the
// default button and is enabled while the list has rows; it leaves the highlighted record in the
// buffer and ends the browse with Response 1). A filter and a range keep records out; `FillRow`
// colours cells; a `Query` (query by example) attached to a button filters on the columns.
// The page holds `SetList`'s number of rows until the front end reports how many rows the list
// shows (list-sized event): from then on the page holds that many, refilled at once around the
// highlighted record, and PageUp/PageDown move by it.
//
// `BrowseWindow` is the register browse: a WindowController with a BrowseManager, select mode
// taken from the request (4), view mode (6) without insert/change/delete, the close button ending
// with Response 2 when selecting and 1 otherwise.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "vorel/data/file_manager.h"
#include "vorel/ui/window_controller.h"

namespace vorel::ui {

class BrowseSource {
public:
    virtual ~BrowseSource() = default;
    virtual void SetOrder(int key) = 0;
    virtual void ClearBuffer() = 0;
    virtual void ToStart() = 0;                  // Next() reads the first record of the order
    virtual void ToEnd() = 0;                    // Previous() reads the last
    virtual void ToBuffer() = 0;                 // Next(): the first at or after the buffer's key values
    virtual void After(std::int64_t place) = 0;  // Next(): the record after `place`
    virtual void Before(std::int64_t place) = 0; // Previous(): the record before `place`
    // Reads `place` into the buffer as Next() would; Next() goes on after it. False when gone.
    virtual bool StartAt(std::int64_t place) = 0;
    virtual bool Next() = 0;                     // false at the end
    virtual bool Previous() = 0;
    virtual std::int64_t Current() const = 0;
    virtual bool Fetch(std::int64_t place) = 0;  // reads that record into the buffer
};

class TableSource : public BrowseSource {
public:
    explicit TableSource(data::FileManager& file) : file_(file) {}
    void SetOrder(int key) override { key_ = key; }
    void ClearBuffer() override { file_.clear_record(); }
    void ToStart() override { (void)file_.set(key_); }
    void ToEnd() override { (void)file_.set(key_); }
    void ToBuffer() override { (void)file_.set_at(key_); }
    void After(std::int64_t place) override { (void)file_.set_after(key_, {place}); }
    void Before(std::int64_t place) override;
    bool StartAt(std::int64_t place) override;
    bool Next() override { return file_.next().ok(); }
    bool Previous() override { return file_.previous().ok(); }
    std::int64_t Current() const override { return file_.position().id; }
    bool Fetch(std::int64_t place) override { return file_.reget({place}).ok(); }

private:
    data::FileManager& file_;
    int key_ = 0;
};

struct BrowseColumn {
    std::string heading;
    int width = 0;
    char align = 'L';
    std::function<std::string()> text;  // the cell's text from the record buffer (UTF-8)
};

struct SortOrder {
    int key = 0;                        // the source's order
    int locator = 0;                    // the locator entry on its tab, 0 for none
    bool incremental = true;            // the list moves while the value is typed
    std::function<bool()> filter;       // an order's own filter on the buffer, or empty
};

// Marked records (tags), by place.
class TagList {
public:
    bool Has(std::int64_t p) const { return tags_.count(p) != 0; }
    void Toggle(std::int64_t p) { if (!tags_.erase(p)) tags_.insert(p); }
    void Add(std::int64_t p) { tags_.insert(p); }
    void Clear() { tags_.clear(); }
    std::size_t size() const { return tags_.size(); }
    const std::set<std::int64_t>& all() const { return tags_; }

private:
    std::set<std::int64_t> tags_;
};

class Query;

// The next browse that this thread opens for selection starts at the record its table's buffer
// holds (the first at or after the buffer's key values in the browse's order, else the last)
// instead of at the top: a look-up for a code that is not registered opens at the nearest code,
// highlighted, and nothing is chosen until the user picks it. `false` withdraws the request.
void OpenNextSelectionAtBuffer(bool on = true);

class BrowseManager {
public:
    BrowseManager(WindowController& owner, BrowseSource& source);
    virtual ~BrowseManager();

    // Set-up.
    void SetList(int listFeq, int pageRows = 10);
    // The page holds `rows` rows (1..kMaxPageRows) from now on; an open list is refilled around its
    // highlighted record, which stays highlighted.
    void SetPageRows(int rows);
    int pageRows() const { return pageRows_; }
    static constexpr int kMaxPageRows = 500;
    // A column of the list: its heading, width and alignment are what the list shows.
    void AddColumn(BrowseColumn column);
    void AddSortOrder(SortOrder order);
    void SetSheet(int sheetFeq) { sheet_ = sheetFeq; }
    void SetInsertButton(int feq) { insert_ = feq; }
    void SetChangeButton(int feq) { change_ = feq; }
    void SetDeleteButton(int feq) { delete_ = feq; }
    void SetSelectButton(int feq) { select_ = feq; }
    int insertButton() const { return insert_; }
    int changeButton() const { return change_; }
    int deleteButton() const { return delete_; }
    void SetFilter(std::function<bool()> f) { filter_ = std::move(f); }
    // The range: a predicate on the buffer that holds for one stretch of the current order; reading
    // passes over the records before it and stops at the first one after it.
    void SetRange(std::function<bool()> r) { range_ = std::move(r); }
    void SetSelectMode(bool on) { selectMode_ = on; }
    bool selectMode() const { return selectMode_; }
    void AttachQuery(Query& query, int buttonFeq, int clearFeq = 0);
    // Takes the insert, change and delete buttons away (they stay as the window has them).
    void DropUpdateButtons() { insert_ = change_ = delete_ = 0; }

    // Operations a browse replaces.
    virtual void ChooseSortOrder();     // by default the sort order of the sheet's current tab
    virtual void FillPage();            // reads the page from the first row's place
    virtual void FillRow(Row& row);     // after the cells are made: colours, icons
    virtual void ReloadBusy();          // reads the page again (keeping the highlighted record)

    // Called by the controller for every event first; kHandled when it took it.
    Level TakeEvent(const Event& e);

    // State.
    int rowCount() const { return static_cast<int>(page_.size()); }
    int highlighted() const;                       // 1-based row, 0 when empty
    std::int64_t HighlightedPlace() const;
    bool FetchHighlighted();                      // the highlighted record into the buffer
    void ResetTo(std::int64_t place);             // page starting at that record, highlighted
    void ResetToTop();
    void Locate();                                // the current order's locator value
    int currentOrder() const { return order_; }
    void SetCurrentOrder(int index) { order_ = index; }

protected:
    bool Wanted();
    bool WantedRow();
    bool ReadNext();
    bool ReadPrevious();
    bool ReadOn(int dir);  // 1 forward, -1 back
    Row MakeRow();
    void Show(int highlight);
    void ScrollDown(int n);
    void ScrollUp(int n);
    void ToBottom();
    // A page from `place` on (filled from above at the end of the order), `highlightPlace` highlighted.
    void FillFrom(std::int64_t place, std::int64_t highlightPlace);
    void UpdateButtons();
    Level DoUpdate(Request r);
    void ShowColumns();
    bool Pressable(int button);

    WindowController& owner_;
    BrowseSource& source_;
    int list_ = 0, sheet_ = 0;
    int pageRows_ = 10;
    int insert_ = 0, change_ = 0, delete_ = 0, select_ = 0;
    int queryButton_ = 0, queryClear_ = 0;
    Query* query_ = nullptr;
    bool selectMode_ = false;
    std::vector<BrowseColumn> columns_;
    std::vector<SortOrder> orders_;
    int order_ = 0;  // index into orders_
    std::function<bool()> filter_, range_;
    bool inRange_ = false;  // the current read has reached the range
    struct PageRow {
        std::int64_t place = 0;
        Row row;
    };
    std::vector<PageRow> page_;
};

// A search tab of a browse: the tab on the sheet, its prompt and locator entry, and the order of
// the source (a key number) that the list takes while the tab is chosen.
struct SearchTab {
    int tab = 0;
    std::string caption;
    int prompt = 0;
    std::string promptText;
    int locator = 0;
    UsePtr use;
    std::string picture;
    int key = 0;
    bool locates = true;  // the list moves to the value as it is typed (the entry acts at once)
};

class BrowseWindow : public WindowController {
public:
    BrowseWindow(ProcContext& ctx, std::string procedureName, std::string caption, BrowseSource& source);
    BrowseManager& browse() { return *browse_; }
    void SetCloseButton(int feq) { close_ = feq; }
    // Replace to use a BrowseManager of your own (before Setup).
    void SetBrowseManager(std::unique_ptr<BrowseManager> b) { browse_ = std::move(b); }

    // The register's form, run by CallProcedure with the request (none in view mode, which answers 2).
    void SetForm(ProcedureFn form) { form_ = std::move(form); }

    // Adds a search tab to `sheet` (tabs in the order of the calls, as their sort orders) and
    // returns the tab.
    Control& AddSearchTab(int sheet, SearchTab t);

    Level Setup() override;
    Level DispatchEvent(const Event& e) override;
    Level TakeEvent(const Event& e) override;
    Level OnAccepted(int feq) override;
    Level OnWindowOpened() override;
    Response CallProcedure(int number, Request request) override;

protected:
    std::unique_ptr<BrowseManager> browse_;
    ProcedureFn form_;
    int close_ = 0;
};

}  // namespace vorel::ui
