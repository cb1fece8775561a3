#include "platform/gnome/GnomeFullscreenWatch.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QDebug>

namespace nivora {

namespace {

const QString shellService = QStringLiteral("org.gnome.Shell");
const QString extensionsPath = QStringLiteral("/org/gnome/Shell");
const QString extensionsInterface = QStringLiteral("org.gnome.Shell.Extensions");
const QString watchPath = QStringLiteral("/app/nivora/Nivora/FullscreenWatch");
const QString watchInterface = QStringLiteral("app.nivora.Nivora.FullscreenWatch");

// GNOME Shell's ExtensionState values.
constexpr int extensionEnabled = 1;
constexpr int extensionError = 3;

QList<QRect> rectsFrom(const QVariant& value)
{
    QList<QRect> rects;
    if (!value.canConvert<QDBusArgument>())
        return rects;
    const QDBusArgument arg = value.value<QDBusArgument>();
    if (arg.currentSignature() != QLatin1String("a(iiii)"))
        return rects;
    arg.beginArray();
    while (!arg.atEnd()) {
        int x = 0, y = 0, w = 0, h = 0;
        arg.beginStructure();
        arg >> x >> y >> w >> h;
        arg.endStructure();
        // A monitor is never empty nor larger than any screen made.
        if (w > 0 && h > 0 && w <= 65535 && h <= 65535)
            rects.append(QRect(x, y, w, h));
        if (rects.size() > 64)
            break;
    }
    arg.endArray();
    return rects;
}

} // namespace

GnomeFullscreenWatch::GnomeFullscreenWatch(QObject* parent) : QObject(parent)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    // Any sender here (naming the service would make Qt look its owner up
    // with a blocking call); coveredSignal() checks the sender itself.
    bus.connect(QString(), watchPath, watchInterface, QStringLiteral("CoveredChanged"), this,
                SLOT(coveredSignal(QDBusMessage)));
    m_watcher = new QDBusServiceWatcher(shellService, bus, QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(m_watcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString&, const QString&, const QString& owner) { ownerChanged(owner); });
    auto* call = new QDBusPendingCallWatcher(
        bus.interface()->asyncCall(QStringLiteral("GetNameOwner"), shellService), this);
    connect(call, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        const QDBusPendingReply<QString> reply = *w;
        if (reply.isValid() && m_owner.isEmpty())
            ownerChanged(reply.value());
    });
}

void GnomeFullscreenWatch::ownerChanged(const QString& owner)
{
    m_owner = owner;
    setCovered({});
    if (owner.isEmpty()) {
        setState(State::NoShell);
        return;
    }
    askExtension();
}

void GnomeFullscreenWatch::askExtension()
{
    QDBusMessage ask = QDBusMessage::createMethodCall(m_owner, extensionsPath, extensionsInterface,
                                                      QStringLiteral("GetExtensionInfo"));
    ask << QString::fromLatin1(extensionUuid);
    auto* call = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(ask), this);
    const QString owner = m_owner;
    connect(call, &QDBusPendingCallWatcher::finished, this, [this, owner](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        if (owner != m_owner)
            return;
        const QDBusPendingReply<QVariantMap> reply = *w;
        if (!reply.isValid()) {
            setState(State::Failed);
            return;
        }
        const QVariantMap info = reply.value();
        // The shell answers with an empty map for an extension it did not
        // find when it started: installed since, it needs a new session.
        if (info.isEmpty()) {
            setState(State::NotInstalled);
            return;
        }
        const int state = int(info.value(QStringLiteral("state")).toDouble());
        if (state == extensionError) {
            qWarning().noquote() << QStringLiteral("GNOME Shell reports an error in the fullscreen watch: %1")
                                        .arg(info.value(QStringLiteral("error")).toString().left(200));
            setState(State::Failed);
        } else if (state == extensionEnabled) {
            readCovered();
        } else {
            enable();
        }
    });
}

void GnomeFullscreenWatch::enable()
{
    setState(State::Enabling);
    QDBusMessage call = QDBusMessage::createMethodCall(m_owner, extensionsPath, extensionsInterface,
                                                       QStringLiteral("EnableExtension"));
    call << QString::fromLatin1(extensionUuid);
    auto* watcher = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call), this);
    const QString owner = m_owner;
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, owner](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        if (owner != m_owner)
            return;
        const QDBusPendingReply<bool> reply = *w;
        if (!reply.isValid() || !reply.value()) {
            setState(State::Failed);
            return;
        }
        readCovered();
    });
}

void GnomeFullscreenWatch::readCovered()
{
    QDBusMessage ask =
        QDBusMessage::createMethodCall(m_owner, watchPath, watchInterface, QStringLiteral("CoveredMonitors"));
    auto* call = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(ask), this);
    const QString owner = m_owner;
    connect(call, &QDBusPendingCallWatcher::finished, this, [this, owner](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        if (owner != m_owner)
            return;
        const QDBusMessage reply = w->reply();
        if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() != 1) {
            // Enabled but not exported yet, or an older copy: the first
            // CoveredChanged will tell.
            setState(State::Active);
            return;
        }
        setState(State::Active);
        setCovered(rectsFrom(reply.arguments().constFirst()));
    });
}

void GnomeFullscreenWatch::coveredSignal(const QDBusMessage& message)
{
    if (m_owner.isEmpty() || message.service() != m_owner || message.arguments().size() != 1)
        return;
    setState(State::Active);
    setCovered(rectsFrom(message.arguments().constFirst()));
}

void GnomeFullscreenWatch::setState(State state)
{
    if (state == m_state)
        return;
    m_state = state;
    Q_EMIT stateChanged(state);
}

void GnomeFullscreenWatch::setCovered(const QList<QRect>& covered)
{
    if (covered == m_covered)
        return;
    m_covered = covered;
    Q_EMIT coveredChanged();
}

} // namespace nivora
