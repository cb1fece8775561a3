#pragma once

#include <QtGlobal>
#include <mutex>

namespace nivora {

// Decides which display refreshes produce a frame: every divisor-th counted
// tick, where the divisor is the refresh rate over the target frame rate. A
// frame is in flight from its tick until the render thread takes it up; a
// tick that arrives while paused or while a frame is in flight is dropped
// without being counted. So at most one frame waits while another is drawn
// (as a GPU queues finished frames while the next is encoded), one slow frame
// does not cost the next one, and a resumed view draws within one divisor's
// worth of refreshes.
//
// Threads: tick() on the display-link thread, frameStarted() on the render
// thread, everything else on any thread. One mutex guards the shared values
// and is held only to copy them.
class FramePacer
{
public:
    explicit FramePacer(int targetFPS = 30, int refreshRate = 60);

    // max(round(max(refreshRate, 1) / targetFPS), 1), halves away from zero;
    // a target below 1 counts as 1.
    static int divisor(int refreshRate, int targetFPS);
    // The refresh rate a display link reports, as the pacer keeps it: rounded
    // to the nearest integer when above 1 Hz, otherwise 60.
    static int nominalRefreshRate(double hertz);

    void setTargetFPS(int fps); // stored as max(fps, 1)
    int targetFPS() const;
    void setRefreshRate(int hertz);
    int refreshRate() const;
    void setPaused(bool paused);
    bool isPaused() const;
    bool isInFlight() const;

    // One display refresh, or `refreshes` of them when the display link slept
    // through the ones between. True when this tick asks for a frame; the
    // frame is then in flight until the render thread starts it
    // (frameStarted()).
    bool tick(int refreshes = 1);
    void frameStarted();
    // How many refreshes the next tick should come after: the rest of the
    // divisor. After a dropped tick that is a whole divisor, not one refresh:
    // waking at every refresh until the render thread takes its frame up
    // would not bring the next frame sooner (the refreshes counted meanwhile
    // still have to make up the divisor) and would cost a wake-up each.
    // Display-link thread.
    int refreshesToNextFrame() const;

    // Ticks counted so far (display-link thread only, or after it stopped).
    qint64 frameCounter() const { return m_frameCounter; }

private:
    mutable std::mutex m_mutex;
    int m_targetFPS;
    int m_refreshRate;
    bool m_paused = false;
    bool m_inFlight = false;
    qint64 m_frameCounter = 0;
};

} // namespace nivora
