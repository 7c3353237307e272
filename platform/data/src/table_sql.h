// SQL of one table layout inside an attached file, and the moves between record structs and
// statement parameters and columns. The only place that knows how records sit in SQLite.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <string>
#include <vector>

#include "vorel/data/table_desc.h"

namespace vorel::data::sql {
struct BoundParameters;
}

namespace vorel::data::table_sql {

// Column names of the layout, in field order (array elements "Name_1", "Name_2", ...).
std::vector<std::string> columns(const TableDesc& d);
std::string create_table(const TableDesc& d, const std::string& schema);
std::string create_meta(const std::string& schema);
std::string index_name(int key);
std::string create_index(const TableDesc& d, int key, const std::string& schema);
// "rowid, c1, c2, ...": every column, or those of `fields` (field numbers, ascending) when given.
std::string select_list(const TableDesc& d, const std::vector<int>* fields = nullptr);
// The insert of a record, parameters numbered as bind_record binds them; with `with_id` the record's
// id (rid) is the parameter after the last column.
std::string insert(const TableDesc& d, const std::string& schema, bool with_id = false);
// The update of a record by rid: parameters numbered as bind_record binds them, rid after the last.
// `outside_keys` leaves out the columns of every key (no index is touched); a layout whose columns
// all lie in keys gets the full update.
// With `fields`, only those fields' columns, numbered as bind_record binds them.
std::string update(const TableDesc& d, const std::string& schema, bool outside_keys = false,
                   const std::vector<int>* fields = nullptr);
// The optional key's filter ("(c1 <> '' OR c2 <> 0)"), or "" for other keys.
std::string optional_filter(const TableDesc& d, int key);
// The key's ORDER BY list for a direction (+1 ascending order of the key, -1 reverse), rowid last.
std::string order_by(const TableDesc& d, int key, int dir, int from_component = 0);
// Column of a field (its first element), text with VNOCASE when `nocase`, else BINARY.
std::string field_expr(const TableDesc& d, int field, bool nocase);
// Column of a key component, with its collation: "\"Cnpj\" COLLATE VNOCASE".
std::string component_expr(const TableDesc& d, int key, int component);

// Binds every column of the record from parameter `first`. `scratch` keeps converted texts alive
// until the statement has run.
// With `fields`, only those fields, in their order.
// With `bound` (the statement's own, sql::Stmt::bound), an integer the parameter already holds, or
// a blank text where it holds one, is not bound again.
void bind_record(sqlite3_stmt* st, const TableDesc& d, const void* record, int first, std::vector<std::string>& scratch,
                 const std::vector<int>* fields = nullptr, sql::BoundParameters* bound = nullptr);
// Binds one field element (as bind_record does) to parameter i.
void bind_field(sqlite3_stmt* st, int i, const FieldDesc& f, const void* record, int element, std::string& scratch,
                sql::BoundParameters* bound = nullptr);
// Reads the record from column `first` on (the columns of select_list after rowid).
// With `fields`, only those fields' columns (select_list with the same fields); the others are left
// as the record holds them.
void read_record(sqlite3_stmt* st, const TableDesc& d, void* record, int first, std::string& scratch,
                 const std::vector<int>* fields = nullptr);

}  // namespace vorel::data::table_sql
