#include "table_file_creation.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <cerrno>
#include <random>

#include "schema.h"
#include "vorel/data/error.h"

namespace vorel::data {

namespace fs = std::filesystem;

namespace {

fs::path temporary_beside(const fs::path& file) {
    static thread_local std::mt19937_64 random{std::random_device{}()};
    char suffix[24];
    std::snprintf(suffix, sizeof suffix, "-new-%016llx", static_cast<unsigned long long>(random()));
    return file.parent_path() / (file.filename().string() + suffix);
}

// Puts `made` in place at `file` unless a file is there already; either way `made` is gone after.
// Returns 0, or the system's error. (Windows: MoveFileEx without replacing.)
int link_into_place(const fs::path& made, const fs::path& file) {
    int err = 0;
    if (::link(made.c_str(), file.c_str()) != 0 && errno != EEXIST) {
        // Shares without hard links: a rename that never replaces.
        if (::renameat2(AT_FDCWD, made.c_str(), AT_FDCWD, file.c_str(), RENAME_NOREPLACE) == 0) return 0;
        if (errno != EEXIST) err = errno;
    }
    ::unlink(made.c_str());
    return err;
}

int create_whole(Session& s, const fs::path& native, const std::string& program_path, const TableDesc& layout,
                 int wait_seconds) {
    std::error_code ec;
    if (!fs::is_directory(native.parent_path(), ec)) return set_error(kPathNotFound, program_path);
    fs::path made = temporary_beside(native);
    FileHandle* h = nullptr;
    if (int rc = s.acquire(made, program_path, true, wait_seconds, &h); rc != kNoError) {
        fs::remove(made, ec);
        return rc;
    }
    int rc = schema::prepare(h, layout, true, wait_seconds);
    s.release(h);
    if (rc != kNoError) {
        fs::remove(made, ec);
        return rc;
    }
    if (int err = link_into_place(made, native); err != 0)
        return set_error(kOsError, program_path, std::system_category().message(err), err);
    return kNoError;
}

}  // namespace

int acquire_table_file(Session& s, const fs::path& native, const std::string& program_path, const TableDesc& layout,
                       bool create, int wait_seconds, FileHandle** out) {
    std::error_code ec;
    if (create && !fs::exists(native, ec)) {
        if (int rc = create_whole(s, native, program_path, layout, wait_seconds); rc != kNoError) return rc;
    }
    return s.acquire(native, program_path, false, wait_seconds, out);
}

}  // namespace vorel::data
