#include "vorel/core/heap.h"

#include <cstdlib>  // defines __GLIBC__ with the GNU C library

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace vorel::heap {

void keep_freed_memory() {
#if defined(__GLIBC__)
    // Freed memory is given back only once 8 MB of it lie at the top, and the heap grows by 1 MB
    // at a time; elsewhere the allocator's own policy stands.
    mallopt(M_TRIM_THRESHOLD, 8 * 1024 * 1024);
    mallopt(M_TOP_PAD, 1024 * 1024);
#endif
}

}  // namespace vorel::heap
