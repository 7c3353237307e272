// Opening a table file on the thread's session, creating a missing one whole before anyone sees it.
//
// A missing file is made under a temporary name beside it (SQLite file, schema, keys, structure
// version, in one transaction) and then linked into place, never replacing a file another opener made
// meanwhile. So every table file that exists is complete: one of 0 bytes, or without its table, was
// damaged after it was made, and opening it reports 47 like any other damage; only a file that does
// not exist is created.
#pragma once

#include <filesystem>
#include <string>

#include "session.h"
#include "vorel/data/table_desc.h"

namespace vorel::data {

// Attaches the file at `native` (creating it first when missing and `create` is set); on success
// *out holds one more reference. Error codes as Session::acquire, and those of the creation.
int acquire_table_file(Session& s, const std::filesystem::path& native, const std::string& program_path,
                       const TableDesc& layout, bool create, int wait_seconds, FileHandle** out);

}  // namespace vorel::data
