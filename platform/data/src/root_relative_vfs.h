// The SQLite file layer the engine's connections use: the system's default one, with the names of
// files inside the data root written relative to it.
//
// SQLite keeps the full names of files inside the files it writes: a commit over several table files
// writes each table's journal name into the super-journal and the super-journal's name into each
// journal, and a process that finds a journal after a crash rolls it back only when the super-journal
// it names exists. Full names that hold the data root's mount path (or a workstation's own folders)
// mean nothing on a workstation that mounts the share elsewhere. This layer gives SQLite, for a file
// inside the data root, the name "<root>/..." in place of the root's path, and turns such names back
// into the root's real path whenever a file is opened, deleted or looked for; names outside the root
// stay as they are. One layer is registered per data root (a connection keeps the layer it opened
// with, so its names never change meaning under it).
//
//   const char* name = root_relative_vfs("/mnt/share/Vorel");  // the layer's name for sqlite3_open_v2
//
// The layer also tells a test about every change it makes to a file (write, sync, truncate, delete),
// so a test can stop a process at each of them.
#pragma once

#include <filesystem>
#include <string>

namespace vorel::data {

// The name of the layer for `root` (a native, existing folder), registered at the first call. An
// empty root gives the system's default layer (names stay full names).
const char* root_relative_vfs(const std::filesystem::path& root);

// The system's error number of the last write, truncate or sync through the layer on this thread
// that failed (0 when none since the last call), taken once.
int take_failed_write_errno();

// The root marker that stands for the data root inside the names SQLite keeps.
inline constexpr const char* kRootMarker = "<root>";

namespace vfs_testing {
// Called before each write, sync, truncate or delete through the layer, with its kind ("write",
// "sync", "truncate", "delete") and the real file name. Null: no calls. For tests only.
using IoProbe = void (*)(const char* kind, const char* file);
void set_io_probe(IoProbe probe);
}  // namespace vfs_testing

}  // namespace vorel::data
