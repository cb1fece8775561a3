#pragma once

#include "platform/ScreenSleepMonitor.h"

#include <QSet>
#include <QString>

namespace nivora {

// Screen sleep from D-Bus: the screen savers' ActiveChanged(bool) signal
// (org.freedesktop.ScreenSaver and org.gnome.ScreenSaver on the session bus)
// and logind's PrepareForSleep(bool) on the system bus. Either bus may be
// missing (containers, tests); the monitor then listens to what is there.
class DBusScreenSleepMonitor : public ScreenSleepMonitor
{
    Q_OBJECT

public:
    explicit DBusScreenSleepMonitor(QObject* parent = nullptr);

    bool isAsleep() const override { return !m_asleep.isEmpty(); }

private Q_SLOTS:
    void freedesktopActiveChanged(bool active);
    void gnomeActiveChanged(bool active);
    void prepareForSleep(bool start);

private:
    void update(const QString& source, bool asleep);

    QSet<QString> m_asleep;
};

} // namespace nivora
