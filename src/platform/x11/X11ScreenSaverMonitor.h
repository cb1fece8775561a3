#pragma once

#include "platform/ScreenSleepMonitor.h"

#include <QAbstractNativeEventFilter>

namespace nivora {

// The X server's own screen saver (MIT-SCREEN-SAVER): ScreenSaverNotify says
// when the server blanks the screens and when it unblanks them. Silent when the
// extension is missing.
class X11ScreenSaverMonitor : public ScreenSleepMonitor, public QAbstractNativeEventFilter
{
    Q_OBJECT

public:
    explicit X11ScreenSaverMonitor(QObject* parent = nullptr);
    ~X11ScreenSaverMonitor() override;

    bool isAsleep() const override { return m_asleep; }
    bool isAvailable() const { return m_firstEvent != 0; }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    quint8 m_firstEvent = 0;
    bool m_asleep = false;
};

} // namespace nivora
