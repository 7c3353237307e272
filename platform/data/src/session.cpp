#include "session.h"

#include "vorel/core/text.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <stdexcept>
#include <system_error>

#include "cp1252.h"
#include "root_relative_vfs.h"
#include "vorel/core/text.h"
#include "vorel/data/data_root.h"
#include "vorel/data/error.h"
#include "vorel/data/sqlite_collation.h"

namespace vorel::data {

namespace fs = std::filesystem;

namespace sql {

Stmt::Stmt(sqlite3* db, std::string_view text) {
    const char* tail = nullptr;
    int rc = sqlite3_prepare_v3(db, text.data(), static_cast<int>(text.size()), SQLITE_PREPARE_PERSISTENT, &s_, &tail);
    if (rc != SQLITE_OK) {
        std::string msg = sqlite3_errmsg(db);
        sqlite3_finalize(s_);
        s_ = nullptr;
        throw std::runtime_error("SQL preparation failed: " + msg + " in: " + std::string(text));
    }
}

int exec(sqlite3* db, std::string_view text) {
    return sqlite3_exec(db, std::string(text).c_str(), nullptr, nullptr, nullptr);
}

std::string quote(std::string_view id) {
    std::string out = "\"";
    for (char c : id) {
        if (c == '"') out.push_back('"');
        out.push_back(c);
    }
    out.push_back('"');
    return out;
}

}  // namespace sql

namespace {

std::mutex g_state_mutex;
fs::path g_state_folder;
fs::path g_data_root;

int collate_nocase(void*, int na, const void* a, int nb, const void* b) {
    return cp1252::compare_nocase_utf8(std::string_view(static_cast<const char*>(a), static_cast<std::size_t>(na)),
                                       std::string_view(static_cast<const char*>(b), static_cast<std::size_t>(nb)));
}

fs::path default_state_folder() {
    if (const char* v = std::getenv("VOREL_STATE_DIR"); v && *v) return v;
    if (const char* v = std::getenv("XDG_STATE_HOME"); v && *v) return fs::path(v) / "Vorel";
    if (const char* v = std::getenv("HOME"); v && *v) return fs::path(v) / ".local" / "state" / "Vorel";
    return fs::temp_directory_path() / "Vorel";
}

// Each connection's main database: an empty file, shared by every connection that uses the folder.
// Under a data root it lies in the root's journal folder (so the super-journal beside it is found by
// every workstation); without one, or when that folder cannot be made, in the state folder.
fs::path main_file(const fs::path& root) {
    std::error_code ec;
    if (!root.empty()) {
        fs::path folder = root / kJournalFolder;
        fs::create_directory(folder, ec);
        if (fs::is_directory(folder, ec)) return folder / "vorel-main.db";
    }
    fs::path folder = state_folder();
    fs::create_directories(folder, ec);
    return folder / "vorel-main.db";
}

}  // namespace

int register_collations(sqlite3* db) {
    return sqlite3_create_collation(db, "VNOCASE", SQLITE_UTF8, nullptr, collate_nocase);
}

fs::path state_folder() {
    std::lock_guard lock(g_state_mutex);
    if (g_state_folder.empty()) g_state_folder = default_state_folder();
    return g_state_folder;
}

void set_state_folder(const fs::path& folder) {
    std::lock_guard lock(g_state_mutex);
    g_state_folder = folder;
}

void set_data_root(const fs::path& root) {
    std::error_code ec;
    fs::path canonical = root.empty() ? fs::path() : fs::weakly_canonical(root, ec);
    if (ec) canonical = root;
    std::lock_guard lock(g_state_mutex);
    g_data_root = canonical;
}

fs::path data_root() {
    std::lock_guard lock(g_state_mutex);
    return g_data_root;
}

namespace {
// The cause of a storage error as the user reads it (UTF-8); empty: the engine's own words.
std::string_view storage_cause(int primary, int system_errno) {
    // No room: the disk, the user's quota, or the largest file the system lets the program write.
    if (system_errno == ENOSPC || system_errno == EDQUOT || system_errno == EFBIG) return "disco cheio";
    switch (primary) {
        case SQLITE_FULL: return "disco cheio";
        case SQLITE_IOERR: return "falha de leitura ou gravação no disco";
        case SQLITE_BUSY:
        case SQLITE_LOCKED: return "arquivo em uso por outro usuário ou estação";
        case SQLITE_READONLY: return "arquivo somente para leitura";
        case SQLITE_CANTOPEN: return "o arquivo não pôde ser aberto";
        default: return {};
    }
}
}  // namespace

int storage_error(sqlite3* db, int rc, std::string_view file) {
    int primary = rc & 0xFF;
    const int failed = take_failed_write_errno();
    const std::string_view cause = storage_cause(primary, failed ? failed : db ? sqlite3_system_errno(db) : 0);
    const std::string msg = cause.empty() ? std::string(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc))
                                          : text::from_utf8(cause);
    int code;
    switch (primary) {
        case SQLITE_BUSY:
        case SQLITE_LOCKED: code = kFileLocked; break;
        case SQLITE_NOTADB:
        case SQLITE_CORRUPT:
        case SQLITE_FORMAT: code = kInvalidFile; break;
        case SQLITE_PERM:
        case SQLITE_READONLY:
        case SQLITE_AUTH: code = kAccessDenied; break;
        case SQLITE_CONSTRAINT: code = kDuplicateKey; break;
        default: code = kOsError; break;
    }
    return set_error(code, file, msg, rc);
}

Connection::~Connection() {
    if (db) sqlite3_close_v2(db);
}

Session::~Session() {
    for (auto& f : files_) f->stmts.clear();
    files_.clear();
    conns_.clear();
}

Session& Session::current() {
    thread_local std::unique_ptr<Session> s;
    if (!s) s = std::make_unique<Session>();
    return *s;
}

Connection* Session::connection_with_slot() {
    fs::path root = data_root();
    for (auto& c : conns_)
        if (c->txn_depth == 0 && c->slots_used < 10 && c->root == root) return c.get();
    auto c = std::make_unique<Connection>();
    c->root = root;
    fs::path main = main_file(root);
    int rc = sqlite3_open_v2(main.c_str(), &c->db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
                             root_relative_vfs(root));
    if (rc != SQLITE_OK) {
        storage_error(c->db, rc, main.string());
        return nullptr;
    }
    sqlite3_extended_result_codes(c->db, 1);
    register_collations(c->db);
    sql::exec(c->db, "PRAGMA main.synchronous=FULL");
    // The sorter of a dynamic order takes its memory budget from the main database's cache size, and
    // the sorted places lie in the temporary database: both small and fixed, on disk beyond that.
    sql::exec(c->db, "PRAGMA main.cache_size=-256");
    sql::exec(c->db, "PRAGMA temp_store=FILE");
    sql::exec(c->db, "PRAGMA temp.cache_size=-256");
    conns_.push_back(std::move(c));
    return conns_.back().get();
}

int Session::attach(Connection* c, FileHandle* h, int wait_seconds) {
    int slot = 0;
    while (slot < 10 && c->slot_busy[slot]) ++slot;
    if (slot == 10) return set_error(kTooManyFiles, h->program_path);
    std::string schema = "t" + std::to_string(slot);
    sqlite3_busy_timeout(c->db, wait_seconds * 1000);
    {
        sql::Stmt st(c->db, "ATTACH DATABASE ?1 AS " + schema);
        st.bind(1, std::string_view(h->path.native()));
        int rc = st.step();
        if (rc != SQLITE_DONE) return storage_error(c->db, rc, h->program_path);
    }
    c->slot_busy[slot] = true;
    ++c->slots_used;
    h->conn = c;
    h->slot = slot;
    h->schema = schema;
    sql::exec(c->db, "PRAGMA " + schema + (h->scratch ? ".synchronous=OFF" : ".synchronous=FULL"));
    // Reading in key order jumps between pages: a page cache of up to 32 MB per file (taken only
    // as pages are read) keeps a file of a year's movements in memory. A bulk writer that passes
    // over a file once may ask for less (FileManager::send "CacheKiB=").
    sql::exec(c->db, "PRAGMA " + schema + ".cache_size=-" + std::to_string(h->cache_kib));
    int rc = sql::exec(c->db, "PRAGMA " + schema + ".journal_mode=DELETE");
    if (rc != SQLITE_OK) {
        int code = storage_error(c->db, rc, h->program_path);
        detach(h);
        return code;
    }
    return kNoError;
}

void Session::detach(FileHandle* h) {
    if (!h->conn) return;
    h->stmts.clear();
    Connection* c = h->conn;
    sql::exec(c->db, "DETACH DATABASE " + h->schema);
    c->slot_busy[h->slot] = false;
    --c->slots_used;
    h->conn = nullptr;
    h->slot = -1;
}

int Session::acquire(const fs::path& path, const std::string& program_path, bool create, int wait_seconds,
                     FileHandle** out) {
    std::error_code ec;
    fs::path native = fs::weakly_canonical(path, ec);
    if (ec) native = path;
    for (auto& f : files_) {
        if (f->path == native) {
            ++f->refs;
            *out = f.get();
            return kNoError;
        }
    }
    if (!fs::exists(native, ec)) {
        if (!create) return set_error(kFileNotFound, program_path);
        if (!fs::is_directory(native.parent_path(), ec)) return set_error(kPathNotFound, program_path);
    } else if (fs::is_regular_file(native, ec) && fs::file_size(native, ec) == 0) {
        // SQLite would take an empty file for a new database: a table file cut to nothing is damage.
        return set_error(kInvalidFile, program_path, "not a table file");
    }
    Connection* c = connection_with_slot();
    if (!c) return last_error().code;
    auto h = std::make_unique<FileHandle>();
    h->session = this;
    h->path = native;
    h->program_path = program_path;
    if (int rc = attach(c, h.get(), wait_seconds); rc != kNoError) return rc;
    h->refs = 1;
    files_.push_back(std::move(h));
    *out = files_.back().get();
    return kNoError;
}

void Session::release(FileHandle* h) {
    if (--h->refs > 0) return;
    if (h->conn && h->conn->txn_depth > 0) {
        h->detach_pending = true;  // detached when the transaction ends
        return;
    }
    Connection* c = h->conn;
    detach(h);
    for (auto it = files_.begin(); it != files_.end(); ++it) {
        if (it->get() == h) {
            files_.erase(it);
            break;
        }
    }
    // A connection with no file left is closed (its main file's folder, under the data root or
    // the state folder, may change between uses).
    if (c && c->slots_used == 0 && c->txn_depth == 0) {
        for (auto it = conns_.begin(); it != conns_.end(); ++it) {
            if (it->get() == c) {
                conns_.erase(it);
                break;
            }
        }
    }
}

void Session::transaction_ended(Connection* c) {
    std::vector<FileHandle*> pending;
    for (auto& f : files_) {
        if (f->conn != c) continue;
        ++f->generation;
        f->in_txn = false;
        if (f->detach_pending && f->refs == 0) pending.push_back(f.get());
    }
    for (FileHandle* h : pending) {
        h->detach_pending = false;
        h->refs = 1;
        release(h);
    }
}

int Session::gather(const std::vector<FileHandle*>& handles, Connection** out) {
    if (handles.empty()) return set_error(kNoTransaction);
    bool together = true;
    for (auto* h : handles) together = together && h->conn == handles.front()->conn;
    if (together) {
        *out = handles.front()->conn;
        return kNoError;
    }
    // Prefer the connection that already holds most of the files.
    Connection* target = nullptr;
    int best = -1;
    for (auto& c : conns_) {
        if (c->txn_depth > 0) continue;
        int n = 0;
        for (auto* h : handles) n += (h->conn == c.get());
        int free_slots = 10 - c->slots_used;
        if (n + free_slots >= static_cast<int>(handles.size()) && n > best) {
            best = n;
            target = c.get();
        }
    }
    if (!target) return set_error(kTooManyFiles, handles.front()->program_path);
    for (auto* h : handles) {
        if (h->conn == target) continue;
        if (h->conn->txn_depth > 0) return set_error(kTransactionActive, h->program_path);
        detach(h);
        if (int rc = attach(target, h, 10); rc != kNoError) return rc;
    }
    *out = target;
    return kNoError;
}

}  // namespace vorel::data
