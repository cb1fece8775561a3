#include "platform/x11/X11WidgetWindowHints.h"

#include "platform/x11/X11Connection.h"

#include <QList>
#include <QWindow>
#include <xcb/xcb.h>

namespace nivora {

namespace {

constexpr quint32 allDesktops = 0xFFFFFFFFu;

QList<xcb_atom_t> widgetStates()
{
    return {
        X11Connection::atom("_NET_WM_STATE_STICKY"),
        X11Connection::atom("_NET_WM_STATE_SKIP_TASKBAR"),
        X11Connection::atom("_NET_WM_STATE_SKIP_PAGER"),
        X11Connection::atom("_KDE_NET_WM_STATE_SKIP_SWITCHER"),
    };
}

void sendToRoot(xcb_connection_t* c, xcb_window_t window, xcb_atom_t type, const quint32 (&data)[5])
{
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = type;
    for (int i = 0; i < 5; ++i)
        event.data.data32[i] = data[i];
    xcb_send_event(c, false, X11Connection::root(),
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&event));
}

} // namespace

bool X11WidgetWindowHints::prepare(QWindow* window)
{
    xcb_connection_t* c = X11Connection::connection();
    if (!c || !window)
        return false;
    const xcb_window_t id = static_cast<xcb_window_t>(window->winId());
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, X11Connection::atom("_NET_WM_DESKTOP"),
                        XCB_ATOM_CARDINAL, 32, 1, &allDesktops);
    // Appended, so states already there (Qt's own, if any) stay.
    const QList<xcb_atom_t> states = widgetStates();
    xcb_change_property(c, XCB_PROP_MODE_APPEND, id, X11Connection::atom("_NET_WM_STATE"), XCB_ATOM_ATOM, 32,
                        static_cast<uint32_t>(states.size()), states.constData());
    xcb_flush(c);
    return true;
}

void X11WidgetWindowHints::shown(QWindow* window)
{
    xcb_connection_t* c = X11Connection::connection();
    if (!c || !window)
        return;
    const xcb_window_t id = static_cast<xcb_window_t>(window->winId());
    // Source indication 2: a pager-like request, which window managers obey
    // without focus-stealing checks.
    sendToRoot(c, id, X11Connection::atom("_NET_WM_DESKTOP"), {allDesktops, 2, 0, 0, 0});
    const QList<xcb_atom_t> states = widgetStates();
    constexpr quint32 add = 1;
    sendToRoot(c, id, X11Connection::atom("_NET_WM_STATE"), {add, states.at(0), states.at(1), 2, 0});
    sendToRoot(c, id, X11Connection::atom("_NET_WM_STATE"), {add, states.at(2), states.at(3), 2, 0});
    xcb_flush(c);
}

} // namespace nivora
