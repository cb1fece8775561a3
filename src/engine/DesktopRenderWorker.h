#pragma once

#include "engine/DesktopRenderView.h"

#include <QObject>
#include <QSize>
#include <memory>

class QOpenGLContext;
class QThread;

namespace nivora {

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
    ~DesktopRenderWorker() override;

    // Moves the worker and its context to the render thread (main thread).
    void moveToRenderThread(QThread* thread);
    // Makes the context and the renderer; false when either is unavailable.
    bool initialize();
    // Draws one frame and clears the view's in-flight flag.
    void renderFrame();
    // Frees the GL objects while the context can still be made current.
    void release();

    // Whether the last frame drawn smaller than the screen was scaled up by
    // the X server rather than by OpenGL; readable from any thread.
    bool scalesOnServer() const;

private:
    bool draw(const DesktopRenderView::RenderParams& params, QSize pixelSize);

    DesktopRenderView* m_view;
    WallpaperWindow* m_window;
    QSize m_surfacePixels;
    std::unique_ptr<QOpenGLContext> m_context;
    std::unique_ptr<WallpaperRenderer> m_renderer;
    quint32 m_windowId = 0;
    // Used when the quality asks for fewer pixels than the screen has.
    std::unique_ptr<ScaledDrawable> m_drawable;
};

} // namespace nivora
