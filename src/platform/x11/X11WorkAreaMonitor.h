#pragma once

#include "platform/WorkAreaMonitor.h"

#include <QAbstractNativeEventFilter>
#include <QList>
#include <optional>

namespace nivora {

// Work areas as the X11 window manager publishes them. Mutter (GNOME, also
// under XWayland) gives one per monitor in _GTK_WORKAREAS_D<desktop>; other
// managers give one for the whole desktop in _NET_WORKAREA, which cannot say
// that a panel is on one monitor only, so the panels' struts
// (_NET_WM_STRUT_PARTIAL) are read for that, as GTK does.
class X11WorkAreaMonitor : public WorkAreaMonitor, public QAbstractNativeEventFilter
{
    Q_OBJECT

public:
    explicit X11WorkAreaMonitor(QObject* parent = nullptr);
    ~X11WorkAreaMonitor() override;

    QRect workArea(QScreen* screen) const override;
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    struct Snapshot
    {
        QList<QRect> perMonitor; // native pixels; empty without _GTK_WORKAREAS
        std::optional<QRect> desktop;
        QList<QRect> struts; // native pixels, in root coordinates
        QSize root;
    };
    Snapshot read() const;
    // Drops what was read, for the next reader to read again, and says so.
    void forget();

    mutable std::optional<Snapshot> m_snapshot;
};

} // namespace nivora
