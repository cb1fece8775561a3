#include "desktop/FrameRateMeter.h"

#include <chrono>

namespace nivora {

FrameRateMeter::FrameRateMeter(double windowSeconds) : m_window(windowSeconds) {}

double FrameRateMeter::now()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

void FrameRateMeter::record(double seconds)
{
    std::lock_guard lock(m_mutex);
    ++m_total;
    m_times.append(seconds);
    qsizetype drop = 0;
    while (drop < m_times.size() && m_times[drop] < seconds - m_window)
        ++drop;
    if (drop > 0)
        m_times.remove(0, drop);
}

double FrameRateMeter::rate(double now) const
{
    std::lock_guard lock(m_mutex);
    int count = 0;
    for (const double t : m_times) {
        if (t >= now - m_window && t <= now)
            ++count;
    }
    return count / m_window;
}

quint64 FrameRateMeter::total() const
{
    std::lock_guard lock(m_mutex);
    return m_total;
}

} // namespace nivora
