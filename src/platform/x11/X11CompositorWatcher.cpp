#include "platform/x11/X11CompositorWatcher.h"

#include "platform/x11/X11Connection.h"

#include <QCoreApplication>
#include <xcb/xfixes.h>

namespace nivora {

X11CompositorWatcher::X11CompositorWatcher(QObject* parent) : CompositorWatcher(parent)
{
    xcb_connection_t* c = X11Connection::connection();
    const xcb_window_t root = X11Connection::root();
    if (!c || !root)
        return;
    m_selection = X11Connection::atom("_NET_WM_CM_S0");
    if (!m_selection)
        return;

    // Subscribe before reading the owner, so that a change between the two is
    // not lost: at worst it is seen twice, and setActive() ignores the repeat.
    const xcb_query_extension_reply_t* ext = xcb_get_extension_data(c, &xcb_xfixes_id);
    if (ext && ext->present) {
        XcbReply<xcb_xfixes_query_version_reply_t> version(xcb_xfixes_query_version_reply(
            c, xcb_xfixes_query_version(c, XCB_XFIXES_MAJOR_VERSION, XCB_XFIXES_MINOR_VERSION), nullptr));
        if (version) {
            m_firstEvent = ext->first_event;
            xcb_xfixes_select_selection_input(c, root, m_selection,
                                              XCB_XFIXES_SELECTION_EVENT_MASK_SET_SELECTION_OWNER |
                                                  XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_WINDOW_DESTROY |
                                                  XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_CLIENT_CLOSE);
            QCoreApplication::instance()->installNativeEventFilter(this);
        }
    }
    XcbReply<xcb_get_selection_owner_reply_t> owner(
        xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, m_selection), nullptr));
    setActive(owner && owner->owner != XCB_NONE);
}

X11CompositorWatcher::~X11CompositorWatcher()
{
    if (m_firstEvent && QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool X11CompositorWatcher::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    if (!m_firstEvent || eventType != "xcb_generic_event_t")
        return false;
    auto* event = static_cast<xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != m_firstEvent + XCB_XFIXES_SELECTION_NOTIFY)
        return false;
    auto* notify = reinterpret_cast<xcb_xfixes_selection_notify_event_t*>(event);
    if (notify->selection != m_selection)
        return false;
    // Destroy and close events carry no owner; a new owner carries its window.
    setActive(notify->subtype == XCB_XFIXES_SELECTION_EVENT_SET_SELECTION_OWNER && notify->owner != XCB_NONE);
    // Qt watches selections of its own (the clipboard): let it see the event.
    return false;
}

} // namespace nivora
