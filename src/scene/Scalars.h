#pragma once

#include <cstddef>
#include <cstdint>

namespace nivora {

// The per-frame record of the scene shader, uploaded as it stands into the
// shader's std140 "Scalars" block. The layout is fixed at 48 bytes: `offset`
// sits at the next 8-byte boundary after `scene`, as std140 places a vec2.
struct alignas(8) Scalars
{
    // The size in drawable pixels of the canvas the scene is laid over: the
    // drawable itself, or the box around every screen when the scene spans
    // them; never below 1.
    float resolution[2] = {1.0f, 1.0f};
    float time = 0.0f; // seconds since the animation epoch, wrapped
    float speed = 0.5f;
    float intensity = 0.6f;
    float scale = 0.5f;
    float colorShift = 0.0f;
    float sharpness = 0.5f;
    std::int32_t scene = 0;
    std::int32_t padding = 0;
    // Where the drawable's bottom-left corner lies on the canvas, in drawable
    // pixels from the canvas's bottom-left corner.
    float offset[2] = {0.0f, 0.0f};
};

static_assert(sizeof(Scalars) == 48);
static_assert(alignof(Scalars) == 8);
static_assert(offsetof(Scalars, resolution) == 0);
static_assert(offsetof(Scalars, time) == 8);
static_assert(offsetof(Scalars, speed) == 12);
static_assert(offsetof(Scalars, intensity) == 16);
static_assert(offsetof(Scalars, scale) == 20);
static_assert(offsetof(Scalars, colorShift) == 24);
static_assert(offsetof(Scalars, sharpness) == 28);
static_assert(offsetof(Scalars, scene) == 32);
static_assert(offsetof(Scalars, offset) == 40);

} // namespace nivora
