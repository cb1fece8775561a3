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
    bool done = false;
};

void globalAdded(void* data, wl_registry*, uint32_t, const char* interface, uint32_t)
{
    if (std::strcmp(interface, "zwlr_layer_shell_v1") == 0)
        static_cast<Globals*>(data)->layerShell = true;
}

void globalRemoved(void*, wl_registry*, uint32_t) {}

constexpr wl_registry_listener registryListener = {globalAdded, globalRemoved};

void syncDone(void* data, wl_callback*, uint32_t)
{
    static_cast<Globals*>(data)->done = true;
}

constexpr wl_callback_listener syncListener = {syncDone};

} // namespace

Result layerShell(int timeoutMs)
{
    wl_display* display = wl_display_connect(nullptr);
    if (!display)
        return Result::Unreachable;
    Globals globals;
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registryListener, &globals);
    wl_callback* sync = wl_display_sync(display);
    wl_callback_add_listener(sync, &syncListener, &globals);

    // wl_display_roundtrip would wait for ever on a compositor that accepts
    // clients but never serves them; start-up must not hang on one.
    const QDeadlineTimer deadline(timeoutMs);
    bool failed = false;
    while (!globals.done && !failed && !deadline.hasExpired()) {
        if (wl_display_prepare_read(display) != 0) {
            failed = wl_display_dispatch_pending(display) < 0;
            continue;
        }
        if (wl_display_flush(display) < 0 && errno != EAGAIN) {
            wl_display_cancel_read(display);
            failed = true;
            break;
        }
        pollfd fd{wl_display_get_fd(display), POLLIN, 0};
        const int ready = poll(&fd, 1, int(deadline.remainingTime()));
        if (ready <= 0) {
            wl_display_cancel_read(display);
            failed = ready < 0 && errno != EINTR;
            continue;
        }
        failed = wl_display_read_events(display) < 0 || wl_display_dispatch_pending(display) < 0;
    }
    const bool answered = globals.done;
    wl_callback_destroy(sync);
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    if (!answered)
        return Result::Unreachable;
    return globals.layerShell ? Result::LayerShell : Result::NoLayerShell;
}

} // namespace nivora::WaylandProbe
