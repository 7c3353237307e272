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
#include <vector>
#include <string_view>

#include "vorel/data/file_manager.h"
#include "vorel/data/record_buffer.h"

namespace vorel::data {

class View {
public:
    View(FileManager& table, int key);
    View(FileManager& table, std::string_view key_name) : View(table, table.key_number(key_name)) {}

    void range(int components, const void* first, const void* last);
    void range_equal(int components);  // both ends from the buffer at open
    void no_range() { components_ = 0; }
    void filter(std::function<bool(const void*)> f) { filter_ = std::move(f); }
    template <class R>
    void filter(std::function<bool(const R&)> f) {
        filter_ = [f = std::move(f)](const void* r) { return f(*static_cast<const R*>(r)); };
    }

    // A dynamic order (a key flagged kDynamic, or any order a report chooses): field names, '-' for
    // descending. The view then reads its range and filter in the key's order, sorts in memory
    // (equal values keep the key's order) and returns them in the chosen order.
    void order_by(std::initializer_list<std::string_view> fields);

    int open();      // positions before the first record of the range
    int next();      // 33 past the range's end
    int previous();  // after open: from the range's end backwards
    int close();
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
    std::vector<RecordBuffer> sorted_;
    std::vector<Position> sorted_pos_;
    long cur_ = -1;
    bool sorted_loaded_ = false;
    int load_sorted();
};

}  // namespace vorel::data
