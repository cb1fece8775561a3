#pragma once

namespace nivora {

// Scheduling choices for the threads Nivora starts.
namespace ThreadScheduling {

// Whether the calling thread, when another thread wakes it, waits for the
// processor until the waker sleeps or is due to give way anyway (on), or may
// take it from the waker at once (off, the default). Its share of the
// processor and its priority are the same either way. Meant for a thread that
// a short-lived one wakes just before going back to sleep: on, the waker is
// not switched out and back in only to finish its few instructions. Cheap (one
// system call). Returns false when the system refuses.
bool setRunsAfterWaker(bool on);

} // namespace ThreadScheduling
} // namespace nivora
