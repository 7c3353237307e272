// A run's own file loaded in bulk: a work or staging file that nobody else reads until the run
// hands it over.
//
//   fm.open_path(work);
//   fm.send("Scratch=1");        // commits and spills are not synced to disk: a crash may leave
//                                // this file damaged (the run's own, thrown away), never another
//   data::drop_keys(fm);         // in the load's transaction, before the adds
//   ... fm.add() for every record: each writes the table only ...
//   fm.rebuild_keys();           // each index built in one sorted pass
#pragma once

#include "vorel/data/error.h"
#include "vorel/data/file_manager.h"

namespace vorel::data {

// Drops every index of the open file (inside the caller's transaction when one is open). Until
// rebuild_keys nothing may read it by a key, no unique key is checked, and it does not open
// elsewhere (46).
Result drop_keys(FileManager& fm);

}  // namespace vorel::data
