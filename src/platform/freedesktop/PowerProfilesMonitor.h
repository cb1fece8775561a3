#pragma once

#include "platform/PowerMonitor.h"

#include <QDBusMessage>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <array>

class QDBusServiceWatcher;

namespace nivora {

// Low-power mode from power-profiles-daemon on the system bus: ActiveProfile is
// "power-saver". The daemon's current name (org.freedesktop.UPower.PowerProfiles)
// counts first, then its older name (net.hadess.PowerProfiles).
//
// Nothing here blocks: the profile is asked for asynchronously at construction
// and whenever the daemon appears on the bus, and followed through the
// daemon's PropertiesChanged signal afterwards. Only signals from the
// connection that owns the daemon's name count (learnt from the answer to that
// question and from owner changes): on the system bus anyone may emit one, and
// a spoofed "power-saver" would slow every Nivora on the machine.
class PowerProfilesMonitor : public PowerMonitor
{
    Q_OBJECT

public:
    explicit PowerProfilesMonitor(QObject* parent = nullptr);
    ~PowerProfilesMonitor() override;
    bool isLowPowerModeEnabled() const override { return m_lowPower; }

private Q_SLOTS:
    void propertiesChanged(const QString& interface, const QVariantMap& changed,
                           const QStringList& invalidated, const QDBusMessage& message);

private:
    struct Service
    {
        QString name;
        QString path;
        QString profile;    // null while unknown
        QString owner;      // the unique name of the daemon's connection; empty while unknown
        int generation = 0; // counts owner changes, so stale answers are dropped
    };

    void ask(int index);
    void update();

    std::array<Service, 2> m_services;
    QDBusServiceWatcher* m_watcher = nullptr;
    bool m_lowPower = false;
};

} // namespace nivora
