#pragma once

#include "state/WallpaperMode.h"

#include <QString>
#include <QStringList>

namespace nivora {

// What the media page offers to pick for each wallpaper mode, and how it names
// the chosen file.
namespace MediaFileTypes {

// The MIME types the file dialog filters by: "image/*" for images, "video/*"
// for videos, nothing for the scene.
QStringList mimeTypes(WallpaperMode mode);

// The same filter as a name filter for dialogs that only know file patterns
// (Qt's own dialog): every file pattern the MIME database knows for the mode's
// types, for example "Images (*.bmp *.gif …)".
QString nameFilter(WallpaperMode mode);

// The text of the "Fichier" card: the last component of the stored path, or
// "Aucun fichier choisi" when no path is set.
QString fileLabel(const QString& mediaPath);

} // namespace MediaFileTypes
} // namespace nivora
