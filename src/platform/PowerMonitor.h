#pragma once

namespace nivora {

// The system's low-power mode.
//
// Contract for backends:
// - isLowPowerModeEnabled() required; main thread. True while the system asks
//   applications to save energy. May block briefly on a local service (bounded
//   by a short timeout); false when nothing answers.
class PowerMonitor
{
public:
    virtual ~PowerMonitor() = default;
    virtual bool isLowPowerModeEnabled() const = 0;
};

} // namespace nivora
