// The process's heap: how much freed memory it keeps for the next allocations.
//
// By default the C library gives memory freed at the top of the heap (of each thread's arena too)
// back to the system as soon as 128 KB of it are free, and takes it again on the next allocation:
// a procedure that builds and frees a few hundred kilobytes per item (an XML document parsed and
// thrown away) then pays two system calls and a flush of every core's address cache per item,
// which took longer than the parse itself. The program keeps up to 8 MB of such memory.
#pragma once

namespace vorel::heap {

// Called once at the start of the program (and of a benchmark that stands for it), before any
// thread starts.
void keep_freed_memory();

}  // namespace vorel::heap
