#pragma once

#include <mpv/render.h>

namespace nivora {

// The render-API half of libmpv, resolved with the rest of it by
// MpvLibrary::acquire() and valid while its hold lives.
struct MpvRenderApi
{
    decltype(&::mpv_render_context_create) create = nullptr;
    decltype(&::mpv_render_context_set_update_callback) setUpdateCallback = nullptr;
    decltype(&::mpv_render_context_update) update = nullptr;
    decltype(&::mpv_render_context_render) render = nullptr;
    decltype(&::mpv_render_context_report_swap) reportSwap = nullptr;
    decltype(&::mpv_render_context_free) free = nullptr;
};

} // namespace nivora
