#pragma once

#include "platform/PowerMonitor.h"

namespace nivora {

// Low-power mode set by a test.
class FakePowerMonitor : public PowerMonitor
{
public:
    bool isLowPowerModeEnabled() const override { return m_lowPower; }
    void setLowPower(bool lowPower)
    {
        if (lowPower == m_lowPower)
            return;
        m_lowPower = lowPower;
        Q_EMIT lowPowerModeChanged(lowPower);
    }

private:
    bool m_lowPower = false;
};

} // namespace nivora
