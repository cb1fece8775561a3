#include "platform/freedesktop/PowerProfilesMonitor.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>

namespace nivora {

namespace {

// The profile name, or a null string when the service does not answer.
QString activeProfile(const QDBusConnection& bus, const QString& service, const QString& path,
                      const QString& interface, int timeoutMs)
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        service, path, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    call << interface << QStringLiteral("ActiveProfile");
    const QDBusMessage reply = bus.call(call, QDBus::Block, timeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return {};
    return reply.arguments().constFirst().value<QDBusVariant>().variant().toString();
}

} // namespace

PowerProfilesMonitor::PowerProfilesMonitor(int timeoutMs) : m_timeoutMs(timeoutMs) {}

bool PowerProfilesMonitor::isLowPowerModeEnabled() const
{
    const QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected())
        return false;
    QString profile = activeProfile(bus, QStringLiteral("org.freedesktop.UPower.PowerProfiles"),
                                    QStringLiteral("/org/freedesktop/UPower/PowerProfiles"),
                                    QStringLiteral("org.freedesktop.UPower.PowerProfiles"), m_timeoutMs);
    if (profile.isNull())
        profile = activeProfile(bus, QStringLiteral("net.hadess.PowerProfiles"),
                                QStringLiteral("/net/hadess/PowerProfiles"),
                                QStringLiteral("net.hadess.PowerProfiles"), m_timeoutMs);
    return profile == QLatin1String("power-saver");
}

} // namespace nivora
