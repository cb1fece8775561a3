#pragma once

#include "platform/PowerMonitor.h"

namespace nivora {

// Low-power mode from power-profiles-daemon on the system bus: ActiveProfile is
// "power-saver". The daemon's current name (org.freedesktop.UPower.PowerProfiles)
// is asked first, then its older name (net.hadess.PowerProfiles).
class PowerProfilesMonitor : public PowerMonitor
{
public:
    // `timeoutMs` bounds each D-Bus call.
    explicit PowerProfilesMonitor(int timeoutMs = 500);
    bool isLowPowerModeEnabled() const override;

private:
    int m_timeoutMs;
};

} // namespace nivora
