#pragma once

#include "desktop/WallpaperHost.h"

namespace nivora {

class DesktopSurface;

// A screen's wallpaper on a background surface that the compositor shows
// without a Qt window (Wayland's layer shell). The surface says itself when
// the compositor stops showing it or closes it.
class SurfaceWallpaperHost final : public WallpaperHost
{
public:
    explicit SurfaceWallpaperHost(std::unique_ptr<DesktopSurface> surface);
    ~SurfaceWallpaperHost() override;

    std::unique_ptr<DesktopRenderView> makeRenderView(quint32 displayID, QSize pixelSize, int fps,
                                                      std::unique_ptr<DisplayLink> displayLink,
                                                      AppState& state, int index,
                                                      const QString& screen) override;
    VideoTarget videoTarget(const QRect& frame, const QRect& canvas, bool overPrevious) override;
    std::unique_ptr<ImageWallpaperView> loadImage(const QString& path, const QRectF& part,
                                                  StillImageCache* stills,
                                                  const ImageWallpaperView::Slide* slide) override;
    std::optional<bool> covered() const override;
    void followReports(std::function<void(bool)> covered, std::function<void()> closed) override;
    void watchOcclusion(bool) override {}
    void cutOff() override;
    void show() override {}
    void hide() override {}
    bool outlivesContent() const override { return true; }
    QSize pixelSize() const override;
    WallpaperWindow* window() const override { return nullptr; }

private:
    std::unique_ptr<DesktopSurface> m_surface;
};

} // namespace nivora
