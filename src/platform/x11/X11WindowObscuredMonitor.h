#pragma once

#include "platform/WindowObscuredMonitor.h"

#include <QAbstractNativeEventFilter>
#include <QHash>

namespace nivora {

// Follows X's VisibilityNotify events on watched windows: a window is obscured
// from a "fully obscured" report until the next report of any other state.
class X11WindowObscuredMonitor : public WindowObscuredMonitor, public QAbstractNativeEventFilter
{
    Q_OBJECT

public:
    explicit X11WindowObscuredMonitor(QObject* parent = nullptr);
    ~X11WindowObscuredMonitor() override;

    void watch(QWindow* window) override;
    bool isObscured(QWindow* window) const override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    struct Watched
    {
        quint32 xid = 0;
        bool obscured = false;
    };
    QHash<QWindow*, Watched> m_watched;
};

} // namespace nivora
