#include "platform/FreedMemory.h"

// Before the test for __GLIBC__: the C library defines it in its own headers,
// so without one included first the test is always false.
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

void limitArenas()
{
#if defined(__GLIBC__)
    // The environment wins, so a user or a benchmark can still compare.
    if (std::getenv("MALLOC_ARENA_MAX") == nullptr)
        mallopt(M_ARENA_MAX, 2);
#endif
}

} // namespace nivora::FreedMemory
