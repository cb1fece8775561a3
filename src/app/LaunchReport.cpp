#include "app/LaunchReport.h"

#include <QtGlobal>
#include <chrono>
#include <cstdio>

namespace nivora::LaunchReport {

bool enabled()
{
    static const bool on = qEnvironmentVariableIsSet("NIVORA_REPORT_READY");
    return on;
}

void event(const char* what)
{
    if (!enabled())
        return;
    const auto now = std::chrono::duration_cast<std::chrono::microseconds>(
                         std::chrono::system_clock::now().time_since_epoch())
                         .count();
    std::fprintf(stderr, "nivora: %s %lld\n", what, static_cast<long long>(now));
}

void milliseconds(const char* what, double ms)
{
    if (enabled())
        std::fprintf(stderr, "nivora: %s ms %.2f\n", what, ms);
}

} // namespace nivora::LaunchReport
