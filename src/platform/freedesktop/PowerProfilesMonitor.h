#pragma once

#include "platform/PowerMonitor.h"

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
// daemon's PropertiesChanged signal afterwards.
class PowerProfilesMonitor : public PowerMonitor
{
    Q_OBJECT

public:
    explicit PowerProfilesMonitor(QObject* parent = nullptr);
    ~PowerProfilesMonitor() override;
    bool isLowPowerModeEnabled() const override { return m_lowPower; }

private Q_SLOTS:
    void propertiesChanged(const QString& interface, const QVariantMap& changed,
                           const QStringList& invalidated);

private:
    struct Service
    {
        QString name;
        QString path;
        QString profile; // null while unknown
    };

    void ask(int index);
    void update();

    std::array<Service, 2> m_services;
    QDBusServiceWatcher* m_watcher = nullptr;
    bool m_lowPower = false;
};

} // namespace nivora
