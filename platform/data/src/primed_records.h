// The records a form primed to show their auto-number, marked in the table file itself.
//
// A primed record is an ordinary record (its number taken, its fields blank) that its form writes over
// on OK or deletes on cancel. Each is listed in the file's table `primed` with the owner slot of the
// process that primed it (share_lock.h), in the same transaction that adds it; the insert that writes
// over it, or its release, removes it from the list in the same transaction as well. A listed record
// whose owner slot no process holds was left by a program that died with its form open: opening the
// table removes it, so no blank record stays visible after a crash. Numbers still never repeat: the
// number is taken inside the transaction that adds the record, as for every insert.
#pragma once

#include <cstdint>

#include "session.h"

namespace vorel::data {

class ShareLock;

namespace primed {

// Lists the record `rid` as primed by `slot`; with `fresh_slot`, first removes the records still
// listed under the slot (their process died and the slot was taken again). Inside a write
// transaction on the file. SQLite result code.
int mark(FileHandle* h, std::int64_t rid, int slot, bool fresh_slot);
// Takes `rid` off the list (written over or released). Inside a write transaction. SQLite code.
int unmark(FileHandle* h, std::int64_t rid);
// Whether the file lists any record whose owner no process holds.
bool has_orphans(FileHandle* h, const ShareLock& share);
// Removes the listed records whose owner no process holds, and their list entries (how many records in
// `removed`). Inside a write transaction. SQLite code.
int remove_orphans(FileHandle* h, const ShareLock& share, std::int64_t* removed = nullptr);

}  // namespace primed
}  // namespace vorel::data
