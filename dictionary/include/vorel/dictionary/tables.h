// The catalogue of the dictionary's 62 tables: 45 of their own and 17 aliases.
//
// `all_tables()` lists every table in set-up order (each base before its aliases) with what the
// start-up and the maintenance utilities need beside its description: the prefix it is registered
// under for structure upgrades (none for the text-line tables), the driver's two further options,
// whether it is threaded, its family, and the record size its layout states.
//
//   for (const TableInfo& t : all_tables()) register_table(t.desc(), t.registration_prefix);
//
// `InitDictionary` gives the running thread its own table-class and relation-class object of every
// table (the start-up runs it for the first thread, every thread start for its own);
// `TeardownDictionary` closes what the thread left open and frees them at the thread's end.
#pragma once

#include <span>
#include <vector>

namespace vorel::data {
struct TableDesc;
using DescFn = const TableDesc& (*)();
}

namespace vorel::dictionary {

enum class Family { Own, SharedRegisters, Payroll };

struct Options {
    bool first = false;     // the first further driver option
    bool second = false;    // the second further driver option
    bool threaded = true;   // one record buffer and file handle per thread (all but ProdutosAliq)
};

struct TableInfo {
    const data::TableDesc& (*desc)() = nullptr;
    const data::TableDesc& (*base)() = nullptr;  // an alias's base table; nullptr for the others
    const char* registration_prefix = nullptr;   // nullptr: not registered (text-line tables)
    Family family = Family::Own;
    Options options;
    int stated_size = 0;  // record bytes as the layout states them; 0 where none is stated
};

const std::vector<TableInfo>& all_tables();
// The same tables' descriptions, in the same order.
std::span<const data::DescFn> table_descs();

void InitDictionary();
void TeardownDictionary();

}  // namespace vorel::dictionary
