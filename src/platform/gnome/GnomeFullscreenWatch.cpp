#include "platform/gnome/GnomeFullscreenWatch.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusReply>
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

void GnomeFullscreenWatch::callShell(const QString& path, const QString& interface, const QString& method,
                                     const QVariantList& arguments,
                                     std::function<void(const QDBusMessage& reply)> answered)
{
    QDBusMessage call = QDBusMessage::createMethodCall(m_owner, path, interface, method);
    call.setArguments(arguments);
    auto* watcher = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call), this);
    const QString owner = m_owner;
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, owner, answered = std::move(answered)](QDBusPendingCallWatcher* w) {
                w->deleteLater();
                // A shell that restarted meanwhile is asked again from the start.
                if (owner == m_owner)
                    answered(w->reply());
            });
}

void GnomeFullscreenWatch::askExtension()
{
    callShell(extensionsPath, extensionsInterface, QStringLiteral("GetExtensionInfo"),
              {QString::fromLatin1(extensionUuid)}, [this](const QDBusMessage& reply) {
                  const QDBusReply<QVariantMap> info = reply;
                  if (!info.isValid()) {
                      setState(State::Failed);
                      return;
                  }
                  // The shell answers with an empty map for an extension it
                  // did not find when it started: installed since, it needs a
                  // new session.
                  if (info.value().isEmpty()) {
                      setState(State::NotInstalled);
                      return;
                  }
                  const int state = int(info.value().value(QStringLiteral("state")).toDouble());
                  if (state == extensionError) {
                      qWarning().noquote()
                          << QStringLiteral("GNOME Shell reports an error in the fullscreen watch: %1")
                                 .arg(info.value().value(QStringLiteral("error")).toString().left(200));
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
    callShell(extensionsPath, extensionsInterface, QStringLiteral("EnableExtension"),
              {QString::fromLatin1(extensionUuid)}, [this](const QDBusMessage& reply) {
                  const QDBusReply<bool> enabled = reply;
                  if (!enabled.isValid() || !enabled.value()) {
                      setState(State::Failed);
                      return;
                  }
                  readCovered();
              });
}

void GnomeFullscreenWatch::readCovered()
{
    callShell(watchPath, watchInterface, QStringLiteral("CoveredMonitors"), {},
              [this](const QDBusMessage& reply) {
                  setState(State::Active);
                  // Enabled but not exported yet, or an older copy: the first
                  // CoveredChanged will tell.
                  if (reply.type() == QDBusMessage::ReplyMessage && reply.arguments().size() == 1)
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
