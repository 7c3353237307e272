// Byte locks on a shared lock file, between threads and processes: open-file-description locks,
// which belong to the descriptor (not to the process) and go when the process dies.
#pragma once

#include <fcntl.h>
#include <sys/types.h>

#include <cerrno>

namespace vorel::shell::byte_locks {

// Sets (F_RDLCK, F_WRLCK) or clears (F_UNLCK) the lock of one byte; `wait` waits for it.
inline bool Lock(int fd, short type, off_t at, bool wait = false) {
    struct flock fl {};
    fl.l_type = type;
    fl.l_whence = SEEK_SET;
    fl.l_start = at;
    fl.l_len = 1;
    while (::fcntl(fd, wait ? F_OFD_SETLKW : F_OFD_SETLK, &fl) != 0)
        if (errno != EINTR) return false;
    return true;
}

// Whether another descriptor's lock holds the byte (in any mode); when it cannot tell, held.
inline bool Held(int fd, off_t at) {
    struct flock fl {};
    fl.l_type = F_WRLCK;
    fl.l_whence = SEEK_SET;
    fl.l_start = at;
    fl.l_len = 1;
    if (::fcntl(fd, F_OFD_GETLK, &fl) != 0) return true;
    return fl.l_type != F_UNLCK;
}

}  // namespace vorel::shell::byte_locks
