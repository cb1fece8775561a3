#include "platform/freedesktop/DBusScreenSleepMonitor.h"

#include <QDBusConnection>

namespace nivora {

DBusScreenSleepMonitor::DBusScreenSleepMonitor(QObject* parent) : ScreenSleepMonitor(parent)
{
    QDBusConnection session = QDBusConnection::sessionBus();
    if (session.isConnected()) {
        // Services differ in the object path they emit from (KDE uses both
        // /ScreenSaver and /org/freedesktop/ScreenSaver), so match any path.
        // Any sender too: the session bus is the user's own, and whoever can
        // send there can already do anything this process can.
        session.connect(QString(), QString(), QStringLiteral("org.freedesktop.ScreenSaver"),
                        QStringLiteral("ActiveChanged"), this, SLOT(freedesktopActiveChanged(bool)));
        session.connect(QString(), QString(), QStringLiteral("org.gnome.ScreenSaver"),
                        QStringLiteral("ActiveChanged"), this, SLOT(gnomeActiveChanged(bool)));
    }
    QDBusConnection system = QDBusConnection::systemBus();
    if (system.isConnected()) {
        // On the system bus any local user may emit a signal. Naming the service
        // makes Qt follow its owner and deliver only what logind's own
        // connection sends, so no one else can pause our wallpapers.
        system.connect(QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
                       QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PrepareForSleep"),
                       this, SLOT(prepareForSleep(bool)));
    }
}

void DBusScreenSleepMonitor::freedesktopActiveChanged(bool active)
{
    update(QStringLiteral("freedesktop"), active);
}

void DBusScreenSleepMonitor::gnomeActiveChanged(bool active)
{
    update(QStringLiteral("gnome"), active);
}

void DBusScreenSleepMonitor::prepareForSleep(bool start)
{
    update(QStringLiteral("logind"), start);
}

void DBusScreenSleepMonitor::update(const QString& source, bool asleep)
{
    const bool before = isAsleep();
    if (asleep)
        m_asleep.insert(source);
    else
        m_asleep.remove(source);
    if (before == isAsleep())
        return;
    if (isAsleep())
        Q_EMIT screensDidSleep();
    else
        Q_EMIT screensDidWake();
}

} // namespace nivora
