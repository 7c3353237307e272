// Schema of a table file: creation, checks on open (structure version, layout, keys), upgrade,
// key rebuild, and the SQL of cursor seeks.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "session.h"
#include "vorel/data/table_desc.h"

namespace vorel::data::schema {

// Makes the attached file ready for the layout: creates the schema in an empty file, upgrades an
// older one, and checks the keys (46 when an index is missing or differs).
int prepare(FileHandle* h, const TableDesc& d, bool create, int wait_seconds);
int empty_table(FileHandle* h, const TableDesc& d, int wait_seconds);
// Drops every index and builds the layout's, in one transaction. `progress` (may be empty) hears each
// key's name and the percentage of keys done, before the key and while it is built; its false rolls
// the whole rebuild back (92).
int rebuild_keys(FileHandle* h, const TableDesc& d, int wait_seconds,
                 const std::function<bool(const std::string& key, int percent)>& progress = {});
// Drops every index of the table, inside the caller's transaction when one is open.
int drop_keys(FileHandle* h, int wait_seconds);
int stored_version(FileHandle* h);
int current_version(const TableDesc& d);
std::string layout_signature(const TableDesc& d);

// Seek of a cursor: level n (all components equal, rid beyond ?n+1), level i < n (first i equal,
// component i beyond), or 255 (the whole order); parameters in that order, LIMIT last.
std::string seek_sql(const FileHandle* h, const TableDesc& d, int key, int level, int dir,
                     const std::vector<int>* fields = nullptr);
// Deletion of the records between two bounds of a key, both included: the first `equal` components
// equal (?1.. in key order), then the others at or after the first bound's and at or before the last
// bound's, compared in the key's order; parameters: the equal components, the first bound's others,
// the last bound's others.
std::string range_delete_sql(const FileHandle* h, const TableDesc& d, int key, int equal);
// Another record (rid <> ?n+1) with equal components of a unique key.
std::string dup_sql(const FileHandle* h, const TableDesc& d, int key);
// " WHERE c1 = ?1 AND ... cn = ?n" over the key's first n components (and the optional key's filter).
std::string prefix_where(const TableDesc& d, int key, int n);
// max of component `component` (1-based) under equal earlier components.
std::string max_sql(const FileHandle* h, const TableDesc& d, int key, int component);

}  // namespace vorel::data::schema
