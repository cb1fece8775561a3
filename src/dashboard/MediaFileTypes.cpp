#include "dashboard/MediaFileTypes.h"

#include <QCoreApplication>
#include <QMimeDatabase>
#include <algorithm>

namespace nivora::MediaFileTypes {

namespace {

QString mediaPrefix(WallpaperMode mode)
{
    switch (mode) {
    case WallpaperMode::Image:
        return QStringLiteral("image/");
    case WallpaperMode::Video:
        return QStringLiteral("video/");
    case WallpaperMode::Scene:
        break;
    }
    return QString();
}

} // namespace

QStringList mimeTypes(WallpaperMode mode)
{
    const QString prefix = mediaPrefix(mode);
    if (prefix.isEmpty())
        return {};
    return {prefix + QLatin1Char('*')};
}

QString nameFilter(WallpaperMode mode)
{
    const QString prefix = mediaPrefix(mode);
    if (prefix.isEmpty())
        return QString();
    QStringList patterns;
    const QList<QMimeType> all = QMimeDatabase().allMimeTypes();
    for (const QMimeType& type : all) {
        if (!type.name().startsWith(prefix))
            continue;
        for (const QString& pattern : type.globPatterns()) {
            if (!patterns.contains(pattern))
                patterns.append(pattern);
        }
    }
    std::sort(patterns.begin(), patterns.end());
    const QString label = mode == WallpaperMode::Image
                              ? QCoreApplication::translate("MediaFileTypes", "Images")
                              : QCoreApplication::translate("MediaFileTypes", "Vidéos");
    return label + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
}

QString fileLabel(const QString& mediaPath)
{
    if (mediaPath.isEmpty())
        return QCoreApplication::translate("MediaFileTypes", "Aucun fichier choisi");
    // The last path component, as the user named the file; a path that ends in
    // a separator has none, so the whole stored text is shown instead.
    const qsizetype slash = mediaPath.lastIndexOf(QLatin1Char('/'));
    const QString last = mediaPath.mid(slash + 1);
    return last.isEmpty() ? mediaPath : last;
}

} // namespace nivora::MediaFileTypes
