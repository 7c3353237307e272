// Set-based statements over the records of a table whose leading key components equal the buffer's:
// what a cascade does to all of one parent's children at once (one statement instead of a read and a
// write per child). The caller runs them inside its transaction; other cursors of the thread on the
// file read afresh afterwards.
#pragma once

#include <vector>

#include "vorel/data/file_manager.h"

namespace vorel::data::bulk {

// Whether any record has the buffer's values in the key's first n components (*any); an error code.
int exists(FileManager& fm, int key, int n, bool* any);
// Deletes every such record.
int remove(FileManager& fm, int key, int n);
// Writes the fields' values from `values` (a record of the table's layout) into every such record.
int set_fields(FileManager& fm, int key, int n, const std::vector<int>& fields, const void* values);

}  // namespace vorel::data::bulk
