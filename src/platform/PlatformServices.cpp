#include "platform/PlatformServices.h"

#include "platform/MergedScreenSleepMonitor.h"
#include "platform/QtScreenProvider.h"
#include "platform/SessionPlatform.h"
#include "platform/ThreadedDisplayLink.h"
#include "platform/freedesktop/DBusScreenSleepMonitor.h"
#include "platform/freedesktop/PowerProfilesMonitor.h"
#include "platform/gnome/GnomeFullscreenWatch.h"
#include "platform/gnome/ShellAwareOcclusionMonitor.h"
#include "platform/wayland/WaylandConnection.h"
#include "platform/wayland/WaylandLayerSurface.h"
#include "platform/wayland/WaylandScreenProvider.h"
#include "platform/wayland/WaylandWidgetSurface.h"
#include "platform/wayland/WaylandWorkAreaMonitor.h"
#include "platform/x11/X11DesktopWindowHints.h"
#include "platform/x11/X11OcclusionMonitor.h"
#include "platform/x11/X11ScreenSaverMonitor.h"
#include "platform/x11/X11WorkAreaMonitor.h"

#include <QDebug>
#include <QGuiApplication>

namespace nivora {

namespace {

// On a Wayland session whose compositor offers the layer shell, the desktop
// surfaces are layer surfaces on the process's own connection, whatever the
// toolkit's platform is. Returns false (with one log line saying why, on a
// Wayland session) when the X11 backend is to be used.
bool setUpWayland(PlatformServices& services)
{
    if (qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return false;
    // The process chose X11 before Qt started (and said why); asking again
    // could only disagree with the platform Qt now runs on.
    if (const SessionPlatform* session = SessionPlatform::current();
        session && session->desktop == SessionPlatform::Desktop::X11)
        return false;
    std::unique_ptr<WaylandConnection> connection = WaylandConnection::connectToCompositor();
    const char* why = nullptr;
    if (!connection)
        why = "the Wayland compositor cannot be reached";
    else if (!connection->hasLayerShell())
        why = "the Wayland compositor offers no layer shell";
    else if (!connection->compositor() || !connection->shm())
        why = "the Wayland compositor offers no shared-memory buffers";
    if (why) {
        qInfo().noquote() << QStringLiteral("Wayland: %1; the desktop uses X11%2.")
                                 .arg(QLatin1String(why), qEnvironmentVariableIsEmpty("DISPLAY")
                                                              ? QStringLiteral(" (no DISPLAY set)")
                                                              : QStringLiteral(" through XWayland"));
        return false;
    }
    WaylandConnection* wayland = connection.get();
    services.backend = QStringLiteral("wayland-layer-shell");
    services.screens = std::make_unique<WaylandScreenProvider>(*wayland);
    services.makeDesktopSurface = [wayland](const ScreenInfo& screen) -> std::unique_ptr<DesktopSurface> {
        return WaylandLayerSurface::create(*wayland, screen.name);
    };
    services.makeWidgetSurface = [wayland]() -> std::unique_ptr<WidgetSurface> {
        return std::make_unique<WaylandWidgetSurface>(*wayland);
    };
    services.workAreas = std::make_unique<WaylandWorkAreaMonitor>(qgetenv("WAYLAND_DISPLAY"));
    services.connection = std::move(connection);
    return true;
}

} // namespace

bool PlatformServices::runsOnGnomeShell()
{
    // XDG_CURRENT_DESKTOP is "GNOME", or "ubuntu:GNOME" and the like.
    const QList<QByteArray> desktops = qgetenv("XDG_CURRENT_DESKTOP").toLower().split(':');
    return desktops.contains("gnome") && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

std::unique_ptr<PlatformServices> PlatformServices::createDefault()
{
    auto services = std::make_unique<PlatformServices>();
    auto sleep = std::make_unique<MergedScreenSleepMonitor>();
    sleep->addSource(new DBusScreenSleepMonitor);
    // On Wayland covering is reported by each layer surface itself (its frames
    // stop being shown), so there is no window-stacking monitor there.
    if (!setUpWayland(*services)) {
        services->backend = QStringLiteral("x11");
        services->screens = std::make_unique<QtScreenProvider>();
    }
    if (services->backend == QLatin1String("x11") &&
        QGuiApplication::platformName() == QLatin1String("xcb")) {
        services->windowHints = std::make_unique<X11DesktopWindowHints>();
        services->occlusion = std::make_unique<X11OcclusionMonitor>();
        if (runsOnGnomeShell()) {
            // X11 cannot see GNOME's Wayland windows; the shell can.
            services->gnomeFullscreen = std::make_unique<GnomeFullscreenWatch>();
            services->occlusion = std::make_unique<ShellAwareOcclusionMonitor>(
                std::move(services->occlusion), services->gnomeFullscreen.get());
        }
        services->workAreas = std::make_unique<X11WorkAreaMonitor>();
        auto* saver = new X11ScreenSaverMonitor;
        if (saver->isAvailable())
            sleep->addSource(saver);
        else
            delete saver;
    }
    // wlroots' output power protocol is not followed on Wayland: its objects
    // give exclusive control of an output's power, so holding them would stop
    // the user's blanking tools (wlopm and the like) from turning displays off.
    // A powered-off output stops sending frame callbacks anyway, so its view
    // pauses as covered and costs nothing.
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
