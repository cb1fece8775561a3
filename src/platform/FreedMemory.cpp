#include "platform/FreedMemory.h"

// Any C library header defines __GLIBC__; without one the test below is
// always false and nothing is ever handed back.
#include <cstdlib>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace nivora::FreedMemory {

void release()
{
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

void configureForLongRuns()
{
#if defined(__GLIBC__)
    // The environment wins, so a user or a benchmark can still compare.
    if (std::getenv("MALLOC_ARENA_MAX") == nullptr)
        mallopt(M_ARENA_MAX, 2);
    // 256 KiB: a 1080p frame is 3 MB, while the widgets' and the settings'
    // small blocks stay in the heap. A fixed value also keeps the trim
    // threshold at its small default.
    if (std::getenv("MALLOC_MMAP_THRESHOLD_") == nullptr)
        mallopt(M_MMAP_THRESHOLD, 256 * 1024);
#endif
}

} // namespace nivora::FreedMemory
