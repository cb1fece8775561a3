#include "platform/PlatformServices.h"

#include "platform/MergedScreenSleepMonitor.h"
#include "platform/QtScreenProvider.h"
#include "platform/ThreadedDisplayLink.h"
#include "platform/freedesktop/DBusScreenSleepMonitor.h"
#include "platform/freedesktop/PowerProfilesMonitor.h"
#include "platform/x11/X11DesktopWindowHints.h"
#include "platform/x11/X11OcclusionMonitor.h"
#include "platform/x11/X11ScreenSaverMonitor.h"

#include <QGuiApplication>

namespace nivora {

std::unique_ptr<PlatformServices> PlatformServices::createDefault()
{
    auto services = std::make_unique<PlatformServices>();
    services->screens = std::make_unique<QtScreenProvider>();
    auto sleep = std::make_unique<MergedScreenSleepMonitor>();
    sleep->addSource(new DBusScreenSleepMonitor);
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        services->windowHints = std::make_unique<X11DesktopWindowHints>();
        services->occlusion = std::make_unique<X11OcclusionMonitor>();
        auto* saver = new X11ScreenSaverMonitor;
        if (saver->isAvailable())
            sleep->addSource(saver);
        else
            delete saver;
    }
    services->sleep = std::move(sleep);
    services->power = std::make_unique<PowerProfilesMonitor>();
    services->makeDisplayLink = [](const ScreenInfo& screen, int index) -> std::unique_ptr<DisplayLink> {
        return std::make_unique<ThreadedDisplayLink>(screen.refreshRate,
                                                     QStringLiteral("nv-vsync-%1").arg(index));
    };
    return services;
}

PlatformServices& PlatformServices::shared()
{
    // Deliberately never destroyed: the wallpaper controller that uses it lives
    // until the process ends, and so must its services.
    static PlatformServices* instance = createDefault().release();
    return *instance;
}

} // namespace nivora
