#pragma once

#include "desktop/ScreenWallpaper.h"

#include <QJsonObject>
#include <QString>

namespace nivora {

class AppState;

// What `nivora ctl status` says of the wallpaper: whether it runs, whether
// the autopilot does, and one entry per screen's wallpaper. Main thread.
class WallpaperStatus
{
public:
    // How frames reach the first screen that shows a scene or a video ("gpu",
    // "readback", "gpu-video" or "software-video") and, for a video, the
    // decoder on the graphics card. Empty when no screen does.
    struct RenderPath
    {
        QString path;
        QString hwdec;
    };
    static RenderPath renderPath(const ScreenWallpaper::List& wallpapers);

    struct Run
    {
        QString backend;
        bool active = false;
        bool autopilot = false;
    };
    static QJsonObject json(const ScreenWallpaper::List& wallpapers, const AppState& state, const Run& run);

private:
    static QJsonObject entry(const ScreenWallpaper& wallpaper, const AppState& state);
    static void describeContent(const ScreenWallpaper& wallpaper, QJsonObject& out);
};

} // namespace nivora
