#pragma once

#include "platform/PowerMonitor.h"

namespace nivora {

// Low-power mode set by a test.
class FakePowerMonitor : public PowerMonitor
{
public:
    bool isLowPowerModeEnabled() const override { return lowPower; }
    bool lowPower = false;
};

} // namespace nivora
