// View: the records of one table in a key's order, limited to a range of the key and a filter.
//
// What browses and reports read. The range covers the first `components` components of the key:
// from the values of `first` to those of `last` (both included, in key order); `range_equal` takes
// both from the table's buffer as it stands at open ("the current values"). The filter is any C++
// predicate on the record. The view moves the table's own cursor and fills its record buffer.
//
//   View v(ent, "ENT:KEY:PRODUTODATA");
//   ent.rec<EntradaRec>().CodMercadoria = code;
//   v.range_equal(1);
//   v.filter<EntradaRec>([&](const EntradaRec& r) { return r.DataEmissao <= last_day; });
//   if (v.open() != 0) ...;
//   while (v.next() == 0) { ... }
#pragma once

#include <functional>
#include <initializer_list>
#include <memory>
#include <utility>
#include <vector>
#include <string_view>

#include "vorel/data/file_manager.h"
#include "vorel/data/record_buffer.h"

namespace vorel::data {

class SortedRows;

class View {
public:
    View(FileManager& table, int key);
    View(FileManager& table, KeyName key_name) : View(table, table.key_number(key_name)) {}
    ~View();
    View(const View&) = delete;
    View& operator=(const View&) = delete;

    void range(int components, const void* first, const void* last);
    void range_equal(int components);  // both ends from the buffer at open
    void no_range() { components_ = 0; }
    void filter(std::function<bool(const void*)> f) { filter_ = std::move(f); }
    template <class R>
    void filter(std::function<bool(const R&)> f) {
        filter_ = [f = std::move(f)](const void* r) { return f(*static_cast<const R*>(r)); };
    }

    // A dynamic order (a key flagged kDynamic, or any order a report chooses): field names, '-' for
    // descending; texts compare without regard to case. SQLite sorts the places of the records in
    // range (equal values keep the key's order) into a temporary table, and the view reads them back
    // in small batches: memory stays the same however large the table.
    void order_by(std::initializer_list<std::string_view> fields);

    Result open();      // positions before the first record of the range
    Result next();      // 33 past the range's end
    Result previous();  // after open: from the range's end backwards
    Result close();
    FileManager& table() { return table_; }

private:
    int compare_prefix(const void* record, const void* bound) const;  // key order, first components_
    int start(int dir);

    FileManager& table_;
    int key_;
    int components_ = 0;
    bool from_buffer_ = false;
    RecordBuffer first_, last_;
    std::function<bool(const void*)> filter_;
    int dir_ = 0;
    bool opened_ = false;
    std::vector<KeyComponent> order_;
    std::unique_ptr<SortedRows> sorted_;  // the dynamic order's places, once read
    std::vector<std::pair<std::int64_t, std::int64_t>> batch_;  // (sequence, place) read ahead
    std::size_t batch_at_ = 0;
    int batch_dir_ = 0;
    std::int64_t seq_ = 0;  // sequence number of the record delivered last (0: before the first)
    int sorted_step(int dir);
};

}  // namespace vorel::data
