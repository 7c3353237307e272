#include "share_lock.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <map>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

#include "vorel/data/error.h"
#include "vorel/data/open_mode.h"

namespace vorel::data {

namespace {

// Bytes of the lock file.
constexpr off_t kGate = 0;
enum Use { kRead, kWrite, kDenyRead, kDenyWrite, kUses };
constexpr off_t kUseByte[kUses] = {1, 2, 3, 4};
constexpr off_t kFirstSlot = 64;
constexpr int kSlots = 1024;

bool set_lock(int fd, short type, off_t byte) {
    struct flock fl {};
    fl.l_type = type;
    fl.l_whence = SEEK_SET;
    fl.l_start = byte;
    fl.l_len = 1;
    return ::fcntl(fd, F_OFD_SETLK, &fl) == 0;
}

// Whether a descriptor other than `fd` holds a lock on the byte.
bool held_elsewhere(int fd, off_t byte) {
    struct flock fl {};
    fl.l_type = F_WRLCK;
    fl.l_whence = SEEK_SET;
    fl.l_start = byte;
    fl.l_len = 1;
    if (::fcntl(fd, F_OFD_GETLK, &fl) != 0) return true;  // cannot tell: count it as held
    return fl.l_type != F_UNLCK;
}

// What an opener in `mode` does, by use.
void uses_of(std::uint8_t mode, bool out[kUses]) {
    out[kRead] = open_mode::reads(mode);
    out[kWrite] = open_mode::writes(mode);
    out[kDenyRead] = open_mode::denies_read(mode);
    out[kDenyWrite] = open_mode::denies_write(mode);
}

}  // namespace

struct LockFile {
    std::string key;
    int fd = -1;
    int openers = 0;
    int uses[kUses] = {};
    int slot = -1;
    bool slot_clean = false;  // a dead process's records under the slot were removed
};

namespace {

std::mutex g_mutex;
std::map<std::string, std::unique_ptr<LockFile>> g_files;

void forget_if_unused(LockFile* f) {
    if (f->openers > 0) return;
    if (f->fd >= 0) ::close(f->fd);
    g_files.erase(f->key);
}

// The gate: other processes' openers check and register one at a time. Held for microseconds.
bool take_gate(int fd) {
    auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (!set_lock(fd, F_WRLCK, kGate)) {
        if (errno != EAGAIN && errno != EACCES) return false;
        if (std::chrono::steady_clock::now() > until) return false;
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return true;
}

}  // namespace

ShareLock::ShareLock(ShareLock&& o) noexcept : file_(std::exchange(o.file_, nullptr)), mode_(o.mode_) {}

ShareLock& ShareLock::operator=(ShareLock&& o) noexcept {
    if (this != &o) {
        release();
        file_ = std::exchange(o.file_, nullptr);
        mode_ = o.mode_;
    }
    return *this;
}

int ShareLock::acquire(const std::filesystem::path& table_file, const std::string& program_path, std::uint8_t mode,
                       ShareLock& out) {
    out.release();
    bool wants[kUses];
    uses_of(mode, wants);
    // Each use excludes its opposite: reading and denying read, writing and denying write.
    constexpr Use opposite[kUses] = {kDenyRead, kDenyWrite, kRead, kWrite};
    std::lock_guard lock(g_mutex);
    std::string key = table_file.string() + "-lock";
    auto& slot = g_files[key];
    if (!slot) {
        slot = std::make_unique<LockFile>();
        slot->key = key;
    }
    LockFile* f = slot.get();
    if (f->fd < 0) {
        f->fd = ::open(key.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        if (f->fd < 0) {
            int err = errno;
            forget_if_unused(f);
            return set_error(kOsError, program_path, std::system_category().message(err), err);
        }
    }
    if (!take_gate(f->fd)) {
        forget_if_unused(f);
        return set_error(kFileLocked, program_path);
    }
    bool refused = false;
    for (int u = 0; u < kUses && !refused; ++u) {
        if (!wants[u]) continue;
        Use o = opposite[u];
        refused = f->uses[o] > 0 || held_elsewhere(f->fd, kUseByte[o]);
    }
    int failed = 0;
    if (!refused) {
        for (int u = 0; u < kUses; ++u)
            if (wants[u] && f->uses[u]++ == 0 && !set_lock(f->fd, F_RDLCK, kUseByte[u]) && !failed) failed = errno;
        ++f->openers;
    }
    set_lock(f->fd, F_UNLCK, kGate);
    if (refused) {
        forget_if_unused(f);
        return set_error(kFileLocked, program_path, "opened by another user in a mode that excludes this open");
    }
    out.file_ = f;
    out.mode_ = mode;
    if (failed) {
        out.release();
        return set_error(kOsError, program_path, std::system_category().message(failed), failed);
    }
    return kNoError;
}

void ShareLock::release() {
    if (!file_) return;
    std::lock_guard lock(g_mutex);
    LockFile* f = std::exchange(file_, nullptr);
    bool wants[kUses];
    uses_of(mode_, wants);
    for (int u = 0; u < kUses; ++u)
        if (wants[u] && --f->uses[u] == 0) set_lock(f->fd, F_UNLCK, kUseByte[u]);
    --f->openers;
    forget_if_unused(f);  // closing the descriptor lets go of the owner slot too
}

int ShareLock::owner_slot(bool* fresh) {
    if (fresh) *fresh = false;
    if (!file_) return -1;
    std::lock_guard lock(g_mutex);
    if (file_->slot < 0) {
        for (int s = 0; s < kSlots && file_->slot < 0; ++s)
            if (set_lock(file_->fd, F_WRLCK, kFirstSlot + s)) file_->slot = s;
        file_->slot_clean = false;
    }
    if (fresh) *fresh = file_->slot >= 0 && !file_->slot_clean;
    return file_->slot;
}

void ShareLock::slot_cleaned() {
    if (!file_) return;
    std::lock_guard lock(g_mutex);
    file_->slot_clean = true;
}

bool ShareLock::slot_held(int slot) const {
    if (!file_ || slot < 0 || slot >= kSlots) return false;
    std::lock_guard lock(g_mutex);
    return slot == file_->slot || held_elsewhere(file_->fd, kFirstSlot + slot);
}

}  // namespace vorel::data
