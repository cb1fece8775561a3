#include "platform/x11/X11DesktopWindowHints.h"

#include "platform/x11/X11Connection.h"
#include "platform/x11/X11DesktopStacking.h"

#include <QVariant>
#include <QWindow>
#include <xcb/xcb.h>

namespace nivora {

X11DesktopWindowHints::X11DesktopWindowHints() = default;
X11DesktopWindowHints::~X11DesktopWindowHints() = default;

bool X11DesktopWindowHints::prepare(QWindow* window)
{
    xcb_connection_t* c = X11Connection::connection();
    if (!c || !window)
        return false;

    // Qt's xcb plugin reads this property when the window flags change and then
    // writes _NET_WM_WINDOW_TYPE itself; 0x2 is its "desktop" bit. Setting the
    // atom directly would be overwritten at the next flag change.
    window->setProperty("_q_xcb_wm_window_type", QVariant(0x2));
    // QWindow ignores a setFlags() that changes nothing, hence the toggle.
    window->setFlag(Qt::FramelessWindowHint, false);
    window->setFlag(Qt::FramelessWindowHint, true);

    const xcb_window_t id = static_cast<xcb_window_t>(window->winId());
    const xcb_atom_t cardinal = XCB_ATOM_CARDINAL;
    const quint32 allDesktops = 0xFFFFFFFFu;
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, X11Connection::atom("_NET_WM_DESKTOP"), cardinal, 32, 1,
                        &allDesktops);

    const xcb_atom_t states[] = {
        X11Connection::atom("_NET_WM_STATE_STICKY"),
        X11Connection::atom("_NET_WM_STATE_SKIP_TASKBAR"),
        X11Connection::atom("_NET_WM_STATE_SKIP_PAGER"),
    };
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, X11Connection::atom("_NET_WM_STATE"), XCB_ATOM_ATOM, 32,
                        3, states);
    xcb_flush(c);
    if (!m_stacking)
        m_stacking = std::make_unique<X11DesktopStacking>();
    m_stacking->keepUnderIcons(window);
    return true;
}

} // namespace nivora
