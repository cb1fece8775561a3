#include "media/MediaPathCheck.h"

#include "model/MediaLocation.h"

namespace nivora {

MediaPathCheck::Verdict MediaPathCheck::check(const QString& path)
{
    switch (MediaLocation::kind(path)) {
    case MediaLocation::Kind::File:
        return Verdict::PlainFile;
    case MediaLocation::Kind::Address:
        return Verdict::Address;
    case MediaLocation::Kind::Playlist:
        return Verdict::Playlist;
    case MediaLocation::Kind::None:
    case MediaLocation::Kind::Relative:
    case MediaLocation::Kind::Missing:
    case MediaLocation::Kind::Folder:
        break;
    }
    return Verdict::Missing;
}

QString MediaPathCheck::refusal(const QString& path, Verdict verdict)
{
    switch (verdict) {
    case Verdict::Address:
        return QStringLiteral("Nivora: media refused, an address is not a file: %1").arg(path);
    case Verdict::Playlist:
        return QStringLiteral("Nivora: media refused, a playlist is not a video: %1").arg(path);
    case Verdict::PlainFile:
    case Verdict::Missing:
        break;
    }
    return QString();
}

} // namespace nivora
