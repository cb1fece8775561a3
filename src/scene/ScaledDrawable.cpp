#include "scene/ScaledDrawable.h"

#include "platform/x11/X11ScaledPresenter.h"
#include "scene/WallpaperRenderer.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLExtraFunctions>
#include <QWindow>

namespace nivora {

namespace {

std::atomic<bool> serverScalingAllowed{true};
// -1: none; otherwise a ScaledDrawable::ForcedPath.
std::atomic<int> forcedPathForTesting{-1};

} // namespace

ScaledDrawable::ScaledDrawable(QOpenGLContext* context, QWindow* window, quint32 windowId)
    : m_context(context), m_window(window), m_windowId(windowId),
      m_readBack(isSoftwareRenderer(context) || forcedPath() == ForcedPath::Readback)
{
}

ScaledDrawable::~ScaledDrawable() = default;

bool ScaledDrawable::isSoftwareRenderer(QOpenGLContext* context)
{
    if (!context || !context->functions())
        return false;
    const auto* renderer = reinterpret_cast<const char*>(context->functions()->glGetString(GL_RENDERER));
    return renderer && isSoftwareRendererName(QByteArray(renderer));
}

bool ScaledDrawable::isSoftwareRendererName(const QByteArray& renderer)
{
    const QByteArray name = renderer.toLower();
    return name.contains("llvmpipe") || name.contains("softpipe") || name.contains("software") ||
           name.contains("swrast");
}

bool ScaledDrawable::isOpenGLSoftware()
{
    static const bool software = [] {
        QOpenGLContext* share = WallpaperRenderer::shareContext();
        if (!share)
            return false;
        QOpenGLContext context;
        context.setFormat(share->format());
        context.setShareContext(share);
        QOffscreenSurface surface;
        surface.setFormat(share->format());
        surface.create();
        if (!context.create() || !context.makeCurrent(&surface))
            return false;
        const bool answer = isSoftwareRenderer(&context);
        context.doneCurrent();
        return answer;
    }();
    return software;
}

bool ScaledDrawable::hasNoGpuDevice()
{
    static const bool none = [] {
        if (qEnvironmentVariableIntValue("LIBGL_ALWAYS_SOFTWARE") == 1)
            return true;
        // Mesa's hardware drivers open a DRM node; NVIDIA's own driver may
        // run without one but always has its control node.
        const QDir dri(QStringLiteral("/dev/dri"));
        if (!dri.entryList({QStringLiteral("renderD*"), QStringLiteral("card*")}, QDir::System | QDir::Files)
                 .isEmpty())
            return false;
        return !QFile::exists(QStringLiteral("/dev/nvidiactl"));
    }();
    return none;
}

void ScaledDrawable::setServerScalingAllowedForTesting(bool allowed)
{
    serverScalingAllowed.store(allowed);
}

bool ScaledDrawable::isServerScalingAllowed()
{
    return serverScalingAllowed.load() && forcedPath() != ForcedPath::Gpu;
}

void ScaledDrawable::setForcedPathForTesting(std::optional<ForcedPath> path)
{
    forcedPathForTesting.store(path ? int(*path) : -1);
}

ScaledDrawable::ForcedPath ScaledDrawable::forcedPath()
{
    if (const int forTesting = forcedPathForTesting.load(); forTesting >= 0)
        return ForcedPath(forTesting);
    static const ForcedPath path = [] {
        const QByteArray asked = qgetenv("NIVORA_RENDER_PATH").trimmed().toLower();
        if (asked == "gpu")
            return ForcedPath::Gpu;
        if (asked == "readback")
            return ForcedPath::Readback;
        if (!asked.isEmpty() && asked != "auto")
            qWarning().noquote() << QStringLiteral(
                                        "Nivora: NIVORA_RENDER_PATH=%1 ignored (gpu, readback or auto)")
                                        .arg(QString::fromLocal8Bit(asked));
        return ForcedPath::None;
    }();
    return path;
}

bool ScaledDrawable::readsBack(bool software)
{
    return isServerScalingAllowed() && (software || forcedPath() == ForcedPath::Readback);
}

void ScaledDrawable::release()
{
    m_presenter.reset();
    QOpenGLExtraFunctions* gl = m_context->extraFunctions();
    if (m_framebuffer)
        gl->glDeleteFramebuffers(1, &m_framebuffer);
    if (m_texture)
        gl->glDeleteTextures(1, &m_texture);
    m_framebuffer = m_texture = 0;
    m_size = QSize();
}

bool ScaledDrawable::bind(QSize size)
{
    QOpenGLExtraFunctions* gl = m_context->extraFunctions();
    if (m_framebuffer && m_size == size) {
        gl->glBindFramebuffer(GL_FRAMEBUFFER, m_framebuffer);
        return true;
    }
    release();
    if (size.isEmpty())
        return false;
    gl->glGenTextures(1, &m_texture);
    gl->glBindTexture(GL_TEXTURE_2D, m_texture);
    gl->glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, size.width(), size.height(), 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     nullptr);
    gl->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    gl->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    gl->glBindTexture(GL_TEXTURE_2D, 0);
    gl->glGenFramebuffers(1, &m_framebuffer);
    gl->glBindFramebuffer(GL_FRAMEBUFFER, m_framebuffer);
    gl->glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, m_texture, 0);
    if (gl->glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        release();
        gl->glBindFramebuffer(GL_FRAMEBUFFER, m_context->defaultFramebufferObject());
        return false;
    }
    m_size = size;
    return true;
}

bool ScaledDrawable::presentOnServer(QSize windowPixels)
{
    if (!m_readBack || m_presenterFailed || !m_windowId || !isServerScalingAllowed()) {
        m_presenter.reset();
        return false;
    }
    if (!m_presenter || m_presenter->imageSize() != m_size || m_presenter->windowSize() != windowPixels) {
        // BGRX is the server's own pixel layout (x8r8g8b8), for which its
        // scaler has fast paths; with RGBX it takes a generic path ten times
        // slower, which costs far more than converting during the read back.
        m_presenter = X11ScaledPresenter::create(m_windowId, windowPixels, m_size,
                                                 X11ScaledPresenter::PixelOrder::BGRX);
        // There is no point asking the server again for every frame.
        if (!m_presenter) {
            m_presenterFailed = true;
            return false;
        }
    }
    QOpenGLExtraFunctions* gl = m_context->extraFunctions();
    uchar* image = m_presenter->beginFrame();
    if (image) {
        gl->glBindFramebuffer(GL_FRAMEBUFFER, m_framebuffer);
        gl->glPixelStorei(GL_PACK_ALIGNMENT, 4);
        gl->glReadPixels(0, 0, m_size.width(), m_size.height(), GL_BGRA, GL_UNSIGNED_BYTE, image);
    }
    if (image && m_presenter->present())
        return true;
    // The connection to the server broke: OpenGL scales from now on.
    m_presenter.reset();
    m_presenterFailed = true;
    return false;
}

void ScaledDrawable::present(QSize windowPixels)
{
    QOpenGLExtraFunctions* gl = m_context->extraFunctions();
    const bool onServer = m_framebuffer && presentOnServer(windowPixels);
    m_scalesOnServer.store(onServer);
    if (!onServer && m_framebuffer) {
        gl->glBindFramebuffer(GL_READ_FRAMEBUFFER, m_framebuffer);
        gl->glBindFramebuffer(GL_DRAW_FRAMEBUFFER, m_context->defaultFramebufferObject());
        gl->glBlitFramebuffer(0, 0, m_size.width(), m_size.height(), 0, 0, windowPixels.width(),
                              windowPixels.height(), GL_COLOR_BUFFER_BIT, GL_LINEAR);
    }
    gl->glBindFramebuffer(GL_FRAMEBUFFER, m_context->defaultFramebufferObject());
    if (!onServer)
        m_context->swapBuffers(m_window);
}

} // namespace nivora
