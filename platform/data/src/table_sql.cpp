#include "table_sql.h"

#include "cp1252.h"
#include "sqlite_handle.h"

namespace vorel::data::table_sql {

std::vector<std::string> columns(const TableDesc& d) {
    std::vector<std::string> out;
    for (const auto& f : d.fields) {
        if (f.elements == 1) {
            out.push_back(f.label);
        } else {
            for (int e = 1; e <= f.elements; ++e) out.push_back(f.label + "_" + std::to_string(e));
        }
    }
    return out;
}

namespace {

// Column of element `e` of field `fi`.
std::string column_of(const TableDesc& d, int fi, int e = 0) {
    const FieldDesc& f = d.fields[static_cast<std::size_t>(fi)];
    return sql::quote(f.elements == 1 ? f.label : f.label + "_" + std::to_string(e + 1));
}

}  // namespace

// rid never takes a number again once its record is deleted (AUTOINCREMENT): a position kept by a
// browse never finds another record, and new records always sort after older equal ones.
std::string create_table(const TableDesc& d, const std::string& schema) {
    std::string s = "CREATE TABLE " + schema + ".rec (rid INTEGER PRIMARY KEY AUTOINCREMENT";
    for (const auto& f : d.fields) {
        const char* type = is_text(f.type) ? " TEXT NOT NULL DEFAULT ''" : " INTEGER NOT NULL DEFAULT 0";
        for (int e = 0; e < f.elements; ++e) s += ", " + column_of(d, static_cast<int>(&f - d.fields.data()), e) + type;
    }
    return s + ")";
}

std::string create_meta(const std::string& schema) {
    return "CREATE TABLE " + schema + ".meta (name TEXT PRIMARY KEY, value)";
}

std::string index_name(int key) { return "k" + std::to_string(key); }

std::string field_expr(const TableDesc& d, int fi, bool nocase) {
    std::string e = column_of(d, fi);
    if (is_text(d.fields[static_cast<std::size_t>(fi)].type)) e += nocase ? " COLLATE VNOCASE" : " COLLATE BINARY";
    return e;
}

std::string component_expr(const TableDesc& d, int key, int c) {
    const KeyDesc& k = d.keys[static_cast<std::size_t>(key)];
    return field_expr(d, k.components[static_cast<std::size_t>(c)].field, k.nocase());
}

std::string optional_filter(const TableDesc& d, int key) {
    const KeyDesc& k = d.keys[static_cast<std::size_t>(key)];
    if (!k.optional()) return {};
    std::string s = "(";
    for (std::size_t c = 0; c < k.components.size(); ++c) {
        int fi = k.components[c].field;
        if (c) s += " OR ";
        s += column_of(d, fi) + (is_text(d.fields[static_cast<std::size_t>(fi)].type) ? " <> ''" : " <> 0");
    }
    return s + ")";
}

std::string create_index(const TableDesc& d, int key, const std::string& schema) {
    const KeyDesc& k = d.keys[static_cast<std::size_t>(key)];
    std::string s = std::string(k.unique() ? "CREATE UNIQUE INDEX " : "CREATE INDEX ") + schema + "." + index_name(key) +
                    " ON rec (";
    for (std::size_t c = 0; c < k.components.size(); ++c) {
        if (c) s += ", ";
        s += component_expr(d, key, static_cast<int>(c));
        if (k.components[c].descending) s += " DESC";
    }
    s += ")";
    if (k.optional()) s += " WHERE " + optional_filter(d, key);
    return s;
}

std::string select_list(const TableDesc& d, const std::vector<int>* fields) {
    std::string s = "rid";
    auto add = [&](int i) {
        for (int e = 0; e < d.fields[static_cast<std::size_t>(i)].elements; ++e) s += ", " + column_of(d, i, e);
    };
    if (fields) {
        for (int i : *fields) add(i);
    } else {
        for (std::size_t i = 0; i < d.fields.size(); ++i) add(static_cast<int>(i));
    }
    return s;
}

std::string insert(const TableDesc& d, const std::string& schema, bool with_id) {
    std::string cols, params;
    int n = 0;
    for (std::size_t i = 0; i < d.fields.size(); ++i) {
        for (int e = 0; e < d.fields[i].elements; ++e) {
            if (n) {
                cols += ", ";
                params += ", ";
            }
            cols += column_of(d, static_cast<int>(i), e);
            params += "?" + std::to_string(++n);
        }
    }
    if (with_id) {
        cols += ", rid";
        params += ", ?" + std::to_string(++n);
    }
    return "INSERT INTO " + schema + ".rec (" + cols + ") VALUES (" + params + ")";
}

std::string update(const TableDesc& d, const std::string& schema, bool outside_keys, const std::vector<int>* fields) {
    std::vector<bool> in_key(d.fields.size(), false);
    if (outside_keys)
        for (const KeyDesc& k : d.keys)
            for (const KeyComponent& c : k.components) in_key[static_cast<std::size_t>(c.field)] = true;
    std::string set;
    int n = 0;
    auto add = [&](std::size_t i) {
        for (int e = 0; e < d.fields[i].elements; ++e) {
            ++n;
            if (in_key[i]) continue;
            if (!set.empty()) set += ", ";
            set += column_of(d, static_cast<int>(i), e) + " = ?" + std::to_string(n);
        }
    };
    if (fields) {
        for (int i : *fields) add(static_cast<std::size_t>(i));
    } else {
        for (std::size_t i = 0; i < d.fields.size(); ++i) add(i);
    }
    if (set.empty()) return update(d, schema, false, fields);
    return "UPDATE " + schema + ".rec SET " + set + " WHERE rid = ?" + std::to_string(n + 1);
}

std::string order_by(const TableDesc& d, int key, int dir, int from) {
    const KeyDesc& k = d.keys[static_cast<std::size_t>(key)];
    std::string s;
    for (std::size_t c = static_cast<std::size_t>(from); c < k.components.size(); ++c) {
        bool desc = k.components[c].descending != (dir < 0);
        s += component_expr(d, key, static_cast<int>(c)) + (desc ? " DESC, " : ", ");
    }
    return s + (dir < 0 ? "rid DESC" : "rid");
}

void bind_field(sqlite3_stmt* st, int i, const FieldDesc& f, const void* record, int e, std::string& scratch,
                sql::BoundParameters* bound) {
    const void* p = f.element(record, e);
    if (is_text(f.type)) {
        std::string_view v = f.access.get_text(p);
        std::size_t n = v.size();
        while (n > 0 && (v[n - 1] == ' ' || v[n - 1] == '\0')) --n;
        v = v.substr(0, n);
        if (bound) {
            // A blank text is bound once: the parameter holds '' until a text is bound to it.
            const std::size_t k = bound->slot(i);
            if (v.empty() && bound->held[k] == sql::BoundParameters::kBlankText) return;
            bound->held[k] = v.empty() ? sql::BoundParameters::kBlankText : sql::BoundParameters::kNothingKnown;
        }
        if (cp1252::is_ascii(v)) {
            sqlite3_bind_text(st, i, v.data(), static_cast<int>(v.size()), SQLITE_STATIC);
        } else {
            cp1252::to_utf8(v, scratch);
            sqlite3_bind_text(st, i, scratch.data(), static_cast<int>(scratch.size()), SQLITE_TRANSIENT);
        }
    } else {
        const std::int64_t v = f.access.get_int(p);
        if (bound) {
            const std::size_t k = bound->slot(i);
            if (bound->held[k] == sql::BoundParameters::kInteger && bound->value[k] == v) return;
            bound->held[k] = sql::BoundParameters::kInteger;
            bound->value[k] = v;
        }
        sqlite3_bind_int64(st, i, v);
    }
}

void bind_record(sqlite3_stmt* st, const TableDesc& d, const void* record, int first, std::vector<std::string>& scratch,
                 const std::vector<int>* fields, sql::BoundParameters* bound) {
    if (scratch.size() < 1) scratch.resize(1);
    int i = first;
    if (fields) {
        for (int fi : *fields) {
            const FieldDesc& f = d.fields[static_cast<std::size_t>(fi)];
            for (int e = 0; e < f.elements; ++e) bind_field(st, i++, f, record, e, scratch[0], bound);
        }
        return;
    }
    for (const auto& f : d.fields)
        for (int e = 0; e < f.elements; ++e) bind_field(st, i++, f, record, e, scratch[0], bound);
}

namespace {

void read_field(sqlite3_stmt* st, const FieldDesc& f, void* record, int& i, std::string& scratch) {
    for (int e = 0; e < f.elements; ++e, ++i) {
        void* p = f.element(record, e);
        if (is_text(f.type)) {
            const char* t = reinterpret_cast<const char*>(sqlite3_column_text(st, i));
            std::string_view v(t ? t : "", static_cast<std::size_t>(sqlite3_column_bytes(st, i)));
            if (cp1252::is_ascii(v)) {
                f.access.set_text(p, v);
            } else {
                cp1252::from_utf8(v, scratch);
                f.access.set_text(p, scratch);
            }
        } else {
            f.access.set_int(p, sqlite3_column_int64(st, i));
        }
    }
}

}  // namespace

void read_record(sqlite3_stmt* st, const TableDesc& d, void* record, int first, std::string& scratch,
                 const std::vector<int>* fields) {
    int i = first;
    if (fields) {
        for (int fi : *fields) read_field(st, d.fields[static_cast<std::size_t>(fi)], record, i, scratch);
        return;
    }
    for (const auto& f : d.fields) read_field(st, f, record, i, scratch);
}

}  // namespace vorel::data::table_sql
