#include "desktop/DesktopRenderWorker.h"

#include "desktop/DesktopRenderView.h"
#include "platform/DesktopSurface.h"
#include "platform/ThreadScheduling.h"
#include "scene/AnimationClock.h"
#include "scene/ScaledDrawable.h"
#include "scene/WallpaperRenderer.h"
#include "scene/WallpaperWindow.h"

#include <QGuiApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLExtraFunctions>
#include <QScreen>

namespace nivora {

DesktopRenderWorker::DesktopRenderWorker(DesktopRenderView* view, WallpaperWindow* window,
                                         QSize surfacePixels)
    : m_view(view), m_window(window), m_target(window), m_surfacePixels(surfacePixels)
{
    makeContext();
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        m_windowId = quint32(window->winId());
}

DesktopRenderWorker::DesktopRenderWorker(DesktopRenderView* view, DesktopSurface* surface, Route route)
    : m_view(view), m_surface(surface)
{
    // As on X11, a rasterizer on the processor is better off drawing offscreen
    // and handing the frame over in shared memory: behind the window system's
    // OpenGL it would copy each frame into shared memory all the same. The
    // device nodes tell that without loading a driver.
    const ScaledDrawable::ForcedPath forced = ScaledDrawable::forcedPath();
    if (route == Route::Any &&
        (forced == ScaledDrawable::ForcedPath::Gpu ||
         (forced == ScaledDrawable::ForcedPath::None && !ScaledDrawable::hasNoGpuDevice()))) {
        m_gpu = surface->makeGpuSurface();
        if (m_gpu && forced != ScaledDrawable::ForcedPath::Gpu &&
            ScaledDrawable::isSoftwareRendererName(m_gpu->renderer()))
            m_gpu.reset();
    }
    m_onGpu = m_gpu != nullptr;
    if (m_onGpu)
        return;
    // An offscreen surface must be made on the main thread; the context is
    // only ever current on it, and frames go through a framebuffer object.
    m_offscreen = std::make_unique<QOffscreenSurface>();
    QSurfaceFormat format = WallpaperRenderer::surfaceFormat();
    m_offscreen->setFormat(format);
    m_offscreen->create();
    // Left to itself the surface is destroyed and made again on this thread
    // when its screen goes, while the render thread may be drawing on it; the
    // view is rebuilt when the screens change, so it need not follow.
    if (m_offscreen->screen())
        QObject::disconnect(m_offscreen->screen(), nullptr, m_offscreen.get(), nullptr);
    m_target = m_offscreen.get();
    makeContext();
}

void DesktopRenderWorker::makeContext()
{
    // Made here on the main thread, then moved with the worker: a context is
    // created where the share group's owner lives and used where it is moved to.
    m_context = std::make_unique<QOpenGLContext>();
    QSurfaceFormat format = WallpaperRenderer::surfaceFormat();
    format.setSwapInterval(0);
    m_context->setFormat(format);
    m_context->setShareContext(WallpaperRenderer::shareContext());
    if (!m_context->create())
        m_context.reset();
    // A context follows the destruction of its screen: the screen's signal
    // reaches it on the render thread, where it then reads the application's
    // screen list and connects to the new primary screen while the main thread
    // may be deleting that one too (a display unplugged or rearranged), which
    // crashed. The screen is not used once the context exists, and the view
    // is rebuilt when the screens change, so the context does not follow.
    if (m_context && m_context->screen())
        QObject::disconnect(m_context->screen(), nullptr, m_context.get(), nullptr);
}

DesktopRenderWorker::~DesktopRenderWorker() = default;

void DesktopRenderWorker::moveToRenderThread(QThread* thread)
{
    moveToThread(thread);
    if (m_context)
        m_context->moveToThread(thread);
}

bool DesktopRenderWorker::initialize()
{
    if (m_gpu) {
        if (!m_gpu->makeCurrent())
            return false;
        GpuSurface* gpu = m_gpu.get();
        // The window system's buffers have no alpha (an opaque surface).
        m_renderer = WallpaperRenderer::create(
            WallpaperRenderer::NativeContext{[gpu](const char* name) { return gpu->procAddress(name); },
                                             gpu->shareGroup()},
            GLenum(0x8051) /* GL_RGB8 */);
        m_gpu->doneCurrent();
        return m_renderer != nullptr;
    }
    if (!m_context)
        return false;
    if (m_context->thread() != thread())
        return false;
    if (!m_target || !m_context->makeCurrent(m_target))
        return false;
    m_renderer =
        WallpaperRenderer::create(m_context.get(), WallpaperRenderer::pixelFormatOf(m_context->format()));
    m_drawable = std::make_unique<ScaledDrawable>(m_context.get(), m_window, m_windowId);
    m_context->doneCurrent();
    return m_renderer != nullptr;
}

void DesktopRenderWorker::release()
{
    if (m_gpu) {
        m_gpu->makeCurrent();
        m_renderer.reset();
        // Here, on the render thread, while the view's surface still exists.
        m_gpu.reset();
        return;
    }
    if (m_context && m_target && m_context->makeCurrent(m_target)) {
        if (m_drawable)
            m_drawable->release();
        m_renderer.reset();
        m_context->doneCurrent();
    }
    m_drawable.reset();
    m_renderer.reset();
    m_context.reset();
    // An offscreen surface belongs to the main thread, which is waiting for
    // this call; it is deleted there on its next turn.
    if (m_offscreen) {
        m_target = nullptr;
        QMetaObject::invokeMethod(
            qApp, [s = m_offscreen.release()] { delete s; }, Qt::QueuedConnection);
    }
}

bool DesktopRenderWorker::scalesOnServer() const
{
    return m_drawable && m_drawable->scalesOnServer();
}

void DesktopRenderWorker::waitForFrames()
{
    // The display-link thread wakes this one for a frame as the last thing
    // before it sleeps again. Were this thread to take the processor from it
    // at once, the link's thread would be switched out and back in just to
    // go to sleep: a second context switch for every frame. Between frames
    // this thread therefore lets its waker finish first; while drawing it
    // does not, since it then waits on the rasterizer's threads and should
    // run as soon as they are done.
    ThreadScheduling::setRunsAfterWaker(true);
}

void DesktopRenderWorker::renderFrame()
{
    ThreadScheduling::setRunsAfterWaker(false);
    QSize pixelSize;
    const DesktopRenderView::RenderParams params = m_view->takeFrame(&pixelSize);
    const bool drawn = draw(params, pixelSize);
    m_view->frameDelivered(drawn);
    waitForFrames();
}

bool DesktopRenderWorker::drawToSurface(const DesktopRenderView::RenderParams& params, QSize pixelSize)
{
    // Asked first: a surface whose last frame has not been shown yet wants no
    // new one, and then nothing is drawn at all.
    unsigned char* image = m_surface->beginFrame(pixelSize, DesktopSurface::Rows::BottomUp);
    if (!image || !m_context->makeCurrent(m_target))
        return false;
    if (!m_drawable->bind(pixelSize))
        return false;
    drawScene(params, pixelSize);
    QOpenGLExtraFunctions* gl = m_context->extraFunctions();
    gl->glPixelStorei(GL_PACK_ALIGNMENT, 4);
    gl->glReadPixels(0, 0, pixelSize.width(), pixelSize.height(), GL_BGRA, GL_UNSIGNED_BYTE, image);
    return m_surface->present();
}

bool DesktopRenderWorker::drawOnGpu(const DesktopRenderView::RenderParams& params, QSize pixelSize)
{
    // Asked first, as for an image: nothing is drawn while the surface waits
    // for the compositor to show the last frame.
    if (!m_gpu->beginFrame(pixelSize))
        return false;
    m_renderer->bindDefaultFramebuffer(pixelSize);
    drawScene(params, pixelSize);
    return m_gpu->present();
}

void DesktopRenderWorker::drawScene(const DesktopRenderView::RenderParams& params, QSize pixelSize)
{
    // No clear: the scene's triangle covers every pixel with blending off, and
    // on a CPU rasterizer a clear is a full pass over the drawable for nothing.
    m_renderer->setViewport(pixelSize);
    // The time and the speed come from the view's clock together, so that
    // the phase is the one every other view at that speed shows, across speed
    // changes too.
    const AnimationClock::Sample clock = m_view->clock().sample();
    Scalars scalars =
        WallpaperRenderer::makeScalars(QSizeF(pixelSize), clock.time, clock.speed, params.intensity,
                                       params.scale, params.colorShift, params.sharpness, params.scene);
    WallpaperRenderer::placeOnCanvas(scalars, params.canvas, QSizeF(pixelSize));
    m_renderer->draw(scalars, params.palette);
    m_view->recordScalars(scalars);
}

bool DesktopRenderWorker::draw(const DesktopRenderView::RenderParams& params, QSize pixelSize)
{
    if (params.palette.isEmpty() || !m_renderer)
        return false;
    if (m_gpu)
        return drawOnGpu(params, pixelSize);
    if (m_surface)
        return drawToSurface(params, pixelSize);
    if (!m_window->isExposedForRendering())
        return false;
    if (!m_context->makeCurrent(m_window))
        return false;
    QOpenGLExtraFunctions* gl = m_context->extraFunctions();

    // Drawing straight into the window when the sizes agree saves a blit; a
    // smaller drawable is drawn offscreen and scaled up to fill the screen. A
    // read back asked for goes offscreen at any size.
    const bool direct =
        pixelSize == m_surfacePixels && ScaledDrawable::forcedPath() != ScaledDrawable::ForcedPath::Readback;
    if (direct) {
        m_drawable->release();
        gl->glBindFramebuffer(GL_FRAMEBUFFER, m_context->defaultFramebufferObject());
    } else if (!m_drawable->bind(pixelSize)) {
        return false;
    }

    drawScene(params, pixelSize);

    if (direct)
        m_context->swapBuffers(m_window);
    else
        m_drawable->present(m_surfacePixels);
    return true;
}

} // namespace nivora
