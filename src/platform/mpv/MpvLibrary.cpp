#include "platform/mpv/MpvLibrary.h"

#include <QDebug>
#include <QLibrary>

namespace nivora {

namespace {

template <typename Fn> bool resolve(QLibrary& library, const char* name, Fn& target)
{
    target = reinterpret_cast<Fn>(library.resolve(name));
    return target != nullptr;
}

MpvLibrary* load()
{
    // The soname major version of the client API we compile against.
    static QLibrary library(QStringLiteral("mpv"), MPV_CLIENT_API_VERSION >> 16);
    if (!library.load()) {
        qWarning().noquote() << QStringLiteral("Nivora: libmpv introuvable (%1) ; la vidéo est indisponible")
                                    .arg(library.errorString());
        return nullptr;
    }
    static MpvLibrary api;
    const bool ok =
        resolve(library, "mpv_create", api.create) && resolve(library, "mpv_initialize", api.initialize) &&
        resolve(library, "mpv_terminate_destroy", api.terminateDestroy) &&
        resolve(library, "mpv_set_option_string", api.setOptionString) &&
        resolve(library, "mpv_set_property_string", api.setPropertyString) &&
        resolve(library, "mpv_get_property_string", api.getPropertyString) &&
        resolve(library, "mpv_command", api.command) && resolve(library, "mpv_wait_event", api.waitEvent) &&
        resolve(library, "mpv_set_wakeup_callback", api.setWakeupCallback) &&
        resolve(library, "mpv_request_log_messages", api.requestLogMessages) &&
        resolve(library, "mpv_hook_add", api.hookAdd) &&
        resolve(library, "mpv_hook_continue", api.hookContinue) && resolve(library, "mpv_free", api.free) &&
        resolve(library, "mpv_error_string", api.errorString);
    if (!ok) {
        qWarning().noquote() << QStringLiteral("Nivora: libmpv incomplète ; la vidéo est indisponible");
        return nullptr;
    }
    return &api;
}

} // namespace

const MpvLibrary* MpvLibrary::get()
{
    static const MpvLibrary* api = load();
    return api;
}

} // namespace nivora
