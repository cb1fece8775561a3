#include "platform/mpv/MpvRenderApi.h"

#include <QLibrary>

namespace nivora {

const MpvRenderApi* MpvRenderApi::get()
{
    static const MpvRenderApi* api = []() -> const MpvRenderApi* {
        static QLibrary library(QStringLiteral("mpv"), MPV_CLIENT_API_VERSION >> 16);
        if (!library.load())
            return nullptr;
        static MpvRenderApi r;
        r.create = reinterpret_cast<decltype(r.create)>(library.resolve("mpv_render_context_create"));
        r.setUpdateCallback = reinterpret_cast<decltype(r.setUpdateCallback)>(
            library.resolve("mpv_render_context_set_update_callback"));
        r.update = reinterpret_cast<decltype(r.update)>(library.resolve("mpv_render_context_update"));
        r.render = reinterpret_cast<decltype(r.render)>(library.resolve("mpv_render_context_render"));
        r.reportSwap =
            reinterpret_cast<decltype(r.reportSwap)>(library.resolve("mpv_render_context_report_swap"));
        r.free = reinterpret_cast<decltype(r.free)>(library.resolve("mpv_render_context_free"));
        if (!r.create || !r.setUpdateCallback || !r.update || !r.render || !r.reportSwap || !r.free)
            return nullptr;
        return &r;
    }();
    return api;
}

} // namespace nivora
