// RelationManager: a table's relations to its child tables, and the deletes and key changes that
// follow them.
//
// Children are the records of a child table whose leading key components equal the parent's linking
// fields (TableDesc::children). Deleting a parent, or changing its linking fields, acts on them by
// the relation's mode: 1 clears their linking fields, 2 refuses while any exist (message 16 or 20),
// 3 cascades (deletes them, or carries the new values into them, and on to their own children). The
// whole change is one transaction over every table involved: when any part fails, nothing is
// changed. The children are reached through cursors of their own, so the thread's record buffers of
// the child tables are left alone.
//
//   RelationManager& rm = dictionary::relation(Empresa());
//   rm.open();                       // the table and, for cascades, its related tables
//   ... read a record ...
//   rm.delete_record();              // 0, or a level after the message
#pragma once

#include "vorel/data/file_manager.h"

namespace vorel::data {

class RelationManager {
public:
    explicit RelationManager(FileManager& table) : table_(table) {}
    RelationManager(const RelationManager&) = delete;
    RelationManager& operator=(const RelationManager&) = delete;

    FileManager& table() { return table_; }
    Result open() { return table_.open(); }
    Result close() { return table_.close(); }

    // Deletes the table's current record with its children; 0 or a level (5) after the message.
    Outcome delete_record(Messages messages = Messages::Show);
    // Writes the buffer over the current record, carrying changed linking fields into the children.
    Outcome update(Messages messages = Messages::Show);

private:
    FileManager& table_;
};

}  // namespace vorel::data
