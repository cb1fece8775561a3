#pragma once

namespace nivora {

// Time stamps for the start-up and popover benchmarks, written to stderr as
// "nivora: <event> <microseconds since the Unix epoch>" (or
// "nivora: <event> ms <milliseconds>") only when NIVORA_REPORT_READY is set.
namespace LaunchReport {

bool enabled();
void event(const char* what);
void milliseconds(const char* what, double ms);

} // namespace LaunchReport
} // namespace nivora
