#pragma once

#include "platform/ActivityAssertion.h"
#include "platform/DesktopSurface.h"
#include "platform/DesktopWindowHints.h"
#include "platform/DisplayLink.h"
#include "platform/OcclusionMonitor.h"
#include "platform/PowerMonitor.h"
#include "platform/ScreenProvider.h"
#include "platform/ScreenSleepMonitor.h"
#include "platform/WidgetSurface.h"
#include "platform/WorkAreaMonitor.h"
#include "platform/gnome/GnomeFullscreenWatch.h"

#include <functional>
#include <memory>

namespace nivora {

// The platform services the wallpaper uses, chosen once for the running
// platform. Tests build one from fakes. Main thread.
struct PlatformServices
{
    // Makes the display link of a screen; `index` numbers the links of one
    // build so that their threads get distinct names.
    using DisplayLinkFactory =
        std::function<std::unique_ptr<DisplayLink>(const ScreenInfo& screen, int index)>;

    // Makes the background surface of a screen on a backend whose desktop is
    // not made of Qt windows (Wayland's layer shell); null elsewhere. Returns
    // null when the surface cannot be had.
    using DesktopSurfaceFactory = std::function<std::unique_ptr<DesktopSurface>(const ScreenInfo& screen)>;

    // Makes the surface of one desktop widget on a backend whose widgets are
    // not Qt windows (Wayland's layer shell); null elsewhere, where widgets
    // are windows of their own.
    using WidgetSurfaceFactory = std::function<std::unique_ptr<WidgetSurface>()>;

    // The backend's own connection to the window system, when it keeps one;
    // declared first so that everything made from it goes before it does.
    std::unique_ptr<QObject> connection;
    // "x11" or "wayland-layer-shell", as `nivora ctl status` reports it.
    QString backend;
    std::unique_ptr<ScreenProvider> screens;
    std::unique_ptr<DesktopWindowHints> windowHints; // may be null: plain windows
    std::unique_ptr<OcclusionMonitor> occlusion;     // may be null: never covered
    std::unique_ptr<ScreenSleepMonitor> sleep;       // may be null: never asleep
    std::unique_ptr<PowerMonitor> power;             // may be null: never low power
    std::unique_ptr<WorkAreaMonitor> workAreas;      // may be null: Qt's available geometry
    // GNOME Shell's word on fullscreen Wayland windows; set on GNOME's
    // Wayland session only.
    std::unique_ptr<GnomeFullscreenWatch> gnomeFullscreen;
    ActivityAssertion activity;
    DisplayLinkFactory makeDisplayLink;
    DesktopSurfaceFactory makeDesktopSurface;
    WidgetSurfaceFactory makeWidgetSurface;

    // The services of the running session: Wayland layer-shell surfaces when
    // the compositor offers them, else X11 backends on "xcb" (through XWayland
    // on a Wayland session), D-Bus for sleep and power wherever a bus exists,
    // clock-driven display links.
    // Needs a QGuiApplication.
    static std::unique_ptr<PlatformServices> createDefault();
    // Whether the session is GNOME Shell's Wayland session.
    static bool runsOnGnomeShell();
    // The process-wide default set, made on first use.
    static PlatformServices& shared();
};

} // namespace nivora
