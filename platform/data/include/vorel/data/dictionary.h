// The running thread's dictionary: a FileManager and a RelationManager per table.
//
// `init` (InitDictionary) gives the running thread its own table-class and relation-class object
// for every table listed (bases before their aliases, as listed); `teardown` (TeardownDictionary)
// closes whatever the thread left open and frees them. A new thread finds every table set up and
// none open. Each thread's objects, buffers and cursors are its own, also for a table whose data
// every thread shares.
//
//   data::dictionary::init(all_tables());            // at the thread's start
//   FileManager& ent = data::dictionary::file(EntradaVorel());
//   data::dictionary::teardown();                    // at the thread's end
#pragma once

#include <span>

#include "vorel/data/file_manager.h"
#include "vorel/data/relation_manager.h"
#include "vorel/data/table_desc.h"

namespace vorel::data::dictionary {

void init(std::span<const DescFn> tables);
void teardown();
bool ready();
// The running thread's objects of a table; throws std::logic_error when the table is not set up.
FileManager& file(const TableDesc& table);
RelationManager& relation(const TableDesc& table);
// nullptr when the table is not set up in this thread.
FileManager* find(const TableDesc& table);

}  // namespace vorel::data::dictionary
