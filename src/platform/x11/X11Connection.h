#pragma once

#include <QByteArray>
#include <cstdlib>
#include <memory>
#include <xcb/xcb.h>

namespace nivora {

// A reply or event from xcb, which allocates them with malloc.
struct XcbFree
{
    void operator()(void* p) const { std::free(p); }
};
template <typename T> using XcbReply = std::unique_ptr<T, XcbFree>;

// Qt's own xcb connection, shared by the X11 backends so that their requests
// are ordered with Qt's. Main thread only.
class X11Connection
{
public:
    // Null when the application does not run on X11.
    static xcb_connection_t* connection();
    // The root window of the default screen, or 0.
    static xcb_window_t root();
    // Interned atom (cached); 0 when there is no connection.
    static xcb_atom_t atom(const QByteArray& name);
};

} // namespace nivora
