#pragma once

// A CPU model of the scene shader, written from the scene formulas alone so
// that a mistake in the GLSL cannot be copied into the expectation. Single
// precision throughout, like the GPU.

#include <algorithm>
#include <array>
#include <cmath>

namespace nivora::reference {

struct V2
{
    float x = 0, y = 0;
};
struct V3
{
    float r = 0, g = 0, b = 0;
};

inline V2 operator+(V2 a, V2 b)
{
    return {a.x + b.x, a.y + b.y};
}
inline V2 operator-(V2 a, V2 b)
{
    return {a.x - b.x, a.y - b.y};
}
inline V2 operator*(V2 a, float s)
{
    return {a.x * s, a.y * s};
}
inline V2 operator*(float s, V2 a)
{
    return {a.x * s, a.y * s};
}
inline V2 operator+(V2 a, float s)
{
    return {a.x + s, a.y + s};
}
inline V2 operator-(V2 a, float s)
{
    return {a.x - s, a.y - s};
}
inline V3 operator*(V3 a, float s)
{
    return {a.r * s, a.g * s, a.b * s};
}

inline float fractf(float x)
{
    return x - std::floor(x);
}
inline float mixf(float a, float b, float f)
{
    return a + (b - a) * f;
}
inline V3 mix3(V3 a, V3 b, float f)
{
    return {mixf(a.r, b.r, f), mixf(a.g, b.g, f), mixf(a.b, b.b, f)};
}
inline float clampf(float x, float lo, float hi)
{
    return std::min(std::max(x, lo), hi);
}
inline float stepf(float e, float x)
{
    return x < e ? 0.0f : 1.0f;
}
inline float smooth(float e0, float e1, float x)
{
    const float s = clampf((x - e0) / (e1 - e0), 0.0f, 1.0f);
    return s * s * (3.0f - 2.0f * s);
}
inline float len(V2 p)
{
    return std::sqrt(p.x * p.x + p.y * p.y);
}
inline float dot2(V2 a, V2 b)
{
    return a.x * b.x + a.y * b.y;
}

inline float hash21(V2 p)
{
    p = {fractf(p.x * 123.34f), fractf(p.y * 456.21f)};
    const float d = dot2(p, p + 45.32f);
    p = p + d;
    return fractf(p.x * p.y);
}

inline float vnoise(V2 p)
{
    const V2 i{std::floor(p.x), std::floor(p.y)};
    const V2 f{fractf(p.x), fractf(p.y)};
    const V2 u{f.x * f.x * (3.0f - 2.0f * f.x), f.y * f.y * (3.0f - 2.0f * f.y)};
    const float a = hash21(i);
    const float b = hash21(i + V2{1, 0});
    const float c = hash21(i + V2{0, 1});
    const float d = hash21(i + V2{1, 1});
    return mixf(mixf(a, b, u.x), mixf(c, d, u.x), u.y);
}

inline float fbm(V2 p)
{
    float v = 0.0f;
    float amp = 0.5f;
    for (int octave = 0; octave < 3; ++octave) {
        v = v + amp * vnoise(p);
        p = p * 2.02f;
        amp = amp * 0.5f;
    }
    return v;
}

struct Inputs
{
    float width = 1, height = 1;
    float time = 0, speed = 0.5f, intensity = 0.6f, scale = 0.5f, colorShift = 0, sharpness = 0.5f;
    int scene = 0;
    std::array<V3, 5> c{};
};

inline V3 ramp(const Inputs& in, float t)
{
    const float tp = fractf(t) * 5.0f;
    const int i = int(std::floor(tp)) % 5;
    const int j = (i + 1) % 5;
    const float f = smooth(0.0f, 1.0f, fractf(tp));
    return mix3(in.c[size_t(i)], in.c[size_t(j)], f);
}

// The colour of the pixel whose centre is at (px, py), measured from the
// top-left corner, the way the formulas are stated, so the flip to uv is checked too.
inline V3 shade(const Inputs& in, float px, float py)
{
    const V3 white{1, 1, 1};
    V2 uv{px / in.width, py / in.height};
    uv.y = 1.0f - uv.y;
    const float aspect = in.width / std::max(in.height, 1.0f);
    const float sc = 0.5f + in.scale * 1.6f;
    const V2 p = V2{uv.x * aspect, uv.y} * sc;
    const float t = in.time * (0.15f + in.speed * 0.9f);
    const float inten = 0.35f + in.intensity * 0.9f;
    const float shift = in.colorShift;
    const auto& c = in.c;

    V3 col;
    switch (in.scene) {
    case 0: {
        const V2 q{fbm(3.0f * p + 0.20f * t), fbm(3.0f * p - 0.15f * t + 5.2f)};
        const float n = fbm(3.0f * p + 1.5f * q + V2{0, 0.10f * t});
        col = ramp(in, n * inten + shift + 0.15f);
        break;
    }
    case 1: {
        const float curtain = fbm(V2{3.0f * p.x + 0.30f * t, 1.2f * p.y - 0.10f * t});
        const float band = smooth(0.20f, 0.90f, curtain) * smooth(0.0f, 0.60f, uv.y);
        const V3 base = ramp(in, 0.10f + 0.50f * uv.y + shift);
        const V3 glow = mix3(c[3], c[4], curtain);
        col = mix3(base, glow, band * inten);
        break;
    }
    case 2: {
        const V3 bg = ramp(in, 0.15f + 0.40f * uv.y + shift);
        const V2 w = 10.0f * p + V2{0.2f * std::sin(0.4f * t), 0.05f * t};
        const V2 g = V2{fractf(w.x), fractf(w.y)} - 0.5f;
        const float line = smooth(0.48f, 0.50f, std::max(std::fabs(g.x), std::fabs(g.y)));
        const float pulse = 0.5f + 0.5f * std::sin(1.5f * t + 4.0f * (p.x + p.y));
        col = mix3(bg, c[4], line * pulse * inten);
        break;
    }
    case 3: {
        V2 q = 2.5f * p;
        for (int k = 0; k < 3; ++k)
            q = q + 0.6f * V2{std::sin(1.7f * q.y + 0.6f * t), std::cos(1.5f * q.x - 0.5f * t)};
        col = ramp(in, fbm(q) * inten + shift);
        break;
    }
    case 4: {
        const float v = std::sin(6.0f * p.x + t) + std::sin(6.0f * p.y + 1.1f * t) +
                        std::sin(5.0f * (p.x + p.y) + 0.7f * t) +
                        std::sin(8.0f * len(p - 0.5f * sc) - 1.3f * t);
        col = ramp(in, (0.125f * v + 0.5f) * inten + shift);
        break;
    }
    case 5: {
        V2 q = 2.0f * p;
        q = q + 0.5f * V2{std::sin(1.3f * q.y + 0.45f * t), std::cos(1.1f * q.x - 0.38f * t)};
        const float f = fbm(q + V2{0.07f * t, -0.05f * t});
        const float lines = std::fabs(fractf(9.0f * f - 0.5f * t) - 0.5f);
        const float contour = smooth(0.02f, 0.07f, lines);
        const V3 base = ramp(in, f + shift + 0.02f * t);
        col = mix3(c[4], base, contour * inten + (1.0f - inten) * 0.5f);
        break;
    }
    case 6: {
        const float y = 3.0f * uv.y;
        const float wave = 0.2f * std::sin(4.0f * p.x + t) + 0.1f * std::sin(7.0f * p.x - 1.3f * t);
        const float band = fractf(y + wave + 0.05f * t);
        col = ramp(in, band + shift);
        col = col * (0.7f + 0.3f * smooth(0.0f, 1.0f, uv.y));
        break;
    }
    case 7: {
        const V2 a =
            V2{0.5f * aspect + 0.30f * aspect * std::sin(0.50f * t), 0.5f + 0.30f * std::cos(0.40f * t)} * sc;
        const V2 b = V2{0.5f * aspect + 0.35f * aspect * std::sin(0.33f * t + 2.0f),
                        0.5f + 0.28f * std::cos(0.60f * t + 1.0f)} *
                     sc;
        const V2 e = V2{0.5f * aspect + 0.25f * aspect * std::sin(0.45f * t + 4.0f),
                        0.5f + 0.32f * std::cos(0.35f * t + 3.0f)} *
                     sc;
        const float m = 0.06f / std::max(len(p - a), 0.02f) + 0.05f / std::max(len(p - b), 0.02f) +
                        0.05f / std::max(len(p - e), 0.02f);
        col = ramp(in, smooth(0.4f, 1.6f, m) * inten + shift);
        break;
    }
    case 8: {
        const float d = 1.4f * (p.x + p.y) + 1.6f * fbm(1.2f * p + 0.1f * t) + 0.25f * t;
        col = ramp(in, fractf(0.4f * d) + shift);
        break;
    }
    case 9: {
        V2 q = 2.0f * p;
        q.y = q.y + 0.25f * t;
        const float n = fbm(q + 1.6f * fbm(0.7f * q + V2{0, -0.12f * t}));
        col = ramp(in, n * inten + shift + 0.1f);
        break;
    }
    case 10: {
        V2 q = 1.8f * p;
        for (int k = 0; k < 3; ++k)
            q = q + 0.45f * V2{std::sin(1.4f * q.y + 0.40f * t), std::cos(1.2f * q.x - 0.35f * t)};
        const float v = 0.5f + 0.5f * std::sin(1.2f * q.x + 0.8f * q.y + 0.25f * t);
        col = ramp(in, 0.55f * v + shift + 0.10f);
        break;
    }
    case 11: {
        const float n = fbm(0.9f * p + V2{0.08f * t, 0.05f * t});
        const float nb = fbm(0.6f * p - V2{0.05f * t, 0} + 3.3f);
        col = ramp(in, 0.6f * n + 0.3f * nb + shift);
        break;
    }
    case 12: {
        const V3 bg = ramp(in, 0.15f + 0.30f * uv.y + shift);
        float orbs = 0;
        for (int i = 0; i < 6; ++i) {
            const float fi = float(i);
            const V2 centre = V2{0.5f * aspect + 0.40f * aspect * std::sin(0.30f * t + 1.7f * fi),
                                 fractf(0.37f * fi + 0.04f * t)} *
                              sc;
            orbs = orbs + smooth(0.22f, 0.0f, len(p - centre));
        }
        col = mix3(bg, c[0], clampf(orbs, 0, 1) * 0.55f * inten);
        break;
    }
    case 13: {
        const float haze = fbm(V2{1.4f * uv.x * aspect, 1.4f * uv.y} + V2{0.04f * t, -0.07f * t});
        const V3 skyTop = ramp(in, 0.60f + shift) * 0.55f;
        const V3 skyBot = ramp(in, 0.78f + shift) * 0.32f;
        const V3 bg = mix3(skyTop, skyBot, clampf(uv.y + (haze - 0.5f) * 0.35f, 0, 1));
        float rain = 0;
        for (int layer = 0; layer < 2; ++layer) {
            const float fl = float(layer);
            const float cols = 11.0f + 8.0f * fl;
            const float slant = 0.05f + 0.02f * fl;
            const V2 ruv{uv.x * aspect + uv.y * slant, uv.y};
            const float x = ruv.x * cols;
            const float cid = std::floor(x);
            const float fx = fractf(x) - 0.5f;
            const float seed = hash21(V2{cid, 21.7f * fl});
            const float speed = 0.35f + 0.35f * seed + 0.15f * fl;
            const float fall = ruv.y * (1.0f + 0.4f * fl) + t * speed + 13.0f * seed;
            const float cell = fractf(fall);
            const float head = smooth(0.0f, 0.04f, cell) * (1.0f - smooth(0.04f, 0.42f, cell));
            const float across = std::exp(-55.0f * fx * fx);
            const float gate = smooth(0.20f, 0.55f, seed);
            rain = rain + head * across * gate * (0.5f + 0.5f * fl);
        }
        rain = clampf(rain, 0, 1);
        const V3 streak = mix3(c[4], white, 0.45f);
        col = mix3(bg, streak, rain * (0.30f + 0.45f * inten));
        col = mix3(col, ramp(in, 0.72f + shift) * 0.5f, smooth(0.28f, 0.0f, uv.y) * 0.22f);
        break;
    }
    default: {
        const V3 bg = mix3(ramp(in, 0.55f + shift) * 0.6f, ramp(in, 0.72f + shift) * 0.85f, uv.y);
        float snow = 0;
        for (int layer = 0; layer < 3; ++layer) {
            const float fl = float(layer);
            const float cells = 16.0f + 10.0f * fl;
            V2 g = V2{uv.x * aspect, uv.y} * cells;
            g.x = g.x + 0.6f * std::sin(6.0f * uv.y + t * (0.3f + 0.2f * fl));
            g.y = g.y + t * (0.45f + 0.30f * fl);
            const V2 cell{std::floor(g.x), std::floor(g.y)};
            const V2 f = V2{fractf(g.x), fractf(g.y)} - 0.5f;
            const float rnd = hash21(cell + 7.0f * fl);
            const V2 off = (V2{rnd, fractf(31.7f * rnd)} - 0.5f) * 0.6f;
            const float flake = smooth(0.16f, 0.0f, len(f - off)) * stepf(0.5f, rnd);
            snow = snow + flake * (0.5f + 0.3f * fl);
        }
        col = mix3(bg, white, clampf(snow, 0, 1) * (0.55f + 0.4f * inten));
        break;
    }
    }

    const float sh = 0.7f + in.sharpness * 0.9f;
    col = {clampf((col.r - 0.5f) * sh + 0.5f, 0, 1), clampf((col.g - 0.5f) * sh + 0.5f, 0, 1),
           clampf((col.b - 0.5f) * sh + 0.5f, 0, 1)};
    const V2 dv = uv - 0.5f;
    const float vig = smooth(1.0f, 0.2f, 1.8f * dot2(dv, dv));
    return col * mixf(0.82f, 1.0f, vig);
}

} // namespace nivora::reference
