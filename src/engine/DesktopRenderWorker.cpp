#include "engine/DesktopRenderWorker.h"

#include "engine/DesktopRenderView.h"
#include "engine/WallpaperRenderer.h"
#include "engine/WallpaperWindow.h"

#include <QOpenGLContext>
#include <QOpenGLExtraFunctions>
#include <QOpenGLFramebufferObject>

namespace nivora {

DesktopRenderWorker::DesktopRenderWorker(DesktopRenderView* view, WallpaperWindow* window,
                                         QSize surfacePixels)
    : m_view(view), m_window(window), m_surfacePixels(surfacePixels)
{
    // Made here on the main thread, then moved with the worker: a context is
    // created where the share group's owner lives and used where it is moved to.
    m_context = std::make_unique<QOpenGLContext>();
    QSurfaceFormat format = WallpaperRenderer::surfaceFormat();
    format.setSwapInterval(0);
    m_context->setFormat(format);
    m_context->setShareContext(QOpenGLContext::globalShareContext());
    if (!m_context->create())
        m_context.reset();
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
    if (!m_context)
        return false;
    if (m_context->thread() != thread())
        return false;
    if (!m_context->makeCurrent(m_window))
        return false;
    m_renderer =
        WallpaperRenderer::create(m_context.get(), WallpaperRenderer::pixelFormatOf(m_context->format()));
    m_context->doneCurrent();
    return m_renderer != nullptr;
}

void DesktopRenderWorker::release()
{
    if (m_context && m_context->makeCurrent(m_window)) {
        m_drawable.reset();
        m_renderer.reset();
        m_context->doneCurrent();
    }
    m_drawable.reset();
    m_renderer.reset();
    m_context.reset();
}

void DesktopRenderWorker::renderFrame()
{
    const bool drawn = draw();
    m_view->frameDelivered(drawn);
}

bool DesktopRenderWorker::draw()
{
    QSize pixelSize;
    const DesktopRenderView::RenderParams params = m_view->copyParams(&pixelSize);
    if (params.palette.isEmpty() || !m_renderer || !m_window->isExposedForRendering())
        return false;
    if (!m_context->makeCurrent(m_window))
        return false;
    QOpenGLExtraFunctions* gl = m_context->extraFunctions();

    // Drawing straight into the window when the sizes agree saves a blit; a
    // smaller drawable is drawn offscreen and scaled up to fill the screen.
    const bool direct = pixelSize == m_surfacePixels;
    if (!direct && (!m_drawable || m_drawable->size() != pixelSize))
        m_drawable = std::make_unique<QOpenGLFramebufferObject>(pixelSize);
    if (direct)
        m_drawable.reset();
    if (m_drawable)
        m_drawable->bind();
    else
        gl->glBindFramebuffer(GL_FRAMEBUFFER, m_context->defaultFramebufferObject());

    gl->glViewport(0, 0, pixelSize.width(), pixelSize.height());
    gl->glClearColor(0, 0, 0, 1);
    gl->glClear(GL_COLOR_BUFFER_BIT);
    const Scalars scalars = WallpaperRenderer::makeScalars(
        QSizeF(pixelSize), WallpaperRenderer::animationTime(), params.speed, params.intensity, params.scale,
        params.colorShift, params.sharpness, params.scene);
    m_renderer->draw(scalars, params.palette);

    if (m_drawable) {
        m_drawable->release();
        QOpenGLFramebufferObject::blitFramebuffer(nullptr, QRect(QPoint(0, 0), m_surfacePixels),
                                                  m_drawable.get(), QRect(QPoint(0, 0), pixelSize),
                                                  GL_COLOR_BUFFER_BIT, GL_LINEAR);
    }
    m_context->swapBuffers(m_window);
    return true;
}

} // namespace nivora
