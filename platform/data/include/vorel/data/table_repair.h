// Repairs of a whole table file that work on a copy beside it: the file in use is replaced only once
// the copy is finished and checked, so a repair that fails, is stopped or is killed leaves the
// original as it was.
//
// `fix_table_file` checks the file (SQLite's integrity check). A sound file is left untouched. A
// damaged one is rebuilt: every record that can still be read is copied, with its place, into a new
// file beside it ("<file>.novo"), whose keys are then built (an older structure is upgraded as any
// open upgrades it) and which is checked; then the damaged original is kept under a dated name
// ("<file>.AAAAMMDD-HHMMSS") and the new file takes its place. Records left primed by a process that
// died are not copied. The report tells the records kept and those lost, counted from the keys that
// could still be read (-1 when none could).
//
// `freshen_table_file` rewrites the file in the table's current structure: a compacted copy beside
// it, upgraded as any open upgrades an older file, its keys built, checked, and put in place.
//
// Both hold the file exclusively for the whole run (32 when another opener has it; 2 when it is
// missing), work with the table layout `d`, and tell `progress` what they do ("Checking File",
// "Copying Records", "Key :<name>", ...) with a percentage; its false stops the run (92), leaving the
// file as it was.
//
//     FixReport r;
//     if (fix_table_file(Produtos(), path, r).ok() && r.rebuilt) ... r.kept, r.lost, r.original
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "vorel/data/error.h"
#include "vorel/data/table_desc.h"

namespace vorel::data {

// (what is being done, percent 0..100); false stops the repair.
using RepairProgress = std::function<bool(const std::string& step, int percent)>;

struct FixReport {
    bool rebuilt = false;        // the file failed its check and was rebuilt
    std::int64_t kept = 0;       // records in the file afterwards
    std::int64_t lost = 0;       // records of the damaged file that could not be read (-1: unknown)
    std::string original;        // where the damaged original was kept (a program path)
};

Result fix_table_file(const TableDesc& d, std::string_view path, FixReport& report, const RepairProgress& progress = {});
Result freshen_table_file(const TableDesc& d, std::string_view path, const RepairProgress& progress = {});

}  // namespace vorel::data
