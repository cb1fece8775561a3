#pragma once

// The generated protocol headers are C: one of their parameters is named
// `namespace`, a C++ keyword, so it is renamed while they are read.
#include <wayland-client.h>

#define namespace namespace_
#include "viewporter-client-protocol.h"
#include "wlr-layer-shell-unstable-v1-client-protocol.h"
#include "xdg-output-unstable-v1-client-protocol.h"
#include "xdg-shell-client-protocol.h"
#undef namespace
