#include "desktop/FirstFrameReport.h"

#include <atomic>

namespace nivora::FirstFrameReport {

namespace {

std::atomic<void (*)()> registered{nullptr};
std::atomic<bool> reported{false};

} // namespace

void setObserver(void (*observer)())
{
    registered.store(observer);
}

void frameDrawn()
{
    if (reported.load(std::memory_order_relaxed) || reported.exchange(true))
        return;
    if (auto* observer = registered.load())
        observer();
}

} // namespace nivora::FirstFrameReport
