#include "platform/x11/X11Connection.h"

#include <QGuiApplication>
#include <QHash>

namespace nivora {

xcb_connection_t* X11Connection::connection()
{
    auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

xcb_window_t X11Connection::root()
{
    xcb_connection_t* c = connection();
    if (!c)
        return 0;
    const xcb_setup_t* setup = xcb_get_setup(c);
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(setup);
    return it.rem ? it.data->root : 0;
}

xcb_atom_t X11Connection::atom(const QByteArray& name)
{
    static QHash<QByteArray, xcb_atom_t> cache;
    const auto found = cache.constFind(name);
    if (found != cache.constEnd())
        return *found;
    xcb_connection_t* c = connection();
    if (!c)
        return 0;
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, static_cast<quint16>(name.size()), name.constData()), nullptr);
    if (!reply)
        return 0;
    const xcb_atom_t a = reply->atom;
    free(reply);
    cache.insert(name, a);
    return a;
}

} // namespace nivora
