#pragma once

#include "platform/DisplayLink.h"

#include <QString>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace nivora {

// A display link driven by the clock: a named thread that sleeps to absolute
// deadlines one refresh period apart. X11 has no portable per-output vblank
// callback, and the compositor paces presentation anyway, so the nominal period
// of the screen is what the frame counter needs. Deadlines are absolute so that
// the rate does not drift with the time the handler takes; when the thread falls
// behind by more than a period it skips the missed ticks rather than bursting.
// With a tick interval of n the thread sleeps n periods between calls.
class ThreadedDisplayLink : public DisplayLink
{
public:
    // `threadName` is at most 15 characters (longer names are cut).
    // A `refreshRate` of 1 Hz or less, or not a number, counts as 60 Hz.
    ThreadedDisplayLink(double refreshRate, QString threadName);
    ~ThreadedDisplayLink() override;

    void setTickHandler(TickHandler handler) override;
    bool start() override;
    void stop() override;
    bool isRunning() const override;
    double refreshRate() const override { return m_rate; }
    void setTickInterval(int refreshes) override;
    unsigned long long ticks() const override { return m_ticks.load(); }

private:
    void run();

    double m_rate;
    QString m_threadName;
    TickHandler m_handler;
    std::thread m_thread;
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stopRequested = false;
    std::atomic<bool> m_running{false};
    std::atomic<unsigned long long> m_ticks{0};
    std::atomic<int> m_interval{1};
};

} // namespace nivora
