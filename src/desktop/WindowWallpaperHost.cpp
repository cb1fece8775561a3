#include "desktop/WindowWallpaperHost.h"

#include "desktop/DesktopRenderView.h"
#include "platform/DisplayLink.h"
#include "platform/OcclusionMonitor.h"

namespace nivora {

WindowWallpaperHost::WindowWallpaperHost(const ScreenInfo& screen, WallpaperWindow::Surface surface,
                                         DesktopWindowHints* hints, OcclusionMonitor* occlusion)
    : m_screen(screen), m_occlusion(occlusion),
      m_window(std::make_unique<WallpaperWindow>(screen, surface, hints))
{
}

WindowWallpaperHost::~WindowWallpaperHost() = default;

std::unique_ptr<DesktopRenderView>
WindowWallpaperHost::makeRenderView(quint32 displayID, QSize pixelSize, int fps,
                                    std::unique_ptr<DisplayLink> displayLink, AppState& state, int index,
                                    const QString& screen)
{
    return DesktopRenderView::create(m_window.get(), displayID, pixelSize, fps, std::move(displayLink), state,
                                     index, screen);
}

VideoTarget WindowWallpaperHost::videoTarget(const QRect& frame, const QRect& canvas, bool overPrevious)
{
    // The player draws only into an exposed window, and paints it black at
    // once, so the window is on screen before the player starts.
    m_window->showWallpaper();
    // Under the previous window, which goes once the first frame is drawn.
    if (overPrevious)
        lowerOnceExposed();
    VideoTarget target{m_window.get(), nullptr, frame, canvas};
    target.overPrevious = overPrevious;
    return target;
}

void WindowWallpaperHost::lowerOnceExposed()
{
    WallpaperWindow* window = m_window.get();
    auto lowerOnce = std::make_shared<QMetaObject::Connection>();
    *lowerOnce = QObject::connect(window, &WallpaperWindow::exposureChanged, window,
                                  [window, lowerOnce](bool exposed) {
                                      if (!exposed)
                                          return;
                                      QObject::disconnect(*lowerOnce);
                                      window->lower();
                                  });
    if (window->isExposed()) {
        QObject::disconnect(*lowerOnce);
        window->lower();
    }
}

std::unique_ptr<ImageWallpaperView> WindowWallpaperHost::loadImage(const QString& path, const QRectF& part,
                                                                   StillImageCache* stills,
                                                                   const ImageWallpaperView::Slide* slide)
{
    return ImageWallpaperView::load(path, m_window.get(), part, stills, slide);
}

void WindowWallpaperHost::watchOcclusion(bool on)
{
    if (!m_occlusion)
        return;
    if (on)
        m_occlusion->watch(m_window.get(), m_screen.frame);
    else
        m_occlusion->unwatch(m_window.get());
}

void WindowWallpaperHost::cutOff()
{
    watchOcclusion(false);
}

void WindowWallpaperHost::show()
{
    m_window->showWallpaper();
}

void WindowWallpaperHost::hide()
{
    m_window->hide();
}

QSize WindowWallpaperHost::pixelSize() const
{
    return m_window->size() * m_window->devicePixelRatio();
}

} // namespace nivora
