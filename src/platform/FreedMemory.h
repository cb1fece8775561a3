#pragma once

namespace nivora::FreedMemory {

// Hands the heap memory the process has freed back to the system. The C
// library keeps freed blocks for reuse, so a window that was built, shown and
// closed would otherwise leave the process's resident size at its peak for
// the days the app keeps running. Cheap enough to call when a window closes.
void release();

// Sets the C library's heap up for a process that runs for days, unless the
// environment (MALLOC_ARENA_MAX, MALLOC_MMAP_THRESHOLD_) says otherwise. Call
// once, before any thread starts.
//  - At most two arenas. glibc gives each thread that allocates under
//    contention an arena of its own, up to eight per core, and memory freed in
//    one stays there for that arena's reuse: every render and decoder thread
//    the wallpaper starts and stops leaves free memory behind.
//  - Every large block (a video frame, a decoder's buffers) a mapping of its
//    own, unmapped as soon as it is freed. By default the C library raises
//    that size to the largest block freed so far, so after the first video
//    frames land in the heaps, where what is freed stays behind when the
//    player that used it is gone.
void configureForLongRuns();

} // namespace nivora::FreedMemory
