#include "engine/DesktopRenderWorker.h"

#include "engine/DesktopRenderView.h"
#include "engine/WallpaperRenderer.h"
#include "engine/WallpaperWindow.h"
#include "platform/x11/X11ScaledPresenter.h"

#include <QGuiApplication>
#include <QOpenGLContext>
#include <QOpenGLExtraFunctions>

namespace nivora {

namespace {

std::atomic<bool> serverScalingAllowed{true};

// Mesa's CPU rasterizers and the like: scaling a drawable up on them costs
// about as much as drawing the scene.
bool isSoftwareRenderer(const char* renderer)
{
    if (!renderer)
        return false;
    const QByteArray name = QByteArray(renderer).toLower();
    return name.contains("llvmpipe") || name.contains("softpipe") || name.contains("software") ||
           name.contains("swrast");
}

} // namespace

void DesktopRenderWorker::setServerScalingAllowedForTesting(bool allowed)
{
    serverScalingAllowed.store(allowed);
}

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
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        m_windowId = quint32(window->winId());
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
    m_softwareGL =
        isSoftwareRenderer(reinterpret_cast<const char*>(m_context->functions()->glGetString(GL_RENDERER)));
    m_context->doneCurrent();
    return m_renderer != nullptr;
}

void DesktopRenderWorker::release()
{
    m_presenter.reset();
    if (m_context && m_context->makeCurrent(m_window)) {
        releaseDrawable();
        m_renderer.reset();
        m_context->doneCurrent();
    }
    m_drawableTexture = m_drawableFramebuffer = 0;
    m_renderer.reset();
    m_context.reset();
}

void DesktopRenderWorker::releaseDrawable()
{
    QOpenGLExtraFunctions* gl = m_context->extraFunctions();
    if (m_drawableFramebuffer)
        gl->glDeleteFramebuffers(1, &m_drawableFramebuffer);
    if (m_drawableTexture)
        gl->glDeleteTextures(1, &m_drawableTexture);
    m_drawableFramebuffer = m_drawableTexture = 0;
    m_drawableSize = QSize();
}

bool DesktopRenderWorker::ensureDrawable(QSize size)
{
    if (m_drawableFramebuffer && m_drawableSize == size)
        return true;
    releaseDrawable();
    QOpenGLExtraFunctions* gl = m_context->extraFunctions();
    gl->glGenTextures(1, &m_drawableTexture);
    gl->glBindTexture(GL_TEXTURE_2D, m_drawableTexture);
    gl->glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, size.width(), size.height(), 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     nullptr);
    gl->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    gl->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    gl->glBindTexture(GL_TEXTURE_2D, 0);
    gl->glGenFramebuffers(1, &m_drawableFramebuffer);
    gl->glBindFramebuffer(GL_FRAMEBUFFER, m_drawableFramebuffer);
    gl->glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, m_drawableTexture, 0);
    const bool complete = gl->glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    if (!complete) {
        releaseDrawable();
        return false;
    }
    // Reading back in the driver's own byte order is a plain copy; the other
    // order is converted pixel by pixel.
    GLint readFormat = 0;
    gl->glGetIntegerv(GL_IMPLEMENTATION_COLOR_READ_FORMAT, &readFormat);
    m_readFormat = readFormat == GL_RGBA ? GL_RGBA : GL_BGRA;
    m_drawableSize = size;
    return true;
}

X11ScaledPresenter* DesktopRenderWorker::presenterFor(QSize imageSize)
{
    if (!m_softwareGL || m_presenterFailed || !m_windowId || !serverScalingAllowed.load()) {
        m_presenter.reset();
        return nullptr;
    }
    if (m_presenter && m_presenter->imageSize() == imageSize && m_presenter->windowSize() == m_surfacePixels)
        return m_presenter.get();
    m_presenter = X11ScaledPresenter::create(m_windowId, m_surfacePixels, imageSize,
                                             m_readFormat == GL_RGBA ? X11ScaledPresenter::PixelOrder::RGBX
                                                                     : X11ScaledPresenter::PixelOrder::BGRX);
    if (!m_presenter && m_readFormat == GL_RGBA) {
        m_readFormat = GL_BGRA;
        m_presenter = X11ScaledPresenter::create(m_windowId, m_surfacePixels, imageSize);
    }
    // Without RENDER or shared memory (a remote display) OpenGL scales, as it
    // does on a GPU; there is no point asking again for every frame.
    if (!m_presenter)
        m_presenterFailed = true;
    return m_presenter.get();
}

void DesktopRenderWorker::renderFrame()
{
    QSize pixelSize;
    const DesktopRenderView::RenderParams params = m_view->takeFrame(&pixelSize);
    const bool drawn = draw(params, pixelSize);
    m_view->frameDelivered(drawn);
}

bool DesktopRenderWorker::draw(const DesktopRenderView::RenderParams& params, QSize pixelSize)
{
    if (params.palette.isEmpty() || !m_renderer || !m_window->isExposedForRendering())
        return false;
    if (!m_context->makeCurrent(m_window))
        return false;
    QOpenGLExtraFunctions* gl = m_context->extraFunctions();

    // Drawing straight into the window when the sizes agree saves a blit; a
    // smaller drawable is drawn offscreen and scaled up to fill the screen.
    const bool direct = pixelSize == m_surfacePixels;
    if (direct) {
        releaseDrawable();
        m_presenter.reset();
        gl->glBindFramebuffer(GL_FRAMEBUFFER, m_context->defaultFramebufferObject());
    } else {
        if (!ensureDrawable(pixelSize))
            return false;
        gl->glBindFramebuffer(GL_FRAMEBUFFER, m_drawableFramebuffer);
    }

    // No clear: the scene's triangle covers every pixel with blending off, and
    // on a CPU rasterizer a clear is a full pass over the drawable for nothing.
    gl->glViewport(0, 0, pixelSize.width(), pixelSize.height());
    const Scalars scalars = WallpaperRenderer::makeScalars(
        QSizeF(pixelSize), WallpaperRenderer::animationTime(), params.speed, params.intensity, params.scale,
        params.colorShift, params.sharpness, params.scene);
    m_renderer->draw(scalars, params.palette);

    if (!direct) {
        if (X11ScaledPresenter* presenter = presenterFor(pixelSize)) {
            uchar* image = presenter->beginFrame();
            if (image) {
                gl->glPixelStorei(GL_PACK_ALIGNMENT, 4);
                gl->glReadPixels(0, 0, pixelSize.width(), pixelSize.height(), GLenum(m_readFormat),
                                 GL_UNSIGNED_BYTE, image);
            }
            gl->glBindFramebuffer(GL_FRAMEBUFFER, m_context->defaultFramebufferObject());
            if (image && presenter->present()) {
                m_scalesOnServer.store(true);
                return true;
            }
            // The server connection broke; OpenGL scales from now on.
            m_presenter.reset();
            m_presenterFailed = true;
        }
        m_scalesOnServer.store(false);
        gl->glBindFramebuffer(GL_READ_FRAMEBUFFER, m_drawableFramebuffer);
        gl->glBindFramebuffer(GL_DRAW_FRAMEBUFFER, m_context->defaultFramebufferObject());
        gl->glBlitFramebuffer(0, 0, pixelSize.width(), pixelSize.height(), 0, 0, m_surfacePixels.width(),
                              m_surfacePixels.height(), GL_COLOR_BUFFER_BIT, GL_LINEAR);
        gl->glBindFramebuffer(GL_FRAMEBUFFER, m_context->defaultFramebufferObject());
    }
    m_context->swapBuffers(m_window);
    return true;
}

} // namespace nivora
