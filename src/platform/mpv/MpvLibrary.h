#pragma once

#include <mpv/client.h>

namespace nivora {

// libmpv, loaded on first use instead of at process start. libmpv pulls in a
// couple of hundred shared libraries (codecs, renderers); linking it directly
// made every start of Nivora, and every `nivora ctl`, pay for them even when no
// video is ever shown.
//
// Contract: `get()` may be called from any thread; it loads the library once
// and returns nullptr when libmpv cannot be loaded or lacks a function we use
// (callers then treat video as unavailable). The function pointers have the
// exact signatures of <mpv/client.h>.
struct MpvLibrary
{
    decltype(&::mpv_create) create = nullptr;
    decltype(&::mpv_initialize) initialize = nullptr;
    decltype(&::mpv_terminate_destroy) terminateDestroy = nullptr;
    decltype(&::mpv_set_option_string) setOptionString = nullptr;
    decltype(&::mpv_set_property_string) setPropertyString = nullptr;
    decltype(&::mpv_get_property_string) getPropertyString = nullptr;
    decltype(&::mpv_command) command = nullptr;
    decltype(&::mpv_wait_event) waitEvent = nullptr;
    decltype(&::mpv_set_wakeup_callback) setWakeupCallback = nullptr;
    decltype(&::mpv_request_log_messages) requestLogMessages = nullptr;
    decltype(&::mpv_hook_add) hookAdd = nullptr;
    decltype(&::mpv_hook_continue) hookContinue = nullptr;
    decltype(&::mpv_free) free = nullptr;
    decltype(&::mpv_error_string) errorString = nullptr;

    static const MpvLibrary* get();
};

} // namespace nivora
