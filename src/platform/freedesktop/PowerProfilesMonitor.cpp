#include "platform/freedesktop/PowerProfilesMonitor.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QDBusVariant>

namespace nivora {

namespace {

const QString activeProfile = QStringLiteral("ActiveProfile");
const QString propertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");

} // namespace

PowerProfilesMonitor::PowerProfilesMonitor(QObject* parent) : PowerMonitor(parent)
{
    m_services[0].name = QStringLiteral("org.freedesktop.UPower.PowerProfiles");
    m_services[0].path = QStringLiteral("/org/freedesktop/UPower/PowerProfiles");
    m_services[1].name = QStringLiteral("net.hadess.PowerProfiles");
    m_services[1].path = QStringLiteral("/net/hadess/PowerProfiles");
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected())
        return;
    // The match takes any sender (naming the service would make Qt look its
    // owner up with a blocking call), so the slot checks the sender itself: any
    // local user can emit this signal, and only the daemon's may count.
    for (const Service& s : m_services)
        bus.connect(QString(), s.path, propertiesInterface, QStringLiteral("PropertiesChanged"), this,
                    SLOT(propertiesChanged(QString, QVariantMap, QStringList, QDBusMessage)));
    // A daemon that starts (or restarts) later is asked once it is there; one
    // that goes away no longer counts.
    m_watcher = new QDBusServiceWatcher(this);
    m_watcher->setConnection(bus);
    m_watcher->setWatchMode(QDBusServiceWatcher::WatchForOwnerChange);
    for (const Service& s : m_services)
        m_watcher->addWatchedService(s.name);
    connect(m_watcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString& name, const QString&, const QString& newOwner) {
                for (int i = 0; i < int(m_services.size()); ++i) {
                    if (m_services[i].name != name)
                        continue;
                    m_services[i].profile = QString();
                    m_services[i].owner = newOwner;
                    ++m_services[i].generation;
                    if (!newOwner.isEmpty())
                        ask(i);
                }
                update();
            });
    for (int i = 0; i < int(m_services.size()); ++i)
        ask(i);
}

PowerProfilesMonitor::~PowerProfilesMonitor() = default;

void PowerProfilesMonitor::ask(int index)
{
    const Service& s = m_services[index];
    QDBusMessage call =
        QDBusMessage::createMethodCall(s.name, s.path, propertiesInterface, QStringLiteral("Get"));
    call << s.name << activeProfile;
    auto* watcher = new QDBusPendingCallWatcher(QDBusConnection::systemBus().asyncCall(call, 2000), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, index, generation = s.generation](QDBusPendingCallWatcher* w) {
                w->deleteLater();
                // The owner changed since the question: the new one is asked anew.
                if (m_services[index].generation != generation)
                    return;
                const QDBusPendingReply<QDBusVariant> reply = *w;
                if (reply.isError())
                    return;
                // The bus names the connection that answered: the name's owner,
                // the only sender whose signals are believed from now on.
                m_services[index].owner = reply.reply().service();
                m_services[index].profile = reply.value().variant().toString();
                update();
            });
}

void PowerProfilesMonitor::propertiesChanged(const QString& interface, const QVariantMap& changed,
                                             const QStringList& invalidated, const QDBusMessage& message)
{
    for (int i = 0; i < int(m_services.size()); ++i) {
        if (m_services[i].name != interface)
            continue;
        if (m_services[i].owner.isEmpty() || message.service() != m_services[i].owner)
            continue;
        if (changed.contains(activeProfile)) {
            m_services[i].profile = changed.value(activeProfile).toString();
            update();
        } else if (invalidated.contains(activeProfile)) {
            ask(i);
        }
    }
}

void PowerProfilesMonitor::update()
{
    // The daemon's current name counts when it answers; the older one otherwise.
    QString profile;
    for (const Service& s : m_services) {
        if (!s.profile.isNull()) {
            profile = s.profile;
            break;
        }
    }
    const bool lowPower = profile == QLatin1String("power-saver");
    if (lowPower == m_lowPower)
        return;
    m_lowPower = lowPower;
    Q_EMIT lowPowerModeChanged(lowPower);
}

} // namespace nivora
