#include "vorel/data/file_manager.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <limits>

#include "vorel/core/paths.h"
#include "vorel/data/bulk_load.h"
#include "vorel/data/cursor.h"
#include "vorel/data/open_mode.h"
#include "vorel/data/transaction.h"
#include "schema.h"
#include "session.h"
#include "primed_records.h"
#include "share_lock.h"
#include "table_file_creation.h"
#include "table_sql.h"
#include "text_lines.h"

namespace vorel::data {

namespace {

std::atomic<int> g_version_base{0};

enum StmtKind : std::uint32_t {
    kInsert = 1,
    kUpdate,
    kDelete,
    kById,
    kCount,
    kSeek,      // key, level, direction
    kMaxComp,   // key: highest auto-numbered component under the earlier ones
    kDupCheck,  // key: another record with equal components
    kRangeDelete,  // key, components equal in both bounds
};

constexpr std::uint32_t stmt_id(StmtKind kind, int key = 0, int level = 0, int dir = 1) {
    return (static_cast<std::uint32_t>(kind) << 24) | (static_cast<std::uint32_t>(key & 0xFF) << 16) |
           (static_cast<std::uint32_t>(level & 0xFF) << 8) | (dir < 0 ? 1u : 0u);
}

// A statement id of a field selection: its slot in the bits the direction leaves free.
constexpr std::uint32_t with_slot(std::uint32_t id, int slot) { return id | (static_cast<std::uint32_t>(slot & 0x7F) << 1); }

constexpr int kAllLevel = 255;
constexpr int kPrefixLevel = 128;  // + p: the first p components equal
constexpr int kFirstBatch = 8;
constexpr int kRangeBatch = 32;  // first batch of a cursor kept within a range: read whole, as a rule
constexpr int kMaxBatch = 512;

}  // namespace

void set_structure_version_base(int base) { g_version_base = base; }
int structure_version_base() { return g_version_base; }

// The cursor: key order, position and a batch of records read ahead. A batch is read in one statement
// run that is reset at once, so no read stays open between calls (other connections' writers never
// wait on an idle cursor). A write through this thread to the file discards the batch; the next read
// seeks again from the last record delivered.
struct FileManager::CursorState {
    int key = -1;
    bool have_origin = false;  // false: start (next) or end (previous) of the key order
    RecordBuffer origin;       // component values to seek from
    std::int64_t origin_id = 0;  // -1: every record with equal components is included
    int origin_prefix = -1;      // >= 0: only the first components of the origin count
    int within = 0;              // > 0: only records whose first components equal the origin's
    std::vector<RecordBuffer> batch;
    std::vector<std::int64_t> ids;
    std::size_t count = 0, index = 0;
    int dir = 0;               // direction of the batch
    bool exhausted = false;    // the batch reached the end of the order
    std::uint64_t generation = 0;
    int batch_size = kFirstBatch;
    std::string scratch;
    std::vector<std::string> bind_scratch;  // texts converted for a write, kept from call to call
    // The fields selected (Cursor::read_only), ascending; empty: every field. put writes them; a
    // batch reads them and the fields of the cursor's key (its position needs them); get and reget
    // read them and the fields of every key. Each list has its slot on the handle its statements
    // were made for.
    std::vector<int> fields, with_keys, with_key;
    int slot = 0, slot_keys = 0, slot_key = 0, key_of_with_key = -1;
    const FileHandle* slot_handle = nullptr;
};

FileManager::FileManager(const TableDesc& desc) : desc_(desc), buffer_(desc), cursor_(std::make_unique<CursorState>()) {}

FileManager::~FileManager() {
    while (open_count_ > 0) (void)close();
}

std::string FileManager::file_name() const { return open_count_ > 0 ? open_name_ : desc_.file_name(); }

std::string FileManager::send(std::string_view option) {
    auto eq = option.find('=');
    std::string name(option.substr(0, eq));
    for (auto& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (name == "RECOVER" && eq != std::string_view::npos) {
        lock_wait_ = std::atoi(std::string(option.substr(eq + 1)).c_str());
        return std::to_string(lock_wait_);
    }
    if (name == "CACHEKIB" && eq != std::string_view::npos && handle_) {
        handle_->cache_kib = std::max(64, std::atoi(std::string(option.substr(eq + 1)).c_str()));
        if (handle_->conn)
            (void)sql::exec(handle_->conn->db,
                            "PRAGMA " + handle_->schema + ".cache_size=-" + std::to_string(handle_->cache_kib));
        return std::to_string(handle_->cache_kib);
    }
    if (name == "SCRATCH" && eq != std::string_view::npos && handle_) {
        handle_->scratch = std::atoi(std::string(option.substr(eq + 1)).c_str()) != 0;
        if (handle_->conn)
            (void)sql::exec(handle_->conn->db, "PRAGMA " + handle_->schema +
                                                   (handle_->scratch ? ".synchronous=OFF" : ".synchronous=FULL"));
        return handle_->scratch ? "1" : "0";
    }
    return {};
}

std::size_t FileManager::line_length() const { return text_ ? text_->line_length() : 0; }

Result FileManager::open() { return open_at(desc_.file_name(), open_mode::kShared); }

Result FileManager::open_path(std::string_view path) { return open_at(std::string(path), open_mode::kShared); }

Result FileManager::open(std::uint8_t mode) { return open_at(desc_.file_name(), mode); }

Result FileManager::open_path(std::string_view path, std::uint8_t mode) { return open_at(std::string(path), mode); }

int FileManager::open_at(std::string program_path, std::uint8_t mode) {
    if (open_count_ > 0) {
        ++open_count_;
        clear_error();
        return kNoError;
    }
    if (program_path.empty()) return set_error(kFileNotFound, desc_.label, "no file name");
    if (desc_.driver == Driver::TextLines) {
        auto t = std::make_unique<TextLines>();
        if (int rc = t->open(files::resolve(program_path), program_path, create_); rc) return rc;
        text_ = std::move(t);
        open_name_ = program_path;
        open_count_ = 1;
        current_id_ = 0;
        return kNoError;
    }
    Session& s = Session::current();
    FileHandle* h = nullptr;
    if (int rc = acquire_table_file(s, files::resolve(program_path), program_path, desc_.layout(), create_, lock_wait_, &h);
        rc != kNoError)
        return rc;
    auto share = std::make_unique<ShareLock>();
    if (int rc = ShareLock::acquire(h->path, program_path, mode, *share); rc != kNoError) {
        s.release(h);
        return rc;
    }
    int keys_rc = kNoError;
    if (h->refs == 1 || !h->layout) {
        int rc = schema::prepare(h, desc_.layout(), create_, lock_wait_);
        if (rc == kKeysInvalid && keep_invalid_keys_) {
            keys_rc = rc;
        } else if (rc != kNoError) {
            s.release(h);
            return rc;
        } else {
            h->layout = &desc_.layout();
        }
    }
    handle_ = h;
    share_ = std::move(share);
    open_name_ = program_path;
    open_count_ = 1;
    current_id_ = 0;
    *cursor_ = CursorState{};
    // Records primed by a program that died with its form open are removed (by an opener that writes).
    released_on_open_ = 0;
    if (keys_rc == kNoError && open_mode::writes(mode) && primed::has_orphans(h, *share_)) {
        Transaction t({this}, lock_wait_);
        std::int64_t removed = 0;
        if (t.status() == kNoError && primed::remove_orphans(h, *share_, &removed) == SQLITE_OK && t.commit().ok())
            released_on_open_ = removed;
        ++h->generation;
    }
    if (keys_rc != kNoError) return set_error(keys_rc, program_path);
    clear_error();
    return kNoError;
}

Result FileManager::close() {
    if (open_count_ == 0) return set_error(kFileNotOpen, desc_.label);
    if (--open_count_ > 0) return kNoError;
    if (text_) {
        int rc = text_->close();
        text_.reset();
        return rc;
    }
    *cursor_ = CursorState{};
    current_id_ = 0;
    FileHandle* h = std::exchange(handle_, nullptr);
    h->session->release(h);
    share_.reset();
    clear_error();
    return kNoError;
}

Result FileManager::create() { return create_path(desc_.file_name()); }

Result FileManager::create_path(std::string_view path) {
    std::string program_path(path);
    if (desc_.driver == Driver::TextLines) return TextLines::create(files::resolve(program_path), program_path);
    Session& s = Session::current();
    FileHandle* h = nullptr;
    if (int rc = acquire_table_file(s, files::resolve(program_path), program_path, desc_.layout(), true, lock_wait_, &h);
        rc != kNoError)
        return rc;
    int rc = h->layout ? kNoError : schema::prepare(h, desc_.layout(), true, lock_wait_);
    if (rc == kNoError) rc = schema::empty_table(h, desc_.layout(), lock_wait_);
    s.release(h);
    return rc;
}

int FileManager::check_open() {
    if (open_count_ == 0) return set_error(kFileNotOpen, desc_.label);
    return kNoError;
}

int FileManager::check_writable() {
    if (int rc = check_open(); rc) return rc;
    if (share_ && !open_mode::writes(share_->mode())) return set_error(kAccessDenied, open_name_, "opened for reading only");
    return kNoError;
}

int FileManager::key_number(KeyName name) const { return desc_.key_index(name); }

namespace {

// Runs a statement that returns at most one record into `record`; 35 when none (the record as it was).
// With a field selection the record is blanked before the selected fields are read into it, only once
// the statement has run: its texts may be bound straight from the record.
int read_one(sql::Stmt& st, const TableDesc& d, RecordBuffer& record, std::int64_t* id, std::string& scratch,
             const std::string& file, const std::vector<int>* fields = nullptr) {
    sql::ResetGuard guard(st);
    int rc = st.step();
    if (rc == SQLITE_ROW) {
        *id = sqlite3_column_int64(st.get(), 0);
        if (fields) record.clear();
        table_sql::read_record(st.get(), d, record.get(), 1, scratch, fields);
        return kNoError;
    }
    if (rc == SQLITE_DONE) return set_error(kRecordNotFound, file);
    return storage_error(sqlite3_db_handle(st.get()), rc, file);
}

std::string from_rec(const FileHandle* h) { return " FROM " + h->schema + ".rec"; }

// The lists of the cursor's field selection (nullptr: every field) and their slots on handle `h`:
// the selection itself (`what` 0), with every key's fields (1), with the fields of key `key` (2).
template <class State>
const std::vector<int>* selection(State& c, FileHandle* h, const TableDesc& desc, int what, int* slot, int key = -1) {
    if (c.fields.empty()) return nullptr;
    if (c.slot_handle != h) {
        c.slot = h->field_set_slot(c.fields);
        c.slot_keys = h->field_set_slot(c.with_keys);
        c.key_of_with_key = -1;
        c.slot_handle = h;
    }
    if (what == 0) {
        *slot = c.slot;
        return &c.fields;
    }
    if (what == 1) {
        *slot = c.slot_keys;
        return &c.with_keys;
    }
    if (c.key_of_with_key != key) {
        c.with_key = c.fields;
        for (const KeyComponent& kc : desc.keys[static_cast<std::size_t>(key)].components) c.with_key.push_back(kc.field);
        std::sort(c.with_key.begin(), c.with_key.end());
        c.with_key.erase(std::unique(c.with_key.begin(), c.with_key.end()), c.with_key.end());
        c.slot_key = h->field_set_slot(c.with_key);
        c.key_of_with_key = key;
    }
    *slot = c.slot_key;
    return &c.with_key;
}

// True when the two records hold the same values in every component of the key (texts byte for byte).
bool same_key_values(const TableDesc& layout, const KeyDesc& k, const void* a, const void* b) {
    for (const KeyComponent& kc : k.components) {
        const FieldDesc& f = layout.fields[static_cast<std::size_t>(kc.field)];
        const void* pa = f.element(a, 0);
        const void* pb = f.element(b, 0);
        if (is_text(f.type) ? f.access.get_text(pa) != f.access.get_text(pb) : f.access.get_int(pa) != f.access.get_int(pb))
            return false;
    }
    return true;
}

}  // namespace

Result FileManager::get(int key) {
    if (int rc = check_open(); rc) return rc;
    if (text_) return set_error(kInvalidFile, open_name_, "not possible on a text file");
    if (key < 0 || key >= static_cast<int>(desc_.keys.size()) || desc_.keys[key].components.empty())
        return set_error(kKeysInvalid, open_name_, "no such key");
    const TableDesc& d = desc_.layout();
    const KeyDesc& k = desc_.keys[static_cast<std::size_t>(key)];
    int n = static_cast<int>(k.components.size());
    int slot = 0;
    const std::vector<int>* fields = selection(*cursor_, handle_, desc_, 1, &slot);
    std::uint32_t id = with_slot(stmt_id(kSeek, key, n, 1), slot);
    sql::Stmt* st = handle_->cached(id);
    if (!st) st = &handle_->prepare(id, schema::seek_sql(handle_, d, key, n, 1, fields));
    std::string scratch;
    for (int c = 0; c < n; ++c)
        table_sql::bind_field(st->get(), c + 1, d.fields[static_cast<std::size_t>(k.components[c].field)], buffer(), 0,
                              scratch);
    sqlite3_bind_int64(st->get(), n + 1, 0);
    sqlite3_bind_int64(st->get(), n + 2, 1);
    std::int64_t rid = 0;
    int rc = read_one(*st, d, buffer_, &rid, cursor_->scratch, open_name_, fields);
    if (rc == kNoError) {
        current_id_ = rid;
        clear_error();
    }
    return rc;
}

Result FileManager::reget(Position p) {
    if (int rc = check_open(); rc) return rc;
    if (text_) {
        int rc = text_->reget(desc_, buffer(), p.id - 1);
        if (rc == kNoError) current_id_ = p.id;
        return rc;
    }
    const TableDesc& d = desc_.layout();
    int slot = 0;
    const std::vector<int>* fields = selection(*cursor_, handle_, desc_, 1, &slot);
    std::uint32_t id = with_slot(stmt_id(kById), slot);
    sql::Stmt* st = handle_->cached(id);
    if (!st)
        st = &handle_->prepare(id, "SELECT " + table_sql::select_list(d, fields) + from_rec(handle_) + " WHERE rid = ?1");
    st->bind(1, p.id);
    std::int64_t rid = 0;
    int rc = read_one(*st, d, buffer_, &rid, cursor_->scratch, open_name_, fields);
    if (rc == kNoError) {
        current_id_ = rid;
        clear_error();
    }
    return rc;
}

Result FileManager::set(int key) {
    if (int rc = check_open(); rc) return rc;
    if (text_) {
        text_->rewind();
        clear_error();
        return kNoError;
    }
    if (key < 0 || key >= static_cast<int>(desc_.keys.size())) return set_error(kKeysInvalid, open_name_, "no such key");
    CursorState& c = *cursor_;
    c.key = key;
    c.have_origin = false;
    c.count = c.index = 0;
    c.dir = 0;
    c.exhausted = false;
    c.batch_size = kFirstBatch;
    c.within = 0;
    clear_error();
    return kNoError;
}

Result FileManager::set_at(int key) { return set_at(key, -1); }

Result FileManager::set_at(int key, int components) {
    if (Result rc = set(key); !rc.ok()) return rc;
    CursorState& c = *cursor_;
    if (!c.origin) c.origin = RecordBuffer(desc_);
    c.origin.copy_from(buffer());
    c.origin_id = -1;
    int n = static_cast<int>(desc_.keys[static_cast<std::size_t>(key)].components.size());
    c.origin_prefix = components >= 0 && components < n ? components : -1;
    c.have_origin = true;
    return kNoError;
}

Result FileManager::set_within(int key, int within, int components) {
    if (Result rc = set_at(key, components); !rc.ok()) return rc;
    CursorState& c = *cursor_;
    int n = static_cast<int>(desc_.keys[static_cast<std::size_t>(key)].components.size());
    c.within = std::clamp(within, 0, n);
    if (c.origin_prefix >= 0 && c.origin_prefix < c.within) c.origin_prefix = c.within;
    if (c.within > 0) c.batch_size = kRangeBatch;
    return kNoError;
}

Result FileManager::set_after(int key, Position p) {
    if (Result rc = set(key); !rc.ok()) return rc;
    RecordBuffer saved(desc_);
    saved.copy_from(buffer());
    int rc = reget(p).code();
    if (rc == kNoError) {
        CursorState& c = *cursor_;
        if (!c.origin) c.origin = RecordBuffer(desc_);
        c.origin.copy_from(buffer());
        c.origin_id = p.id;
        c.origin_prefix = -1;
        c.have_origin = true;
    }
    saved.copy_to(buffer());
    return rc;
}

// Reads the next batch in direction `dir` from the cursor's origin.
int FileManager::fill() {
    CursorState& c = *cursor_;
    const TableDesc& d = desc_.layout();
    const KeyDesc& k = desc_.keys[static_cast<std::size_t>(c.key)];
    int n = static_cast<int>(k.components.size());
    if (c.batch.size() < static_cast<std::size_t>(c.batch_size)) {
        c.batch.resize(static_cast<std::size_t>(c.batch_size));
        c.ids.resize(static_cast<std::size_t>(c.batch_size));
    }
    for (auto& b : c.batch)
        if (!b) b = RecordBuffer(desc_);
    c.count = c.index = 0;
    c.exhausted = false;
    c.generation = handle_->generation;
    std::size_t want = static_cast<std::size_t>(c.batch_size);
    std::string scratch;
    int slot = 0;
    const std::vector<int>* fields = selection(c, handle_, desc_, 2, &slot, c.key);
    auto run = [&](int level) -> int {
        std::uint32_t id = with_slot(stmt_id(kSeek, c.key, level, c.dir), slot);
        sql::Stmt* st = handle_->cached(id);
        if (!st) st = &handle_->prepare(id, schema::seek_sql(handle_, d, c.key, level, c.dir, fields));
        sql::ResetGuard guard(*st);
        int p = 1;
        if (level > kPrefixLevel && level < kAllLevel) {
            for (int i = 0; i < level - kPrefixLevel; ++i)
                table_sql::bind_field(st->get(), p++, d.fields[static_cast<std::size_t>(k.components[i].field)],
                                      c.origin.get(), 0, scratch);
        } else if (level != kAllLevel) {
            int bound = level < n ? level + 1 : n;
            for (int i = 0; i < bound; ++i)
                table_sql::bind_field(st->get(), p++, d.fields[static_cast<std::size_t>(k.components[i].field)],
                                      c.origin.get(), 0, scratch);
            if (level == n) {
                std::int64_t from = c.origin_id;
                if (from < 0) from = c.dir > 0 ? 0 : std::numeric_limits<std::int64_t>::max();
                sqlite3_bind_int64(st->get(), p++, from);
            }
        }
        sqlite3_bind_int64(st->get(), p, static_cast<std::int64_t>(want - c.count));
        for (;;) {
            int rc = st->step();
            if (rc == SQLITE_DONE) return kNoError;
            if (rc != SQLITE_ROW) return storage_error(handle_->db(), rc, open_name_);
            c.ids[c.count] = sqlite3_column_int64(st->get(), 0);
            table_sql::read_record(st->get(), d, c.batch[c.count].get(), 1, c.scratch, fields);
            ++c.count;
        }
    };
    // A cursor kept within a range never reads below the level of its equal leading components.
    const int floor = c.have_origin ? c.within : 0;
    if (!c.have_origin || k.components.empty() || c.origin_prefix == 0) {
        if (int rc = run(kAllLevel); rc) return rc;
    } else if (c.origin_prefix > 0) {
        // Only the first components count: every record with them equal, then those beyond.
        if (int rc = run(kPrefixLevel + c.origin_prefix); rc) return rc;
        for (int level = c.origin_prefix - 1; level >= floor && c.count < want; --level)
            if (int rc = run(level); rc) return rc;
    } else {
        for (int level = n; level >= floor && c.count < want; --level)
            if (int rc = run(level); rc) return rc;
    }
    c.exhausted = c.count < want;
    // Batches grow up to 512 records, and up to about 1 MB for wide records.
    int cap = static_cast<int>(std::max<std::size_t>(kFirstBatch, std::min<std::size_t>(kMaxBatch, (1u << 20) / desc_.record.size)));
    if (c.batch_size < cap) c.batch_size = std::min(cap, c.batch_size * 2);
    return kNoError;
}

Result FileManager::next() {
    if (int rc = check_open(); rc) return rc;
    if (text_) {
        int rc = text_->next(desc_, buffer());
        if (rc == kNoError) current_id_ = text_->position() + 1;
        return rc;
    }
    return step(1);
}

Result FileManager::previous() {
    if (int rc = check_open(); rc) return rc;
    if (text_) return set_error(kInvalidFile, open_name_, "not possible on a text file");
    return step(-1);
}

// One record along the key order in direction `dir` (1 forward, -1 back): from the read-ahead batch
// while it is fresh, else from a new batch that starts after the last record delivered.
int FileManager::step(int dir) {
    CursorState& c = *cursor_;
    if (c.key < 0) return set_error(kRecordNotAvailable, open_name_, "no key order set");
    bool stale = c.dir != dir || c.generation != handle_->generation;
    if (!stale && c.index < c.count) {
        c.batch[c.index].copy_to(buffer());
        current_id_ = c.ids[c.index++];
        clear_error();
        return kNoError;
    }
    if (!stale && c.exhausted) return set_error(kRecordNotAvailable, open_name_);
    // New origin: the last record delivered in either direction, else the set position.
    if (c.index > 0 && c.index <= c.count) {
        c.origin.swap(c.batch[c.index - 1]);
        c.origin_id = c.ids[c.index - 1];
        c.origin_prefix = -1;
        c.have_origin = true;
    }
    c.dir = dir;
    if (int rc = fill(); rc) return rc;
    if (c.count == 0) return set_error(kRecordNotAvailable, open_name_);
    c.batch[0].copy_to(buffer());
    current_id_ = c.ids[0];
    c.index = 1;
    clear_error();
    return kNoError;
}

// True when the current record is the one the cursor delivered last and its read-ahead is fresh.
bool FileManager::delivered_last() const {
    const CursorState& c = *cursor_;
    return c.key >= 0 && c.generation == handle_->generation && c.index > 0 && c.index <= c.count &&
           c.ids[c.index - 1] == current_id_;
}

namespace {

// A count walks one of the file's b-trees from end to end, each page once. Through the file's own
// page cache (up to 32 MB, kept for reads in key order) it would hold as much of that b-tree in
// memory as the cache allows, for pages nothing reads again: a month's exits took 13 MB to be
// counted. Outside a transaction the count runs in a small cache and the file's size is restored
// after; inside one the file's dirty pages would have to be written out to make room, so there it
// counts in the file's cache.
class CountingCache {
public:
    static constexpr int kKiB = 256;

    explicit CountingCache(FileHandle* h) : h_(h), bounded_(h->cache_kib > kKiB && sqlite3_get_autocommit(h->db())) {
        if (bounded_) set(kKiB);
    }
    ~CountingCache() {
        if (bounded_) set(h_->cache_kib);
    }
    CountingCache(const CountingCache&) = delete;
    CountingCache& operator=(const CountingCache&) = delete;

private:
    void set(int kib) { (void)sql::exec(h_->db(), "PRAGMA " + h_->schema + ".cache_size=-" + std::to_string(kib)); }

    FileHandle* h_;
    bool bounded_;
};

}  // namespace

std::int64_t FileManager::records() {
    if (check_open()) return -1;
    if (text_) return text_->count();
    std::uint32_t id = stmt_id(kCount);
    sql::Stmt* st = handle_->cached(id);
    if (!st) st = &handle_->prepare(id, "SELECT count(*)" + from_rec(handle_));
    CountingCache cache(handle_);
    sql::ResetGuard guard(*st);
    int rc = st->step();
    if (rc != SQLITE_ROW) {
        storage_error(handle_->db(), rc, open_name_);
        return -1;
    }
    clear_error();
    return sqlite3_column_int64(st->get(), 0);
}

namespace {

void set_wait(FileHandle* h, int seconds) {
    if (h->conn->busy_ms != seconds * 1000) {
        h->conn->busy_ms = seconds * 1000;
        sqlite3_busy_timeout(h->db(), h->conn->busy_ms);
    }
}

}  // namespace

Result FileManager::add() {
    if (int rc = check_writable(); rc) return rc;
    if (text_) return text_->add(desc_, buffer());
    return insert_row(0);
}

Result FileManager::add_at(Position p) {
    if (int rc = check_writable(); rc) return rc;
    if (text_) return set_error(kInvalidFile, open_name_, "not possible on a text file");
    if (p.id <= 0) return set_error(kNoRecord, open_name_, "a record position is a positive number");
    return insert_row(p.id);
}

int FileManager::insert_row(std::int64_t at) {
    const TableDesc& d = desc_.layout();
    std::uint32_t id = stmt_id(kInsert, 0, at ? 1 : 0);
    sql::Stmt* st = handle_->cached(id);
    if (!st) st = &handle_->prepare(id, table_sql::insert(d, handle_->schema, at != 0));
    set_wait(handle_, lock_wait_);
    std::vector<std::string>& scratch = cursor_->bind_scratch;
    int rc;
    {
        sql::ResetGuard guard(*st);
        table_sql::bind_record(st->get(), d, buffer(), 1, scratch, nullptr, &st->bound());
        if (at) sqlite3_bind_int64(st->get(), sqlite3_bind_parameter_count(st->get()), at);
        rc = st->step();
    }
    if (rc != SQLITE_DONE) return write_error(rc, 0);
    ++handle_->generation;
    current_id_ = sqlite3_last_insert_rowid(handle_->db());
    clear_error();
    return kNoError;
}

Result FileManager::put() {
    if (int rc = check_writable(); rc) return rc;
    if (text_) return set_error(kInvalidFile, open_name_, "not possible on a text file");
    if (current_id_ == 0) return set_error(kNoRecord, open_name_);
    const TableDesc& d = desc_.layout();
    // Writing over the record the cursor delivered last, with its key in the cursor's order unchanged,
    // leaves the records read ahead as they are: the cursor goes on from its batch.
    const bool delivered = delivered_last();
    void* as_read = delivered ? cursor_->batch[cursor_->index - 1].get() : nullptr;
    bool keep = delivered && same_key_values(d, desc_.keys[static_cast<std::size_t>(cursor_->key)], as_read, buffer());
    // A record whose key columns all hold what the cursor read is written without them, so that no
    // index is rewritten (a run that rewrites results row by row touches only the table's pages).
    bool keys_as_read = keep;
    for (std::size_t k = 0; keys_as_read && k < d.keys.size(); ++k)
        keys_as_read = same_key_values(d, d.keys[k], as_read, buffer());
    int slot = 0;
    const std::vector<int>* fields = selection(*cursor_, handle_, desc_, 0, &slot);
    std::uint32_t id = with_slot(stmt_id(kUpdate, 0, keys_as_read ? 1 : 0), slot);
    sql::Stmt* st = handle_->cached(id);
    if (!st) st = &handle_->prepare(id, table_sql::update(d, handle_->schema, keys_as_read, fields));
    set_wait(handle_, lock_wait_);
    std::vector<std::string>& scratch = cursor_->bind_scratch;
    int rc;
    {
        sql::ResetGuard guard(*st);
        table_sql::bind_record(st->get(), d, buffer(), 1, scratch, fields);
        sqlite3_bind_int64(st->get(), sqlite3_bind_parameter_count(st->get()), current_id_);
        rc = st->step();
    }
    if (rc != SQLITE_DONE) return write_error(rc, current_id_);
    ++handle_->generation;
    if (keep) {
        cursor_->generation = handle_->generation;
        // The record as read now holds what was written, so a later write compares with the file.
        if (!keys_as_read) cursor_->batch[cursor_->index - 1].copy_from(buffer());
    }
    if (sqlite3_changes(handle_->db()) == 0) return set_error(kRecordNotFound, open_name_);
    clear_error();
    return kNoError;
}

Result FileManager::remove() {
    if (int rc = check_writable(); rc) return rc;
    if (text_) return set_error(kInvalidFile, open_name_, "not possible on a text file");
    if (current_id_ == 0) return set_error(kNoRecord, open_name_);
    // Deleting the record the cursor delivered last leaves the records read ahead as they are.
    bool keep = delivered_last();
    std::uint32_t id = stmt_id(kDelete);
    sql::Stmt* st = handle_->cached(id);
    if (!st) st = &handle_->prepare(id, "DELETE" + from_rec(handle_) + " WHERE rid = ?1");
    set_wait(handle_, lock_wait_);
    int rc;
    {
        sql::ResetGuard guard(*st);
        st->bind(1, current_id_);
        rc = st->step();
    }
    if (rc != SQLITE_DONE) return storage_error(handle_->db(), rc, open_name_);
    ++handle_->generation;
    if (keep) cursor_->generation = handle_->generation;
    bool gone = sqlite3_changes(handle_->db()) == 0;
    current_id_ = 0;
    if (gone) return set_error(kRecordNotFound, open_name_);
    clear_error();
    return kNoError;
}

Result FileManager::remove_range(int key, const void* last, std::int64_t* removed) {
    if (removed) *removed = 0;
    if (int rc = check_writable(); rc) return rc;
    if (text_) return set_error(kInvalidFile, open_name_, "not possible on a text file");
    if (key < 0 || key >= static_cast<int>(desc_.keys.size()) || desc_.keys[key].components.empty())
        return set_error(kKeysInvalid, open_name_, "no such key");
    const TableDesc& d = desc_.layout();
    const KeyDesc& k = desc_.keys[static_cast<std::size_t>(key)];
    const int n = static_cast<int>(k.components.size());
    // The leading components that both bounds hold alike go to the statement as equalities.
    int equal = 0;
    while (equal < n) {
        const FieldDesc& f = d.fields[static_cast<std::size_t>(k.components[equal].field)];
        const void* a = f.element(buffer(), 0);
        const void* b = f.element(last, 0);
        if (is_text(f.type) ? f.access.get_text(a) != f.access.get_text(b) : f.access.get_int(a) != f.access.get_int(b))
            break;
        ++equal;
    }
    std::uint32_t id = stmt_id(kRangeDelete, key, equal);
    sql::Stmt* st = handle_->cached(id);
    if (!st) st = &handle_->prepare(id, schema::range_delete_sql(handle_, d, key, equal));
    set_wait(handle_, lock_wait_);
    std::string scratch;
    int rc;
    {
        sql::ResetGuard guard(*st);
        int p = 1;
        for (int c = 0; c < n; ++c)
            table_sql::bind_field(st->get(), p++, d.fields[static_cast<std::size_t>(k.components[c].field)], buffer(), 0,
                                  scratch);
        for (int c = equal; c < n; ++c)
            table_sql::bind_field(st->get(), p++, d.fields[static_cast<std::size_t>(k.components[c].field)], last, 0,
                                  scratch);
        rc = st->step();
    }
    if (rc != SQLITE_DONE) return storage_error(handle_->db(), rc, open_name_);
    ++handle_->generation;
    current_id_ = 0;
    if (removed) *removed = sqlite3_changes64(handle_->db());
    clear_error();
    return kNoError;
}

// A failed insert or update: a unique key collision becomes 40 naming the key; others map as usual.
int FileManager::write_error(int rc, std::int64_t self_id) {
    if ((rc & 0xFF) != SQLITE_CONSTRAINT) return storage_error(handle_->db(), rc, open_name_);
    std::string detail = sqlite3_errmsg(handle_->db());
    int key = duplicate_key(self_id);
    int code = set_error(kDuplicateKey, open_name_, detail, rc);
    if (key >= 0) last_error().key = desc_.keys[static_cast<std::size_t>(key)].description;
    return code;
}

int FileManager::duplicate_key(std::int64_t self_id) {
    const TableDesc& d = desc_.layout();
    for (std::size_t ki = 0; ki < desc_.keys.size(); ++ki) {
        const KeyDesc& k = desc_.keys[ki];
        if (!k.unique() || k.components.empty()) continue;
        if (k.optional()) {
            bool all_empty = true;
            for (auto& comp : k.components)
                all_empty = all_empty && field_empty(d.fields[static_cast<std::size_t>(comp.field)], buffer());
            if (all_empty) continue;
        }
        std::uint32_t id = stmt_id(kDupCheck, static_cast<int>(ki));
        sql::Stmt* st = handle_->cached(id);
        if (!st) st = &handle_->prepare(id, schema::dup_sql(handle_, d, static_cast<int>(ki)));
        sql::ResetGuard guard(*st);
        std::string scratch;
        int n = static_cast<int>(k.components.size());
        for (int c = 0; c < n; ++c)
            table_sql::bind_field(st->get(), c + 1, d.fields[static_cast<std::size_t>(k.components[c].field)], buffer(),
                                  0, scratch);
        sqlite3_bind_int64(st->get(), n + 1, self_id);
        if (st->step() == SQLITE_ROW) return static_cast<int>(ki);
    }
    return -1;
}

void FileManager::clear_record() { buffer_.clear(); }

std::int64_t FileManager::highest(int key, int component) {
    const TableDesc& d = desc_.layout();
    const KeyDesc& k = desc_.keys[static_cast<std::size_t>(key)];
    std::uint32_t id = stmt_id(kMaxComp, key, component);
    sql::Stmt* st = handle_->cached(id);
    if (!st) st = &handle_->prepare(id, schema::max_sql(handle_, d, key, component));
    sql::ResetGuard guard(*st);
    std::string scratch;
    for (int c = 0; c < component; ++c)
        table_sql::bind_field(st->get(), c + 1, d.fields[static_cast<std::size_t>(k.components[c].field)], buffer(), 0,
                              scratch);
    int rc = st->step();
    if (rc == SQLITE_ROW) return sqlite3_column_int64(st->get(), 0);
    if (rc == SQLITE_DONE) return 0;
    storage_error(handle_->db(), rc, open_name_);
    return -1;
}

Result FileManager::rebuild_keys() { return rebuild_keys(KeyProgress{}); }

Result FileManager::rebuild_keys(const KeyProgress& progress) {
    if (text_) return kNoError;
    if (open_count_ == 0) {
        // The keys of a file that does not open (46): rebuilt without opening it as a table.
        std::string name = desc_.file_name();
        Session& s = Session::current();
        FileHandle* h = nullptr;
        if (int rc = s.acquire(files::resolve(name), name, false, lock_wait_, &h); rc) return rc;
        int rc = schema::rebuild_keys(h, desc_.layout(), lock_wait_, progress);
        s.release(h);
        return rc;
    }
    int rc = schema::rebuild_keys(handle_, desc_.layout(), lock_wait_, progress);
    if (rc == kNoError) handle_->layout = &desc_.layout();
    ++handle_->generation;
    return rc;
}

Result drop_keys(FileManager& fm) {
    if (!fm.is_open()) return set_error(kFileNotOpen, fm.file_name());
    FileHandle* h = fm.handle();
    if (!h) return kNoError;  // a text file has no keys
    int rc = schema::drop_keys(h, fm.lock_wait());
    ++h->generation;
    return rc;
}

Result FileManager::pack() {
    if (text_) return kNoError;
    if (int rc = check_open(); rc) return rc;
    int rc = sql::exec(handle_->db(), "VACUUM " + handle_->schema);
    if (rc != SQLITE_OK) return storage_error(handle_->db(), rc, open_name_);
    ++handle_->generation;
    clear_error();
    return kNoError;
}

Result FileManager::verify() {
    if (text_) return kNoError;
    if (int rc = check_open(); rc) return rc;
    sql::Stmt st(handle_->db(), "PRAGMA " + handle_->schema + ".integrity_check");
    int rc = st.step();
    if (rc != SQLITE_ROW) return storage_error(handle_->db(), rc, open_name_);
    std::string answer = reinterpret_cast<const char*>(sqlite3_column_text(st.get(), 0));
    if (answer != "ok") return set_error(kInvalidFile, open_name_, answer);
    clear_error();
    return kNoError;
}

int FileManager::stored_version() {
    if (check_open() || text_) return -1;
    return schema::stored_version(handle_);
}

// ----------------------------------------------------------------------------- Cursor

Result Cursor::read_only(FileManager& fm, std::initializer_list<std::string_view> names) {
    std::vector<bool> chosen(fm.desc().layout().fields.size(), false);
    for (std::string_view n : names) {
        const int i = fm.desc().field_index(n);
        if (i < 0) return set_error(kBadValue, fm.file_name(), "no field " + std::string(n));
        chosen[static_cast<std::size_t>(i)] = true;
    }
    std::vector<int> fields;
    for (std::size_t i = 0; i < chosen.size(); ++i)
        if (chosen[i]) fields.push_back(static_cast<int>(i));
    if (fields.size() == chosen.size()) fields.clear();
    select(fm, std::move(fields));
    clear_error();
    return kNoError;
}

void Cursor::read_every_field(FileManager& fm) { select(fm, {}); }

void Cursor::select(FileManager& fm, std::vector<int> fields) {
    auto& c = *fm.cursor_;
    if (fields == c.fields) return;
    c.with_keys = fields;
    for (const TableDesc* d : {&fm.desc(), &fm.desc().layout()})
        for (const KeyDesc& k : d->keys)
            for (const KeyComponent& kc : k.components) c.with_keys.push_back(kc.field);
    std::sort(c.with_keys.begin(), c.with_keys.end());
    c.with_keys.erase(std::unique(c.with_keys.begin(), c.with_keys.end()), c.with_keys.end());
    c.fields = std::move(fields);
    c.slot_handle = nullptr;
    c.batch.clear();  // records read with another selection
    c.count = c.index = 0;
    c.exhausted = false;
    c.key = -1;  // reads again from a new positioning
}

}  // namespace vorel::data
