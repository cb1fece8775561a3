#pragma once

#include <cstddef>
#include <cstdint>

namespace nivora {

// The per-frame record of the scene shader, uploaded as it stands into the
// shader's std140 "Scalars" block. The layout is fixed at 40 bytes: the fields
// take 36 and the record is rounded up to the 8-byte alignment of `resolution`.
struct alignas(8) Scalars
{
    float resolution[2] = {1.0f, 1.0f}; // drawable size in pixels, never below 1
    float time = 0.0f;                  // seconds since the animation epoch, wrapped
    float speed = 0.5f;
    float intensity = 0.6f;
    float scale = 0.5f;
    float colorShift = 0.0f;
    float sharpness = 0.5f;
    std::int32_t scene = 0;
    std::int32_t padding = 0;
};

static_assert(sizeof(Scalars) == 40);
static_assert(alignof(Scalars) == 8);
static_assert(offsetof(Scalars, resolution) == 0);
static_assert(offsetof(Scalars, time) == 8);
static_assert(offsetof(Scalars, speed) == 12);
static_assert(offsetof(Scalars, intensity) == 16);
static_assert(offsetof(Scalars, scale) == 20);
static_assert(offsetof(Scalars, colorShift) == 24);
static_assert(offsetof(Scalars, sharpness) == 28);
static_assert(offsetof(Scalars, scene) == 32);

} // namespace nivora
