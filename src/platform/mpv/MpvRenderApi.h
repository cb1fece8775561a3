#pragma once

#include <mpv/render.h>

namespace nivora {

// The render-API half of libmpv, resolved from the same library MpvLibrary
// loads (once, at first use). Same contract as MpvLibrary: `get()` may be
// called from any thread and returns nullptr when a function is missing.
struct MpvRenderApi
{
    decltype(&::mpv_render_context_create) create = nullptr;
    decltype(&::mpv_render_context_set_update_callback) setUpdateCallback = nullptr;
    decltype(&::mpv_render_context_update) update = nullptr;
    decltype(&::mpv_render_context_render) render = nullptr;
    decltype(&::mpv_render_context_report_swap) reportSwap = nullptr;
    decltype(&::mpv_render_context_free) free = nullptr;

    static const MpvRenderApi* get();
};

} // namespace nivora
