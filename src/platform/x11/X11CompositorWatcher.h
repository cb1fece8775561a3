#pragma once

#include "platform/CompositorWatcher.h"

#include <QAbstractNativeEventFilter>
#include <xcb/xcb.h>

namespace nivora {

// A compositing manager on X11 announces itself by owning the selection
// _NET_WM_CM_Sn of the screen it composites (n = the screen number). XFixes
// tells every client that asked when a selection changes owner, when the
// owner's window is destroyed and when the owner's connection closes, so the
// watcher reads the owner once and then only reacts to those events: a
// manager started, stopped, killed or replaced is seen at once, and nothing
// runs while nothing changes.
//
// Without XFixes (never the case on a current X server) the state read at
// start is kept.
class X11CompositorWatcher : public CompositorWatcher, public QAbstractNativeEventFilter
{
    Q_OBJECT

public:
    // Watches screen 0, the screen of X11Connection::root().
    explicit X11CompositorWatcher(QObject* parent = nullptr);
    ~X11CompositorWatcher() override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    xcb_atom_t m_selection = 0;
    quint8 m_firstEvent = 0;
};

} // namespace nivora
