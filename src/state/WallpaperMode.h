#pragma once

#include <QList>
#include <QString>
#include <optional>

namespace nivora {

// What fills the desktop: the animated scene, a looping video or an image.
enum class WallpaperMode
{
    Scene,
    Video,
    Image
};

namespace WallpaperModes {
// Stored identifier: "scene", "video", "image".
QString id(WallpaperMode mode);
QString title(WallpaperMode mode);
QString icon(WallpaperMode mode);
// Exact, case-sensitive match of a stored identifier; anything else is no mode.
std::optional<WallpaperMode> fromId(const QString& id);
const QList<WallpaperMode>& all();
} // namespace WallpaperModes

} // namespace nivora
