#include "platform/x11/X11WorkAreaMonitor.h"

#include "platform/x11/X11Connection.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <xcb/xcb.h>

namespace nivora {

namespace {

// The 32-bit values of a property, empty when it is missing or of another
// format.
QList<quint32> cardinals(xcb_window_t window, const QByteArray& name, quint32 maxValues)
{
    xcb_connection_t* c = X11Connection::connection();
    const xcb_atom_t atom = X11Connection::atom(name);
    if (!c || !atom)
        return {};
    XcbReply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        c, xcb_get_property(c, 0, window, atom, XCB_GET_PROPERTY_TYPE_ANY, 0, maxValues), nullptr));
    if (!reply || reply->format != 32)
        return {};
    const int count = xcb_get_property_value_length(reply.get()) / 4;
    const auto* values = static_cast<const quint32*>(xcb_get_property_value(reply.get()));
    return QList<quint32>(values, values + count);
}

QList<QRect> rects(const QList<quint32>& values)
{
    QList<QRect> result;
    for (qsizetype i = 0; i + 3 < values.size(); i += 4)
        result.append(QRect(int(values[i]), int(values[i + 1]), int(values[i + 2]), int(values[i + 3])));
    return result;
}

// Native to logical pixels for one screen: Qt keeps a screen's origin and
// divides distances from it by the screen's scale.
QRect toLogical(const QRect& native, QScreen* screen)
{
    const double scale = screen->devicePixelRatio();
    const QPoint origin = screen->geometry().topLeft();
    const QPointF topLeft = QPointF(origin) + QPointF(native.topLeft() - origin) / scale;
    return QRectF(topLeft, QSizeF(native.size()) / scale).toAlignedRect();
}

QRect toNative(const QRect& logical, QScreen* screen)
{
    const double scale = screen->devicePixelRatio();
    const QPoint origin = logical.topLeft();
    return QRect(origin, (QSizeF(logical.size()) * scale).toSize());
}

} // namespace

X11WorkAreaMonitor::X11WorkAreaMonitor(QObject* parent) : WorkAreaMonitor(parent)
{
    if (X11Connection::connection())
        QCoreApplication::instance()->installNativeEventFilter(this);
    // Screens come and go, and Qt follows _NET_WORKAREA itself.
    auto follow = [this](QScreen* screen) {
        connect(screen, &QScreen::geometryChanged, this, &X11WorkAreaMonitor::forget);
        connect(screen, &QScreen::availableGeometryChanged, this, &X11WorkAreaMonitor::forget);
    };
    for (QScreen* screen : QGuiApplication::screens())
        follow(screen);
    connect(qGuiApp, &QGuiApplication::screenAdded, this, [this, follow](QScreen* screen) {
        follow(screen);
        forget();
    });
    connect(qGuiApp, &QGuiApplication::screenRemoved, this, &X11WorkAreaMonitor::forget);
}

X11WorkAreaMonitor::~X11WorkAreaMonitor()
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

X11WorkAreaMonitor::Snapshot X11WorkAreaMonitor::read() const
{
    Snapshot snapshot;
    const xcb_window_t root = X11Connection::root();
    if (!root)
        return snapshot;
    const QList<quint32> current = cardinals(root, "_NET_CURRENT_DESKTOP", 1);
    const quint32 desktop = current.isEmpty() ? 0 : current.first();
    snapshot.perMonitor = rects(cardinals(root, "_GTK_WORKAREAS_D" + QByteArray::number(desktop), 256));
    const QList<QRect> all = rects(cardinals(root, "_NET_WORKAREA", 4 * 64));
    if (qsizetype(desktop) < all.size())
        snapshot.desktop = all.at(desktop);
    if (!snapshot.perMonitor.isEmpty())
        return snapshot;

    xcb_connection_t* c = X11Connection::connection();
    XcbReply<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(c, xcb_get_geometry(c, root), nullptr));
    if (geometry)
        snapshot.root = QSize(geometry->width, geometry->height);
    for (const quint32 window : cardinals(root, "_NET_CLIENT_LIST", 4096)) {
        QList<quint32> strut = cardinals(window, "_NET_WM_STRUT_PARTIAL", 12);
        if (strut.size() < 12) {
            // The older form reserves whole edges.
            const QList<quint32> plain = cardinals(window, "_NET_WM_STRUT", 4);
            if (plain.size() < 4)
                continue;
            strut = plain + QList<quint32>{0, quint32(snapshot.root.height() - 1),
                                           0, quint32(snapshot.root.height() - 1),
                                           0, quint32(snapshot.root.width() - 1),
                                           0, quint32(snapshot.root.width() - 1)};
        }
        const int w = snapshot.root.width();
        const int h = snapshot.root.height();
        auto add = [&](int x, int y, int width, int height) {
            if (width > 0 && height > 0)
                snapshot.struts.append(QRect(x, y, width, height));
        };
        add(0, int(strut[4]), int(strut[0]), int(strut[5]) - int(strut[4]) + 1);
        add(w - int(strut[1]), int(strut[6]), int(strut[1]), int(strut[7]) - int(strut[6]) + 1);
        add(int(strut[8]), 0, int(strut[9]) - int(strut[8]) + 1, int(strut[2]));
        add(int(strut[10]), h - int(strut[3]), int(strut[11]) - int(strut[10]) + 1, int(strut[3]));
    }
    return snapshot;
}

QRect X11WorkAreaMonitor::workArea(QScreen* screen) const
{
    if (!screen)
        return {};
    const QRect logicalScreen = screen->geometry();
    if (!X11Connection::connection())
        return screen->availableGeometry();
    if (!m_snapshot)
        m_snapshot = read();
    const Snapshot& s = *m_snapshot;
    const QRect native = toNative(logicalScreen, screen);

    if (!s.perMonitor.isEmpty()) {
        // Mutter lists one rectangle per monitor; the one inside this screen
        // is its work area.
        QRect best;
        for (const QRect& area : s.perMonitor) {
            const QRect inside = area & native;
            if (inside.width() * qint64(inside.height()) > best.width() * qint64(best.height()))
                best = inside;
        }
        if (!best.isEmpty())
            return toLogical(best, screen);
    }

    // A panel's strut that touches this screen takes its edge away from it,
    // as much as the strut reaches into the screen.
    QRect area = native;
    for (const QRect& strut : s.struts) {
        const QRect hit = strut & area;
        if (hit.isEmpty())
            continue;
        const bool wide = hit.width() >= hit.height();
        if (wide && hit.top() == area.top())
            area.setTop(hit.bottom() + 1);
        else if (wide && hit.bottom() == area.bottom())
            area.setBottom(hit.top() - 1);
        else if (hit.left() == area.left())
            area.setLeft(hit.right() + 1);
        else if (hit.right() == area.right())
            area.setRight(hit.left() - 1);
    }
    if (s.desktop && s.struts.isEmpty())
        area &= *s.desktop;
    if (area.isEmpty())
        return logicalScreen;
    return toLogical(area, screen);
}

bool X11WorkAreaMonitor::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    auto* event = static_cast<xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != XCB_PROPERTY_NOTIFY)
        return false;
    auto* notify = reinterpret_cast<xcb_property_notify_event_t*>(event);
    if (notify->window != X11Connection::root())
        return false;
    static const QByteArray gtkPrefix = QByteArrayLiteral("_GTK_WORKAREAS_D");
    const xcb_atom_t atom = notify->atom;
    bool relevant = atom == X11Connection::atom("_NET_WORKAREA") ||
                    atom == X11Connection::atom("_NET_CURRENT_DESKTOP") ||
                    atom == X11Connection::atom("_NET_CLIENT_LIST");
    for (int d = 0; !relevant && d < 4; ++d)
        relevant = atom == X11Connection::atom(gtkPrefix + QByteArray::number(d));
    if (relevant)
        forget();
    // Qt follows these properties too.
    return false;
}

void X11WorkAreaMonitor::forget()
{
    m_snapshot.reset();
    scheduleChanged();
}

} // namespace nivora
