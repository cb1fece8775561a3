#pragma once

#include <QByteArray>
#include <QString>

namespace nivora {

// Which window system the desktop side uses, decided once before the
// application object exists: Qt fixes its platform plugin when the
// application is made, and a Wayland toplevel can neither sit behind the
// windows nor know where it is. So on a Wayland compositor without the layer
// shell (GNOME Shell), the whole process runs on X11 through XWayland.
struct SessionPlatform
{
    enum class Desktop
    {
        X11,
        LayerShell,
    };
    // What a short Wayland round trip found out about the compositor.
    enum class Compositor
    {
        None,         // WAYLAND_DISPLAY unset
        Unreachable,  // set, but nobody answered in time
        NoLayerShell, // answered, without zwlr_layer_shell_v1
        LayerShell,   // answered, with it
    };
    struct Environment
    {
        bool waylandDisplay = false; // WAYLAND_DISPLAY set
        bool x11Display = false;     // DISPLAY set
        QByteArray qpaPlatform;      // QT_QPA_PLATFORM as the user set it
        Compositor compositor = Compositor::None;
    };

    Desktop desktop = Desktop::X11;
    // The platform plugin to give Qt ("-platform"), empty to leave Qt's own
    // choice (the user's QT_QPA_PLATFORM, or its default).
    QByteArray qtPlatform;
    // One sentence for the log saying which backend and why.
    QString reason;
    // Set when Nivora cannot put anything behind the windows here; the
    // process says so and exits with status 1.
    QString error;

    // The decision for `environment`; pure, for tests.
    static SessionPlatform choose(const Environment& environment);
    // Reads the process environment and asks the compositor (at most
    // `timeoutMs`). Needs no application object.
    static Environment probe(int timeoutMs = 2000);

    // The decision the running process made, once `setCurrent` was called;
    // unset in tests that build the platform services themselves.
    static const SessionPlatform* current();
    static void setCurrent(const SessionPlatform& platform);
};

} // namespace nivora
