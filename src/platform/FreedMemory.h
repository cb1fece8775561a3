#pragma once

namespace nivora::FreedMemory {

// Hands the heap memory the process has freed back to the system. The C
// library keeps freed blocks for reuse, so a window that was built, shown and
// closed would otherwise leave the process's resident size at its peak for
// the days the app keeps running. Cheap enough to call when a window closes.
void release();

} // namespace nivora::FreedMemory
