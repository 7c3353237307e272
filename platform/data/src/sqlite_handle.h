// RAII owners of SQLite resources inside the table engine: statements and connections.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vorel::data::sql {

// What a statement's parameters hold since they were last bound (an integer, or a blank text), so
// that a statement run for row after row (an insert) binds again only the integers that changed and
// the texts that are not blank: SQLite keeps bindings from one run to the next until they are
// cleared.
struct BoundParameters {
    enum Held : unsigned char { kNothingKnown, kInteger, kBlankText };
    std::vector<std::int64_t> value;  // for kInteger
    std::vector<Held> held;
    // The index of parameter i's entry (parameters count from 1).
    std::size_t slot(int i) {
        const auto k = static_cast<std::size_t>(i - 1);
        if (k >= held.size()) {
            held.resize(k + 1, kNothingKnown);
            value.resize(k + 1, 0);
        }
        return k;
    }
    void forget() { held.assign(held.size(), kNothingKnown); }
};

class Stmt {
public:
    Stmt() = default;
    Stmt(sqlite3* db, std::string_view sql);  // throws std::runtime_error on a preparation error
    ~Stmt() { sqlite3_finalize(s_); }
    Stmt(Stmt&& o) noexcept : s_(std::exchange(o.s_, nullptr)), bound_(std::move(o.bound_)) {}
    Stmt& operator=(Stmt&& o) noexcept {
        if (this != &o) {
            sqlite3_finalize(s_);
            s_ = std::exchange(o.s_, nullptr);
            bound_ = std::move(o.bound_);
        }
        return *this;
    }
    Stmt(const Stmt&) = delete;
    Stmt& operator=(const Stmt&) = delete;

    sqlite3_stmt* get() const { return s_; }
    explicit operator bool() const { return s_ != nullptr; }
    void reset() {
        sqlite3_reset(s_);
        sqlite3_clear_bindings(s_);
        bound_.forget();
    }
    BoundParameters& bound() { return bound_; }
    void bind(int i, std::int64_t v) { sqlite3_bind_int64(s_, i, v); }
    void bind(int i, std::string_view v) {
        sqlite3_bind_text(s_, i, v.data(), static_cast<int>(v.size()), SQLITE_TRANSIENT);
    }
    int step() { return sqlite3_step(s_); }

private:
    sqlite3_stmt* s_ = nullptr;
    BoundParameters bound_;
};

// Resets a statement when the scope ends, so that no read stays open between calls.
class ResetGuard {
public:
    explicit ResetGuard(Stmt& s) : s_(s) {}
    ~ResetGuard() { sqlite3_reset(s_.get()); }
    ResetGuard(const ResetGuard&) = delete;
    ResetGuard& operator=(const ResetGuard&) = delete;

private:
    Stmt& s_;
};

// Runs SQL without results; returns the SQLite result code.
int exec(sqlite3* db, std::string_view sql);
// Quoted identifier: "name" with inner quotes doubled.
std::string quote(std::string_view identifier);

}  // namespace vorel::data::sql
