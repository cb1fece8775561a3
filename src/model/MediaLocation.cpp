#include "model/MediaLocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

namespace nivora::MediaLocation {

namespace {

bool looksLikeAddress(const QString& path)
{
    // A scheme ("http:", "edl:", "av:") before any slash; a local path starts
    // with "/" or names a relative file, which has no scheme.
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*:"));
    return !path.startsWith(QLatin1Char('/')) && scheme.match(path).hasMatch();
}

bool playlistName(const QString& path)
{
    static const QStringList suffixes{QStringLiteral("m3u"), QStringLiteral("m3u8"), QStringLiteral("pls"),
                                      QStringLiteral("cue"), QStringLiteral("edl")};
    return suffixes.contains(QFileInfo(path).suffix().toLower());
}

// The first bytes of the playlist formats the player knows, whatever the
// file's name.
bool playlistContent(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QByteArray head = file.read(4096);
    if (head.startsWith("\xEF\xBB\xBF"))
        head.remove(0, 3);
    const QByteArray start = head.trimmed().left(32).toLower();
    if (start.startsWith("#extm3u") || start.startsWith("[playlist]") || start.startsWith("# mpv edl") ||
        start.startsWith("mpv edl"))
        return true;
    // A cue sheet names the files its tracks come from.
    const QByteArray upper = head.toUpper();
    return (upper.startsWith("FILE ") || upper.contains("\nFILE ")) && upper.contains("TRACK ");
}

} // namespace

Kind kind(const QString& path)
{
    if (path.isEmpty())
        return Kind::None;
    if (looksLikeAddress(path))
        return Kind::Address;
    if (!QDir::isAbsolutePath(path))
        return Kind::Relative;
    const QFileInfo info(path);
    if (info.isDir())
        return Kind::Folder;
    if (!info.isFile())
        return Kind::Missing;
    return playlistName(path) || playlistContent(path) ? Kind::Playlist : Kind::File;
}

bool usable(const QString& path)
{
    const Kind k = kind(path);
    return k == Kind::File || k == Kind::Folder;
}

std::optional<QString> refusal(const QString& key, const QString& path)
{
    switch (kind(path)) {
    case Kind::None:
    case Kind::File:
    case Kind::Folder:
        return std::nullopt;
    case Kind::Address:
        return QCoreApplication::translate("MediaLocation", "%1: une adresse n'est pas un fichier : %2")
            .arg(key, path);
    case Kind::Relative:
        return QCoreApplication::translate("MediaLocation",
                                           "%1: chemin relatif, un chemin absolu est attendu : %2")
            .arg(key, path);
    case Kind::Missing:
        return QCoreApplication::translate("MediaLocation", "%1: fichier introuvable : %2").arg(key, path);
    case Kind::Playlist:
        return QCoreApplication::translate("MediaLocation",
                                           "%1: une liste de lecture n'est ni une vidéo ni une image : %2")
            .arg(key, path);
    }
    return std::nullopt;
}

} // namespace nivora::MediaLocation
