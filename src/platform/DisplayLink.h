#pragma once

#include <functional>

namespace nivora {

// A per-screen source of refresh ticks.
//
// Contract for backends:
// - setTickHandler()  required; main thread, before the first start(). The
//                     handler runs on the link's own thread, never on the main
//                     thread, once per refresh period while the link runs.
// - start()           required; main thread. Starts ticking; harmless when
//                     already running. Returns false when ticking cannot start.
// - stop()            required; main thread. Returns only when no handler call
//                     is running and none will follow until the next start().
//                     A stopped link costs no wake-ups.
// - isRunning()       required; any thread.
// - refreshRate()     required; any thread. The nominal refresh rate in Hz the
//                     ticks follow, or 0 when unknown.
// - setTickInterval() required; the link's own thread (from the handler) or
//                     the main thread. From the next call on, the handler runs
//                     once every `refreshes` refresh periods (values below 1
//                     count as 1), on the same grid of refreshes; the link
//                     sleeps through the refreshes in between, so a consumer
//                     that needs every n-th refresh costs one wake-up per n.
//                     The interval is kept across stop() and start(); a
//                     started link first calls the handler one interval after
//                     it starts.
// - ticks()           optional (0 when not counted); any thread. Handler calls
//                     since construction, for measurements.
class DisplayLink
{
public:
    using TickHandler = std::function<void()>;

    virtual ~DisplayLink() = default;

    virtual void setTickHandler(TickHandler handler) = 0;
    virtual bool start() = 0;
    virtual void stop() = 0;
    virtual bool isRunning() const = 0;
    virtual double refreshRate() const = 0;
    virtual void setTickInterval(int refreshes) = 0;
    virtual unsigned long long ticks() const { return 0; }
};

} // namespace nivora
