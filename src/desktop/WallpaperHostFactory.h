#pragma once

#include "desktop/WallpaperHost.h"
#include "platform/ScreenInfo.h"
#include "state/WallpaperMode.h"

#include <memory>

namespace nivora {

struct PlatformServices;

// Makes the host of a screen's wallpaper for the window system in use: a
// desktop surface where the platform has them (Wayland's layer shell), else
// a wallpaper window. Main thread.
class WallpaperHostFactory
{
public:
    explicit WallpaperHostFactory(PlatformServices& platform) : m_platform(platform) {}

    // Whether hosts are desktop surfaces, which the compositor scales.
    bool makesSurfaces() const;
    // A host for `mode` on `screen`; null when the window system refuses one.
    std::unique_ptr<WallpaperHost> make(const ScreenInfo& screen, WallpaperMode mode) const;

private:
    PlatformServices& m_platform;
};

} // namespace nivora
