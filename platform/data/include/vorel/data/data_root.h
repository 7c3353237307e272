// The data root as the table engine sees it: the shared folder that every workstation of an office
// mounts, somewhere, and where the table files lie.
//
// Inside the root, the engine keeps the names SQLite writes into journals relative to the root, and
// each connection's main database (beside which SQLite writes the super-journal of a commit over
// several table files) lies in the root's folder "Journal". A commit over several files that a killed
// process left behind is then rolled back by whichever workstation opens one of the files next,
// whatever its state folder and wherever it mounts the share. Without a root (tools, tests that set
// none) the main database lies in the state folder and the names are full names.
//
// The program sets the root at start-up, before any table opens; connections opened before a change
// keep the root they were opened with.
//
//   data::set_data_root(files::resolve(pastaRaiz));
#pragma once

#include <chrono>
#include <filesystem>

namespace vorel::data {

// A native folder; an empty path sets no root.
void set_data_root(const std::filesystem::path& root);
std::filesystem::path data_root();

// The folder of the root that holds the connections' main database.
inline constexpr const char* kJournalFolder = "Journal";

// Removes the super-journals in the root's journal folder that no commit needs any more: older than
// `min_age` (a commit in progress keeps its own for a moment only) and named by none of the journals
// it lists (a journal that names its super-journal is rolled back by the next opener of its table,
// which needs the super-journal). The number removed.
int remove_stale_super_journals(std::chrono::seconds min_age);

}  // namespace vorel::data
