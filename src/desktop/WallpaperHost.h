#pragma once

#include "media/ImageWallpaperView.h"
#include "media/VideoTarget.h"

#include <QRect>
#include <QRectF>
#include <QSize>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

namespace nivora {

class AppState;
class DesktopRenderView;
class DisplayLink;
class StillImageCache;
class WallpaperWindow;

// Where one screen's wallpaper is drawn: a Qt window laid on the desktop
// (X11) or a background surface the compositor shows itself (Wayland's layer
// shell). The content (a render view, a player, an image) is made through it,
// so that building a wallpaper is one path whatever the window system.
// Main thread.
//
// Contract for implementations:
// - makeRenderView()  required. A scene's view drawing into the host, or null
//                     when no context or program can be had.
// - videoTarget()     required. Where a player draws; a window is put on
//                     screen first, since a player draws only into an
//                     exposed one, and under the screen's previous wallpaper
//                     when `overPrevious`.
// - loadImage()       required. A picture shown on the host, or null.
// - covered()         required. Whether the host says by itself that nothing
//                     of it shows; nullopt for one the occlusion monitor
//                     watches instead.
// - followReports()   required. Calls `covered` (queued) when the host says
//                     so and `closed` (queued) when the window system will
//                     not show it any more; reports still queued when the host
//                     goes are dropped. A window reports neither.
// - watchOcclusion()  required. Starts or stops the occlusion monitor's
//                     watch of a window; nothing for a surface.
// - cutOff()          required. Nothing of it reaches its owner any more.
// - show() / hide()   required. Nothing for a surface, which the compositor
//                     shows from its first frame until it is destroyed.
// - outlivesContent() Whether the window system keeps showing the last frame
//                     after the content is gone, until the host itself goes.
class WallpaperHost
{
public:
    virtual ~WallpaperHost() = default;

    virtual std::unique_ptr<DesktopRenderView> makeRenderView(quint32 displayID, QSize pixelSize, int fps,
                                                              std::unique_ptr<DisplayLink> displayLink,
                                                              AppState& state, int index,
                                                              const QString& screen) = 0;
    virtual VideoTarget videoTarget(const QRect& frame, const QRect& canvas, bool overPrevious) = 0;
    virtual std::unique_ptr<ImageWallpaperView> loadImage(const QString& path, const QRectF& part,
                                                          StillImageCache* stills,
                                                          const ImageWallpaperView::Slide* slide) = 0;
    virtual std::optional<bool> covered() const = 0;
    virtual void followReports(std::function<void(bool)> covered, std::function<void()> closed) = 0;
    virtual void watchOcclusion(bool on) = 0;
    virtual void cutOff() = 0;
    virtual void show() = 0;
    virtual void hide() = 0;
    virtual bool outlivesContent() const = 0;
    // The size of what it shows, in pixels.
    virtual QSize pixelSize() const = 0;
    // The Qt window, null for a surface.
    virtual WallpaperWindow* window() const = 0;
};

} // namespace nivora
