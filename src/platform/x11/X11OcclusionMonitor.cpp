#include "platform/x11/X11OcclusionMonitor.h"

#include "platform/x11/X11Connection.h"
#include "platform/x11/X11DesktopStacking.h"

#include <QCoreApplication>
#include <QWindow>
#include <cstdlib>
#include <memory>
#include <xcb/xcb.h>

namespace nivora {

namespace {

QList<quint32> atomListProperty(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property,
                                xcb_atom_t type)
{
    QList<quint32> out;
    XcbReply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(c, xcb_get_property(c, 0, window, property, type, 0, 1024), nullptr));
    if (!reply || reply->format != 32)
        return out;
    const int n = xcb_get_property_value_length(reply.get()) / 4;
    const auto* values = static_cast<const quint32*>(xcb_get_property_value(reply.get()));
    for (int i = 0; i < n; ++i)
        out.append(values[i]);
    return out;
}

// What is followed on the other clients' windows: their states and desktops,
// and their geometry.
constexpr quint32 clientEvents = XCB_EVENT_MASK_PROPERTY_CHANGE | XCB_EVENT_MASK_STRUCTURE_NOTIFY;

} // namespace

X11OcclusionMonitor::X11OcclusionMonitor(QObject* parent) : OcclusionMonitor(parent)
{
    m_debounce.setSingleShot(true);
    m_debounce.setInterval(40);
    connect(&m_debounce, &QTimer::timeout, this, &X11OcclusionMonitor::evaluate);
    QCoreApplication::instance()->installNativeEventFilter(this);
}

X11OcclusionMonitor::~X11OcclusionMonitor()
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

void X11OcclusionMonitor::selectEvents(quint32 xid, quint32 mask, bool select)
{
    xcb_connection_t* c = X11Connection::connection();
    if (!c)
        return;
    // Event masks are per client and per window: add ours to whatever Qt (or an
    // earlier call) already selected instead of replacing it, and take away
    // only ours. A window that is gone answers with an error, caught here so
    // that it is not reported as a fault.
    xcb_generic_error_t* error = nullptr;
    XcbReply<xcb_get_window_attributes_reply_t> attrs(
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, xid), &error));
    std::free(error);
    if (!attrs)
        return;
    const quint32 value = select ? (attrs->your_event_mask | mask) : (attrs->your_event_mask & ~mask);
    if (value != attrs->your_event_mask)
        xcb_change_window_attributes(c, xid, XCB_CW_EVENT_MASK, &value);
}

void X11OcclusionMonitor::watch(QWindow* window, const QRect& screenFrame)
{
    if (!window || !X11Connection::connection())
        return;
    if (!m_rootSelected) {
        selectEvents(X11Connection::root(), XCB_EVENT_MASK_PROPERTY_CHANGE, true);
        m_rootSelected = true;
    }
    Watched w;
    w.xid = static_cast<quint32>(window->winId());
    w.frame = screenFrame;
    selectEvents(w.xid, XCB_EVENT_MASK_VISIBILITY_CHANGE, true);
    m_watched.insert(window, w);
    scheduleEvaluation();
}

void X11OcclusionMonitor::unwatch(QWindow* window)
{
    const auto it = m_watched.find(window);
    if (it == m_watched.end())
        return;
    const quint32 xid = it->xid;
    m_watched.erase(it);
    if (!X11Connection::connection())
        return;
    selectEvents(xid, XCB_EVENT_MASK_VISIBILITY_CHANGE, false);
    if (!m_watched.isEmpty())
        return;
    // Nothing watched: stop hearing of every other window's changes, which
    // would otherwise wake the process for nothing.
    m_debounce.stop();
    for (const quint32 client : std::as_const(m_selectedClients))
        selectEvents(client, clientEvents, false);
    m_selectedClients.clear();
    xcb_flush(X11Connection::connection());
}

bool X11OcclusionMonitor::isCovered(QWindow* window) const
{
    const auto it = m_watched.constFind(window);
    return it != m_watched.constEnd() && it->reported;
}

void X11OcclusionMonitor::scheduleEvaluation()
{
    if (!m_debounce.isActive())
        m_debounce.start();
}

void X11OcclusionMonitor::report(QWindow* window, Watched& w)
{
    const bool covered = w.coveredByClient || w.obscured;
    if (covered == w.reported)
        return;
    w.reported = covered;
    Q_EMIT coveredChanged(window, covered);
}

bool X11OcclusionMonitor::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    if (m_watched.isEmpty() || eventType != "xcb_generic_event_t")
        return false;
    auto* event = static_cast<xcb_generic_event_t*>(message);
    const quint8 type = event->response_type & 0x7f;
    if (type == XCB_VISIBILITY_NOTIFY) {
        auto* v = reinterpret_cast<xcb_visibility_notify_event_t*>(event);
        for (auto it = m_watched.begin(); it != m_watched.end(); ++it) {
            if (it->xid == v->window) {
                it->obscured = v->state == XCB_VISIBILITY_FULLY_OBSCURED;
                report(it.key(), *it);
            }
        }
    } else if (type == XCB_PROPERTY_NOTIFY) {
        auto* p = reinterpret_cast<xcb_property_notify_event_t*>(event);
        if (p->window == X11Connection::root()) {
            if (p->atom == X11Connection::atom("_NET_CLIENT_LIST_STACKING") ||
                p->atom == X11Connection::atom("_NET_CURRENT_DESKTOP") ||
                p->atom == X11Connection::atom("_NET_ACTIVE_WINDOW"))
                scheduleEvaluation();
        } else if (m_selectedClients.contains(p->window)) {
            if (p->atom == X11Connection::atom("_NET_WM_STATE") ||
                p->atom == X11Connection::atom("_NET_WM_DESKTOP"))
                scheduleEvaluation();
        }
    } else if (type == XCB_CONFIGURE_NOTIFY) {
        auto* cfg = reinterpret_cast<xcb_configure_notify_event_t*>(event);
        if (m_selectedClients.contains(cfg->window))
            scheduleEvaluation();
    }
    return false;
}

void X11OcclusionMonitor::evaluate()
{
    xcb_connection_t* c = X11Connection::connection();
    if (!c || m_watched.isEmpty())
        return;
    const xcb_window_t root = X11Connection::root();
    const QList<quint32> stacking =
        atomListProperty(c, root, X11Connection::atom("_NET_CLIENT_LIST_STACKING"), XCB_ATOM_WINDOW);
    const QList<quint32> currentDesktop =
        atomListProperty(c, root, X11Connection::atom("_NET_CURRENT_DESKTOP"), XCB_ATOM_CARDINAL);
    const quint32 desktop = currentDesktop.isEmpty() ? 0 : currentDesktop.first();

    const xcb_atom_t fullscreen = X11Connection::atom("_NET_WM_STATE_FULLSCREEN");
    const xcb_atom_t maxH = X11Connection::atom("_NET_WM_STATE_MAXIMIZED_HORZ");
    const xcb_atom_t maxV = X11Connection::atom("_NET_WM_STATE_MAXIMIZED_VERT");
    const xcb_atom_t hidden = X11Connection::atom("_NET_WM_STATE_HIDDEN");
    const xcb_atom_t typeNormal = X11Connection::atom("_NET_WM_WINDOW_TYPE_NORMAL");
    const xcb_atom_t typeDesktop = X11Connection::atom("_NET_WM_WINDOW_TYPE_DESKTOP");
    const bool compositing = X11DesktopStacking::compositing();

    QSet<quint32> ours;
    for (const Watched& w : std::as_const(m_watched))
        ours.insert(w.xid);

    // Areas covered by fullscreen or maximised ordinary windows on the current
    // workspace.
    QList<QRect> coverers;
    // Another program's desktop window that nothing shows through (a file
    // manager's desktop drawn opaque), with its place in the stacking order:
    // it hides the wallpaper only from above.
    QList<QPair<QRect, qsizetype>> desktopCoverers;
    for (qsizetype index = 0; index < stacking.size(); ++index) {
        const quint32 client = stacking[index];
        if (ours.contains(client))
            continue;
        if (!m_selectedClients.contains(client)) {
            selectEvents(client, clientEvents, true);
            m_selectedClients.insert(client);
        }
        const QList<quint32> types =
            atomListProperty(c, client, X11Connection::atom("_NET_WM_WINDOW_TYPE"), XCB_ATOM_ATOM);
        // Our own desktop windows never hide the wallpaper: one kept up
        // until a new video's first frame lies above the new one on purpose.
        if (!types.isEmpty() && types.first() == typeDesktop && !X11DesktopStacking::isOwn(client)) {
            XcbReply<xcb_get_geometry_reply_t> geo(
                xcb_get_geometry_reply(c, xcb_get_geometry(c, client), nullptr));
            XcbReply<xcb_translate_coordinates_reply_t> pos(xcb_translate_coordinates_reply(
                c, xcb_translate_coordinates(c, client, root, 0, 0), nullptr));
            if (geo && pos && !(compositing && geo->depth == 32))
                desktopCoverers.append({QRect(pos->dst_x, pos->dst_y, geo->width, geo->height), index});
            continue;
        }
        if (!types.isEmpty() && !types.contains(typeNormal))
            continue;
        const QList<quint32> states =
            atomListProperty(c, client, X11Connection::atom("_NET_WM_STATE"), XCB_ATOM_ATOM);
        if (states.contains(hidden))
            continue;
        const bool covers = states.contains(fullscreen) || (states.contains(maxH) && states.contains(maxV));
        if (!covers)
            continue;
        const QList<quint32> onDesktop =
            atomListProperty(c, client, X11Connection::atom("_NET_WM_DESKTOP"), XCB_ATOM_CARDINAL);
        if (!onDesktop.isEmpty() && onDesktop.first() != desktop && onDesktop.first() != 0xFFFFFFFFu)
            continue;
        XcbReply<xcb_get_geometry_reply_t> geo(
            xcb_get_geometry_reply(c, xcb_get_geometry(c, client), nullptr));
        XcbReply<xcb_translate_coordinates_reply_t> pos(
            xcb_translate_coordinates_reply(c, xcb_translate_coordinates(c, client, root, 0, 0), nullptr));
        if (!geo || !pos)
            continue;
        coverers.append(QRect(pos->dst_x, pos->dst_y, geo->width, geo->height));
    }
    // Forget clients that left the list so the set does not grow for ever.
    const QSet<quint32> listed(stacking.cbegin(), stacking.cend());
    m_selectedClients.intersect(listed);

    for (auto it = m_watched.begin(); it != m_watched.end(); ++it) {
        const qsizetype ourIndex = stacking.indexOf(it->xid);
        bool covered = false;
        for (const auto& [area, index] : std::as_const(desktopCoverers)) {
            if (ourIndex >= 0 && index > ourIndex && area.contains(it->frame.center())) {
                covered = true;
                break;
            }
        }
        for (const QRect& r : std::as_const(coverers)) {
            // A maximised window leaves room for panels, so it counts as covering
            // the screen its centre lies on rather than needing the exact frame.
            if (!covered && it->frame.contains(r.center())) {
                covered = true;
                break;
            }
        }
        it->coveredByClient = covered;
        report(it.key(), *it);
    }
}

} // namespace nivora
