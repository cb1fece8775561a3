#include "desktop/FramePacer.h"

#include <algorithm>
#include <cmath>

namespace nivora {

FramePacer::FramePacer(int targetFPS, int refreshRate)
    : m_targetFPS(std::max(targetFPS, 1)), m_refreshRate(refreshRate)
{
}

int FramePacer::divisor(int refreshRate, int targetFPS)
{
    const double ratio =
        static_cast<double>(std::max(refreshRate, 1)) / static_cast<double>(std::max(targetFPS, 1));
    // std::round rounds halves away from zero, which is the rule wanted here.
    return std::max(static_cast<int>(std::round(ratio)), 1);
}

int FramePacer::nominalRefreshRate(double hertz)
{
    if (!std::isfinite(hertz) || hertz <= 1.0)
        return 60;
    return static_cast<int>(std::lround(std::min(hertz, 100000.0)));
}

void FramePacer::setTargetFPS(int fps)
{
    std::lock_guard lock(m_mutex);
    m_targetFPS = std::max(fps, 1);
}

int FramePacer::targetFPS() const
{
    std::lock_guard lock(m_mutex);
    return m_targetFPS;
}

void FramePacer::setRefreshRate(int hertz)
{
    std::lock_guard lock(m_mutex);
    m_refreshRate = hertz;
}

int FramePacer::refreshRate() const
{
    std::lock_guard lock(m_mutex);
    return m_refreshRate;
}

void FramePacer::setPaused(bool paused)
{
    std::lock_guard lock(m_mutex);
    m_paused = paused;
}

bool FramePacer::isPaused() const
{
    std::lock_guard lock(m_mutex);
    return m_paused;
}

bool FramePacer::isInFlight() const
{
    std::lock_guard lock(m_mutex);
    return m_inFlight;
}

bool FramePacer::tick(int refreshes)
{
    bool paused;
    bool inFlight;
    int fps;
    int rate;
    {
        std::lock_guard lock(m_mutex);
        paused = m_paused;
        inFlight = m_inFlight;
        fps = m_targetFPS;
        rate = m_refreshRate;
    }
    if (paused || inFlight)
        return false;
    m_frameCounter += std::max(refreshes, 1);
    if (m_frameCounter % divisor(rate, fps) != 0)
        return false;
    std::lock_guard lock(m_mutex);
    m_inFlight = true;
    return true;
}

int FramePacer::refreshesToNextFrame() const
{
    const int d = divisor(refreshRate(), targetFPS());
    return d - static_cast<int>(m_frameCounter % d);
}

void FramePacer::frameStarted()
{
    std::lock_guard lock(m_mutex);
    m_inFlight = false;
}

} // namespace nivora
