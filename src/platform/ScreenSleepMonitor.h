#pragma once

#include <QObject>

namespace nivora {

// Tells when the screens go to sleep (screen saver, blanking, suspend) and wake.
//
// Contract for backends (main thread):
// - isAsleep()         required. The last known state; false until a source
//                      says otherwise.
// - screensDidSleep()  required. Emitted when the state turns asleep.
// - screensDidWake()   required. Emitted when the state turns awake.
// A backend emits each signal only on a change of state, so listeners may treat
// them as edges. A backend whose service is absent stays awake and silent.
class ScreenSleepMonitor : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;
    ~ScreenSleepMonitor() override = default;

    virtual bool isAsleep() const = 0;

Q_SIGNALS:
    void screensDidSleep();
    void screensDidWake();
};

} // namespace nivora
