#include "media/MediaPathCheck.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace nivora {

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

MediaPathCheck::Verdict MediaPathCheck::check(const QString& path)
{
    if (path.isEmpty())
        return Verdict::Missing;
    if (looksLikeAddress(path))
        return Verdict::Address;
    if (!QFileInfo(path).isFile())
        return Verdict::Missing;
    if (playlistName(path) || playlistContent(path))
        return Verdict::Playlist;
    return Verdict::PlainFile;
}

QString MediaPathCheck::refusal(const QString& path, Verdict verdict)
{
    switch (verdict) {
    case Verdict::Address:
        return QStringLiteral("Nivora: média refusé, une adresse n'est pas un fichier : %1").arg(path);
    case Verdict::Playlist:
        return QStringLiteral("Nivora: média refusé, une liste de lecture n'est pas une vidéo : %1")
            .arg(path);
    case Verdict::PlainFile:
    case Verdict::Missing:
        break;
    }
    return QString();
}

} // namespace nivora
