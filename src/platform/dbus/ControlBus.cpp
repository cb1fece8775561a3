#include "platform/dbus/ControlBus.h"

#include "platform/dbus/ApplicationAdaptor.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>

namespace nivora {

namespace {

const char* const kObjectPath = "/app/nivora/Nivora";
const char* const kInterface = "app.nivora.Nivora.Control";

} // namespace

QString controlServiceName()
{
    return QStringLiteral(NIVORA_APP_ID);
}

// Exposes one generic method so that new commands need no bus changes:
// Call(command, args) -> [status, output].
class ControlAdaptor : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "app.nivora.Nivora.Control")

public:
    explicit ControlAdaptor(ControlServer* server) : QObject(server), m_server(server) {}

public Q_SLOTS:
    QStringList Call(const QString& command, const QStringList& args)
    {
        const ControlReply reply = m_server->handle(command, args);
        return {QString::number(reply.status), reply.output};
    }

private:
    ControlServer* m_server;
};

ControlServer::ControlServer(Handler handler, QObject* parent)
    : QObject(parent), m_handler(std::move(handler))
{
}

ControlServer::~ControlServer()
{
    if (m_registered) {
        QDBusConnection bus = QDBusConnection::sessionBus();
        bus.unregisterObject(QString::fromLatin1(kObjectPath));
        bus.unregisterService(controlServiceName());
    }
}

ControlServer::Registration ControlServer::registerInstance()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface())
        return Registration::NoBus;
    // The object goes up before the name: a launcher that activated us has its
    // Open call queued for the name and gets it delivered the moment we own it.
    auto* adaptor = new ControlAdaptor(this);
    new ApplicationAdaptor(adaptor, this);
    bus.registerObject(QString::fromLatin1(kObjectPath), adaptor,
                       QDBusConnection::ExportAllSlots | QDBusConnection::ExportAdaptors);
    const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> reply =
        bus.interface()->registerService(controlServiceName(), QDBusConnectionInterface::DontQueueService,
                                         QDBusConnectionInterface::DontAllowReplacement);
    if (!reply.isValid() || reply.value() != QDBusConnectionInterface::ServiceRegistered) {
        bus.unregisterObject(QString::fromLatin1(kObjectPath));
        delete adaptor;
        return reply.isValid() ? Registration::AlreadyRunning : Registration::NoBus;
    }
    m_registered = true;
    return Registration::Registered;
}

ControlReply ControlServer::handle(const QString& command, const QStringList& args)
{
    if (!m_handler)
        return {2, QCoreApplication::translate("ControlBus", "commande non prise en charge")};
    return m_handler(command, args);
}

namespace ControlClient {

bool instanceRunning()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface())
        return false;
    return bus.interface()->isServiceRegistered(controlServiceName()).value();
}

Result call(const QString& command, const QStringList& args, int timeoutMs)
{
    Result result;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        result.outcome = Outcome::NoBus;
        result.error = QCoreApplication::translate("ControlBus", "pas de bus de session D-Bus");
        return result;
    }
    if (!instanceRunning()) {
        result.outcome = Outcome::NoInstance;
        result.error = QCoreApplication::translate("ControlBus", "aucune instance de Nivora en cours");
        return result;
    }
    QDBusMessage message =
        QDBusMessage::createMethodCall(controlServiceName(), QString::fromLatin1(kObjectPath),
                                       QString::fromLatin1(kInterface), QStringLiteral("Call"));
    message << command << args;
    // With the D-Bus service file installed, a call reaching the bus just after the
    // instance quit would otherwise start a new one; commands never start Nivora.
    message.setAutoStartService(false);
    const QDBusMessage answer = bus.call(message, QDBus::Block, timeoutMs);
    if (answer.type() == QDBusMessage::ErrorMessage) {
        // The instance may have gone between the check and the call.
        if (answer.errorName() == QLatin1String("org.freedesktop.DBus.Error.ServiceUnknown") ||
            !instanceRunning()) {
            result.outcome = Outcome::NoInstance;
            result.error = QCoreApplication::translate("ControlBus", "aucune instance de Nivora en cours");
        } else {
            result.outcome = Outcome::Failed;
            result.error = answer.errorMessage();
        }
        return result;
    }
    const QStringList values = answer.arguments().value(0).toStringList();
    if (values.size() != 2) {
        result.outcome = Outcome::Failed;
        result.error = QCoreApplication::translate("ControlBus", "réponse inattendue de l'instance en cours");
        return result;
    }
    result.outcome = Outcome::Answered;
    result.reply.status = values.at(0).toInt();
    result.reply.output = values.at(1);
    return result;
}

} // namespace ControlClient
} // namespace nivora

#include "ControlBus.moc"
