#include "sorted_rows.h"

#include <atomic>

#include "session.h"
#include "table_sql.h"

namespace vorel::data {

namespace {

std::atomic<std::uint64_t> g_next_name{0};

// "c1 > ?1 OR (c1 = ?1 AND (c2 > ?2 OR (c2 = ?2)))": a record at or after (`after`) or at or
// before the bound in the key's order, over the first n components; parameters from `param`.
std::string bound_sql(const TableDesc& d, int key, int n, bool after, int param) {
    const KeyDesc& k = d.keys[static_cast<std::size_t>(key)];
    std::string s;
    for (int c = n - 1; c >= 0; --c) {
        std::string e = table_sql::component_expr(d, key, c);
        std::string p = "?" + std::to_string(param + c);
        bool greater = after != k.components[static_cast<std::size_t>(c)].descending;
        std::string beyond = e + (greater ? " > " : " < ") + p;
        s = s.empty() ? e + (greater ? " >= " : " <= ") + p : "(" + beyond + " OR (" + e + " = " + p + " AND " + s + "))";
    }
    return s;
}

}  // namespace

SortedRows::~SortedRows() = default;

int SortedRows::build(FileManager& table, const Request& request) {
    drop(table);
    FileHandle* h = table.handle();
    const TableDesc& d = table.desc().layout();
    const KeyDesc& k = d.keys[static_cast<std::size_t>(request.key)];
    int n = std::min(request.components, static_cast<int>(k.components.size()));
    std::string where;
    if (n > 0) where = bound_sql(d, request.key, n, true, 1) + " AND " + bound_sql(d, request.key, n, false, n + 1);
    std::string opt = table_sql::optional_filter(d, request.key);
    if (!opt.empty()) where = where.empty() ? opt : where + " AND " + opt;
    std::string order;
    for (const KeyComponent& c : request.order)
        order += table_sql::field_expr(d, c.field, true) + (c.descending ? " DESC, " : ", ");
    order += table_sql::order_by(d, request.key, 1);

    std::string name = "temp.\"vsort" + std::to_string(++g_next_name) + "\"";
    int rc = sql::exec(h->db(), "CREATE TEMP TABLE " + name + " (seq INTEGER PRIMARY KEY, rid INTEGER NOT NULL)");
    if (rc != SQLITE_OK) return storage_error(h->db(), rc, table.file_name());
    conn_ = h->conn;
    name_ = name;
    sql::Stmt st(h->db(), "INSERT INTO " + name + " (rid) SELECT rid FROM " + h->schema + ".rec" +
                              (where.empty() ? "" : " WHERE " + where) + " ORDER BY " + order);
    std::string scratch[2];
    for (int c = 0; c < n; ++c) {
        const FieldDesc& f = d.fields[static_cast<std::size_t>(k.components[static_cast<std::size_t>(c)].field)];
        table_sql::bind_field(st.get(), 1 + c, f, request.first, 0, scratch[0]);
        table_sql::bind_field(st.get(), 1 + n + c, f, request.last, 0, scratch[1]);
    }
    rc = st.step();
    if (rc != SQLITE_DONE) {
        int code = storage_error(h->db(), rc, table.file_name());
        drop(table);
        return code;
    }
    clear_error();
    return kNoError;
}

int SortedRows::fetch(FileManager& table, int dir, std::int64_t from, std::size_t n, std::vector<Entry>& out) {
    out.clear();
    FileHandle* h = table.handle();
    if (!h || h->conn != conn_ || name_.empty()) return set_error(kRecordNotAvailable, table.file_name());
    sql::Stmt st(h->db(), "SELECT seq, rid FROM " + name_ + (dir > 0 ? " WHERE seq > ?1 ORDER BY seq" : " WHERE seq < ?1 ORDER BY seq DESC") +
                              " LIMIT ?2");
    st.bind(1, from);
    st.bind(2, static_cast<std::int64_t>(n));
    int rc;
    while ((rc = st.step()) == SQLITE_ROW) out.push_back({sqlite3_column_int64(st.get(), 0), sqlite3_column_int64(st.get(), 1)});
    if (rc != SQLITE_DONE) return storage_error(h->db(), rc, table.file_name());
    return kNoError;
}

void SortedRows::drop(FileManager& table) {
    if (name_.empty()) return;
    FileHandle* h = table.handle();
    if (h && h->conn == conn_) (void)sql::exec(h->db(), "DROP TABLE IF EXISTS " + name_);
    name_.clear();
    conn_ = nullptr;
}

}  // namespace vorel::data
