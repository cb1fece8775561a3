#include "scene/SceneShader.h"

namespace nivora {

// Everything is single precision. GLSL's own smoothstep is undefined when the
// first edge is not below the second, and several scenes rely on exactly that
// falling edge, so the shader brings its own edge and blend functions.
const char* const sceneShaderSource = R"GLSL(
#ifdef NIVORA_VERTEX_STAGE

void v_main()
{
    // One oversized triangle, (-1,-1), (3,-1), (-1,3), covers the whole viewport.
    float x = gl_VertexID == 1 ? 3.0 : -1.0;
    float y = gl_VertexID == 2 ? 3.0 : -1.0;
    gl_Position = vec4(x, y, 0.0, 1.0);
}

void main()
{
    v_main();
}

#endif

#ifdef NIVORA_FRAGMENT_STAGE

layout(std140) uniform Scalars
{
    vec2 resolution;
    float time;
    float speed;
    float intensity;
    float scale;
    float colorShift;
    float sharpness;
    int scene;
    vec2 offset;
} u;

layout(std140) uniform Palette
{
    vec4 colors[5];
} pal;

out vec4 fragColor;

float edge(float e0, float e1, float x)
{
    float s = clamp((x - e0) / (e1 - e0), 0.0, 1.0);
    return s * s * (3.0 - 2.0 * s);
}

float blend(float a, float b, float f)
{
    return a + (b - a) * f;
}

vec3 blend(vec3 a, vec3 b, float f)
{
    return a + (b - a) * f;
}

vec3 paletteColor(int k)
{
    return pal.colors[k].rgb;
}

float hash21(vec2 p)
{
    p = fract(p * vec2(123.34, 456.21));
    p += dot(p, p + 45.32);
    return fract(p.x * p.y);
}

float vnoise(vec2 p)
{
    vec2 i = floor(p);
    vec2 f = fract(p);
    vec2 w = f * f * (3.0 - 2.0 * f);
    float a = hash21(i);
    float b = hash21(i + vec2(1.0, 0.0));
    float c = hash21(i + vec2(0.0, 1.0));
    float d = hash21(i + vec2(1.0, 1.0));
    return blend(blend(a, b, w.x), blend(c, d, w.x), w.y);
}

float fbm(vec2 p)
{
    float v = 0.0;
    float amp = 0.5;
    for (int k = 0; k < 3; ++k) {
        v += amp * vnoise(p);
        p *= 2.02;
        amp *= 0.5;
    }
    return v;
}

// Cyclic ramp through the five colours; colour 4 blends back into colour 0.
vec3 ramp(float t)
{
    float tp = fract(t) * 5.0;
    int i = int(floor(tp)) % 5;
    int j = (i + 1) % 5;
    float f = edge(0.0, 1.0, fract(tp));
    return blend(paletteColor(i), paletteColor(j), f);
}

vec3 rain(vec2 uv, float aspect, float t, float shift, float inten)
{
    float haze = fbm(vec2(1.4 * uv.x * aspect, 1.4 * uv.y) + vec2(0.04 * t, -0.07 * t));
    vec3 skyTop = ramp(0.60 + shift) * 0.55;
    vec3 skyBot = ramp(0.78 + shift) * 0.32;
    vec3 bg = blend(skyTop, skyBot, clamp(uv.y + (haze - 0.5) * 0.35, 0.0, 1.0));

    float amount = 0.0;
    for (int layer = 0; layer < 2; ++layer) {
        float fl = float(layer);
        float cols = 11.0 + 8.0 * fl;
        float slant = 0.05 + 0.02 * fl;
        vec2 ruv = vec2(uv.x * aspect + uv.y * slant, uv.y);
        float x = ruv.x * cols;
        float cid = floor(x);
        float fx = fract(x) - 0.5;
        float seed = hash21(vec2(cid, 21.7 * fl));
        float dropSpeed = 0.35 + 0.35 * seed + 0.15 * fl;
        float fall = ruv.y * (1.0 + 0.4 * fl) + t * dropSpeed + 13.0 * seed;
        float cell = fract(fall);
        float head = edge(0.0, 0.04, cell) * (1.0 - edge(0.04, 0.42, cell));
        float across = exp(-55.0 * fx * fx);
        float gate = edge(0.20, 0.55, seed);
        amount += head * across * gate * (0.5 + 0.5 * fl);
    }
    amount = clamp(amount, 0.0, 1.0);
    vec3 streak = blend(paletteColor(4), vec3(1.0), 0.45);
    vec3 col = blend(bg, streak, amount * (0.30 + 0.45 * inten));
    // A darker band near the bottom of the screen.
    return blend(col, ramp(0.72 + shift) * 0.5, edge(0.28, 0.0, uv.y) * 0.22);
}

vec3 snow(vec2 uv, float aspect, float t, float shift, float inten)
{
    vec3 bg = blend(ramp(0.55 + shift) * 0.6, ramp(0.72 + shift) * 0.85, uv.y);
    float amount = 0.0;
    for (int layer = 0; layer < 3; ++layer) {
        float fl = float(layer);
        float cells = 16.0 + 10.0 * fl;
        vec2 g = vec2(uv.x * aspect, uv.y) * cells;
        g.x += 0.6 * sin(6.0 * uv.y + t * (0.3 + 0.2 * fl));
        g.y += t * (0.45 + 0.30 * fl);
        vec2 cell = floor(g);
        vec2 f = fract(g) - 0.5;
        float rnd = hash21(cell + 7.0 * fl);
        vec2 off = (vec2(rnd, fract(31.7 * rnd)) - 0.5) * 0.6;
        // Only cells whose random value reaches one half hold a flake.
        float flake = edge(0.16, 0.0, length(f - off)) * step(0.5, rnd);
        amount += flake * (0.5 + 0.3 * fl);
    }
    return blend(bg, vec3(1.0), clamp(amount, 0.0, 1.0) * (0.55 + 0.4 * inten));
}

void f_main()
{
    // gl_FragCoord already has its origin at the bottom-left corner, which is
    // where uv starts, so no flip is needed.
    vec2 uv = (gl_FragCoord.xy + u.offset) / u.resolution;
    float aspect = u.resolution.x / max(u.resolution.y, 1.0);
    float sc = 0.5 + u.scale * 1.6;
    vec2 p = vec2(uv.x * aspect, uv.y) * sc;
    float t = u.time * (0.15 + u.speed * 0.9);
    float inten = 0.35 + u.intensity * 0.9;
    float shift = u.colorShift;

    // A program built for one scene gets its number as a constant, so the
    // compiler drops every other scene: software rasterisers run all branches
    // of a non-constant choice for every pixel.
#ifdef NIVORA_SCENE
    const int sceneValue = NIVORA_SCENE;
#else
    int sceneValue = u.scene;
#endif

    vec3 col;
    if (sceneValue == 0) {
        // Mist.
        vec2 q = vec2(fbm(3.0 * p + 0.20 * t), fbm(3.0 * p - 0.15 * t + 5.2));
        float n = fbm(3.0 * p + 1.5 * q + vec2(0.0, 0.10 * t));
        col = ramp(n * inten + shift + 0.15);
    } else if (sceneValue == 1) {
        // Aurora.
        float curtain = fbm(vec2(3.0 * p.x + 0.30 * t, 1.2 * p.y - 0.10 * t));
        float band = edge(0.20, 0.90, curtain) * edge(0.0, 0.60, uv.y);
        vec3 base = ramp(0.10 + 0.50 * uv.y + shift);
        vec3 glow = blend(paletteColor(3), paletteColor(4), curtain);
        col = blend(base, glow, band * inten);
    } else if (sceneValue == 2) {
        // Living grid.
        vec3 bg = ramp(0.15 + 0.40 * uv.y + shift);
        vec2 g = fract(10.0 * p + vec2(0.2 * sin(0.4 * t), 0.05 * t)) - 0.5;
        float line = edge(0.48, 0.50, max(abs(g.x), abs(g.y)));
        float pulse = 0.5 + 0.5 * sin(1.5 * t + 4.0 * (p.x + p.y));
        col = blend(bg, paletteColor(4), line * pulse * inten);
    } else if (sceneValue == 3) {
        // Flowing marble: domain warping, each step from the previous q.
        vec2 q = 2.5 * p;
        for (int k = 0; k < 3; ++k)
            q += 0.6 * vec2(sin(1.7 * q.y + 0.6 * t), cos(1.5 * q.x - 0.5 * t));
        col = ramp(fbm(q) * inten + shift);
    } else if (sceneValue == 4) {
        // Plasma.
        float v = sin(6.0 * p.x + t) + sin(6.0 * p.y + 1.1 * t) + sin(5.0 * (p.x + p.y) + 0.7 * t)
                + sin(8.0 * length(p - 0.5 * sc) - 1.3 * t);
        col = ramp((0.125 * v + 0.5) * inten + shift);
    } else if (sceneValue == 5) {
        // Living contour lines.
        vec2 q = 2.0 * p;
        q += 0.5 * vec2(sin(1.3 * q.y + 0.45 * t), cos(1.1 * q.x - 0.38 * t));
        float f = fbm(q + vec2(0.07 * t, -0.05 * t));
        float lines = abs(fract(9.0 * f - 0.5 * t) - 0.5);
        float contour = edge(0.02, 0.07, lines);
        vec3 base = ramp(f + shift + 0.02 * t);
        col = blend(paletteColor(4), base, contour * inten + (1.0 - inten) * 0.5);
    } else if (sceneValue == 6) {
        // Gentle swell.
        float y = 3.0 * uv.y;
        float wave = 0.2 * sin(4.0 * p.x + t) + 0.1 * sin(7.0 * p.x - 1.3 * t);
        float band = fract(y + wave + 0.05 * t);
        col = ramp(band + shift);
        col = col * (0.7 + 0.3 * edge(0.0, 1.0, uv.y));
    } else if (sceneValue == 7) {
        // Melting blobs (metaballs).
        vec2 a = vec2(0.5 * aspect + 0.30 * aspect * sin(0.50 * t), 0.5 + 0.30 * cos(0.40 * t)) * sc;
        vec2 b = vec2(0.5 * aspect + 0.35 * aspect * sin(0.33 * t + 2.0), 0.5 + 0.28 * cos(0.60 * t + 1.0)) * sc;
        vec2 e = vec2(0.5 * aspect + 0.25 * aspect * sin(0.45 * t + 4.0), 0.5 + 0.32 * cos(0.35 * t + 3.0)) * sc;
        float m = 0.06 / max(length(p - a), 0.02) + 0.05 / max(length(p - b), 0.02)
                + 0.05 / max(length(p - e), 0.02);
        col = ramp(edge(0.4, 1.6, m) * inten + shift);
    } else if (sceneValue == 8) {
        // Flowing diagonal ribbons.
        float d = 1.4 * (p.x + p.y) + 1.6 * fbm(1.2 * p + 0.1 * t) + 0.25 * t;
        col = ramp(fract(0.4 * d) + shift);
    } else if (sceneValue == 9) {
        // Rising smoke.
        vec2 q = 2.0 * p;
        q.y += 0.25 * t;
        float n = fbm(q + 1.6 * fbm(0.7 * q + vec2(0.0, -0.12 * t)));
        col = ramp(n * inten + shift + 0.1);
    } else if (sceneValue == 10) {
        // Satin waves.
        vec2 q = 1.8 * p;
        for (int k = 0; k < 3; ++k)
            q += 0.45 * vec2(sin(1.4 * q.y + 0.40 * t), cos(1.2 * q.x - 0.35 * t));
        float v = 0.5 + 0.5 * sin(1.2 * q.x + 0.8 * q.y + 0.25 * t);
        col = ramp(0.55 * v + shift + 0.10);
    } else if (sceneValue == 11) {
        // Melted colour sheet.
        float n = fbm(0.9 * p + vec2(0.08 * t, 0.05 * t));
        float nb = fbm(0.6 * p - vec2(0.05 * t, 0.0) + 3.3);
        col = ramp(0.6 * n + 0.3 * nb + shift);
    } else if (sceneValue == 12) {
        // Floating orbs.
        vec3 bg = ramp(0.15 + 0.30 * uv.y + shift);
        float orbs = 0.0;
        for (int i = 0; i < 6; ++i) {
            float fi = float(i);
            vec2 centre = vec2(0.5 * aspect + 0.40 * aspect * sin(0.30 * t + 1.7 * fi), fract(0.37 * fi + 0.04 * t)) * sc;
            orbs += edge(0.22, 0.0, length(p - centre));
        }
        col = blend(bg, paletteColor(0), clamp(orbs, 0.0, 1.0) * 0.55 * inten);
    } else if (sceneValue == 13) {
        col = rain(uv, aspect, t, shift, inten);
    } else {
        // Snow is also what any unknown scene value shows.
        col = snow(uv, aspect, t, shift, inten);
    }

    // Sharpness acts as local contrast around mid-grey.
    float sh = 0.7 + u.sharpness * 0.9;
    col = clamp((col - 0.5) * sh + 0.5, 0.0, 1.0);

    // Vignette: corners fall to 0.82 of their colour, the centre is untouched.
    vec2 dv = uv - 0.5;
    float vig = edge(1.0, 0.2, 1.8 * dot(dv, dv));
    col = col * blend(0.82, 1.0, vig);

    fragColor = vec4(col, 1.0);
}

void main()
{
    f_main();
}

#endif
)GLSL";

} // namespace nivora
