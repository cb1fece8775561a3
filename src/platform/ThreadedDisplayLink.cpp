#include "platform/ThreadedDisplayLink.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <pthread.h>

namespace nivora {

ThreadedDisplayLink::ThreadedDisplayLink(double refreshRate, QString threadName)
    : m_rate(std::isfinite(refreshRate) && refreshRate > 1.0 ? refreshRate : 60.0),
      m_threadName(std::move(threadName))
{
}

ThreadedDisplayLink::~ThreadedDisplayLink()
{
    stop();
}

void ThreadedDisplayLink::setTickHandler(TickHandler handler)
{
    m_handler = std::move(handler);
}

bool ThreadedDisplayLink::start()
{
    if (m_running.load())
        return true;
    if (m_thread.joinable())
        m_thread.join();
    {
        std::lock_guard lock(m_mutex);
        m_stopRequested = false;
    }
    m_running.store(true);
    m_thread = std::thread([this] { run(); });
    return true;
}

void ThreadedDisplayLink::stop()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopRequested = true;
    }
    m_wake.notify_all();
    if (m_thread.joinable() && m_thread.get_id() != std::this_thread::get_id())
        m_thread.join();
    m_running.store(false);
}

void ThreadedDisplayLink::setTickInterval(int refreshes)
{
    m_interval.store(std::max(refreshes, 1));
}

bool ThreadedDisplayLink::isRunning() const
{
    return m_running.load();
}

void ThreadedDisplayLink::run()
{
    const QByteArray name = m_threadName.toUtf8().left(15);
    pthread_setname_np(pthread_self(), name.constData());

    using Clock = std::chrono::steady_clock;
    const auto period =
        std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(1.0 / m_rate));
    // The refresh of the last call (or of the start): the next call comes a
    // whole number of periods after it.
    auto last = Clock::now();

    std::unique_lock lock(m_mutex);
    while (!m_stopRequested) {
        const auto deadline = last + period * m_interval.load();
        if (m_wake.wait_until(lock, deadline, [this] { return m_stopRequested; }))
            break;
        lock.unlock();
        ++m_ticks;
        if (m_handler)
            m_handler();
        last = deadline;
        const auto now = Clock::now();
        if (now - last >= period) {
            // Behind by at least one whole period (a stalled machine or a slow
            // handler): go on from the latest refresh of the same grid.
            last += ((now - last) / period) * period;
        }
        lock.lock();
    }
}

} // namespace nivora
