#pragma once

#include "desktop/WallpaperHost.h"
#include "platform/ScreenInfo.h"
#include "scene/WallpaperWindow.h"

namespace nivora {

class OcclusionMonitor;

// A screen's wallpaper in a Qt window laid on the desktop (X11). Whether
// something covers it is the occlusion monitor's to tell.
class WindowWallpaperHost final : public WallpaperHost
{
public:
    // `hints` and `occlusion` may be null.
    WindowWallpaperHost(const ScreenInfo& screen, WallpaperWindow::Surface surface, DesktopWindowHints* hints,
                        OcclusionMonitor* occlusion);
    ~WindowWallpaperHost() override;

    std::unique_ptr<DesktopRenderView> makeRenderView(quint32 displayID, QSize pixelSize, int fps,
                                                      std::unique_ptr<DisplayLink> displayLink,
                                                      AppState& state, int index,
                                                      const QString& screen) override;
    VideoTarget videoTarget(const QRect& frame, const QRect& canvas, bool overPrevious) override;
    std::unique_ptr<ImageWallpaperView> loadImage(const QString& path, const QRectF& part,
                                                  StillImageCache* stills,
                                                  const ImageWallpaperView::Slide* slide) override;
    std::optional<bool> covered() const override { return std::nullopt; }
    void followReports(std::function<void(bool)>, std::function<void()>) override {}
    void watchOcclusion(bool on) override;
    void cutOff() override;
    void show() override;
    void hide() override;
    bool outlivesContent() const override { return false; }
    QSize pixelSize() const override;
    WallpaperWindow* window() const override { return m_window.get(); }

private:
    // Once the window is shown: a window never shown would never be drawn
    // into.
    void lowerOnceExposed();

    ScreenInfo m_screen;
    OcclusionMonitor* m_occlusion;
    std::unique_ptr<WallpaperWindow> m_window;
};

} // namespace nivora
