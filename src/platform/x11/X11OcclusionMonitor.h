#pragma once

#include "platform/OcclusionMonitor.h"

#include <QAbstractNativeEventFilter>
#include <QHash>
#include <QSet>
#include <QTimer>

namespace nivora {

// Occlusion on X11 from the window manager's view of the desktop: the stacking
// list (_NET_CLIENT_LIST_STACKING), each client's _NET_WM_STATE, workspace and
// geometry; plus VisibilityNotify, which a non-compositing X server sends when
// a window becomes fully obscured. Property changes of the root window and of
// every listed client trigger a re-evaluation, coalesced over a short delay so
// that a burst of changes costs one round of requests. Once nothing is watched,
// the other clients' windows are no longer followed.
class X11OcclusionMonitor : public OcclusionMonitor, public QAbstractNativeEventFilter
{
    Q_OBJECT

public:
    explicit X11OcclusionMonitor(QObject* parent = nullptr);
    ~X11OcclusionMonitor() override;

    void watch(QWindow* window, const QRect& screenFrame) override;
    void unwatch(QWindow* window) override;
    bool isCovered(QWindow* window) const override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    struct Watched
    {
        quint32 xid = 0;
        QRect frame;
        bool coveredByClient = false;
        bool obscured = false;
        bool reported = false;
    };

    void scheduleEvaluation();
    void evaluate();
    void report(QWindow* window, Watched& w);
    // Adds `mask` to this client's event selection on `xid`, or removes it.
    void selectEvents(quint32 xid, quint32 mask, bool select);

    QHash<QWindow*, Watched> m_watched;
    QSet<quint32> m_selectedClients;
    QTimer m_debounce;
    bool m_rootSelected = false;
};

} // namespace nivora
