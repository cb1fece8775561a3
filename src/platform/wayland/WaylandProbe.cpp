#include "platform/wayland/WaylandProbe.h"

#include <QDeadlineTimer>
#include <cerrno>
#include <cstring>
#include <poll.h>
#include <wayland-client.h>

namespace nivora::WaylandProbe {

namespace {

struct Globals
{
    bool layerShell = false;
};

void globalAdded(void* data, wl_registry*, uint32_t, const char* interface, uint32_t)
{
    if (std::strcmp(interface, "zwlr_layer_shell_v1") == 0)
        static_cast<Globals*>(data)->layerShell = true;
}

void globalRemoved(void*, wl_registry*, uint32_t) {}

constexpr wl_registry_listener registryListener = {globalAdded, globalRemoved};

} // namespace

Roundtrip roundtrip(wl_display* display, int timeoutMs)
{
    static constexpr wl_callback_listener doneListener = {[](void* data, wl_callback* callback, uint32_t) {
        *static_cast<bool*>(data) = true;
        wl_callback_destroy(callback);
    }};
    bool done = false;
    wl_callback* callback = wl_display_sync(display);
    wl_callback_add_listener(callback, &doneListener, &done);
    const QDeadlineTimer deadline(timeoutMs);
    bool error = false;
    while (!done && !error) {
        if (wl_display_prepare_read(display) != 0) {
            error = wl_display_dispatch_pending(display) < 0;
            continue;
        }
        if (wl_display_flush(display) < 0 && errno != EAGAIN) {
            wl_display_cancel_read(display);
            error = true;
            break;
        }
        pollfd fd{wl_display_get_fd(display), POLLIN, 0};
        const int ready = poll(&fd, 1, int(deadline.remainingTime()));
        if (ready <= 0) {
            wl_display_cancel_read(display);
            if (ready < 0 && errno == EINTR)
                continue;
            error = ready < 0;
            break;
        }
        error = wl_display_read_events(display) < 0 || wl_display_dispatch_pending(display) < 0;
    }
    if (error)
        return Roundtrip::Failed;
    if (!done) {
        // The answer may still come; destroying the proxy makes it harmless.
        wl_callback_destroy(callback);
        return Roundtrip::TimedOut;
    }
    return Roundtrip::Answered;
}

Result layerShell(int timeoutMs)
{
    wl_display* display = wl_display_connect(nullptr);
    if (!display)
        return Result::Unreachable;
    Globals globals;
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registryListener, &globals);
    const bool answered = roundtrip(display, timeoutMs) == Roundtrip::Answered;
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    if (!answered)
        return Result::Unreachable;
    return globals.layerShell ? Result::LayerShell : Result::NoLayerShell;
}

} // namespace nivora::WaylandProbe
