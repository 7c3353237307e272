#include "vorel/data/transaction.h"

#include <algorithm>

#include "session.h"
#include "vorel/data/error.h"
#include "vorel/data/file_manager.h"

namespace vorel::data {

Transaction::Transaction(std::initializer_list<FileManager*> tables, int lock_wait_seconds) {
    begin(std::vector<FileManager*>(tables), lock_wait_seconds);
}

Transaction::Transaction(const std::vector<FileManager*>& tables, int lock_wait_seconds) {
    begin(tables, lock_wait_seconds);
}

Transaction::~Transaction() {
    if (active_) (void)rollback();
}

void Transaction::begin(const std::vector<FileManager*>& tables, int lock_wait_seconds) {
    tables_ = tables;
    std::vector<FileHandle*> handles;
    for (FileManager* fm : tables) {
        if (!fm->is_open()) {
            status_ = set_error(kFileNotOpen, fm->desc().label);
            return;
        }
        if (std::find(handles.begin(), handles.end(), fm->handle()) == handles.end()) handles.push_back(fm->handle());
    }
    if (handles.empty()) {
        status_ = set_error(kNoTransaction, {}, "no tables");
        return;
    }
    Session& s = *handles.front()->session;
    if (int rc = s.gather(handles, &conn_); rc != kNoError) {
        status_ = rc;
        return;
    }
    nested_ = conn_->txn_depth > 0;
    conn_->busy_ms = lock_wait_seconds * 1000;
    sqlite3_busy_timeout(conn_->db, conn_->busy_ms);
    int rc;
    if (nested_) {
        savepoint_ = conn_->txn_depth;
        rc = sql::exec(conn_->db, "SAVEPOINT vt" + std::to_string(savepoint_));
    } else {
        rc = sql::exec(conn_->db, "BEGIN");
    }
    if (rc != SQLITE_OK) {
        status_ = storage_error(conn_->db, rc, handles.front()->program_path);
        return;
    }
    ++conn_->txn_depth;
    active_ = true;
    // Take every file's write lock now, before anything reads it: the lock wait applies, and no
    // read-then-write upgrade can deadlock with another writer.
    for (FileHandle* h : handles) {
        if (h->in_txn) continue;
        rc = sql::exec(conn_->db, "DELETE FROM " + h->schema + ".meta WHERE 0");
        if (rc != SQLITE_OK) {
            status_ = storage_error(conn_->db, rc, h->program_path);
            (void)rollback();
            return;
        }
        h->in_txn = true;
    }
    for (FileManager* fm : tables_) generations_.push_back(fm->handle()->generation);
    clear_error();
}

namespace {
// The files a failed commit concerns: those the transaction wrote to (all of them when it cannot
// tell), by their names, joined.
std::string written_files(const std::vector<FileManager*>& tables, const std::vector<std::uint64_t>& generations) {
    std::string names;
    for (bool all : {false, true}) {
        for (std::size_t i = 0; i < tables.size(); ++i) {
            const FileHandle* h = tables[i]->handle();
            if (!all && (!h || i >= generations.size() || h->generation == generations[i])) continue;
            const std::string name = tables[i]->file_name();
            if (names.find(name) != std::string::npos) continue;
            names += (names.empty() ? "" : ", ") + name;
        }
        if (!names.empty()) break;
    }
    return names;
}
}  // namespace

Result Transaction::commit() {
    if (!active_) return set_error(kNoTransaction);
    int rc = nested_ ? sql::exec(conn_->db, "RELEASE vt" + std::to_string(savepoint_)) : sql::exec(conn_->db, "COMMIT");
    if (rc != SQLITE_OK) {
        int code = storage_error(conn_->db, rc, written_files(tables_, generations_));
        LastError saved = last_error();
        (void)rollback();
        last_error() = saved;
        return code;
    }
    finish();
    clear_error();
    return kNoError;
}

Result Transaction::rollback() {
    if (!active_) return set_error(kNoTransaction);
    if (nested_) {
        std::string sp = "vt" + std::to_string(savepoint_);
        sql::exec(conn_->db, "ROLLBACK TO " + sp);
        sql::exec(conn_->db, "RELEASE " + sp);
    } else {
        sql::exec(conn_->db, "ROLLBACK");
    }
    // What a cursor read ahead inside the transaction may be gone.
    for (FileManager* fm : tables_)
        if (fm->handle()) ++fm->handle()->generation;
    finish();
    return kNoError;
}

void Transaction::finish() {
    active_ = false;
    --conn_->txn_depth;
    if (conn_->txn_depth == 0) {
        for (FileManager* fm : tables_)
            if (fm->handle()) ++fm->handle()->generation;
        if (!tables_.empty() && tables_.front()->handle()) tables_.front()->handle()->session->transaction_ended(conn_);
    }
}

}  // namespace vorel::data
