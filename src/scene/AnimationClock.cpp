#include "scene/AnimationClock.h"

#include "model/SettingsSchema.h"
#include "scene/WallpaperRenderer.h"

#include <QString>
#include <chrono>
#include <cmath>

namespace nivora {

namespace {

double steadySeconds()
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

const SettingsSchema::Setting& speedSetting()
{
    static const SettingsSchema::Setting& setting = SettingsSchema::get(QStringLiteral("speed"));
    return setting;
}

} // namespace

AnimationClock::AnimationClock(TimeSource source, std::optional<double> epoch) : m_source(std::move(source))
{
    m_epoch = epoch.value_or(now());
    m_anchorSeconds = m_epoch;
    m_wrapAt = m_epoch + wrapPeriod;
    m_speed = speedSetting().defaultValue;
}

AnimationClock& AnimationClock::shared()
{
    static AnimationClock clock({}, WallpaperRenderer::epoch());
    return clock;
}

double AnimationClock::now() const
{
    return m_source ? m_source() : steadySeconds();
}

double AnimationClock::rate(double speed)
{
    // In single precision, as the shader computes it, so that a rescaled time
    // gives the shader the very phase it had.
    return double(0.15f + float(speed) * 0.9f);
}

float AnimationClock::shaderPhase(float time, float speed)
{
    return time * (0.15f + speed * 0.9f);
}

double AnimationClock::timeAt(double seconds) const
{
    return m_anchorTime + (seconds - m_anchorSeconds);
}

void AnimationClock::setSpeed(double speed)
{
    const double bounded = SettingsSchema::forRenderer(speedSetting(), speed);
    std::lock_guard lock(m_mutex);
    if (!m_speedKnown) {
        m_speedKnown = true;
        m_speed = bounded;
        return;
    }
    if (bounded == m_speed)
        return;
    const double seconds = now();
    // Keep time × rate: the picture stays where it is and moves on at the new
    // rate. The wrap keeps its instant.
    const double time = timeAt(seconds) * rate(m_speed) / rate(bounded);
    m_anchorSeconds = seconds;
    m_anchorTime = time;
    m_speed = bounded;
}

AnimationClock::Sample AnimationClock::sample()
{
    std::lock_guard lock(m_mutex);
    const double seconds = now();
    if (seconds >= m_wrapAt) {
        // Back to the start of the current period of the wall clock's grid:
        // several periods may have passed since the last frame (a long pause).
        const double periods = std::floor((seconds - m_wrapAt) / wrapPeriod);
        const double start = m_wrapAt + periods * wrapPeriod;
        m_anchorSeconds = start;
        m_anchorTime = 0.0;
        m_wrapAt = start + wrapPeriod;
    }
    Sample s;
    s.time = float(timeAt(seconds));
    s.speed = float(m_speed);
    return s;
}

void AnimationClock::setTimeSourceForTesting(TimeSource source)
{
    std::lock_guard lock(m_mutex);
    m_source = std::move(source);
}

void AnimationClock::restartForTesting(std::optional<double> secondsSinceEpoch)
{
    std::lock_guard lock(m_mutex);
    if (secondsSinceEpoch) {
        const double pinned = m_epoch + *secondsSinceEpoch;
        m_source = [pinned] { return pinned; };
    } else {
        m_source = {};
    }
    // The wall clock's grid of wraps starts at the epoch.
    const double since = now() - m_epoch;
    const double periods = std::floor(since / wrapPeriod);
    m_anchorSeconds = m_epoch + periods * wrapPeriod;
    m_anchorTime = 0.0;
    m_wrapAt = m_anchorSeconds + wrapPeriod;
    m_speedKnown = false;
}

} // namespace nivora
