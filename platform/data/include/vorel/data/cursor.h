// Cursor: the fields a FileManager's reads fill. A pass that needs a few fields of a wide table
// reads only those, and writes back only those:
//
//   FileManager ent(EntradaVorel());
//   ent.open();
//   Cursor::read_only(ent, {"ENT:CFO", "ENT:Quantidade", "ENT:BaseICMS"});
//   ... ent.set_within(...); while (ent.next().ok()) { ... }   // the other fields stay blank
//   Cursor::read_every_field(ent);
//
// While a selection is in force, get, reget, next and previous fill the selected fields and the
// fields of the keys they go by (get and reget: every key's; they leave the other fields blank;
// next and previous leave them unread: what the buffer holds there is not the record's), and put
// writes only the selected fields (a value put in another field is not written); add writes the
// whole buffer, as always. A selection takes effect at the next positioning (set, set_at,
// set_within, set_after, get).
#pragma once

#include <initializer_list>
#include <string_view>
#include <vector>

#include "vorel/data/error.h"
#include "vorel/data/file_manager.h"

namespace vorel::data {

class Cursor {
public:
    // Selects the fields by name (with or without the table's prefix); kBadValue naming the field
    // when the table has no such field (the selection in force stays).
    static Result read_only(FileManager& fm, std::initializer_list<std::string_view> fields);
    // Every field again.
    static void read_every_field(FileManager& fm);

private:
    static void select(FileManager& fm, std::vector<int> fields);
};

}  // namespace vorel::data
