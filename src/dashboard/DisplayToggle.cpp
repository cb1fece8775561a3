#include "dashboard/DisplayToggle.h"

namespace nivora::DisplayToggle {

bool isOn(const QSet<quint32>& enabled, quint32 id)
{
    return enabled.isEmpty() || enabled.contains(id);
}

std::optional<QSet<quint32>> toggled(const QSet<quint32>& enabled, const QList<quint32>& connected,
                                     quint32 id, bool on)
{
    const QSet<quint32> all(connected.begin(), connected.end());
    QSet<quint32> working = enabled.isEmpty() ? all : enabled;
    if (on)
        working.insert(id);
    else
        working.remove(id);
    // The last display that shows the wallpaper cannot be switched off. An
    // identifier kept for a disconnected display shows nothing now, so it does
    // not count.
    if (!working.intersects(all))
        return std::nullopt;
    if (working == all)
        return QSet<quint32>();
    return working;
}

} // namespace nivora::DisplayToggle
