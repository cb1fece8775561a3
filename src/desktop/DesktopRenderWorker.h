#pragma once

#include "desktop/DesktopRenderView.h"

#include <QObject>
#include <QSize>
#include <memory>

class QOffscreenSurface;
class QOpenGLContext;
class QSurface;
class QThread;

namespace nivora {

class DesktopSurface;
class GpuSurface;
class WallpaperRenderer;
class WallpaperWindow;
class ScaledDrawable;

// The render-thread half of a DesktopRenderView: owns the OpenGL context, the
// scene renderer and the offscreen drawable, and draws one frame per request.
// Every member function runs on the render thread.
class DesktopRenderWorker : public QObject
{
    Q_OBJECT

public:
    DesktopRenderWorker(DesktopRenderView* view, WallpaperWindow* window, QSize surfacePixels);
    enum class Route
    {
        Any,      // the surface's own OpenGL when it suits, as below
        Offscreen // always offscreen and handed over as an image
    };
    // Draws into `surface` through the window system's own OpenGL when the
    // surface offers it and OpenGL runs on a graphics device (or
    // NIVORA_RENDER_PATH=gpu asks for it). Otherwise draws offscreen and hands
    // each frame to `surface` as an image; the offscreen surface the context
    // is made current on is made here, on the main thread, and goes with the
    // worker.
    DesktopRenderWorker(DesktopRenderView* view, DesktopSurface* surface, Route route = Route::Any);
    ~DesktopRenderWorker() override;

    // Moves the worker and its context to the render thread (main thread).
    void moveToRenderThread(QThread* thread);
    // Makes the context and the renderer; false when either is unavailable.
    bool initialize();
    // Readies the render thread for its first frame (render thread).
    void waitForFrames();
    // Draws one frame and clears the view's in-flight flag.
    void renderFrame();
    // Frees the GL objects while the context can still be made current.
    void release();

    // Whether the last frame drawn smaller than the screen was scaled up by
    // the X server rather than by OpenGL; readable from any thread.
    bool scalesOnServer() const;
    // Whether frames go to the desktop surface without being read back;
    // fixed when the worker is made.
    bool drawsOnGpu() const { return m_onGpu; }

private:
    void makeContext();
    bool draw(const DesktopRenderView::RenderParams& params, QSize pixelSize);
    bool drawToSurface(const DesktopRenderView::RenderParams& params, QSize pixelSize);
    bool drawOnGpu(const DesktopRenderView::RenderParams& params, QSize pixelSize);
    void drawScene(const DesktopRenderView::RenderParams& params, QSize pixelSize);

    DesktopRenderView* m_view;
    WallpaperWindow* m_window = nullptr;
    DesktopSurface* m_surface = nullptr;
    // What the context is made current on: the window, or the offscreen
    // surface for a desktop surface.
    QSurface* m_target = nullptr;
    std::unique_ptr<QOffscreenSurface> m_offscreen;
    QSize m_surfacePixels;
    std::unique_ptr<QOpenGLContext> m_context;
    // The surface's own context, instead of m_context and the offscreen
    // surface.
    std::unique_ptr<GpuSurface> m_gpu;
    bool m_onGpu = false;
    std::unique_ptr<WallpaperRenderer> m_renderer;
    quint32 m_windowId = 0;
    // Used when the quality asks for fewer pixels than the screen has.
    std::unique_ptr<ScaledDrawable> m_drawable;
};

} // namespace nivora
