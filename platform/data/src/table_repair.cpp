// Repairs of a whole table file on a copy beside it (vorel/data/table_repair.h).
#include "vorel/data/table_repair.h"

#include <fcntl.h>
#include <unistd.h>

#include <ctime>
#include <filesystem>
#include <limits>
#include <optional>
#include <set>
#include <stdexcept>
#include <vector>

#include "session.h"
#include "share_lock.h"
#include "table_sql.h"
#include "vorel/core/paths.h"
#include "vorel/data/file_manager.h"
#include "vorel/data/open_mode.h"

namespace vorel::data {

namespace {

namespace fs = std::filesystem;

constexpr int kWait = 10;
constexpr const char* kNewSuffix = ".novo";

// A repair passes over the whole file once: a small page cache, whatever the file's size.
constexpr int kCacheKiB = 2048;
void small_cache(FileHandle* h) {
    h->cache_kib = kCacheKiB;
    sql::exec(h->db(), "PRAGMA " + h->schema + ".cache_size=-" + std::to_string(kCacheKiB));
}

// The file held exclusively (its sharing lock) and attached on the thread's session without any
// check of its structure or keys, so that a damaged or older file can be read as it stands.
class Held {
public:
    ~Held() { detach(); }
    int take(std::string_view path) {
        program_ = std::string(path);
        std::error_code ec;
        const fs::path resolved = files::resolve(program_);
        if (!fs::exists(resolved, ec)) return set_error(kFileNotFound, program_);
        native_ = fs::weakly_canonical(resolved, ec);
        if (ec) native_ = resolved;
        if (int rc = ShareLock::acquire(native_, program_, open_mode::kExclusive, lock_); rc) return rc;
        if (int rc = Session::current().acquire(native_, program_, false, kWait, &h_); rc) return rc;
        small_cache(h_);
        return kNoError;
    }
    void detach() {
        if (h_) Session::current().release(std::exchange(h_, nullptr));
    }
    FileHandle* handle() const { return h_; }
    const fs::path& native() const { return native_; }
    const std::string& program() const { return program_; }
    fs::path native_new() const { return fs::path(native_.string() + kNewSuffix); }
    std::string program_new() const { return program_ + kNewSuffix; }

private:
    ShareLock lock_;
    FileHandle* h_ = nullptr;
    fs::path native_;
    std::string program_;
};

// A statement that may fail to prepare on a damaged file: nullopt then.
std::optional<sql::Stmt> try_prepare(sqlite3* db, const std::string& text) {
    try {
        return sql::Stmt(db, text);
    } catch (const std::runtime_error&) {
        return std::nullopt;
    }
}

// The file passes SQLite's integrity check; otherwise `why` holds its first complaint.
bool sound(FileHandle* h, std::string& why) {
    auto st = try_prepare(h->db(), "PRAGMA " + h->schema + ".integrity_check(1)");
    if (!st) {
        why = sqlite3_errmsg(h->db());
        return false;
    }
    const int rc = st->step();
    if (rc != SQLITE_ROW) {
        why = sqlite3_errmsg(h->db());
        return false;
    }
    const unsigned char* t = sqlite3_column_text(st->get(), 0);
    why = t ? reinterpret_cast<const char*>(t) : "";
    return why == "ok";
}

// Removes a file left by an earlier run (the new file, its journal and lock file).
void remove_leftovers(const fs::path& file) {
    std::error_code ec;
    for (const char* suffix : {"", "-journal", "-lock"}) fs::remove(fs::path(file.string() + suffix), ec);
}

// The file's bytes on the disk (a copy written without syncs is made durable before it is used).
int sync_file(const fs::path& file, const std::string& program) {
    const int fd = ::open(file.c_str(), O_RDONLY);
    if (fd < 0) return set_error(kOsError, program, "open for sync failed", errno);
    const int rc = ::fsync(fd);
    const int err = errno;
    ::close(fd);
    return rc == 0 ? kNoError : set_error(kOsError, program, "sync failed", err);
}

void sync_folder(const fs::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    (void)::fsync(fd);
    ::close(fd);
}

// "<file>.AAAAMMDD-HHMMSS" (with "-2", "-3", ... when taken): where a damaged original is kept.
std::string dated_name(const std::string& program) {
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, ".%Y%m%d-%H%M%S", &tm);
    std::string name = program + stamp;
    std::error_code ec;
    for (int n = 2; fs::exists(files::resolve(name), ec); ++n) name = program + stamp + "-" + std::to_string(n);
    return name;
}

// Opens the copy at `program` with the table's layout (which upgrades an older structure), builds
// its keys when they are not the layout's, checks it and counts its records.
int finish_copy(const TableDesc& d, const std::string& program, const RepairProgress& progress, std::int64_t* records) {
    FileManager fm(d);
    fm.set_create(false);
    fm.keep_open_on_invalid_keys(true);
    int rc = fm.open_path(program, open_mode::kExclusive).code();
    (void)fm.send("CacheKiB=" + std::to_string(kCacheKiB));
    if (rc == kKeysInvalid) {
        rc = fm.rebuild_keys([&](const std::string& key, int percent) {
                   return !progress || progress("Key :" + key, percent);
               }).code();
    }
    if (rc == kNoError) rc = fm.verify().code();
    if (rc == kNoError && records) {
        *records = fm.records();
        if (*records < 0) rc = last_error().code;
    }
    if (fm.is_open()) {
        const LastError kept = last_error();
        (void)fm.close();
        last_error() = kept;
    }
    return rc;
}

// The finished copy takes the original's place; `keep_as`, when given, first gets the original.
int put_in_place(Held& held, const std::string& keep_as) {
    held.detach();
    std::error_code ec;
    if (int rc = sync_file(held.native_new(), held.program_new()); rc) return rc;
    if (!keep_as.empty()) {
        const fs::path kept = files::resolve(keep_as);
        fs::create_hard_link(held.native(), kept, ec);
        if (ec) {
            ec.clear();
            fs::copy_file(held.native(), kept, ec);
            if (!ec && sync_file(kept, keep_as)) ec = std::make_error_code(std::errc::io_error);
        }
        if (ec) return set_error(kOsError, keep_as, ec.message(), ec.value());
    }
    fs::rename(held.native_new(), held.native(), ec);
    if (ec) return set_error(kOsError, held.program(), ec.message(), ec.value());
    sync_folder(held.native().parent_path());
    remove_leftovers(held.native_new());
    clear_error();
    return kNoError;
}

// Every record of `from` that can still be read, copied with its place into the empty `to` (made
// with `from`'s own structure), in one transaction. Counts what was kept and, from the keys, what was
// lost.
class Salvage {
public:
    Salvage(FileHandle* from, FileHandle* to, const TableDesc& d, const RepairProgress& progress)
        : from_(from), to_(to), d_(d), progress_(progress), db_(from->db()) {}

    int run(std::int64_t& kept, std::int64_t& lost) {
        const std::string o = from_->schema, n = to_->schema;
        // The structure: the record table as the damaged file declares it, and its meta rows.
        std::string rec_sql;
        {
            auto st = try_prepare(db_, "SELECT sql FROM " + o + ".sqlite_master WHERE type = 'table' AND name = 'rec'");
            if (!st || st->step() != SQLITE_ROW || !sqlite3_column_text(st->get(), 0))
                return set_error(kInvalidFile, from_->program_path, "the record table cannot be read");
            rec_sql = reinterpret_cast<const char*>(sqlite3_column_text(st->get(), 0));
        }
        const auto paren = rec_sql.find('(');
        if (paren == std::string::npos) return set_error(kInvalidFile, from_->program_path, "no record table");
        if (int rc = in_transaction([&] {
                int rc = sql::exec(db_, "CREATE TABLE " + n + ".rec " + rec_sql.substr(paren));
                if (rc == SQLITE_OK) rc = sql::exec(db_, "CREATE TABLE " + n + ".meta (name TEXT PRIMARY KEY, value)");
                if (rc == SQLITE_OK) rc = sql::exec(db_, "INSERT INTO " + n + ".meta SELECT name, value FROM " + o + ".meta");
                return rc;
            });
            rc != kNoError)
            return rc;
        primed_ = primed_places();
        max_ = highest_place();

        // Each record is read by a statement of its own, which only reads, and written from the
        // values read. SQLite may give up a whole transaction on meeting a damaged page, so the
        // places that read are found first, outside any transaction, and then copied in one.
        auto next = try_prepare(db_, "SELECT rid FROM " + o + ".rec WHERE rid > ?1 ORDER BY rid LIMIT 1");
        auto read = try_prepare(db_, "SELECT * FROM " + o + ".rec WHERE rid = ?1");
        if (!next || !read) return set_error(kInvalidFile, from_->program_path, sqlite3_errmsg(db_));
        std::string values = "?1";
        for (int i = 2, n_cols = sqlite3_column_count(read->get()); i <= n_cols; ++i) values += ", ?" + std::to_string(i);
        auto copy = try_prepare(db_, "INSERT INTO " + n + ".rec VALUES (" + values + ")");
        if (!copy) return set_error(kInvalidFile, to_->program_path, sqlite3_errmsg(db_));
        next_ = &*next;
        std::vector<std::int64_t> places;
        std::int64_t at = std::numeric_limits<std::int64_t>::min();
        for (long long turn = 1;; ++turn) {
            std::int64_t rid = 0;
            const int found = following(at, &rid);
            if (found == SQLITE_DONE) break;
            if (found != SQLITE_ROW) {
                const auto beyond = past_damage(at);
                if (!beyond) break;
                at = *beyond;
                continue;
            }
            at = rid;
            if (primed_.count(rid)) continue;
            read->reset();
            read->bind(1, rid);
            if (read->step() == SQLITE_ROW) places.push_back(rid);
            read->reset();
            if (turn % 1000 == 0 && !told("Reading Records", rid)) return set_error(kStopped, from_->program_path);
        }
        next_ = nullptr;
        // A record that reads alone but not inside the transaction is left out, and the copy begins again.
        for (;;) {
            std::size_t failed = places.size();
            const int rc = in_transaction([&] {
                for (std::size_t i = 0; i < places.size(); ++i) {
                    read->reset();
                    read->bind(1, places[i]);
                    if (read->step() != SQLITE_ROW) {
                        read->reset();
                        failed = i;
                        return SQLITE_CORRUPT;
                    }
                    copy->reset();
                    for (int c = 0, n_cols = sqlite3_column_count(read->get()); c < n_cols; ++c)
                        sqlite3_bind_value(copy->get(), c + 1, sqlite3_column_value(read->get(), c));
                    const int wrote = copy->step();
                    copy->reset();
                    read->reset();
                    if (wrote != SQLITE_DONE) return wrote;
                    if ((i + 1) % 1000 == 0 && !told("Copying Records", places[i])) return SQLITE_INTERRUPT;
                }
                keep_sequence();
                return SQLITE_OK;
            });
            if (rc == kNoError) break;
            if (failed == places.size()) return rc;
            places.erase(places.begin() + static_cast<std::ptrdiff_t>(failed));
        }
        kept = static_cast<std::int64_t>(places.size());
        const std::int64_t counted = counted_by_keys();
        lost = counted < 0 ? -1 : std::max<std::int64_t>(0, counted - static_cast<std::int64_t>(primed_.size()) - kept);
        clear_error();
        return kNoError;
    }

private:
    // Runs `body` in a write transaction on the new file: committed when it answers SQLITE_OK,
    // rolled back otherwise (also when SQLite gave the transaction up itself). An error code.
    template <class Body>
    int in_transaction(Body body) {
        if (int rc = sql::exec(db_, "BEGIN"); rc != SQLITE_OK) return storage_error(db_, rc, to_->program_path);
        ++to_->conn->txn_depth;
        int rc = body();
        if (rc == SQLITE_OK) rc = sql::exec(db_, "COMMIT");
        const int code = rc == SQLITE_OK ? kNoError
                         : rc == SQLITE_INTERRUPT ? set_error(kStopped, from_->program_path)
                                                  : storage_error(db_, rc, to_->program_path);
        if (rc != SQLITE_OK && !sqlite3_get_autocommit(db_)) {
            const LastError e = last_error();
            sql::exec(db_, "ROLLBACK");
            last_error() = e;
        }
        --to_->conn->txn_depth;
        return code;
    }

    bool told(const std::string& step, std::int64_t rid) {
        const int percent = max_ > 0 ? static_cast<int>(std::min<std::int64_t>(rid, max_) * 49 / max_) : 0;
        return !progress_ || progress_(step, step == "Copying Records" ? 50 + percent : percent);
    }

    // SQLITE_ROW with the first place after `at`, SQLITE_DONE past the last, or the read's error.
    int following(std::int64_t at, std::int64_t* rid) {
        next_->reset();
        next_->bind(1, at);
        const int rc = next_->step();
        if (rc == SQLITE_ROW) *rid = sqlite3_column_int64(next_->get(), 0);
        next_->reset();
        return rc;
    }
    bool readable_after(std::int64_t at) {
        std::int64_t rid = 0;
        const int rc = following(at, &rid);
        return rc == SQLITE_ROW || rc == SQLITE_DONE;
    }

    // The first place from which the records after it can be read again, when a read after `at` hit
    // a damaged page: farther and farther steps until one reads, then back to the nearest that does.
    std::optional<std::int64_t> past_damage(std::int64_t at) {
        if (at == std::numeric_limits<std::int64_t>::min()) at = 0;
        std::int64_t bad = at, step = 1;
        for (;;) {
            if (max_ <= 0 || bad >= max_) return std::nullopt;
            const std::int64_t probe = std::min(bad + step, max_);
            if (readable_after(probe)) {
                std::int64_t good = probe;
                while (good - bad > 1) {
                    const std::int64_t mid = bad + (good - bad) / 2;
                    (readable_after(mid) ? good : bad) = mid;
                }
                return good;
            }
            bad = probe;
            step *= 2;
        }
    }

    // The highest place of a record, from the record table or else from any key.
    std::int64_t highest_place() {
        std::vector<std::string> tries{"SELECT max(rid) FROM " + from_->schema + ".rec"};
        for (std::size_t k = 0; k < d_.keys.size(); ++k)
            if (!d_.keys[k].components.empty())
                tries.push_back("SELECT max(rid) FROM " + from_->schema + ".rec INDEXED BY " +
                                table_sql::index_name(static_cast<int>(k)));
        for (const std::string& q : tries) {
            auto st = try_prepare(db_, q);
            if (st && st->step() == SQLITE_ROW) return sqlite3_column_int64(st->get(), 0);
        }
        return 0;
    }

    // How many records the damaged file held, from the first key (not optional) that reads whole;
    // -1 when none does.
    std::int64_t counted_by_keys() {
        std::int64_t best = -1;
        for (std::size_t k = 0; k < d_.keys.size(); ++k) {
            if (d_.keys[k].components.empty() || d_.keys[k].optional()) continue;
            auto st = try_prepare(db_, "SELECT count(*) FROM " + from_->schema + ".rec INDEXED BY " +
                                           table_sql::index_name(static_cast<int>(k)));
            if (st && st->step() == SQLITE_ROW) best = std::max<std::int64_t>(best, sqlite3_column_int64(st->get(), 0));
        }
        return best;
    }

    std::set<std::int64_t> primed_places() {
        std::set<std::int64_t> out;
        auto st = try_prepare(db_, "SELECT rid FROM " + from_->schema + ".primed");
        if (st)
            while (st->step() == SQLITE_ROW) out.insert(sqlite3_column_int64(st->get(), 0));
        return out;
    }

    // New records keep being numbered after the damaged file's highest number.
    void keep_sequence() {
        auto st = try_prepare(db_, "SELECT seq FROM " + from_->schema + ".sqlite_sequence WHERE name = 'rec'");
        if (!st || st->step() != SQLITE_ROW) return;
        const std::int64_t seq = sqlite3_column_int64(st->get(), 0);
        sql::exec(db_, "UPDATE " + to_->schema + ".sqlite_sequence SET seq = max(seq, " + std::to_string(seq) +
                           ") WHERE name = 'rec'");
    }

    FileHandle* from_;
    FileHandle* to_;
    const TableDesc& d_;
    const RepairProgress& progress_;
    sqlite3* db_;
    sql::Stmt* next_ = nullptr;
    std::set<std::int64_t> primed_;
    std::int64_t max_ = 0;
};

bool told(const RepairProgress& progress, const std::string& step, int percent) {
    return !progress || progress(step, percent);
}

}  // namespace

Result fix_table_file(const TableDesc& d, std::string_view path, FixReport& report, const RepairProgress& progress) {
    report = FixReport{};
    Held held;
    if (int rc = held.take(path); rc) return rc;
    if (!told(progress, "Checking File", 0)) return set_error(kStopped, held.program());
    std::string why;
    if (sound(held.handle(), why)) {
        sql::Stmt count(held.handle()->db(), "SELECT count(*) FROM " + held.handle()->schema + ".rec");
        if (count.step() != SQLITE_ROW) return storage_error(held.handle()->db(), SQLITE_ERROR, held.program());
        report.kept = sqlite3_column_int64(count.get(), 0);
        clear_error();
        return kNoError;
    }
    report.rebuilt = true;
    remove_leftovers(held.native_new());
    Session& s = Session::current();
    FileHandle* fresh = nullptr;
    if (int rc = s.acquire(held.native_new(), held.program_new(), true, kWait, &fresh); rc) return rc;
    small_cache(fresh);
    Connection* together = nullptr;
    int rc = s.gather({held.handle(), fresh}, &together);
    if (rc == kNoError) rc = Salvage(held.handle(), fresh, d, progress).run(report.kept, report.lost);
    s.release(fresh);
    if (rc == kNoError) rc = finish_copy(d, held.program_new(), progress, &report.kept);
    if (rc == kNoError && !told(progress, "Replacing File", 100)) rc = set_error(kStopped, held.program());
    if (rc == kNoError) {
        report.original = dated_name(held.program());
        rc = put_in_place(held, report.original);
    }
    if (rc != kNoError) {
        const LastError e = last_error();
        held.detach();
        remove_leftovers(held.native_new());
        report.original.clear();
        last_error() = e;
    }
    return rc;
}

Result freshen_table_file(const TableDesc& d, std::string_view path, const RepairProgress& progress) {
    Held held;
    if (int rc = held.take(path); rc) return rc;
    remove_leftovers(held.native_new());
    FileHandle* h = held.handle();
    int rc = kNoError;
    {
        // A compacted copy, read as the file stands (a consistent snapshot), stopped through SQLite's
        // progress handler when the caller says so.
        struct Told {
            const RepairProgress* progress;
            bool stopped = false;
        } t{&progress};
        sqlite3_progress_handler(h->db(), 200000, [](void* p) {
            auto* x = static_cast<Told*>(p);
            if (!told(*x->progress, "Copying Records", 50)) x->stopped = true;
            return x->stopped ? 1 : 0;
        }, &t);
        if (!told(progress, "Copying Records", 0)) t.stopped = true;
        sql::Stmt st(h->db(), "VACUUM " + h->schema + " INTO ?1");
        st.bind(1, std::string_view(held.native_new().native()));
        const int step = t.stopped ? SQLITE_INTERRUPT : st.step();
        sqlite3_progress_handler(h->db(), 0, nullptr, nullptr);
        if (t.stopped) rc = set_error(kStopped, held.program());
        else if (step != SQLITE_DONE) rc = storage_error(h->db(), step, held.program());
    }
    held.detach();
    if (rc == kNoError) rc = finish_copy(d, held.program_new(), progress, nullptr);
    if (rc == kNoError && !told(progress, "Replacing File", 100)) rc = set_error(kStopped, held.program());
    if (rc == kNoError) rc = put_in_place(held, {});
    if (rc != kNoError) {
        const LastError e = last_error();
        remove_leftovers(held.native_new());
        last_error() = e;
    }
    return rc;
}

}  // namespace vorel::data
