#pragma once

namespace nivora::FreedMemory {

// Hands the heap memory the process has freed back to the system. The C
// library keeps freed blocks for reuse, so a window that was built, shown and
// closed would otherwise leave the process's resident size at its peak for
// the days the app keeps running. Cheap enough to call when a window closes.
void release();

// Makes every large block (a video frame, a decoder's buffers) a mapping of
// its own, unmapped as soon as it is freed. By default the C library raises
// that size to the largest block freed so far, so after the first video
// frames land in the per-thread heaps, where what is freed stays behind
// when the player that used it is gone. Call once, before threads start.
void returnLargeBlocksAtOnce();

} // namespace nivora::FreedMemory
