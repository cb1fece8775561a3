#include "platform/x11/X11WidgetWindowHints.h"

#include "platform/x11/X11Connection.h"

#include <QList>
#include <QVariant>
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

XcbReply<xcb_get_property_reply_t> property(xcb_connection_t* c, xcb_window_t window, xcb_atom_t name,
                                            xcb_atom_t type, quint32 length)
{
    return XcbReply<xcb_get_property_reply_t>(
        xcb_get_property_reply(c, xcb_get_property(c, 0, window, name, type, 0, length), nullptr));
}

} // namespace

QByteArray X11WidgetWindowHints::windowManagerName()
{
    xcb_connection_t* c = X11Connection::connection();
    if (!c)
        return QByteArray();
    const auto check = property(c, X11Connection::root(), X11Connection::atom("_NET_SUPPORTING_WM_CHECK"),
                                XCB_ATOM_WINDOW, 1);
    if (!check || check->type != XCB_ATOM_WINDOW || xcb_get_property_value_length(check.get()) < 4)
        return QByteArray();
    const xcb_window_t wm = *static_cast<const xcb_window_t*>(xcb_get_property_value(check.get()));
    // A stale check window (its window manager gone) has no name, or is gone.
    const auto name =
        property(c, wm, X11Connection::atom("_NET_WM_NAME"), X11Connection::atom("UTF8_STRING"), 64);
    if (!name || name->type == XCB_NONE)
        return QByteArray();
    return QByteArray(static_cast<const char*>(xcb_get_property_value(name.get())),
                      xcb_get_property_value_length(name.get()));
}

X11WidgetWindowHints::Type X11WidgetWindowHints::typeForWindowManager(const QByteArray& name)
{
    const QByteArray n = name.toLower();
    if (n.contains("openbox"))
        return Type::Splash;
    for (const char* metacityFamily : {"metacity", "marco", "mutter", "muffin", "gnome shell"}) {
        if (n.contains(metacityFamily))
            return Type::Dock;
    }
    return Type::Normal;
}

bool X11WidgetWindowHints::prepare(QWindow* window)
{
    xcb_connection_t* c = X11Connection::connection();
    if (!c || !window)
        return false;

    const Type type = typeForWindowManager(windowManagerName());
    m_windowManagerMoves = type != Type::Dock;
    if (type != Type::Normal) {
        // Qt writes _NET_WM_WINDOW_TYPE itself from its window flags and this
        // property (0x40 its splash bit, 0x4 its dock bit), on every flag
        // change; QWindow ignores a setFlags() that changes nothing, hence the
        // toggle. Qt keeps "normal" after the chosen type, as a fallback.
        window->setProperty("_q_xcb_wm_window_type", QVariant(type == Type::Splash ? 0x40 : 0x4));
        window->setFlag(Qt::FramelessWindowHint, false);
        window->setFlag(Qt::FramelessWindowHint, true);
    }

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
