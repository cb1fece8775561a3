#pragma once

#include "state/WallpaperMode.h"

#include <QString>
#include <optional>

class QWidget;

namespace nivora {

// Asks the user for the file of a media wallpaper. The media page holds one;
// tests hand it their own.
class MediaFilePicker
{
public:
    virtual ~MediaFilePicker() = default;

    // Lets the user choose one existing file of the mode's kind (images in
    // image mode, videos in video mode), starting near `currentPath` when it
    // is set. Returns the chosen file's path, or nothing when the user
    // cancelled. Modal; main thread.
    virtual std::optional<QString> pick(WallpaperMode mode, const QString& currentPath, QWidget* parent) = 0;
};

} // namespace nivora
