#pragma once

#include <QDBusAbstractAdaptor>
#include <QStringList>
#include <QVariantList>
#include <QVariantMap>

namespace nivora {

class ControlServer;

// org.freedesktop.Application on the instance's object, so that launchers that
// know the desktop entry is D-Bus activatable start or wake Nivora with a method
// call: a nivora:// address then reaches us over the bus and never appears on a
// command line. Each call becomes the remote-control command it stands for.
class ApplicationAdaptor : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")

public:
    // `exported` is the object registered on the bus; the adaptor lives with it.
    ApplicationAdaptor(QObject* exported, ControlServer* server);

public Q_SLOTS:
    void Activate(const QVariantMap& platformData);
    void Open(const QStringList& uris, const QVariantMap& platformData);
    void ActivateAction(const QString& actionName, const QVariantList& parameter,
                        const QVariantMap& platformData);

private:
    ControlServer* m_server;
};

} // namespace nivora
