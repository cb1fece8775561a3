#include "platform/dbus/StatusNotifierItem.h"

#include "platform/dbus/DBusMenuExporter.h"
#include "platform/dbus/StatusNotifierItemAdaptor.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QDBusVariant>

namespace nivora {

namespace {

const QString kWatcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString kWatcherPath = QStringLiteral("/StatusNotifierWatcher");
const QString kWatcherInterface = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString kItemPath = QStringLiteral("/StatusNotifierItem");

} // namespace

StatusNotifierItem::StatusNotifierItem(const QString& id, const QIcon& icon, const QString& title,
                                       const QList<QAction*>& menu, QObject* parent)
    : QObject(parent), m_id(id), m_icon(icon), m_title(title),
      m_serviceName(
          QStringLiteral("org.kde.StatusNotifierItem-%1-1").arg(QCoreApplication::applicationPid())),
      m_menu(new DBusMenuExporter(menu, this))
{
    new StatusNotifierItemAdaptor(this);
}

StatusNotifierItem::~StatusNotifierItem()
{
    if (!m_started)
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus.unregisterObject(kItemPath);
    bus.unregisterObject(StatusNotifierItemAdaptor::menuPath());
    bus.unregisterService(m_serviceName);
}

bool StatusNotifierItem::start()
{
    if (m_started)
        return true;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    if (!bus.registerObject(kItemPath, this, QDBusConnection::ExportAdaptors) ||
        !bus.registerObject(StatusNotifierItemAdaptor::menuPath(), m_menu,
                            QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals |
                                QDBusConnection::ExportAllProperties)) {
        bus.unregisterObject(kItemPath);
        return false;
    }
    // The well-known name is a courtesy for hosts that look items up by it;
    // watchers accept the item without it.
    bus.registerService(m_serviceName);
    m_started = true;

    auto* watcher =
        new QDBusServiceWatcher(kWatcherService, bus, QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(watcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString&, const QString&, const QString& newOwner) {
                ++m_generation;
                if (newOwner.isEmpty())
                    setRegistered(false);
                else
                    registerWithWatcher();
            });
    // A host that starts after the watcher makes the item visible from then on.
    bus.connect(kWatcherService, kWatcherPath, kWatcherInterface,
                QStringLiteral("StatusNotifierHostRegistered"), this, SLOT(registerWithWatcher()));
    registerWithWatcher();
    return true;
}

void StatusNotifierItem::registerWithWatcher()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    QDBusMessage call = QDBusMessage::createMethodCall(kWatcherService, kWatcherPath, kWatcherInterface,
                                                       QStringLiteral("RegisterStatusNotifierItem"));
    call << m_serviceName;
    const int generation = m_generation;
    auto* pending = new QDBusPendingCallWatcher(bus.asyncCall(call, 5000), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this,
            [this, generation](QDBusPendingCallWatcher* w) {
                w->deleteLater();
                if (generation != m_generation || w->isError()) {
                    if (generation == m_generation)
                        setRegistered(false);
                    return;
                }
                // Registered; whether anything shows the item depends on a host.
                QDBusMessage get = QDBusMessage::createMethodCall(
                    kWatcherService, kWatcherPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                    QStringLiteral("Get"));
                get << kWatcherInterface << QStringLiteral("IsStatusNotifierHostRegistered");
                auto* hostQuery =
                    new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(get, 5000), this);
                connect(hostQuery, &QDBusPendingCallWatcher::finished, this,
                        [this, generation](QDBusPendingCallWatcher* h) {
                            h->deleteLater();
                            if (generation != m_generation)
                                return;
                            const QDBusPendingReply<QDBusVariant> reply = *h;
                            setRegistered(!reply.isError() && reply.value().variant().toBool());
                        });
            });
}

void StatusNotifierItem::setRegistered(bool registered)
{
    m_registered = registered;
    Q_EMIT registrationSettled(registered);
}

void StatusNotifierItem::activate(const QPoint& position)
{
    Q_EMIT activated(position);
}

void StatusNotifierItem::secondaryActivate(const QPoint& position)
{
    // A middle click: the same as a primary one, which is what users of a
    // single-action item expect.
    Q_EMIT activated(position);
}

} // namespace nivora
