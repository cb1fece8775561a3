#pragma once

#include <QObject>
#include <QSize>
#include <memory>

class QOpenGLContext;
class QOpenGLFramebufferObject;
class QThread;

namespace nivora {

class DesktopRenderView;
class WallpaperRenderer;
class WallpaperWindow;

// The render-thread half of a DesktopRenderView: owns the OpenGL context, the
// scene renderer and the offscreen drawable, and draws one frame per request.
// Every member function runs on the render thread.
class DesktopRenderWorker : public QObject
{
    Q_OBJECT

public:
    DesktopRenderWorker(DesktopRenderView* view, WallpaperWindow* window, QSize surfacePixels);
    ~DesktopRenderWorker() override;

    // Moves the worker and its context to the render thread (main thread).
    void moveToRenderThread(QThread* thread);
    // Makes the context and the renderer; false when either is unavailable.
    bool initialize();
    // Draws one frame and clears the view's in-flight flag.
    void renderFrame();
    // Frees the GL objects while the context can still be made current.
    void release();

private:
    bool draw();

    DesktopRenderView* m_view;
    WallpaperWindow* m_window;
    QSize m_surfacePixels;
    std::unique_ptr<QOpenGLContext> m_context;
    std::unique_ptr<WallpaperRenderer> m_renderer;
    std::unique_ptr<QOpenGLFramebufferObject> m_drawable;
};

} // namespace nivora
