#include "primed_records.h"

#include <vector>

#include "share_lock.h"

namespace vorel::data::primed {

namespace {

bool listed(FileHandle* h) {
    sql::Stmt st(h->db(), "SELECT 1 FROM " + h->schema + ".sqlite_master WHERE type = 'table' AND name = 'primed'");
    return st.step() == SQLITE_ROW;
}

// The listed records whose owner no process holds.
std::vector<std::int64_t> orphans(FileHandle* h, const ShareLock& share) {
    std::vector<std::int64_t> out;
    if (!listed(h)) return out;
    sql::Stmt st(h->db(), "SELECT rid, slot FROM " + h->schema + ".primed");
    while (st.step() == SQLITE_ROW)
        if (!share.slot_held(sqlite3_column_int(st.get(), 1))) out.push_back(sqlite3_column_int64(st.get(), 0));
    return out;
}

int remove(FileHandle* h, const std::vector<std::int64_t>& rids) {
    sql::Stmt rec(h->db(), "DELETE FROM " + h->schema + ".rec WHERE rid = ?1");
    sql::Stmt entry(h->db(), "DELETE FROM " + h->schema + ".primed WHERE rid = ?1");
    for (std::int64_t rid : rids) {
        for (sql::Stmt* st : {&rec, &entry}) {
            st->reset();
            st->bind(1, rid);
            if (int rc = st->step(); rc != SQLITE_DONE) return rc;
        }
    }
    return SQLITE_OK;
}

}  // namespace

int mark(FileHandle* h, std::int64_t rid, int slot, bool fresh_slot) {
    int rc = sql::exec(h->db(), "CREATE TABLE IF NOT EXISTS " + h->schema +
                                    ".primed (rid INTEGER PRIMARY KEY, slot INTEGER NOT NULL)");
    if (rc != SQLITE_OK) return rc;
    if (fresh_slot) {
        std::vector<std::int64_t> stale;
        sql::Stmt st(h->db(), "SELECT rid FROM " + h->schema + ".primed WHERE slot = ?1");
        st.bind(1, static_cast<std::int64_t>(slot));
        while (st.step() == SQLITE_ROW) stale.push_back(sqlite3_column_int64(st.get(), 0));
        if ((rc = remove(h, stale)) != SQLITE_OK) return rc;
    }
    sql::Stmt st(h->db(), "INSERT OR REPLACE INTO " + h->schema + ".primed VALUES (?1, ?2)");
    st.bind(1, rid);
    st.bind(2, static_cast<std::int64_t>(slot));
    rc = st.step();
    return rc == SQLITE_DONE ? SQLITE_OK : rc;
}

int unmark(FileHandle* h, std::int64_t rid) {
    if (!listed(h)) return SQLITE_OK;
    sql::Stmt st(h->db(), "DELETE FROM " + h->schema + ".primed WHERE rid = ?1");
    st.bind(1, rid);
    int rc = st.step();
    return rc == SQLITE_DONE ? SQLITE_OK : rc;
}

bool has_orphans(FileHandle* h, const ShareLock& share) { return !orphans(h, share).empty(); }

int remove_orphans(FileHandle* h, const ShareLock& share, std::int64_t* removed) {
    const std::vector<std::int64_t> rids = orphans(h, share);
    if (removed) *removed = static_cast<std::int64_t>(rids.size());
    return remove(h, rids);
}

}  // namespace vorel::data::primed
