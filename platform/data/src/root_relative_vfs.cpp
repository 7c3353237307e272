#include "root_relative_vfs.h"

#include <cerrno>
#include <utility>

#include <sqlite3.h>

#include <atomic>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <string_view>

namespace vorel::data {

namespace {

std::atomic<vfs_testing::IoProbe> g_probe{nullptr};

void probe(const char* kind, const char* file) {
    if (auto p = g_probe.load(std::memory_order_relaxed)) p(kind, file ? file : "");
}

// One registered layer: SQLite's vfs structure first, so SQLite's pointer is ours.
struct RootVfs {
    sqlite3_vfs vfs{};
    sqlite3_vfs* base = nullptr;
    std::string root;  // the root's real full name, without a trailing separator
    std::string name;  // the layer's registered name
};

RootVfs* self(sqlite3_vfs* v) { return reinterpret_cast<RootVfs*>(v); }

bool is_separator(char c) { return c == '/' || c == '\\'; }

// A name SQLite keeps, turned into the file's real full name (the root's path for the marker).
std::string real_name(const RootVfs* r, std::string_view name) {
    std::string_view marker(kRootMarker);
    if (name.substr(0, marker.size()) == marker && (name.size() == marker.size() || is_separator(name[marker.size()])))
        return r->root + std::string(name.substr(marker.size()));
    return std::string(name);
}

// A file opened through the layer: the base layer's file follows this header in SQLite's allocation.
struct RootFile {
    sqlite3_file file;  // pMethods: the layer's methods
    sqlite3_filename real = nullptr;  // the real name, kept alive for the base file (sqlite3_create_filename)
    sqlite3_file* inner() { return reinterpret_cast<sqlite3_file*>(reinterpret_cast<char*>(this) + kInnerOffset); }
    static constexpr std::size_t kInnerOffset = (sizeof(sqlite3_file) + sizeof(sqlite3_filename) + 15) & ~std::size_t(15);
};

sqlite3_file* inner(sqlite3_file* f) { return reinterpret_cast<RootFile*>(f)->inner(); }
const char* file_name(sqlite3_file* f) { return reinterpret_cast<RootFile*>(f)->real; }

int x_close(sqlite3_file* f) {
    auto* rf = reinterpret_cast<RootFile*>(f);
    sqlite3_file* in = rf->inner();
    int rc = in->pMethods ? in->pMethods->xClose(in) : SQLITE_OK;
    sqlite3_free_filename(rf->real);
    rf->real = nullptr;
    return rc;
}
int x_read(sqlite3_file* f, void* buf, int n, sqlite3_int64 off) {
    return inner(f)->pMethods->xRead(inner(f), buf, n, off);
}
thread_local int t_failed_write_errno = 0;
// Keeps the system's error of a failed change (the default layer reports a full disk met part-way
// through a write, or a file-size limit, only as a write error).
int noted(int rc) {
    if (rc != SQLITE_OK) t_failed_write_errno = errno;
    return rc;
}
int x_write(sqlite3_file* f, const void* buf, int n, sqlite3_int64 off) {
    probe("write", file_name(f));
    return noted(inner(f)->pMethods->xWrite(inner(f), buf, n, off));
}
int x_truncate(sqlite3_file* f, sqlite3_int64 size) {
    probe("truncate", file_name(f));
    return noted(inner(f)->pMethods->xTruncate(inner(f), size));
}
int x_sync(sqlite3_file* f, int flags) {
    probe("sync", file_name(f));
    return noted(inner(f)->pMethods->xSync(inner(f), flags));
}
int x_file_size(sqlite3_file* f, sqlite3_int64* size) { return inner(f)->pMethods->xFileSize(inner(f), size); }
int x_lock(sqlite3_file* f, int level) { return inner(f)->pMethods->xLock(inner(f), level); }
int x_unlock(sqlite3_file* f, int level) { return inner(f)->pMethods->xUnlock(inner(f), level); }
int x_check_reserved(sqlite3_file* f, int* out) { return inner(f)->pMethods->xCheckReservedLock(inner(f), out); }
int x_file_control(sqlite3_file* f, int op, void* arg) { return inner(f)->pMethods->xFileControl(inner(f), op, arg); }
int x_sector_size(sqlite3_file* f) { return inner(f)->pMethods->xSectorSize(inner(f)); }
int x_device(sqlite3_file* f) { return inner(f)->pMethods->xDeviceCharacteristics(inner(f)); }
int x_shm_map(sqlite3_file* f, int region, int size, int extend, void volatile** out) {
    return inner(f)->pMethods->xShmMap(inner(f), region, size, extend, out);
}
int x_shm_lock(sqlite3_file* f, int offset, int n, int flags) {
    return inner(f)->pMethods->xShmLock(inner(f), offset, n, flags);
}
void x_shm_barrier(sqlite3_file* f) { inner(f)->pMethods->xShmBarrier(inner(f)); }
int x_shm_unmap(sqlite3_file* f, int del) { return inner(f)->pMethods->xShmUnmap(inner(f), del); }
int x_fetch(sqlite3_file* f, sqlite3_int64 off, int amount, void** out) {
    return inner(f)->pMethods->xFetch(inner(f), off, amount, out);
}
int x_unfetch(sqlite3_file* f, sqlite3_int64 off, void* p) { return inner(f)->pMethods->xUnfetch(inner(f), off, p); }

// The layer's methods follow the base file's version: shared memory and memory mapping only where
// the base file offers them.
const sqlite3_io_methods* methods_like(const sqlite3_io_methods* base) {
    static const sqlite3_io_methods v1 = {1, x_close, x_read, x_write, x_truncate, x_sync, x_file_size, x_lock,
                                          x_unlock, x_check_reserved, x_file_control, x_sector_size, x_device,
                                          nullptr, nullptr, nullptr, nullptr, nullptr, nullptr};
    static const sqlite3_io_methods v2 = {2, x_close, x_read, x_write, x_truncate, x_sync, x_file_size, x_lock,
                                          x_unlock, x_check_reserved, x_file_control, x_sector_size, x_device,
                                          x_shm_map, x_shm_lock, x_shm_barrier, x_shm_unmap, nullptr, nullptr};
    static const sqlite3_io_methods v3 = {3, x_close, x_read, x_write, x_truncate, x_sync, x_file_size, x_lock,
                                          x_unlock, x_check_reserved, x_file_control, x_sector_size, x_device,
                                          x_shm_map, x_shm_lock, x_shm_barrier, x_shm_unmap, x_fetch, x_unfetch};
    if (base->iVersion >= 3) return &v3;
    if (base->iVersion == 2) return &v2;
    return &v1;
}

int x_open(sqlite3_vfs* v, sqlite3_filename name, sqlite3_file* f, int flags, int* out_flags) {
    RootVfs* r = self(v);
    auto* rf = reinterpret_cast<RootFile*>(f);
    rf->file.pMethods = nullptr;
    rf->real = nullptr;
    sqlite3_file* in = rf->inner();
    std::memset(in, 0, static_cast<std::size_t>(r->base->szOsFile));
    const char* pass = name;
    if (name) {
        // A name of the form SQLite builds itself (database, then its URI parameters): the base
        // layer may read those parameters behind the name, so the real name gets the same form.
        std::string real = real_name(r, name);
        rf->real = sqlite3_create_filename(real.c_str(), "", "", 0, nullptr);
        if (!rf->real) return SQLITE_NOMEM;
        pass = rf->real;
    }
    int rc = r->base->xOpen(r->base, pass, in, flags, out_flags);
    if (rc != SQLITE_OK) {
        if (in->pMethods) in->pMethods->xClose(in);
        sqlite3_free_filename(rf->real);
        rf->real = nullptr;
        return rc;
    }
    rf->file.pMethods = methods_like(in->pMethods);
    return SQLITE_OK;
}

int x_delete(sqlite3_vfs* v, const char* name, int sync_dir) {
    RootVfs* r = self(v);
    std::string real = real_name(r, name);
    probe("delete", real.c_str());
    return r->base->xDelete(r->base, real.c_str(), sync_dir);
}

int x_access(sqlite3_vfs* v, const char* name, int flags, int* out) {
    RootVfs* r = self(v);
    return r->base->xAccess(r->base, real_name(r, name).c_str(), flags, out);
}

// The base layer's full name; inside the root, the marker in place of the root's path.
int x_full_pathname(sqlite3_vfs* v, const char* name, int n_out, char* out) {
    RootVfs* r = self(v);
    std::string real = real_name(r, name);
    int rc = r->base->xFullPathname(r->base, real.c_str(), n_out, out);
    if (rc != SQLITE_OK && rc != SQLITE_OK_SYMLINK) return rc;
    std::string_view full(out);
    const std::string& root = r->root;
    if (!root.empty() && full.size() > root.size() && full.substr(0, root.size()) == root &&
        is_separator(full[root.size()])) {
        std::string mapped = std::string(kRootMarker) + std::string(full.substr(root.size()));
        if (static_cast<int>(mapped.size()) >= n_out) return SQLITE_CANTOPEN;
        std::memcpy(out, mapped.c_str(), mapped.size() + 1);
    }
    return rc;
}

void* x_dl_open(sqlite3_vfs* v, const char* name) { return self(v)->base->xDlOpen(self(v)->base, name); }
void x_dl_error(sqlite3_vfs* v, int n, char* out) { self(v)->base->xDlError(self(v)->base, n, out); }
void (*x_dl_sym(sqlite3_vfs* v, void* h, const char* sym))(void) { return self(v)->base->xDlSym(self(v)->base, h, sym); }
void x_dl_close(sqlite3_vfs* v, void* h) { self(v)->base->xDlClose(self(v)->base, h); }
int x_randomness(sqlite3_vfs* v, int n, char* out) { return self(v)->base->xRandomness(self(v)->base, n, out); }
int x_sleep(sqlite3_vfs* v, int us) { return self(v)->base->xSleep(self(v)->base, us); }
int x_current_time(sqlite3_vfs* v, double* out) { return self(v)->base->xCurrentTime(self(v)->base, out); }
int x_last_error(sqlite3_vfs* v, int n, char* out) {
    return self(v)->base->xGetLastError ? self(v)->base->xGetLastError(self(v)->base, n, out) : 0;
}
int x_current_time64(sqlite3_vfs* v, sqlite3_int64* out) {
    sqlite3_vfs* b = self(v)->base;
    if (b->iVersion >= 2 && b->xCurrentTimeInt64) return b->xCurrentTimeInt64(b, out);
    double now = 0;
    int rc = b->xCurrentTime(b, &now);
    *out = static_cast<sqlite3_int64>(now * 86400000.0);
    return rc;
}

std::mutex g_mutex;
std::map<std::string, std::unique_ptr<RootVfs>> g_layers;  // by root; registered for the process's life

}  // namespace

const char* root_relative_vfs(const std::filesystem::path& root) {
    if (root.empty()) return nullptr;
    std::string key = root.string();
    while (key.size() > 1 && is_separator(key.back())) key.pop_back();
    std::lock_guard lock(g_mutex);
    auto& slot = g_layers[key];
    if (slot) return slot->name.c_str();
    auto r = std::make_unique<RootVfs>();
    r->base = sqlite3_vfs_find(nullptr);
    if (!r->base) return nullptr;
    r->root = key;
    r->name = "vorel-root-" + std::to_string(g_layers.size());
    sqlite3_vfs& v = r->vfs;
    v.iVersion = 2;
    v.szOsFile = static_cast<int>(RootFile::kInnerOffset) + r->base->szOsFile;
    v.mxPathname = r->base->mxPathname;
    v.zName = r->name.c_str();
    v.xOpen = x_open;
    v.xDelete = x_delete;
    v.xAccess = x_access;
    v.xFullPathname = x_full_pathname;
    v.xDlOpen = x_dl_open;
    v.xDlError = x_dl_error;
    v.xDlSym = x_dl_sym;
    v.xDlClose = x_dl_close;
    v.xRandomness = x_randomness;
    v.xSleep = x_sleep;
    v.xCurrentTime = x_current_time;
    v.xGetLastError = x_last_error;
    v.xCurrentTimeInt64 = x_current_time64;
    if (sqlite3_vfs_register(&v, 0) != SQLITE_OK) return nullptr;
    slot = std::move(r);
    return slot->name.c_str();
}

namespace vfs_testing {
void set_io_probe(IoProbe p) { g_probe.store(p); }
}  // namespace vfs_testing

int take_failed_write_errno() { return std::exchange(t_failed_write_errno, 0); }

}  // namespace vorel::data
