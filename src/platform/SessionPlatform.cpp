#include "platform/SessionPlatform.h"

#include "platform/wayland/WaylandProbe.h"

#include <optional>

namespace nivora {

namespace {

std::optional<SessionPlatform>& currentPlatform()
{
    static std::optional<SessionPlatform> platform;
    return platform;
}

bool names(const QByteArray& platform, const char* plugin)
{
    // "wayland-egl", "xcb:option=…" and the like name the same plugin family.
    return platform.startsWith(plugin);
}

} // namespace

SessionPlatform SessionPlatform::choose(const Environment& env)
{
    SessionPlatform result;
    const bool layerShell = env.compositor == Compositor::LayerShell;
    const QString compositorState = env.compositor == Compositor::Unreachable
                                        ? QStringLiteral("the Wayland compositor does not answer")
                                        : QStringLiteral("the Wayland compositor offers no layer shell");

    if (!env.qpaPlatform.isEmpty()) {
        // The user's choice of toolkit platform wins; only a combination that
        // would turn the wallpaper into an ordinary window is refused.
        result.desktop = layerShell ? Desktop::LayerShell : Desktop::X11;
        if (names(env.qpaPlatform, "wayland") && !layerShell) {
            result.error =
                QStringLiteral("QT_QPA_PLATFORM=%1 asks for Wayland windows, but %2: the wallpaper "
                               "would be an ordinary window over the others. Unset QT_QPA_PLATFORM%3.")
                    .arg(QString::fromLocal8Bit(env.qpaPlatform), compositorState,
                         env.x11Display ? QStringLiteral(" or set it to xcb") : QString());
        } else if (names(env.qpaPlatform, "xcb") && !env.x11Display) {
            result.error = QStringLiteral("QT_QPA_PLATFORM=%1 asks for X11, but DISPLAY is not set.")
                               .arg(QString::fromLocal8Bit(env.qpaPlatform));
        } else {
            result.reason = QStringLiteral("%1, as QT_QPA_PLATFORM=%2 asks")
                                .arg(layerShell ? QStringLiteral("layer-shell surfaces for the desktop")
                                                : QStringLiteral("X11 windows for the desktop"),
                                     QString::fromLocal8Bit(env.qpaPlatform));
        }
        return result;
    }

    if (env.waylandDisplay && layerShell) {
        result.desktop = Desktop::LayerShell;
        result.reason = QStringLiteral("the Wayland compositor offers the layer shell");
        return result;
    }
    if (env.waylandDisplay) {
        if (!env.x11Display) {
            result.error =
                QStringLiteral("%1 and there is no X display (DISPLAY is not set), so nothing can be "
                               "put behind the windows. Enable XWayland or use a compositor with "
                               "the wlr layer shell.")
                    .arg(compositorState);
            return result;
        }
        result.desktop = Desktop::X11;
        result.qtPlatform = "xcb";
        result.reason = QStringLiteral("%1; everything runs on X11 through XWayland").arg(compositorState);
        return result;
    }
    if (!env.x11Display) {
        result.error = QStringLiteral("no display: neither WAYLAND_DISPLAY nor DISPLAY is set.");
        return result;
    }
    result.desktop = Desktop::X11;
    result.reason = QStringLiteral("an X11 session");
    return result;
}

SessionPlatform::Environment SessionPlatform::probe(int timeoutMs)
{
    Environment env;
    env.waylandDisplay = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    env.x11Display = !qEnvironmentVariableIsEmpty("DISPLAY");
    env.qpaPlatform = qgetenv("QT_QPA_PLATFORM");
    if (!env.waylandDisplay)
        return env;
    switch (WaylandProbe::layerShell(timeoutMs)) {
    case WaylandProbe::Result::Unreachable:
        env.compositor = Compositor::Unreachable;
        break;
    case WaylandProbe::Result::NoLayerShell:
        env.compositor = Compositor::NoLayerShell;
        break;
    case WaylandProbe::Result::LayerShell:
        env.compositor = Compositor::LayerShell;
        break;
    }
    return env;
}

const SessionPlatform* SessionPlatform::current()
{
    const auto& platform = currentPlatform();
    return platform ? &*platform : nullptr;
}

void SessionPlatform::setCurrent(const SessionPlatform& platform)
{
    currentPlatform() = platform;
}

} // namespace nivora
