#pragma once

#include <QObject>

namespace nivora {

// The system's low-power mode.
//
// Contract for backends (main thread):
// - isLowPowerModeEnabled() required. The last known state: true while the
//   system asks applications to save energy, false when nothing answers or
//   nothing is known yet. Never blocks.
// - lowPowerModeChanged()   required. Emitted when that state changes, as soon
//   as the backend learns of it, so that a change of the system's mode alone
//   takes effect at once.
class PowerMonitor : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;
    ~PowerMonitor() override = default;
    virtual bool isLowPowerModeEnabled() const = 0;

Q_SIGNALS:
    void lowPowerModeChanged(bool lowPower);
};

} // namespace nivora
