// Transaction: an atomic change over a set of open tables, with a lock wait.
//
// Begins at construction: the tables' files are brought onto one connection of the thread and
// locked for writing (waiting up to `lock_wait_seconds` for other users; 32 when the wait runs out).
// Everything written to those files until commit() is one atomic change, also after a crash (a
// rollback journal with full synchronisation; SQLite's super-journal spans the files). Rolled back
// by rollback() or when the object dies uncommitted. Inside another transaction of the thread it
// nests (a savepoint): rolling it back undoes only its own part.
//
//   Transaction t({&work, &saldos}, 1);
//   if (t.status() != 0) ... error text in last_error()
//   ... add / put / remove ...
//   if (t.commit() != 0) ... nothing was written
#pragma once

#include <initializer_list>
#include <cstdint>
#include <vector>

#include "vorel/data/error.h"

namespace vorel::data {

class FileManager;
struct Connection;

class Transaction {
public:
    Transaction(std::initializer_list<FileManager*> tables, int lock_wait_seconds = 10);
    Transaction(const std::vector<FileManager*>& tables, int lock_wait_seconds = 10);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    Result status() const { return status_; }  // 0 when the transaction began
    bool active() const { return active_; }
    Result commit();
    Result rollback();

private:
    void begin(const std::vector<FileManager*>& tables, int lock_wait_seconds);
    void finish();

    Connection* conn_ = nullptr;
    std::vector<FileManager*> tables_;
    std::vector<std::uint64_t> generations_;  // each table's writes when the transaction began
    bool active_ = false;
    bool nested_ = false;
    int savepoint_ = 0;
    int status_ = 0;
};

}  // namespace vorel::data
