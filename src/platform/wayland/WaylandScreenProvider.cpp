#include "platform/wayland/WaylandScreenProvider.h"

#include "platform/wayland/WaylandConnection.h"

namespace nivora {

WaylandScreenProvider::WaylandScreenProvider(WaylandConnection& connection, QObject* parent)
    : ScreenProvider(parent), m_connection(connection)
{
    connect(&m_connection, &WaylandConnection::outputsChanged, this, &ScreenProvider::screensChanged);
}

QList<ScreenInfo> WaylandScreenProvider::screens() const
{
    QList<ScreenInfo> out;
    const QList<WaylandConnection::Output> outputs = m_connection.outputs();
    for (const WaylandConnection::Output& o : outputs) {
        ScreenInfo info;
        info.name = o.name;
        info.displayID = displayIdentifier(o.name);
        info.frame = o.frame();
        // wl_output gives millihertz; 0 means the compositor does not know.
        info.refreshRate = o.refreshMilliHz > 0 ? o.refreshMilliHz / 1000.0 : 60.0;
        out.append(info);
    }
    return out;
}

} // namespace nivora
