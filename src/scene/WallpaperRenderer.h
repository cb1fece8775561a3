#pragma once

#include "palettes/ColorHex.h"
#include "scene/AnimationClock.h"
#include "scene/Scalars.h"

#include <QList>
#include <QRectF>
#include <QSize>
#include <QSurfaceFormat>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <qopengl.h>
#include <vector>

class QObject;
class QOpenGLContext;

namespace nivora {

class AppState;
struct GLFunctions;

// Draws the scene shader into whatever framebuffer is bound in one OpenGL
// context, and owns the process-wide state every scene renderer shares: the
// animation epoch and the program cache.
//
// Contexts. Every context Nivora renders scenes with must be OpenGL 3.3 core
// (surfaceFormat()) and belong to the process's one share group, so that the
// shader is compiled once for all of them: a context (a desktop render view's,
// an offscreen one) calls setFormat(surfaceFormat()) and
// setShareContext(WallpaperRenderer::shareContext()) before create().
//
// A desktop render view with its own context on a render thread does, on that
// thread:
//
//     context->makeCurrent(surface);
//     auto renderer = WallpaperRenderer::create(context,
//     WallpaperRenderer::pixelFormatOf(context->format()));
//     // null: no usable program; the view gives up (and logs nothing)
//     ...per frame, with the context current and the viewport set to the drawable:
//     Scalars s = WallpaperRenderer::makeScalars(drawableSize, WallpaperRenderer::animationTime(),
//                                                speed, intensity, scale, colorShift, sharpness, scene);
//     renderer->draw(s, palette); // or uploadScalars(), uploadPalette(), drawTriangle()
//     context->swapBuffers(surface);
//     ...and destroys the renderer on that thread with the context still current.
//
// A context Qt does not manage (EGL on a Wayland connection of Nivora's own)
// is described by a NativeContext instead: its share group is the object it
// names, and the program cache treats it as it treats Qt's groups.
//
// Threads. The static members are safe to call from any thread. An instance
// belongs to its context: use and destroy it on the thread where that context
// is current.
class WallpaperRenderer
{
public:
    // The colour format programs are cached under. Offscreen framebuffers and
    // QOpenGLWidget draw into GL_RGBA8.
    static constexpr GLenum defaultPixelFormat = 0x8058; // GL_RGBA8

    // Must run before the QGuiApplication / QApplication is constructed:
    // makes OpenGL 3.3 core the default surface format.
    static void configureApplication();
    // The context every other one shares with, made on the first call from
    // the main thread (the GUI thread) and kept until the application ends;
    // null when no context can be made, or before the first call from the
    // main thread. Made on demand rather than with the application: a
    // process that shows only a picture or a video drawn in software then
    // never loads the OpenGL driver, which with llvmpipe is tens of MiB.
    static QOpenGLContext* shareContext();
    // Whether shareContext() has made its context (test hook).
    static bool hasShareContext();
    // OpenGL 3.3 core, no depth or stencil buffer.
    static QSurfaceFormat surfaceFormat();
    // GL_RGBA8 when the format has alpha bits, GL_RGB8 otherwise.
    static GLenum pixelFormatOf(const QSurfaceFormat& format);

    // --- Animation clock ---------------------------------------------------

    // The animation epoch: seconds on the monotonic clock, fixed at the first
    // call from anywhere in the process and never changed afterwards; the
    // shared AnimationClock counts from it.
    static double epoch();
    // The shared clock's time now (AnimationClock::shared().sample().time).
    static float animationTime();
    // Seconds since the epoch wrapped at 100000 s: the time `nivora render
    // --time` draws, as though the speed had never changed.
    static float wrapTime(double secondsSinceEpoch);
    // Test hook: restarts the shared clock at this many seconds since the
    // epoch, reading that instant until called again with nothing
    // (AnimationClock::restartForTesting). The application never calls it.
    static void pinAnimationTimeForTesting(std::optional<double> secondsSinceEpoch);

    // --- Scalars -----------------------------------------------------------

    // The shader's record for one frame. Each drawable component not above 1
    // becomes 1, so a zero-sized drawable never divides by zero; the tuning
    // values are made finite and bounded by their ranges (a non-finite value
    // becomes its default, any other is clamped) and narrowed to float; the
    // scene index is clamped to
    // the 32-bit range (every value outside 0...13 draws snow anyway).
    static Scalars makeScalars(QSizeF drawableSize, float time, double speed, double intensity, double scale,
                               double colorShift, double sharpness, qint64 scene);
    // Lays the scene of `s`, drawn on a `drawableSize` drawable, over
    // `canvas`, given in units of the drawable (the drawable is 0, 0, 1, 1;
    // y down): one scene across several screens, each drawing its part.
    static void placeOnCanvas(Scalars& s, const QRectF& canvas, QSizeF drawableSize);
    // The same, with the tuning values and scene read from the settings store.
    static Scalars scalarsFromState(const AppState& state, QSizeF drawableSize, float time);
    // The same with the time and speed of a clock sample, as renderers draw.
    static Scalars scalarsFromState(const AppState& state, QSizeF drawableSize,
                                    const AnimationClock::Sample& clock);

    // --- Program cache -----------------------------------------------------

    // The linked scene program for `context`'s share group and the colour
    // format, or 0. `context` must be current on the calling thread. The
    // shader source is compiled at most once per share group; a failed
    // compilation is remembered for that group and never retried. One program
    // is linked per colour format and kept for the life of the group; a failed
    // link caches nothing, so the next request links again.
    static GLuint sharedProgram(QOpenGLContext* context, GLenum pixelFormat);

    // The program that draws only `scene` (every value outside 0...13 draws
    // snow), built on first use from the same source with the scene number as
    // a constant, or 0 when the shared program is unavailable or this build
    // failed (remembered; callers then use sharedProgram()). On software GL
    // (llvmpipe) a program for one scene costs about a tenth of the program
    // that chooses the scene per pixel, because every branch of a run-time
    // choice is computed for every pixel.
    static GLuint sceneProgram(QOpenGLContext* context, GLenum pixelFormat, std::int32_t scene);

    struct CacheCounters
    {
        int compilations = 0;    // shader source compiled for a share group
        int specialisations = 0; // per-scene fragment stages compiled
        int links = 0;           // shared program link attempts
        int sceneLinks = 0;      // per-scene program link attempts
    };
    // Counters since the process started (or the last reset below).
    static CacheCounters cacheCounters();

    // Test hook: replaces the shader source (nullptr restores the real one),
    // forgets every cached program and zeroes the counters. Programs already
    // handed out stay valid.
    static void setShaderSourceForTesting(const char* source);

    // --- One renderer per context ------------------------------------------

    // An OpenGL 3.3 core context of the window system's own, current on the
    // calling thread.
    struct NativeContext
    {
        // Its entry points, core ones included.
        std::function<QFunctionPointer(const char*)> resolve;
        // The object standing for its share group: the same for every
        // context sharing objects with it, destroyed when the last goes.
        QObject* group = nullptr;
    };

    // A renderer for the context current on this thread, or nullptr when the
    // context has no usable program. Logs nothing; callers decide.
    static std::unique_ptr<WallpaperRenderer> create(QOpenGLContext* context,
                                                     GLenum pixelFormat = defaultPixelFormat);
    // The same for a native context; it must be current whenever the
    // renderer is used or destroyed.
    static std::unique_ptr<WallpaperRenderer> create(const NativeContext& context, GLenum pixelFormat);
    // Frees the renderer's buffers when its context is current; otherwise they
    // go with the context.
    ~WallpaperRenderer();

    WallpaperRenderer(const WallpaperRenderer&) = delete;
    WallpaperRenderer& operator=(const WallpaperRenderer&) = delete;

    GLuint program() const { return m_program; }

    // Binds the default framebuffer of the current surface (not Qt's
    // framebuffer object of a QOpenGLWidget) and sets the viewport.
    void bindDefaultFramebuffer(QSize viewport);
    void setViewport(QSize viewport);

    // The 40-byte record in one upload.
    void uploadScalars(const Scalars& scalars);
    // The first five colours; missing entries are uploaded as opaque black.
    void uploadPalette(const QList<RGBA>& palette);
    // Draws the full-screen triangle into the bound framebuffer, over the
    // current viewport, with no blending.
    void drawTriangle();
    // All three of the above.
    void draw(const Scalars& scalars, const QList<RGBA>& palette);

private:
    WallpaperRenderer(QOpenGLContext* context, QObject* group, std::unique_ptr<GLFunctions> gl,
                      GLuint program, GLenum pixelFormat);
    GLuint programForScene(std::int32_t scene);

    // Null for a native context.
    QOpenGLContext* m_context = nullptr;
    QObject* m_group = nullptr;
    std::unique_ptr<GLFunctions> m_gl;
    GLuint m_program = 0;
    GLenum m_pixelFormat = defaultPixelFormat;
    std::int32_t m_scene = 0;
    // One slot per scene of the catalog.
    std::vector<GLuint> m_scenePrograms;
    std::vector<bool> m_sceneProgramTried;
    GLuint m_vertexArray = 0;
    GLuint m_scalarsBuffer = 0;
    GLuint m_paletteBuffer = 0;
};

} // namespace nivora
