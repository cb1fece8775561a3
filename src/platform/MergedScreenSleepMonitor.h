#pragma once

#include "platform/ScreenSleepMonitor.h"

#include <QList>
#include <QSet>

namespace nivora {

// Several sleep sources seen as one: asleep while any source is asleep, awake
// once every source is awake. Takes ownership of the sources.
class MergedScreenSleepMonitor : public ScreenSleepMonitor
{
    Q_OBJECT

public:
    explicit MergedScreenSleepMonitor(QObject* parent = nullptr);

    void addSource(ScreenSleepMonitor* source);
    bool isAsleep() const override { return !m_asleep.isEmpty(); }

private:
    void update(ScreenSleepMonitor* source, bool asleep);

    QSet<ScreenSleepMonitor*> m_asleep;
};

} // namespace nivora
