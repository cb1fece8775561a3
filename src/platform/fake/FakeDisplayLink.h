#pragma once

#include "platform/DisplayLink.h"

#include <atomic>

namespace nivora {

// A display link whose refreshes happen only when a test calls tick(), on the
// caller's thread. Refreshes while stopped are dropped, as a real link would
// not fire; with a tick interval of n the handler runs on every n-th refresh.
class FakeDisplayLink : public DisplayLink
{
public:
    explicit FakeDisplayLink(double refreshRate = 60.0) : m_rate(refreshRate) {}

    void setTickHandler(TickHandler handler) override { m_handler = std::move(handler); }
    bool start() override
    {
        if (!m_running)
            m_sinceCall = 0;
        m_running = true;
        ++m_starts;
        return true;
    }
    void stop() override
    {
        m_running = false;
        ++m_stops;
    }
    bool isRunning() const override { return m_running; }
    double refreshRate() const override { return m_rate; }
    void setTickInterval(int refreshes) override { m_interval = refreshes < 1 ? 1 : refreshes; }
    unsigned long long ticks() const override { return m_ticks; }

    // One refresh; returns whether the link was running. The handler runs when
    // the refresh completes its interval.
    bool tick()
    {
        if (!m_running || !m_handler)
            return false;
        if (++m_sinceCall >= m_interval) {
            m_sinceCall = 0;
            ++m_ticks;
            m_handler();
        }
        return true;
    }
    int interval() const { return m_interval; }
    int starts() const { return m_starts; }
    int stops() const { return m_stops; }

private:
    double m_rate;
    TickHandler m_handler;
    std::atomic<bool> m_running{false};
    std::atomic<unsigned long long> m_ticks{0};
    std::atomic<int> m_interval{1};
    int m_sinceCall = 0;
    int m_starts = 0;
    int m_stops = 0;
};

} // namespace nivora
