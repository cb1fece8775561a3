#include "state/MediaStatus.h"

namespace nivora {

MediaStatus& MediaStatus::shared()
{
    static MediaStatus status;
    return status;
}

void MediaStatus::setUnreadablePath(const QString& path)
{
    if (path == m_unreadablePath)
        return;
    m_unreadablePath = path;
    Q_EMIT changed();
}

void MediaStatus::setCrashedPath(const QString& path)
{
    if (path == m_crashedPath)
        return;
    m_crashedPath = path;
    Q_EMIT changed();
}

} // namespace nivora
