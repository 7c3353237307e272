// The engine's collation for tools outside the engine that open its files with SQLite directly
// (benchmarks, diagnostics): registers VNOCASE (Windows-1252 letters folded, trailing blanks
// ignored) on a connection. Returns SQLite's result code.
#pragma once

struct sqlite3;

namespace vorel::data {

int register_collations(sqlite3* db);

}  // namespace vorel::data
