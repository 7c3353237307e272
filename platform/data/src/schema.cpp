#include "schema.h"

#include <map>
#include <memory>

#include "cp1252.h"
#include "table_sql.h"
#include "vorel/data/error.h"
#include "vorel/data/file_manager.h"
#include "vorel/data/record_buffer.h"
#include "vorel/data/upgrade.h"

namespace vorel::data::schema {

namespace {

// A write transaction on one attached file, rolled back unless committed. The first statement writes,
// so the lock is taken before any read (the lock wait applies; no read-to-write deadlock).
class FileTxn {
public:
    FileTxn(FileHandle* h, int wait_seconds) : h_(h) {
        nested_ = h->conn->txn_depth > 0;
        sqlite3_busy_timeout(h->db(), wait_seconds * 1000);
        h->conn->busy_ms = wait_seconds * 1000;
        rc_ = nested_ ? sql::exec(h->db(), "SAVEPOINT schema_change") : sql::exec(h->db(), "BEGIN");
        if (rc_ == SQLITE_OK)
            rc_ = sql::exec(h->db(), "CREATE TABLE IF NOT EXISTS " + h->schema + ".meta (name TEXT PRIMARY KEY, value)");
        if (rc_ == SQLITE_OK)
            rc_ = sql::exec(h->db(), "INSERT OR REPLACE INTO " + h->schema + ".meta VALUES ('touched', 1)");
    }
    ~FileTxn() {
        if (!done_) {
            if (nested_) {
                sql::exec(h_->db(), "ROLLBACK TO schema_change");
                sql::exec(h_->db(), "RELEASE schema_change");
            } else {
                sql::exec(h_->db(), "ROLLBACK");
            }
        }
    }
    int rc() const { return rc_; }
    int commit() {
        int rc = nested_ ? sql::exec(h_->db(), "RELEASE schema_change") : sql::exec(h_->db(), "COMMIT");
        if (rc == SQLITE_OK) done_ = true;
        return rc;
    }

private:
    FileHandle* h_;
    bool nested_ = false;
    bool done_ = false;
    int rc_ = SQLITE_OK;
};

struct Master {
    std::map<std::string, std::string> tables, indexes;  // name -> sql
};

int read_master(FileHandle* h, Master& m) {
    sql::Stmt st(h->db(), "SELECT type, name, sql FROM " + h->schema + ".sqlite_master");
    for (;;) {
        int rc = st.step();
        if (rc == SQLITE_DONE) return SQLITE_OK;
        if (rc != SQLITE_ROW) return rc;
        std::string type = reinterpret_cast<const char*>(sqlite3_column_text(st.get(), 0));
        std::string name = reinterpret_cast<const char*>(sqlite3_column_text(st.get(), 1));
        const unsigned char* s = sqlite3_column_text(st.get(), 2);
        std::string text = s ? reinterpret_cast<const char*>(s) : "";
        (type == "table" ? m.tables : m.indexes)[name] = text;
    }
}

// The part of an index's SQL after " ON ", without blanks, to compare the stored with the declared.
std::string index_shape(const std::string& sql) {
    auto on = sql.find(" ON ");
    std::string out;
    for (char c : sql.substr(on == std::string::npos ? 0 : on + 4))
        if (c != ' ') out.push_back(c);
    return out;
}

int put_meta(FileHandle* h, const TableDesc& d) {
    sql::Stmt st(h->db(), "INSERT OR REPLACE INTO " + h->schema + ".meta VALUES (?1, ?2)");
    auto put = [&](std::string_view name, std::string_view value) {
        st.reset();
        st.bind(1, name);
        st.bind(2, value);
        return st.step();
    };
    std::string label;
    cp1252::to_utf8(d.label, label);
    int rc = put("version", std::to_string(current_version(d)));
    if (rc == SQLITE_DONE) rc = put("layout", layout_signature(d));
    if (rc == SQLITE_DONE) rc = put("label", label);
    return rc == SQLITE_DONE ? SQLITE_OK : rc;
}

int create_indexes(FileHandle* h, const TableDesc& d) {
    for (std::size_t k = 0; k < d.keys.size(); ++k) {
        if (d.keys[k].components.empty()) continue;
        int rc = sql::exec(h->db(), table_sql::create_index(d, static_cast<int>(k), h->schema));
        if (rc != SQLITE_OK) return rc;
    }
    return SQLITE_OK;
}

int drop_indexes(FileHandle* h, const Master& m) {
    for (auto& [name, text] : m.indexes) {
        if (name.rfind("sqlite_", 0) == 0) continue;
        int rc = sql::exec(h->db(), "DROP INDEX " + h->schema + "." + sql::quote(name));
        if (rc != SQLITE_OK) return rc;
    }
    return SQLITE_OK;
}

class Upgrader final : public UpgradeContext {
public:
    Upgrader(const TableDesc& d, int old_v, sqlite3_stmt* old_row, int first_old)
        : d_(d), rec_(d), old_v_(old_v), old_(old_row), first_old_(first_old) {}
    int old_version() const override { return old_v_; }
    int new_version() const override { return current_version(d_); }
    void* record() override { return rec_.get(); }
    bool has_old(std::string_view c) const override { return column(c) >= 0; }
    std::string old_text(std::string_view c) const override {
        int i = column(c);
        if (i < 0) return {};
        const unsigned char* t = sqlite3_column_text(old_, i);
        std::string out;
        cp1252::from_utf8(t ? reinterpret_cast<const char*>(t) : "", out);
        return out;
    }
    std::int64_t old_int(std::string_view c) const override {
        int i = column(c);
        return i < 0 ? 0 : sqlite3_column_int64(old_, i);
    }
    RecordBuffer& buffer() { return rec_; }

private:
    int column(std::string_view c) const {
        for (int i = first_old_, n = sqlite3_column_count(old_); i < n; ++i) {
            std::string_view name = sqlite3_column_name(old_, i);
            if (name.size() == c.size() && sqlite3_strnicmp(name.data(), c.data(), static_cast<int>(c.size())) == 0)
                return i;
        }
        return -1;
    }
    const TableDesc& d_;
    RecordBuffer rec_;
    int old_v_;
    sqlite3_stmt* old_;
    int first_old_;
};

int upgrade(FileHandle* h, const TableDesc& d, const Master& m, int old_version, int wait_seconds) {
    FileTxn txn(h, wait_seconds);
    if (txn.rc() != SQLITE_OK) return storage_error(h->db(), txn.rc(), h->program_path);
    const std::string s = h->schema;
    // Old columns, to copy those the new layout keeps.
    std::vector<std::string> old_cols;
    {
        sql::Stmt st(h->db(), "SELECT name FROM pragma_table_info('rec', '" + s + "')");
        while (st.step() == SQLITE_ROW) old_cols.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(st.get(), 0)));
    }
    int rc = drop_indexes(h, m);
    if (rc == SQLITE_OK) rc = sql::exec(h->db(), "ALTER TABLE " + s + ".rec RENAME TO rec_old");
    if (rc == SQLITE_OK) rc = sql::exec(h->db(), table_sql::create_table(d, s));
    if (rc == SQLITE_OK) {
        std::string into = "rid", from = "rid";
        auto cols = table_sql::columns(d);
        std::size_t ci = 0;
        for (const auto& f : d.fields) {
            for (int e = 0; e < f.elements; ++e, ++ci) {
                const std::string& c = cols[ci];
                bool found = false;
                for (auto& o : old_cols) found = found || sqlite3_stricmp(o.c_str(), c.c_str()) == 0;
                if (!found) continue;
                into += ", " + sql::quote(c);
                from += std::string(", CAST(") + sql::quote(c) + (is_text(f.type) ? " AS TEXT)" : " AS INTEGER)");
            }
        }
        rc = sql::exec(h->db(), "INSERT INTO " + s + ".rec (" + into + ") SELECT " + from + " FROM " + s + ".rec_old");
    }
    if (rc == SQLITE_OK && d.upgrade) {
        auto cols = table_sql::columns(d);
        std::string list = "n.rid";
        for (auto& c : cols) list += ", n." + sql::quote(c);
        sql::Stmt rows(h->db(), "SELECT " + list + ", o.* FROM " + s + ".rec AS n JOIN " + s +
                                    ".rec_old AS o ON o.rid = n.rid");
        sql::Stmt upd(h->db(), table_sql::update(d, s));
        sql::Stmt del(h->db(), "DELETE FROM " + s + ".rec WHERE rid = ?1");
        Upgrader ctx(d, old_version, rows.get(), 1 + static_cast<int>(cols.size()));
        std::string scratch;
        std::vector<std::string> bind_scratch(1);
        while (rc == SQLITE_OK) {
            int step = rows.step();
            if (step == SQLITE_DONE) break;
            if (step != SQLITE_ROW) {
                rc = step;
                break;
            }
            std::int64_t rid = sqlite3_column_int64(rows.get(), 0);
            ctx.buffer().clear();
            table_sql::read_record(rows.get(), d, ctx.record(), 1, scratch);
            int verdict = d.upgrade(ctx);
            sql::Stmt& w = verdict == 0 ? upd : del;
            w.reset();
            if (verdict == 0) {
                table_sql::bind_record(w.get(), d, ctx.record(), 1, bind_scratch);
                sqlite3_bind_int64(w.get(), sqlite3_bind_parameter_count(w.get()), rid);
            } else {
                w.bind(1, rid);
            }
            int wrc = w.step();
            w.reset();
            if (wrc != SQLITE_DONE) rc = wrc;
        }
    }
    if (rc == SQLITE_OK) rc = sql::exec(h->db(), "DROP TABLE " + s + ".rec_old");
    if (rc == SQLITE_OK) rc = create_indexes(h, d);
    if (rc == SQLITE_OK) rc = put_meta(h, d);
    if (rc == SQLITE_OK) rc = txn.commit();
    if (rc != SQLITE_OK) return storage_error(h->db(), rc, h->program_path);
    return kNoError;
}

}  // namespace

int current_version(const TableDesc& d) { return structure_version_base() + d.layout().version; }

std::string layout_signature(const TableDesc& d) {
    std::string s;
    for (const auto& f : d.fields) {
        std::string label;
        cp1252::to_utf8(f.label, label);
        s += label + " " + type_word(f.type, f.width, f.digits, f.places);
        if (f.elements > 1) s += "[" + std::to_string(f.elements) + "]";
        s += ";";
    }
    return s;
}

int stored_version(FileHandle* h) {
    sql::Stmt st(h->db(), "SELECT value FROM " + h->schema + ".meta WHERE name = 'version'");
    int rc = st.step();
    if (rc == SQLITE_ROW) return static_cast<int>(sqlite3_column_int64(st.get(), 0));
    return -1;
}

int prepare(FileHandle* h, const TableDesc& d, bool create, int wait_seconds) {
    sqlite3_busy_timeout(h->db(), wait_seconds * 1000);
    h->conn->busy_ms = wait_seconds * 1000;
    Master m;
    int rc = read_master(h, m);
    if (rc != SQLITE_OK) return storage_error(h->db(), rc, h->program_path);
    if (!m.tables.count("rec")) {
        if (!m.tables.empty() && !(m.tables.size() == 1 && m.tables.count("meta")))
            return set_error(kInvalidFile, h->program_path, "not a table file");
        if (!create) return set_error(kFileNotFound, h->program_path);
        FileTxn txn(h, wait_seconds);
        if (txn.rc() != SQLITE_OK) return storage_error(h->db(), txn.rc(), h->program_path);
        Master again;
        rc = read_master(h, again);  // another connection may have made it while we waited
        if (rc == SQLITE_OK && !again.tables.count("rec")) {
            rc = sql::exec(h->db(), table_sql::create_table(d, h->schema));
            if (rc == SQLITE_OK) rc = create_indexes(h, d);
            if (rc == SQLITE_OK) rc = put_meta(h, d);
        }
        if (rc == SQLITE_OK) rc = txn.commit();
        if (rc != SQLITE_OK) return storage_error(h->db(), rc, h->program_path);
        m = Master{};
        rc = read_master(h, m);
        if (rc != SQLITE_OK) return storage_error(h->db(), rc, h->program_path);
    }
    int version = stored_version(h);
    if (version < 0) return set_error(kInvalidFile, h->program_path, "no structure version");
    std::string layout;
    {
        sql::Stmt st(h->db(), "SELECT value FROM " + h->schema + ".meta WHERE name = 'layout'");
        if (st.step() == SQLITE_ROW) layout = reinterpret_cast<const char*>(sqlite3_column_text(st.get(), 0));
    }
    if (version < current_version(d) || layout != layout_signature(d)) {
        if (int code = upgrade(h, d, m, version, wait_seconds); code != kNoError) return code;
        m = Master{};
        rc = read_master(h, m);
        if (rc != SQLITE_OK) return storage_error(h->db(), rc, h->program_path);
    }
    for (std::size_t k = 0; k < d.keys.size(); ++k) {
        if (d.keys[k].components.empty()) continue;
        auto it = m.indexes.find(table_sql::index_name(static_cast<int>(k)));
        if (it == m.indexes.end() ||
            index_shape(it->second) != index_shape(table_sql::create_index(d, static_cast<int>(k), h->schema)))
            return set_error(kKeysInvalid, h->program_path);
    }
    return kNoError;
}

int empty_table(FileHandle* h, const TableDesc&, int wait_seconds) {
    FileTxn txn(h, wait_seconds);
    int rc = txn.rc();
    if (rc == SQLITE_OK) rc = sql::exec(h->db(), "DELETE FROM " + h->schema + ".rec");
    if (rc == SQLITE_OK) rc = txn.commit();
    if (rc != SQLITE_OK) return storage_error(h->db(), rc, h->program_path);
    ++h->generation;
    return kNoError;
}

namespace {

using KeyProgress = std::function<bool(const std::string& key, int percent)>;

// The key being built and how far the rebuild is, for SQLite's progress handler.
struct KeyBuild {
    const KeyProgress* progress = nullptr;
    std::string key;
    int percent = 0;
    bool stopped = false;
};

int on_progress(void* p) {
    auto* b = static_cast<KeyBuild*>(p);
    if (!(*b->progress)(b->key, b->percent)) b->stopped = true;
    return b->stopped ? 1 : 0;
}

// Creates the layout's indexes one by one, telling `progress` about each before it is built, every
// 200,000 steps of SQLite's machine while it is built, and at the end (100).
int create_indexes_told(FileHandle* h, const TableDesc& d, const KeyProgress& progress, bool& stopped) {
    int total = 0;
    for (const auto& k : d.keys) total += k.components.empty() ? 0 : 1;
    KeyBuild b{&progress};
    sqlite3_progress_handler(h->db(), 200000, on_progress, &b);
    int rc = SQLITE_OK, done = 0;
    for (std::size_t k = 0; k < d.keys.size() && rc == SQLITE_OK && !b.stopped; ++k) {
        if (d.keys[k].components.empty()) continue;
        b.key = d.keys[k].name;
        b.percent = done * 100 / total;
        if (!progress(b.key, b.percent)) {
            b.stopped = true;
            break;
        }
        rc = sql::exec(h->db(), table_sql::create_index(d, static_cast<int>(k), h->schema));
        ++done;
    }
    sqlite3_progress_handler(h->db(), 0, nullptr, nullptr);
    if (rc == SQLITE_OK && !b.stopped && !progress(b.key, 100)) b.stopped = true;
    stopped = b.stopped;
    return stopped ? SQLITE_INTERRUPT : rc;
}

// Drops every index of the file, then (given a layout) creates the layout's, in one transaction.
int replace_keys(FileHandle* h, const TableDesc* d, int wait_seconds, const KeyProgress& progress = {}) {
    FileTxn txn(h, wait_seconds);
    int rc = txn.rc();
    Master m;
    bool stopped = false;
    if (rc == SQLITE_OK) rc = read_master(h, m);
    if (rc == SQLITE_OK) rc = drop_indexes(h, m);
    if (rc == SQLITE_OK && d) rc = progress ? create_indexes_told(h, *d, progress, stopped) : create_indexes(h, *d);
    if (rc == SQLITE_OK) rc = txn.commit();
    h->stmts.clear();
    if (stopped) return set_error(kStopped, h->program_path);
    if (rc != SQLITE_OK) return storage_error(h->db(), rc, h->program_path);
    clear_error();
    return kNoError;
}

}  // namespace

int rebuild_keys(FileHandle* h, const TableDesc& d, int wait_seconds, const KeyProgress& progress) {
    return replace_keys(h, &d, wait_seconds, progress);
}

int drop_keys(FileHandle* h, int wait_seconds) { return replace_keys(h, nullptr, wait_seconds); }

namespace {

// "c1 = ?1 AND c2 = ?2" for the first `n` components.
std::string equal_prefix(const TableDesc& d, int key, int n, int& param) {
    std::string s;
    for (int c = 0; c < n; ++c) {
        if (c) s += " AND ";
        s += table_sql::component_expr(d, key, c) + " = ?" + std::to_string(param++);
    }
    return s;
}

std::string with_filter(const TableDesc& d, int key, std::string where) {
    std::string opt = table_sql::optional_filter(d, key);
    if (!opt.empty()) where = where.empty() ? opt : where + " AND " + opt;
    return where.empty() ? "" : " WHERE " + where;
}

}  // namespace

std::string seek_sql(const FileHandle* h, const TableDesc& d, int key, int level, int dir, const std::vector<int>* fields) {
    const KeyDesc& k = d.keys[static_cast<std::size_t>(key)];
    int n = static_cast<int>(k.components.size());
    std::string head = "SELECT " + table_sql::select_list(d, fields) + " FROM " + h->schema + ".rec";
    int param = 1;
    std::string where;
    if (level == 255 || n == 0) {
        where = "";
    } else if (level > 128) {
        where = equal_prefix(d, key, level - 128, param);
    } else if (level == n) {
        where = equal_prefix(d, key, n, param);
        where += std::string(" AND rid ") + (dir > 0 ? "> ?" : "< ?") + std::to_string(param++);
    } else {
        where = equal_prefix(d, key, level, param);
        if (!where.empty()) where += " AND ";
        bool greater = k.components[static_cast<std::size_t>(level)].descending == (dir < 0);
        where += table_sql::component_expr(d, key, level) + (greater ? " > ?" : " < ?") + std::to_string(param++);
    }
    std::string order = n == 0 ? (dir < 0 ? "rid DESC" : "rid") : table_sql::order_by(d, key, dir);
    return head + with_filter(d, key, where) + " ORDER BY " + order + " LIMIT ?" + std::to_string(param);
}

std::string range_delete_sql(const FileHandle* h, const TableDesc& d, int key, int equal) {
    const KeyDesc& k = d.keys[static_cast<std::size_t>(key)];
    const int n = static_cast<int>(k.components.size());
    int param = 1;
    std::string where = equal_prefix(d, key, equal, param);
    // Components c.. at or after (`after`) or at or before the bound whose component c is parameter
    // p: beyond it on c, or equal on c and so on the next ones; the last one compared inclusively.
    auto bound = [&](bool after, int first_param) {
        std::string s;
        for (int c = n - 1; c >= equal; --c) {
            const std::string expr = table_sql::component_expr(d, key, c);
            const std::string p = "?" + std::to_string(first_param + c - equal);
            const bool greater = k.components[static_cast<std::size_t>(c)].descending != after;
            if (c == n - 1)
                s = expr + (greater ? " >= " : " <= ") + p;
            else
                s = "(" + expr + (greater ? " > " : " < ") + p + " OR (" + expr + " = " + p + " AND " + s + "))";
        }
        return s;
    };
    if (equal < n) {
        const int first = param, last = param + (n - equal);
        if (!where.empty()) where += " AND ";
        where += bound(true, first) + " AND " + bound(false, last);
        if (equal < n - 1) {
            // The first ranged component's own bounds, which the planner takes to the index.
            const std::string expr = table_sql::component_expr(d, key, equal);
            const bool descending = k.components[static_cast<std::size_t>(equal)].descending;
            where += " AND " + expr + (descending ? " <= ?" : " >= ?") + std::to_string(first) + " AND " + expr +
                     (descending ? " >= ?" : " <= ?") + std::to_string(last);
        }
    }
    return "DELETE FROM " + h->schema + ".rec" + with_filter(d, key, where);
}

std::string prefix_where(const TableDesc& d, int key, int n) {
    int param = 1;
    return with_filter(d, key, equal_prefix(d, key, n, param));
}

std::string dup_sql(const FileHandle* h, const TableDesc& d, int key) {
    int param = 1;
    int n = static_cast<int>(d.keys[static_cast<std::size_t>(key)].components.size());
    std::string where = equal_prefix(d, key, n, param);
    where += " AND rid <> ?" + std::to_string(param);
    return "SELECT 1 FROM " + h->schema + ".rec" + with_filter(d, key, where) + " LIMIT 1";
}

std::string max_sql(const FileHandle* h, const TableDesc& d, int key, int component) {
    int param = 1;
    std::string where = equal_prefix(d, key, component - 1, param);
    const KeyDesc& k = d.keys[static_cast<std::size_t>(key)];
    std::string col = sql::quote(d.fields[static_cast<std::size_t>(k.components[component - 1].field)].label);
    return "SELECT max(" + col + ") FROM " + h->schema + ".rec" + with_filter(d, key, where);
}

}  // namespace vorel::data::schema
