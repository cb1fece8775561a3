#include "platform/mpv/MpvLibrary.h"

#include "platform/FreedMemory.h"

#include <QCoreApplication>
#include <QDebug>
#include <QLibrary>
#include <QMetaObject>
#include <QTimer>
#include <mutex>
#include <utility>

namespace nivora {

namespace {

// How long libmpv stays loaded after the last video goes: a playlist moving
// from one video to the next, or a quick change of mind on the Media page,
// should not pay for unmapping and mapping again a couple of hundred
// libraries.
constexpr int unloadDelayMs = 3000;

template <typename Fn> bool resolve(QLibrary& library, const char* name, Fn& target)
{
    target = reinterpret_cast<Fn>(library.resolve(name));
    return target != nullptr;
}

struct Loader
{
    std::mutex mutex;
    // The soname major version of the client API we compile against.
    QLibrary library{QStringLiteral("mpv"), MPV_CLIENT_API_VERSION >> 16};
    MpvLibrary api;
    bool loaded = false;
    bool failureReported = false;
    int holds = 0;
    // Counts acquisitions, so that an unload planned before the latest one
    // knows it is stale.
    quint64 generation = 0;
};

Loader& loader()
{
    // Never destroyed: a hold may be dropped while static objects are being
    // torn down at exit.
    static Loader* instance = new Loader;
    return *instance;
}

bool resolveAll(QLibrary& library, MpvLibrary& api)
{
    MpvRenderApi& r = api.render;
    return resolve(library, "mpv_create", api.create) && resolve(library, "mpv_initialize", api.initialize) &&
           resolve(library, "mpv_terminate_destroy", api.terminateDestroy) &&
           resolve(library, "mpv_set_option_string", api.setOptionString) &&
           resolve(library, "mpv_set_property_string", api.setPropertyString) &&
           resolve(library, "mpv_get_property_string", api.getPropertyString) &&
           resolve(library, "mpv_command", api.command) &&
           resolve(library, "mpv_wait_event", api.waitEvent) &&
           resolve(library, "mpv_set_wakeup_callback", api.setWakeupCallback) &&
           resolve(library, "mpv_request_log_messages", api.requestLogMessages) &&
           resolve(library, "mpv_observe_property", api.observeProperty) &&
           resolve(library, "mpv_hook_add", api.hookAdd) &&
           resolve(library, "mpv_hook_continue", api.hookContinue) &&
           resolve(library, "mpv_free", api.free) && resolve(library, "mpv_error_string", api.errorString) &&
           resolve(library, "mpv_render_context_create", r.create) &&
           resolve(library, "mpv_render_context_set_update_callback", r.setUpdateCallback) &&
           resolve(library, "mpv_render_context_update", r.update) &&
           resolve(library, "mpv_render_context_render", r.render) &&
           resolve(library, "mpv_render_context_report_swap", r.reportSwap) &&
           resolve(library, "mpv_render_context_free", r.free);
}

// On the main thread, once the delay is over.
void unloadIfStillUnused(quint64 generation)
{
    Loader& l = loader();
    {
        const std::lock_guard lock(l.mutex);
        if (!l.loaded || l.holds > 0 || l.generation != generation)
            return;
        l.api = MpvLibrary{};
        l.loaded = false;
        if (!l.library.unload())
            return;
    }
    // The codecs' tables and the player's own heap blocks are free now.
    FreedMemory::release();
}

void release()
{
    Loader& l = loader();
    quint64 generation = 0;
    {
        const std::lock_guard lock(l.mutex);
        if (--l.holds > 0)
            return;
        generation = l.generation;
    }
    // Without an event loop (a command-line run, exit) the library simply
    // stays until the process ends.
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return;
    QMetaObject::invokeMethod(
        app,
        [app, generation] {
            QTimer::singleShot(unloadDelayMs, app, [generation] { unloadIfStillUnused(generation); });
        },
        Qt::QueuedConnection);
}

} // namespace

std::shared_ptr<const MpvLibrary> MpvLibrary::acquire()
{
    Loader& l = loader();
    const std::lock_guard lock(l.mutex);
    if (!l.loaded) {
        if (!l.library.load()) {
            if (!std::exchange(l.failureReported, true))
                qWarning().noquote() << QStringLiteral("Nivora: libmpv not found (%1); video is unavailable")
                                            .arg(l.library.errorString());
            return nullptr;
        }
        if (!resolveAll(l.library, l.api)) {
            if (!std::exchange(l.failureReported, true))
                qWarning().noquote() << QStringLiteral("Nivora: libmpv incomplete; video is unavailable");
            l.api = MpvLibrary{};
            l.library.unload();
            return nullptr;
        }
        l.loaded = true;
    }
    ++l.holds;
    ++l.generation;
    return std::shared_ptr<const MpvLibrary>(&l.api, [](const MpvLibrary*) { release(); });
}

} // namespace nivora
