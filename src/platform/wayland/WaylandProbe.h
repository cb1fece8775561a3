#pragma once

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

} // namespace WaylandProbe
} // namespace nivora
