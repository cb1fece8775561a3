#include "platform/FreedMemory.h"

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

} // namespace nivora::FreedMemory
