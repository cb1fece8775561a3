#pragma once

#include "engine/DesktopRenderView.h"

#include <QObject>
#include <QSize>
#include <atomic>
#include <memory>

class QOpenGLContext;
class QThread;

namespace nivora {

class WallpaperRenderer;
class WallpaperWindow;
class X11ScaledPresenter;

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
    bool scalesOnServer() const { return m_scalesOnServer.load(); }
    // Tests turn server-side scaling off to check the OpenGL path on the same
    // machine; the shipped app never does.
    static void setServerScalingAllowedForTesting(bool allowed);

private:
    bool draw(const DesktopRenderView::RenderParams& params, QSize pixelSize);
    bool ensureDrawable(QSize size);
    void releaseDrawable();
    X11ScaledPresenter* presenterFor(QSize imageSize);

    DesktopRenderView* m_view;
    WallpaperWindow* m_window;
    QSize m_surfacePixels;
    std::unique_ptr<QOpenGLContext> m_context;
    std::unique_ptr<WallpaperRenderer> m_renderer;
    quint32 m_windowId = 0;
    // The offscreen drawable used when the quality asks for fewer pixels than
    // the screen has.
    unsigned int m_drawableTexture = 0;
    unsigned int m_drawableFramebuffer = 0;
    QSize m_drawableSize;
    unsigned int m_readFormat = 0x80E1; // GL_BGRA until the drawable says otherwise
    bool m_softwareGL = false;
    bool m_presenterFailed = false;
    std::unique_ptr<X11ScaledPresenter> m_presenter;
    std::atomic<bool> m_scalesOnServer{false};
};

} // namespace nivora
