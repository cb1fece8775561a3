#include "model/MediaLocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace nivora::MediaLocation {

Kind kind(const QString& path)
{
    if (path.isEmpty())
        return Kind::None;
    if (!QDir::isAbsolutePath(path))
        return Kind::Relative;
    const QFileInfo info(path);
    if (info.isDir())
        return Kind::Folder;
    return info.isFile() ? Kind::File : Kind::Missing;
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
    case Kind::Relative:
        return QCoreApplication::translate("MediaLocation",
                                           "%1: chemin relatif, un chemin absolu est attendu : %2")
            .arg(key, path);
    case Kind::Missing:
        return QCoreApplication::translate("MediaLocation", "%1: fichier introuvable : %2").arg(key, path);
    }
    return std::nullopt;
}

} // namespace nivora::MediaLocation
