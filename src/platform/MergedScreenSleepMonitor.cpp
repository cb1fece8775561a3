#include "platform/MergedScreenSleepMonitor.h"

namespace nivora {

MergedScreenSleepMonitor::MergedScreenSleepMonitor(QObject* parent) : ScreenSleepMonitor(parent) {}

void MergedScreenSleepMonitor::addSource(ScreenSleepMonitor* source)
{
    source->setParent(this);
    connect(source, &ScreenSleepMonitor::screensDidSleep, this, [this, source] { update(source, true); });
    connect(source, &ScreenSleepMonitor::screensDidWake, this, [this, source] { update(source, false); });
    if (source->isAsleep())
        update(source, true);
}

void MergedScreenSleepMonitor::update(ScreenSleepMonitor* source, bool asleep)
{
    const bool before = isAsleep();
    if (asleep)
        m_asleep.insert(source);
    else
        m_asleep.remove(source);
    const bool after = isAsleep();
    if (before == after)
        return;
    if (after)
        Q_EMIT screensDidSleep();
    else
        Q_EMIT screensDidWake();
}

} // namespace nivora
