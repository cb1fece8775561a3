#pragma once

namespace nivora::FreedMemory {

// Hands the heap memory the process has freed back to the system. The C
// library keeps freed blocks for reuse, so a window that was built, shown and
// closed would otherwise leave the process's resident size at its peak for
// the days the app keeps running. Cheap enough to call when a window closes.
void release();

// Caps the C library's heap arenas at two unless MALLOC_ARENA_MAX says
// otherwise. glibc gives each thread that allocates under contention an arena
// of its own, up to eight per core, and memory freed in one is kept there for
// that arena's reuse: every render thread and decoder thread the wallpaper
// starts and stops over days leaves an arena of free memory behind that
// release() can hand back but that the next thread does not reuse. Call before
// any thread starts.
void limitArenas();

} // namespace nivora::FreedMemory
