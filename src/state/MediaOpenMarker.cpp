#include "state/MediaOpenMarker.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace nivora {

namespace {

// A path is far shorter; anything longer is not our marker.
constexpr qint64 kMaxMarkerSize = 64 * 1024;

} // namespace

MediaOpenMarker::MediaOpenMarker(const QString& settingsFile)
    : m_path(QFileInfo(settingsFile).absolutePath() + QStringLiteral("/media-opening"))
{
}

QString MediaOpenMarker::read() const
{
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxMarkerSize)
        return QString();
    return QString::fromUtf8(file.readAll());
}

void MediaOpenMarker::write(const QString& mediaPath)
{
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    QFile file(m_path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return;
    file.write(mediaPath.toUtf8());
    // Unbuffered by the close: the kernel keeps the bytes through a crash of
    // this process.
    file.close();
}

void MediaOpenMarker::remove()
{
    QFile::remove(m_path);
}

} // namespace nivora
