// The sharing of a table file between its openers, in every thread and process: a lock file beside the
// table file ("<file>-lock") whose bytes the openers lock, so a process that dies lets go of them.
//
// Each process keeps one descriptor per lock file and holds a shared lock on a byte for each thing
// its openers do: read, write, deny read, deny write. An open checks, under the lock file's gate byte
// (and a process mutex), the other openers of its own process and the locks of other processes, then
// adds its own. The locks are open-file-description locks: they belong to the descriptor, never to
// the process's other descriptors of the file (closing one never drops another's), and they conflict
// between threads' descriptors too. (Windows: LockFileEx on a handle behaves the same.)
//
// The lock file also holds the owners of primed auto-numbered records: a process that primes one
// takes an owner slot (a byte locked exclusively for as long as it has the table open); a primed record
// whose slot nobody holds was left by a process that died.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace vorel::data {

class ShareLock {
public:
    ShareLock() = default;
    ~ShareLock() { release(); }
    ShareLock(ShareLock&& o) noexcept;
    ShareLock& operator=(ShareLock&& o) noexcept;
    ShareLock(const ShareLock&) = delete;
    ShareLock& operator=(const ShareLock&) = delete;

    // Registers an opener of `table_file` in `mode` (open_mode.h). 0, or 32 when another opener's
    // mode excludes this one (or this one excludes an opener's), 90 when the lock file cannot be used.
    static int acquire(const std::filesystem::path& table_file, const std::string& program_path, std::uint8_t mode,
                       ShareLock& out);
    void release();
    bool held() const { return file_ != nullptr; }
    std::uint8_t mode() const { return mode_; }

    // This process's owner slot in the file (taken at the first call); -1 when none is free.
    // `fresh` tells that records still marked with the slot may be a dead process's (until
    // slot_cleaned() says they were removed).
    int owner_slot(bool* fresh = nullptr);
    void slot_cleaned();
    // Whether a process (this one included) holds the owner slot.
    bool slot_held(int slot) const;

private:
    struct LockFile* file_ = nullptr;
    std::uint8_t mode_ = 0;
};

}  // namespace vorel::data
