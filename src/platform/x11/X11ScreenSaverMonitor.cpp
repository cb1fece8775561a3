#include "platform/x11/X11ScreenSaverMonitor.h"

#include "platform/x11/X11Connection.h"

#include <QCoreApplication>
#include <cstdlib>
#include <xcb/screensaver.h>

namespace nivora {

X11ScreenSaverMonitor::X11ScreenSaverMonitor(QObject* parent) : ScreenSleepMonitor(parent)
{
    xcb_connection_t* c = X11Connection::connection();
    if (!c)
        return;
    const xcb_query_extension_reply_t* ext = xcb_get_extension_data(c, &xcb_screensaver_id);
    if (!ext || !ext->present)
        return;
    xcb_screensaver_query_version_reply_t* version = xcb_screensaver_query_version_reply(
        c, xcb_screensaver_query_version(c, XCB_SCREENSAVER_MAJOR_VERSION, XCB_SCREENSAVER_MINOR_VERSION),
        nullptr);
    if (!version)
        return;
    std::free(version);
    m_firstEvent = ext->first_event;
    xcb_screensaver_select_input(c, X11Connection::root(), XCB_SCREENSAVER_EVENT_NOTIFY_MASK);
    xcb_flush(c);
    QCoreApplication::instance()->installNativeEventFilter(this);
}

X11ScreenSaverMonitor::~X11ScreenSaverMonitor()
{
    if (m_firstEvent && QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool X11ScreenSaverMonitor::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    if (!m_firstEvent || eventType != "xcb_generic_event_t")
        return false;
    auto* event = static_cast<xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != m_firstEvent + XCB_SCREENSAVER_NOTIFY)
        return false;
    auto* notify = reinterpret_cast<xcb_screensaver_notify_event_t*>(event);
    const bool asleep =
        notify->state == XCB_SCREENSAVER_STATE_ON || notify->state == XCB_SCREENSAVER_STATE_CYCLE;
    if (asleep != m_asleep) {
        m_asleep = asleep;
        if (asleep)
            Q_EMIT screensDidSleep();
        else
            Q_EMIT screensDidWake();
    }
    return false;
}

} // namespace nivora
