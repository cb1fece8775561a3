#include "platform/x11/X11WindowObscuredMonitor.h"

#include "platform/x11/X11Connection.h"

#include <QCoreApplication>
#include <QWindow>

namespace nivora {

X11WindowObscuredMonitor::X11WindowObscuredMonitor(QObject* parent) : WindowObscuredMonitor(parent)
{
    QCoreApplication::instance()->installNativeEventFilter(this);
}

X11WindowObscuredMonitor::~X11WindowObscuredMonitor()
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

void X11WindowObscuredMonitor::watch(QWindow* window)
{
    xcb_connection_t* c = X11Connection::connection();
    if (!window || !c || m_watched.contains(window))
        return;
    Watched w;
    w.xid = static_cast<quint32>(window->winId());
    // Event masks are per client and window: add ours to what Qt selected.
    XcbReply<xcb_get_window_attributes_reply_t> attrs(
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, w.xid), nullptr));
    if (!attrs)
        return;
    const quint32 mask = attrs->your_event_mask | XCB_EVENT_MASK_VISIBILITY_CHANGE;
    xcb_change_window_attributes(c, w.xid, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(c);
    m_watched.insert(window, w);
    connect(window, &QObject::destroyed, this, [this, window] { m_watched.remove(window); });
}

bool X11WindowObscuredMonitor::isObscured(QWindow* window) const
{
    const auto it = m_watched.constFind(window);
    return it != m_watched.constEnd() && it->obscured;
}

bool X11WindowObscuredMonitor::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    if (m_watched.isEmpty() || eventType != "xcb_generic_event_t")
        return false;
    auto* event = static_cast<xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != XCB_VISIBILITY_NOTIFY)
        return false;
    auto* v = reinterpret_cast<xcb_visibility_notify_event_t*>(event);
    for (auto it = m_watched.begin(); it != m_watched.end(); ++it) {
        if (it->xid != v->window)
            continue;
        const bool obscured = v->state == XCB_VISIBILITY_FULLY_OBSCURED;
        if (obscured != it->obscured) {
            it->obscured = obscured;
            Q_EMIT obscuredChanged(it.key(), obscured);
        }
    }
    return false;
}

} // namespace nivora
