#pragma once

#include "platform/ScreenSleepMonitor.h"

namespace nivora {

// Screen sleep driven by a test through setAsleep().
class FakeScreenSleepMonitor : public ScreenSleepMonitor
{
    Q_OBJECT

public:
    using ScreenSleepMonitor::ScreenSleepMonitor;

    bool isAsleep() const override { return m_asleep; }
    void setAsleep(bool asleep)
    {
        if (asleep == m_asleep)
            return;
        m_asleep = asleep;
        if (asleep)
            Q_EMIT screensDidSleep();
        else
            Q_EMIT screensDidWake();
    }

private:
    bool m_asleep = false;
};

} // namespace nivora
