// SortedRows: the places of a view's records in a dynamic order (fields chosen at run time), sorted
// by SQLite into a temporary table of the thread's connection and read back in small batches.
//
// SQLite sorts with its own sorter, which goes to temporary files past a fixed memory budget, and the
// temporary table lives in a temporary file too, so memory stays the same however many records the
// view holds; the table's records themselves are read one by one by their places. Between batches
// no read is open on the table file. The temporary table is dropped with the object (or when the
// view opens again); one left on a connection that went away went with it.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "vorel/data/file_manager.h"

namespace vorel::data {

struct Connection;

class SortedRows {
public:
    struct Request {
        int key = 0;                        // range over its first `components` components
        int components = 0;
        const void* first = nullptr;        // range ends, both included, in the key's order
        const void* last = nullptr;
        std::vector<KeyComponent> order;    // fields, '-' descending; ties in the key's order
    };
    struct Entry {
        std::int64_t seq = 0;  // 1.. in the sorted order
        std::int64_t id = 0;   // the record's place
    };

    SortedRows() = default;
    SortedRows(const SortedRows&) = delete;
    SortedRows& operator=(const SortedRows&) = delete;
    ~SortedRows();

    // Sorts the table's records in range; an error code.
    int build(FileManager& table, const Request& request);
    // Up to `n` entries after (dir 1) or before (dir -1) sequence number `from`, nearest first.
    int fetch(FileManager& table, int dir, std::int64_t from, std::size_t n, std::vector<Entry>& out);
    // Drops the temporary table while its connection is the table's.
    void drop(FileManager& table);

private:
    Connection* conn_ = nullptr;
    std::string name_;  // temp."vsortN"
};

}  // namespace vorel::data
