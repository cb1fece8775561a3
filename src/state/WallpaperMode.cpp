#include "state/WallpaperMode.h"

#include <QCoreApplication>

namespace nivora::WallpaperModes {

QString id(WallpaperMode mode)
{
    switch (mode) {
    case WallpaperMode::Scene:
        return QStringLiteral("scene");
    case WallpaperMode::Video:
        return QStringLiteral("video");
    case WallpaperMode::Image:
        return QStringLiteral("image");
    }
    return QStringLiteral("scene");
}

QString title(WallpaperMode mode)
{
    switch (mode) {
    case WallpaperMode::Scene:
        return QCoreApplication::translate("WallpaperMode", "Scène animée");
    case WallpaperMode::Video:
        return QCoreApplication::translate("WallpaperMode", "Vidéo");
    case WallpaperMode::Image:
        return QCoreApplication::translate("WallpaperMode", "Image");
    }
    return {};
}

QString icon(WallpaperMode mode)
{
    switch (mode) {
    case WallpaperMode::Scene:
        return QStringLiteral("scribble.variable");
    case WallpaperMode::Video:
        return QStringLiteral("film.fill");
    case WallpaperMode::Image:
        return QStringLiteral("photo.fill");
    }
    return {};
}

std::optional<WallpaperMode> fromId(const QString& id)
{
    for (WallpaperMode m : all()) {
        if (WallpaperModes::id(m) == id)
            return m;
    }
    return std::nullopt;
}

const QList<WallpaperMode>& all()
{
    static const QList<WallpaperMode> list{WallpaperMode::Scene, WallpaperMode::Video, WallpaperMode::Image};
    return list;
}

} // namespace nivora::WallpaperModes
