#pragma once

#include "platform/DisplayLink.h"

#include <atomic>

namespace nivora {

// A display link that ticks only when a test calls tick(), on the caller's
// thread. Ticks while stopped are dropped, as a real link would not fire.
class FakeDisplayLink : public DisplayLink
{
public:
    explicit FakeDisplayLink(double refreshRate = 60.0) : m_rate(refreshRate) {}

    void setTickHandler(TickHandler handler) override { m_handler = std::move(handler); }
    bool start() override
    {
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
    unsigned long long ticks() const override { return m_ticks; }

    // Delivers one tick if running; returns whether it was delivered.
    bool tick()
    {
        if (!m_running || !m_handler)
            return false;
        ++m_ticks;
        m_handler();
        return true;
    }
    int starts() const { return m_starts; }
    int stops() const { return m_stops; }

private:
    double m_rate;
    TickHandler m_handler;
    std::atomic<bool> m_running{false};
    std::atomic<unsigned long long> m_ticks{0};
    int m_starts = 0;
    int m_stops = 0;
};

} // namespace nivora
