#pragma once

#include "palettes/ColorHex.h"
#include "scene/Scalars.h"

#include <QImage>
#include <QList>
#include <QSize>
#include <QString>
#include <memory>

class QOffscreenSurface;
class QOpenGLContext;
class QOpenGLFramebufferObject;

namespace nivora {

class WallpaperRenderer;

// Renders scene frames into an offscreen framebuffer with the same program the
// desktop uses: `nivora render`, the shader tests and the benchmark. Create it
// on the GUI thread of a running QGuiApplication with a GL-capable platform;
// check isValid() before use.
class OffscreenSceneRenderer
{
public:
    OffscreenSceneRenderer();
    ~OffscreenSceneRenderer();

    OffscreenSceneRenderer(const OffscreenSceneRenderer&) = delete;
    OffscreenSceneRenderer& operator=(const OffscreenSceneRenderer&) = delete;

    // False when no OpenGL 3.3 context or no scene program could be had;
    // errorString() then says which.
    bool isValid() const { return m_renderer != nullptr; }
    QString errorString() const { return m_error; }

    // Draws one frame of `size` pixels and reads it back, top row first, as an
    // opaque Format_RGB32 image. `scalars.resolution` is drawn as given, so a
    // caller may render a small image of a larger drawable's corner. A null
    // image when invalid or when the framebuffer cannot be made.
    QImage render(QSize size, const Scalars& scalars, const QList<RGBA>& palette);

    // Draws one frame without reading it back and waits for the GPU
    // (glFinish); for timing. False when nothing could be drawn.
    bool drawAndFinish(QSize size, const Scalars& scalars, const QList<RGBA>& palette);

    // The context, for tests that need to inspect the program.
    QOpenGLContext* context() const { return m_context.get(); }
    bool makeCurrent();

private:
    bool drawFrame(QSize size, const Scalars& scalars, const QList<RGBA>& palette);

    std::unique_ptr<QOffscreenSurface> m_surface;
    std::unique_ptr<QOpenGLContext> m_context;
    std::unique_ptr<QOpenGLFramebufferObject> m_framebuffer;
    std::unique_ptr<WallpaperRenderer> m_renderer;
    QString m_error;
};

} // namespace nivora
