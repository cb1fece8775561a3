#include "platform/dbus/ApplicationAdaptor.h"

#include "platform/dbus/ControlBus.h"

namespace nivora {

ApplicationAdaptor::ApplicationAdaptor(QObject* exported, ControlServer* server)
    : QDBusAbstractAdaptor(exported), m_server(server)
{
}

void ApplicationAdaptor::Activate(const QVariantMap&)
{
    m_server->handle(QStringLiteral("dashboard"), {});
}

void ApplicationAdaptor::Open(const QStringList& uris, const QVariantMap&)
{
    // Only our own scheme means anything here; the desktop entry claims no files.
    for (const QString& uri : uris) {
        if (uri.startsWith(QLatin1String("nivora://")))
            m_server->handle(QStringLiteral("open-url"), {uri});
    }
}

void ApplicationAdaptor::ActivateAction(const QString&, const QVariantList&, const QVariantMap&)
{
    // The desktop entry declares no actions.
}

} // namespace nivora
