#pragma once

#include "widgets/WidgetClock.h"

namespace nivora {

// A clock that shows whatever instant and uptime a test sets.
class FixedWidgetClock : public WidgetClock
{
public:
    explicit FixedWidgetClock(QDateTime now = QDateTime(), qint64 uptimeMs = 0)
        : m_now(now), m_uptime(uptimeMs)
    {
    }

    QDateTime now() const override { return m_now; }
    qint64 uptimeMilliseconds() const override { return m_uptime; }

    void setNow(const QDateTime& now) { m_now = now; }
    void setUptime(qint64 ms) { m_uptime = ms; }

private:
    QDateTime m_now;
    qint64 m_uptime;
};

} // namespace nivora
