#include "desktop/WallpaperHostFactory.h"

#include "desktop/SurfaceWallpaperHost.h"
#include "desktop/WindowWallpaperHost.h"
#include "platform/PlatformServices.h"

namespace nivora {

bool WallpaperHostFactory::makesSurfaces() const
{
    return static_cast<bool>(m_platform.makeDesktopSurface);
}

std::unique_ptr<WallpaperHost> WallpaperHostFactory::make(const ScreenInfo& screen, WallpaperMode mode) const
{
    if (m_platform.makeDesktopSurface) {
        std::unique_ptr<DesktopSurface> surface = m_platform.makeDesktopSurface(screen);
        if (!surface)
            return nullptr;
        return std::make_unique<SurfaceWallpaperHost>(std::move(surface));
    }
    // Scenes and players draw with OpenGL; a picture is painted.
    const auto surface =
        mode == WallpaperMode::Image ? WallpaperWindow::Surface::Raster : WallpaperWindow::Surface::OpenGL;
    return std::make_unique<WindowWallpaperHost>(screen, surface, m_platform.windowHints.get(),
                                                 m_platform.occlusion.get());
}

} // namespace nivora
