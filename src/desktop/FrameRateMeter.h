#pragma once

#include <QList>
#include <mutex>

namespace nivora {

// Frames per second delivered over a sliding window, for status reports.
// record() on the render thread, rate() on any thread.
class FrameRateMeter
{
public:
    // `windowSeconds` is how far back rate() looks.
    explicit FrameRateMeter(double windowSeconds = 3.0);

    // One frame delivered at `seconds` on a monotonic clock.
    void record(double seconds);
    // Frames per second over the window ending at `now`; 0 with no frame in it.
    double rate(double now) const;
    // Seconds on the monotonic clock the meter uses by default.
    static double now();
    quint64 total() const;

private:
    double m_window;
    mutable std::mutex m_mutex;
    QList<double> m_times; // ascending, trimmed to the window on each record
    quint64 m_total = 0;
};

} // namespace nivora
