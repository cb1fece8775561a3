#include "platform/x11/X11DesktopStacking.h"

#include "platform/x11/X11Connection.h"

#include <QCoreApplication>
#include <QHash>
#include <QTimer>
#include <xcb/xcb.h>

namespace nivora {

namespace {

QList<xcb_window_t> windowList(xcb_window_t root, const QByteArray& name)
{
    xcb_connection_t* c = X11Connection::connection();
    XcbReply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        c, xcb_get_property(c, 0, root, X11Connection::atom(name), XCB_ATOM_WINDOW, 0, 4096), nullptr));
    if (!reply || reply->format != 32)
        return {};
    const int count = xcb_get_property_value_length(reply.get()) / 4;
    const auto* ids = static_cast<const xcb_window_t*>(xcb_get_property_value(reply.get()));
    return QList<xcb_window_t>(ids, ids + count);
}

bool hasDesktopType(xcb_window_t window)
{
    xcb_connection_t* c = X11Connection::connection();
    XcbReply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        c, xcb_get_property(c, 0, window, X11Connection::atom("_NET_WM_WINDOW_TYPE"), XCB_ATOM_ATOM, 0, 16),
        nullptr));
    if (!reply || reply->format != 32)
        return false;
    const int count = xcb_get_property_value_length(reply.get()) / 4;
    const auto* types = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
    // The first type is the one the window means; later ones are fallbacks.
    return count > 0 && types[0] == X11Connection::atom("_NET_WM_WINDOW_TYPE_DESKTOP");
}

bool hasAlpha(xcb_window_t window)
{
    xcb_connection_t* c = X11Connection::connection();
    XcbReply<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr));
    return geometry && geometry->depth == 32;
}

} // namespace

X11DesktopStacking::X11DesktopStacking(QObject* parent) : QObject(parent)
{
    xcb_connection_t* c = X11Connection::connection();
    if (!c)
        return;
    // Qt already selects property changes on the root window; asking again
    // keeps whatever else is selected.
    const xcb_window_t root = X11Connection::root();
    XcbReply<xcb_get_window_attributes_reply_t> attributes(
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, root), nullptr));
    const quint32 mask = (attributes ? attributes->your_event_mask : 0) | XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(c);
    QCoreApplication::instance()->installNativeEventFilter(this);
}

X11DesktopStacking::~X11DesktopStacking()
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

void X11DesktopStacking::keepUnderIcons(QWindow* window)
{
    if (!window || !X11Connection::connection())
        return;
    m_windows.removeAll(nullptr);
    if (!m_windows.contains(window))
        m_windows.append(window);
    // Once it is mapped, the window manager lists it.
    QTimer::singleShot(0, this, &X11DesktopStacking::restack);
}

bool X11DesktopStacking::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    if (eventType != "xcb_generic_event_t" || m_windows.isEmpty())
        return false;
    auto* event = static_cast<xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != XCB_PROPERTY_NOTIFY)
        return false;
    auto* notify = reinterpret_cast<xcb_property_notify_event_t*>(event);
    if (notify->window != X11Connection::root() ||
        notify->atom != X11Connection::atom("_NET_CLIENT_LIST_STACKING"))
        return false;
    // Once per burst of changes, after Qt has seen the event too.
    if (!m_scheduled) {
        m_scheduled = true;
        QTimer::singleShot(0, this, &X11DesktopStacking::restack);
    }
    return false;
}

bool X11DesktopStacking::isIconLayer(xcb_window_t window)
{
    return !isOwn(window) && hasDesktopType(window) && hasAlpha(window);
}

bool X11DesktopStacking::isOwn(xcb_window_t window)
{
    // The server hands each connection ids from a range of its own.
    const xcb_setup_t* setup = xcb_get_setup(X11Connection::connection());
    return (window & ~setup->resource_id_mask) == setup->resource_id_base;
}

bool X11DesktopStacking::compositing()
{
    // Without a compositing manager an alpha channel is not blended: the
    // icon window would cover the wallpaper with whatever it painted.
    xcb_connection_t* c = X11Connection::connection();
    XcbReply<xcb_get_selection_owner_reply_t> owner(xcb_get_selection_owner_reply(
        c, xcb_get_selection_owner(c, X11Connection::atom("_NET_WM_CM_S0")), nullptr));
    return owner && owner->owner != XCB_WINDOW_NONE;
}

void X11DesktopStacking::restack()
{
    m_scheduled = false;
    m_windows.removeAll(nullptr);
    xcb_connection_t* c = X11Connection::connection();
    if (!c || m_windows.isEmpty() || !compositing())
        return;
    QHash<xcb_window_t, bool> ours;
    for (const QPointer<QWindow>& window : std::as_const(m_windows))
        if (window->handle())
            ours.insert(static_cast<xcb_window_t>(window->winId()), true);

    // Bottom to top: the lowest icon window of another program, and ours
    // above it.
    const xcb_window_t root = X11Connection::root();
    xcb_window_t lowestIcons = XCB_WINDOW_NONE;
    QList<xcb_window_t> above;
    for (const xcb_window_t window : windowList(root, "_NET_CLIENT_LIST_STACKING")) {
        if (ours.contains(window)) {
            if (lowestIcons != XCB_WINDOW_NONE)
                above.append(window);
        } else if (lowestIcons == XCB_WINDOW_NONE && isIconLayer(window)) {
            lowestIcons = window;
        }
    }
    for (const xcb_window_t window : std::as_const(above)) {
        // _NET_RESTACK_WINDOW, as a pager asks: window managers honour it for
        // windows of any layer, where a plain restacking request with a
        // sibling may be refused.
        xcb_client_message_event_t request{};
        request.response_type = XCB_CLIENT_MESSAGE;
        request.format = 32;
        request.window = window;
        request.type = X11Connection::atom("_NET_RESTACK_WINDOW");
        request.data.data32[0] = 2; // from a pager
        request.data.data32[1] = lowestIcons;
        request.data.data32[2] = XCB_STACK_MODE_BELOW;
        xcb_send_event(c, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                       reinterpret_cast<const char*>(&request));
    }
    if (!above.isEmpty())
        xcb_flush(c);
}

} // namespace nivora
