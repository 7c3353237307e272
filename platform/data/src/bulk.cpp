#include "bulk.h"

#include <string>

#include "schema.h"
#include "session.h"
#include "table_sql.h"

namespace vorel::data::bulk {

namespace {

// Binds the key's first n components from the buffer to parameters 1..n.
// (Texts are bound as copies, so one scratch string serves every parameter.)
void bind_prefix(sql::Stmt& st, FileManager& fm, int key, int n, std::string& scratch) {
    const TableDesc& d = fm.desc().layout();
    const KeyDesc& k = d.keys[static_cast<std::size_t>(key)];
    for (int c = 0; c < n; ++c)
        table_sql::bind_field(st.get(), c + 1, d.fields[static_cast<std::size_t>(k.components[static_cast<std::size_t>(c)].field)],
                              fm.buffer(), 0, scratch);
}

int run(FileManager& fm, sql::Stmt& st) {
    FileHandle* h = fm.handle();
    if (h->conn->busy_ms != fm.lock_wait() * 1000) {
        h->conn->busy_ms = fm.lock_wait() * 1000;
        sqlite3_busy_timeout(h->db(), h->conn->busy_ms);
    }
    int rc = st.step();
    if (rc != SQLITE_DONE && rc != SQLITE_ROW) return storage_error(h->db(), rc, fm.file_name());
    return kNoError;
}

}  // namespace

int exists(FileManager& fm, int key, int n, bool* any) {
    FileHandle* h = fm.handle();
    sql::Stmt st(h->db(), "SELECT 1 FROM " + h->schema + ".rec" + schema::prefix_where(fm.desc().layout(), key, n) + " LIMIT 1");
    std::string scratch;
    bind_prefix(st, fm, key, n, scratch);
    int rc = st.step();
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) return storage_error(h->db(), rc, fm.file_name());
    *any = rc == SQLITE_ROW;
    return kNoError;
}

int remove(FileManager& fm, int key, int n) {
    FileHandle* h = fm.handle();
    sql::Stmt st(h->db(), "DELETE FROM " + h->schema + ".rec" + schema::prefix_where(fm.desc().layout(), key, n));
    std::string scratch;
    bind_prefix(st, fm, key, n, scratch);
    int rc = run(fm, st);
    ++h->generation;
    return rc;
}

int set_fields(FileManager& fm, int key, int n, const std::vector<int>& fields, const void* values) {
    FileHandle* h = fm.handle();
    const TableDesc& d = fm.desc().layout();
    // The WHERE takes parameters 1..n; the new values follow.
    std::string set;
    int param = n;
    for (int f : fields)
        set += (set.empty() ? "" : ", ") + sql::quote(d.fields[static_cast<std::size_t>(f)].label) + " = ?" + std::to_string(++param);
    sql::Stmt st(h->db(), "UPDATE " + h->schema + ".rec SET " + set + schema::prefix_where(d, key, n));
    std::string scratch;
    param = n;
    for (int f : fields) table_sql::bind_field(st.get(), ++param, d.fields[static_cast<std::size_t>(f)], values, 0, scratch);
    bind_prefix(st, fm, key, n, scratch);
    int rc = run(fm, st);
    ++h->generation;
    return rc;
}

}  // namespace vorel::data::bulk
