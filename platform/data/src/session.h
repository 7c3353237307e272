// The running thread's storage session: its SQLite connections and the table files attached to them.
//
// Layout: one database file per table file. A thread has one connection whose main database is an
// empty file in the data root's journal folder (so that a commit over several attached files uses
// SQLite's super-journal, atomic after a crash and found by every workstation; data_root.h), opened
// through the root's file layer (root_relative_vfs.h); every table file the thread opens is attached to it
// (at most 10 per connection). When a connection is full, or is inside a transaction (no attach is
// possible then), a further connection is opened. A file is attached to exactly one connection of the
// thread, so what a thread writes and its own reads of that file go through one connection and the
// thread never blocks itself. A file is detached when its last table closes.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "sqlite_handle.h"
#include "vorel/data/state_folder.h"

namespace vorel::data {

struct TableDesc;
class Session;

struct Connection {
    sqlite3* db = nullptr;
    int slots_used = 0;
    bool slot_busy[10] = {};
    int txn_depth = 0;  // >0 inside an explicit transaction
    int busy_ms = -1;
    std::filesystem::path root;  // the data root when it was opened (its file layer's root)
    ~Connection();
};

// One table file attached in this thread.
struct FileHandle {
    Session* session = nullptr;
    Connection* conn = nullptr;
    int slot = -1;
    std::string schema;         // "t3"
    std::filesystem::path path; // native path
    std::string program_path;   // as the program named it
    const TableDesc* layout = nullptr;
    int refs = 0;
    std::uint64_t generation = 0;  // rises with every write through this thread
    bool in_txn = false;
    bool detach_pending = false;
    int cache_kib = 32768;      // the file's page cache (FileManager::send "CacheKiB=")
    bool scratch = false;       // a run's own file, written without syncs (FileManager::send "Scratch=1")
    // The field sets its cursors read (Cursor::read_only): a set's place + 1 marks its statements.
    std::vector<std::vector<int>> field_sets;
    int field_set_slot(const std::vector<int>& fields) {
        for (std::size_t i = 0; i < field_sets.size(); ++i)
            if (field_sets[i] == fields) return static_cast<int>(i) + 1;
        field_sets.push_back(fields);
        return static_cast<int>(field_sets.size());
    }
    std::unordered_map<std::uint32_t, sql::Stmt> stmts;

    sql::Stmt* cached(std::uint32_t id) {
        auto it = stmts.find(id);
        return it == stmts.end() ? nullptr : &it->second;
    }
    sql::Stmt& prepare(std::uint32_t id, const std::string& text) {
        return stmts[id] = sql::Stmt(conn->db, text);
    }
    sqlite3* db() const { return conn->db; }
};

class Session {
public:
    ~Session();
    static Session& current();

    // Attaches the file (creating an empty SQLite file when `create` is set and it is missing; table
    // files are made through acquire_table_file). An existing file of 0 bytes is damaged (47).
    // Returns an error code; on success *out is the handle with one more reference.
    int acquire(const std::filesystem::path& path, const std::string& program_path, bool create, int wait_seconds,
                FileHandle** out);
    void release(FileHandle* h);
    // Moves the handles onto one connection (for a transaction across them); error 80 when impossible.
    int gather(const std::vector<FileHandle*>& handles, Connection** out);
    // Detaches what was closed during the connection's transaction; every handle on it forgets
    // what its cursors read ahead (a rollback may have undone it).
    void transaction_ended(Connection* c);

private:
    Connection* connection_with_slot();
    int attach(Connection* c, FileHandle* h, int wait_seconds);
    void detach(FileHandle* h);

    std::vector<std::unique_ptr<Connection>> conns_;
    std::vector<std::unique_ptr<FileHandle>> files_;
};


// SQLite result code to the engine's error code (busy: 32, not a database: 47, others 90), setting the
// thread's last error with the cause in words ("disco cheio", "arquivo em uso por outro usuário ou
// estação", ...) or SQLite's own text.
int storage_error(sqlite3* db, int rc, std::string_view file);

}  // namespace vorel::data
