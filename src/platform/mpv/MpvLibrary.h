#pragma once

#include "platform/mpv/MpvRenderApi.h"

#include <memory>
#include <mpv/client.h>

namespace nivora {

// libmpv, loaded on first use instead of at process start, and unloaded again
// once no video is left. libmpv pulls in a couple of hundred shared libraries
// (codecs, renderers, some 30 MB of mapped code): linking it directly made
// every start of Nivora, and every `nivora ctl`, pay for them even when no
// video is ever shown, and keeping it loaded made a still picture chosen after
// a video cost that much more than the same picture at start, for days.
//
// Contract: `acquire()` may be called from any thread. It returns a hold that
// keeps the library loaded and its function pointers valid while any hold
// lives, or nullptr when libmpv cannot be loaded or lacks a function we use
// (callers then treat video as unavailable). Every handle, render context and
// thread that runs libmpv's code must be gone before the last hold is dropped.
// The function pointers have the exact signatures of <mpv/client.h>.
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
    decltype(&::mpv_observe_property) observeProperty = nullptr;
    decltype(&::mpv_hook_add) hookAdd = nullptr;
    decltype(&::mpv_hook_continue) hookContinue = nullptr;
    decltype(&::mpv_free) free = nullptr;
    decltype(&::mpv_error_string) errorString = nullptr;
    MpvRenderApi render;

    static std::shared_ptr<const MpvLibrary> acquire();
};

} // namespace nivora
