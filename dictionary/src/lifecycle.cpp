// The running thread's dictionary: every table's table-class and relation-class object.
#include "vorel/data/dictionary.h"
#include "vorel/dictionary/tables.h"

namespace vorel::dictionary {

void InitDictionary() { data::dictionary::init(table_descs()); }

void TeardownDictionary() { data::dictionary::teardown(); }

}  // namespace vorel::dictionary
