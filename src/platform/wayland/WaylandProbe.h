#pragma once

struct wl_display;

namespace nivora {

// A throw-away connection to the compositor named by WAYLAND_DISPLAY, made
// before any application object exists, that only lists its globals.
namespace WaylandProbe {

enum class Result
{
    Unreachable,  // no connection, or no answer within the time-out
    NoLayerShell, // the compositor answered without zwlr_layer_shell_v1
    LayerShell,   // it offers the layer shell
};

Result layerShell(int timeoutMs);

enum class Roundtrip
{
    Answered, // the compositor handled everything sent before
    TimedOut, // no answer within the time-out (the connection is still usable)
    Failed,   // the connection broke
};
// Sends everything queued, then reads and dispatches events on the calling
// thread until the compositor has answered a sync request, or `timeoutMs` has
// passed. wl_display_roundtrip would wait for ever on a compositor that
// accepts clients but never serves them.
Roundtrip roundtrip(wl_display* display, int timeoutMs);

} // namespace WaylandProbe
} // namespace nivora
