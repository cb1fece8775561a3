#include "desktop/SurfaceWallpaperHost.h"

#include "desktop/DesktopRenderView.h"
#include "platform/DesktopSurface.h"
#include "platform/DisplayLink.h"

namespace nivora {

SurfaceWallpaperHost::SurfaceWallpaperHost(std::unique_ptr<DesktopSurface> surface)
    : m_surface(std::move(surface))
{
}

SurfaceWallpaperHost::~SurfaceWallpaperHost() = default;

std::unique_ptr<DesktopRenderView>
SurfaceWallpaperHost::makeRenderView(quint32 displayID, QSize pixelSize, int fps,
                                     std::unique_ptr<DisplayLink> displayLink, AppState& state, int index,
                                     const QString& screen)
{
    return DesktopRenderView::create(m_surface.get(), displayID, pixelSize, fps, std::move(displayLink),
                                     state, index, screen);
}

VideoTarget SurfaceWallpaperHost::videoTarget(const QRect& frame, const QRect& canvas, bool overPrevious)
{
    VideoTarget target{nullptr, m_surface.get(), frame, canvas};
    target.overPrevious = overPrevious;
    return target;
}

std::unique_ptr<ImageWallpaperView> SurfaceWallpaperHost::loadImage(const QString& path, const QRectF& part,
                                                                    StillImageCache* stills,
                                                                    const ImageWallpaperView::Slide* slide)
{
    return ImageWallpaperView::load(path, m_surface.get(), part, stills, slide);
}

std::optional<bool> SurfaceWallpaperHost::covered() const
{
    return m_surface->isCovered();
}

void SurfaceWallpaperHost::followReports(std::function<void(bool)> covered, std::function<void()> closed)
{
    // The surface is the context, so that a report still queued when it goes
    // is dropped with it.
    QObject::connect(m_surface.get(), &DesktopSurface::coveredChanged, m_surface.get(), std::move(covered),
                     Qt::QueuedConnection);
    QObject::connect(m_surface.get(), &DesktopSurface::closed, m_surface.get(), std::move(closed),
                     Qt::QueuedConnection);
}

void SurfaceWallpaperHost::cutOff()
{
    m_surface->disconnect();
}

QSize SurfaceWallpaperHost::pixelSize() const
{
    return m_surface->pixelSize();
}

} // namespace nivora
