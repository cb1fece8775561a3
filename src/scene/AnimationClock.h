#pragma once

#include <functional>
#include <mutex>
#include <optional>

namespace nivora {

// The clock of the scene animation, shared by every renderer of the process
// (desktop views and previews) so that they all show the same phase.
//
// The shader computes its phase as time × (0.15 + 0.9 × speed) in single
// precision. Two things follow, and this clock takes care of both:
//
// - A change of speed with the time counted from a fixed origin would throw
//   the picture ahead or back by the whole elapsed time times the change. So
//   on each change the time is rescaled, keeping time × rate, and thus the
//   picture, where it was; the motion then goes on at the new rate.
// - Single-precision time steps get coarse as the time grows (7.8 ms steps
//   past 65536 s). So the time goes back to near zero once every
//   `wrapPeriod` seconds of running, the one jump of the picture in that
//   period, which keeps consecutive phase steps equal within about half a
//   percent at 60 frames per second, after hours or weeks alike. A change of
//   speed moves neither the wrap nor adds one: the wrap stays on the same
//   instants of the wall clock.
//
// Until the first speed is given the clock runs at the default speed as if it
// had done so since the epoch; the first speed is taken as the speed it always
// had, so the time then equals the seconds since the epoch (within the wrap).
//
// Thread-safe: renderers sample it on their own threads; the speed is given on
// the main thread.
class AnimationClock
{
public:
    // Seconds on a monotonic clock.
    using TimeSource = std::function<double()>;

    static constexpr double wrapPeriod = 512.0;

    struct Sample
    {
        float time = 0.0f;  // the shader's `time`
        float speed = 0.5f; // the shader's `speed`, bounded to 0...1
    };

    // A clock over `source` (the steady clock when empty) whose epoch is
    // `epoch`, or the source's reading at construction.
    explicit AnimationClock(TimeSource source = {}, std::optional<double> epoch = std::nullopt);

    // The process's clock, whose epoch is WallpaperRenderer::epoch().
    static AnimationClock& shared();

    // The speed the scenes run at from now on, as the settings hold it (made
    // finite and bounded first). Unchanged values change nothing.
    void setSpeed(double speed);
    // The time and speed to draw a frame with now.
    Sample sample();

    // The phase the shader computes from a sample, in the shader's precision.
    static float shaderPhase(float time, float speed);

    // Test hooks. The first replaces the source of seconds (keeping the
    // clock's state: the time goes on from where it is); the second restarts
    // the clock as though `secondsSinceEpoch` had passed at constant speed and
    // no speed had been given yet, reading that instant until called again
    // (nothing restores the real source and restarts from its reading).
    void setTimeSourceForTesting(TimeSource source);
    void restartForTesting(std::optional<double> secondsSinceEpoch);

private:
    double now() const;
    double timeAt(double seconds) const;
    static double rate(double speed);

    mutable std::mutex m_mutex;
    TimeSource m_source;
    double m_epoch = 0.0;
    // The time value is m_anchorTime + (seconds − m_anchorSeconds) until
    // m_wrapAt seconds, when it goes back by m_wrapAt − m_anchorSeconds +
    // m_anchorTime, i.e. to near zero.
    double m_anchorSeconds = 0.0;
    double m_anchorTime = 0.0;
    double m_wrapAt = wrapPeriod;
    double m_speed = 0.5;
    bool m_speedKnown = false;
};

} // namespace nivora
