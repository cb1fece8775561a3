#include "desktop/WallpaperStatus.h"

#include "desktop/DesktopRenderView.h"
#include "media/VideoWallpaperView.h"
#include "state/AppState.h"
#include "state/MediaStatus.h"
#include "state/SettingsCodec.h"

#include <QJsonArray>
#include <cmath>

namespace nivora {

namespace {

QJsonObject sizeJson(QSize size)
{
    return QJsonObject{{QStringLiteral("width"), size.width()}, {QStringLiteral("height"), size.height()}};
}

} // namespace

WallpaperStatus::RenderPath WallpaperStatus::renderPath(const ScreenWallpaper::List& wallpapers)
{
    for (const auto& w : wallpapers) {
        if (w->render())
            return {w->render()->path(), QString()};
        if (w->video())
            return {w->video()->path(), w->video()->property("hwdec-current")};
    }
    return {};
}

QJsonObject WallpaperStatus::json(const ScreenWallpaper::List& wallpapers, const AppState& state,
                                  const Run& run)
{
    QJsonArray windows;
    for (const auto& w : wallpapers)
        windows.append(entry(*w, state));
    QJsonObject status;
    if (!run.backend.isEmpty())
        status.insert(QStringLiteral("backend"), run.backend);
    status.insert(QStringLiteral("active"), run.active);
    status.insert(QStringLiteral("autopilot"), run.autopilot);
    status.insert(QStringLiteral("windows"), windows);
    if (!MediaStatus::shared().unreadablePath().isEmpty())
        status.insert(QStringLiteral("unreadableMedia"), MediaStatus::shared().unreadablePath());
    if (!MediaStatus::shared().crashedPath().isEmpty())
        status.insert(QStringLiteral("crashedMedia"), MediaStatus::shared().crashedPath());
    return status;
}

QJsonObject WallpaperStatus::entry(const ScreenWallpaper& wallpaper, const AppState& state)
{
    const ScreenInfo& screen = wallpaper.screen();
    QJsonObject w;
    w.insert(QStringLiteral("screen"), screen.name);
    w.insert(QStringLiteral("displayID"), static_cast<qint64>(screen.displayID));
    const QRect& f = screen.frame;
    w.insert(QStringLiteral("geometry"), QJsonObject{{QStringLiteral("x"), f.x()},
                                                     {QStringLiteral("y"), f.y()},
                                                     {QStringLiteral("width"), f.width()},
                                                     {QStringLiteral("height"), f.height()}});
    w.insert(QStringLiteral("mode"), WallpaperModes::id(wallpaper.mode()));
    // The file shown, which is one of its files when a folder is chosen.
    if (wallpaper.mode() != WallpaperMode::Scene)
        w.insert(QStringLiteral("media"), wallpaper.mediaPath());
    // What the screen is set to show (the scene stands in for a file it
    // could not read), and whether that is the main settings.
    QJsonObject source = SettingsCodec::screenJson(state, screen.name);
    source.insert(QStringLiteral("followsMain"), !state.screenOverrides().contains(screen.name));
    w.insert(QStringLiteral("source"), source);
    describeContent(wallpaper, w);
    QJsonArray reasons;
    if (wallpaper.isAsleep())
        reasons.append(QStringLiteral("asleep"));
    if (wallpaper.isCovered() || wallpaper.isHidden())
        reasons.append(QStringLiteral("covered"));
    w.insert(QStringLiteral("pausedBy"), reasons);
    return w;
}

void WallpaperStatus::describeContent(const ScreenWallpaper& wallpaper, QJsonObject& w)
{
    if (DesktopRenderView* render = wallpaper.render()) {
        w.insert(QStringLiteral("pixelSize"), sizeJson(render->pixelSize()));
        w.insert(QStringLiteral("targetFPS"), render->targetFPS());
        w.insert(QStringLiteral("refreshRate"), render->refreshRate());
        w.insert(QStringLiteral("measuredFPS"), std::round(render->measuredFPS() * 10.0) / 10.0);
        w.insert(QStringLiteral("paused"), render->isPaused());
        w.insert(QStringLiteral("path"), render->path());
        return;
    }
    w.insert(QStringLiteral("pixelSize"), sizeJson(wallpaper.host()->pixelSize()));
    if (VideoWallpaperView* video = wallpaper.video().get()) {
        w.insert(QStringLiteral("targetFPS"), video->property("container-fps").toDouble());
        w.insert(QStringLiteral("measuredFPS"),
                 video->isPaused() ? 0.0 : video->property("estimated-vf-fps").toDouble());
        w.insert(QStringLiteral("paused"), video->isPaused());
        w.insert(QStringLiteral("path"), video->path());
        // The decoder mpv uses on the graphics card; "no" or empty when the
        // processor decodes.
        w.insert(QStringLiteral("hwdec"), video->property("hwdec-current"));
        return;
    }
    w.insert(QStringLiteral("targetFPS"), 0);
    w.insert(QStringLiteral("measuredFPS"), 0.0);
    w.insert(QStringLiteral("paused"), wallpaper.isPaused());
}

} // namespace nivora
