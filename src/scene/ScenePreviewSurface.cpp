#include "scene/ScenePreviewSurface.h"

#include "scene/AnimationClock.h"
#include "scene/WallpaperRenderer.h"
#include "state/AppState.h"

#include <QCoreApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLExtraFunctions>
#include <QOpenGLFramebufferObject>
#include <QPainter>
#include <QScopeGuard>

namespace nivora {

namespace {

// One context for every preview of the process, made on first use on the GUI
// thread: opening a window with a preview costs no context creation once one
// has been shown. It goes at the end of the application, while the platform
// that made it still exists.
struct PreviewContext
{
    std::unique_ptr<QOffscreenSurface> surface;
    std::unique_ptr<QOpenGLContext> context;
};

PreviewContext* previewContext = nullptr;

void releasePreviewContext()
{
    delete previewContext;
    previewContext = nullptr;
}

QOpenGLContext* sharedPreviewContext()
{
    if (previewContext)
        return previewContext->context ? previewContext->context.get() : nullptr;
    previewContext = new PreviewContext;
    qAddPostRoutine(releasePreviewContext);
    auto context = std::make_unique<QOpenGLContext>();
    context->setFormat(WallpaperRenderer::surfaceFormat());
    context->setShareContext(WallpaperRenderer::shareContext());
    if (!context->create())
        return nullptr;
    auto surface = std::make_unique<QOffscreenSurface>();
    surface->setFormat(context->format());
    surface->create();
    if (!surface->isValid())
        return nullptr;
    previewContext->surface = std::move(surface);
    previewContext->context = std::move(context);
    return previewContext->context.get();
}

bool makeCurrent(QOpenGLContext* context)
{
    return context && previewContext && previewContext->surface &&
           context->makeCurrent(previewContext->surface.get());
}

} // namespace

ScenePreviewSurface::ScenePreviewSurface(AppState& state, QWidget* parent)
    : QWidget(parent), m_state(state), m_ownClock({}, WallpaperRenderer::epoch())
{
    // Every pixel is the frame's: nothing under it needs painting first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

ScenePreviewSurface::~ScenePreviewSurface()
{
    releaseRenderer();
}

void ScenePreviewSurface::releaseRenderer()
{
    if (!m_renderer && !m_framebuffer)
        return;
    // Their GL objects are freed while the context is current; without the
    // context they went with it.
    const bool current = makeCurrent(m_context);
    m_renderer.reset();
    m_framebuffer.reset();
    if (current)
        m_context->doneCurrent();
}

bool ScenePreviewSurface::ensureRenderer()
{
    if (m_attempted)
        return m_renderer != nullptr;
    m_attempted = true;
    m_context = sharedPreviewContext();
    if (makeCurrent(m_context)) {
        connect(m_context, &QOpenGLContext::aboutToBeDestroyed, this, &ScenePreviewSurface::releaseRenderer);
        m_renderer = WallpaperRenderer::create(m_context, WallpaperRenderer::defaultPixelFormat);
        m_context->doneCurrent();
    }
    if (!m_renderer)
        qWarning("Nivora: OpenGL indisponible ou shader invalide");
    return m_renderer != nullptr;
}

bool ScenePreviewSurface::drawFrame()
{
    const QSize pixels = (QSizeF(size()) * devicePixelRatioF()).toSize();
    if (pixels.isEmpty() || !ensureRenderer() || !makeCurrent(m_context))
        return false;
    // Never left current between frames: the offscreen surface is destroyed
    // and made again when its screen goes (a monitor unplugged or the layout
    // changed), and a destroyed drawable still current on this thread made
    // Mesa's GLX crash in the next context created anywhere in the group.
    const auto release = qScopeGuard([this] { m_context->doneCurrent(); });
    if (!m_framebuffer || m_framebuffer->size() != pixels) {
        m_framebuffer.reset();
        QOpenGLFramebufferObjectFormat format;
        format.setInternalTextureFormat(WallpaperRenderer::defaultPixelFormat);
        m_framebuffer = std::make_unique<QOpenGLFramebufferObject>(pixels, format);
        if (!m_framebuffer->isValid()) {
            m_framebuffer.reset();
            return false;
        }
    }
    m_framebuffer->bind();
    QOpenGLExtraFunctions* gl = m_context->extraFunctions();
    gl->glViewport(0, 0, pixels.width(), pixels.height());
    // The settings' speed goes through the shared clock, which keeps the phase
    // continuous when it changes and the same as the desktop's.
    AnimationClock& clock =
        m_state.property("ownAnimationClock").toBool() ? m_ownClock : AnimationClock::shared();
    clock.setSpeed(m_state.speed());
    const Scalars scalars = WallpaperRenderer::scalarsFromState(m_state, QSizeF(pixels), clock.sample());
    m_renderer->draw(scalars, m_state.paletteRGBACache());

    // Read straight into the layout the raster engine paints from (BGRA bytes
    // are RGB32 on a little-endian machine), bottom row first, then flipped in
    // place: no intermediate copy per frame.
    if (m_frame.size() != pixels || m_frame.format() != QImage::Format_RGB32)
        m_frame = QImage(pixels, QImage::Format_RGB32);
    gl->glPixelStorei(GL_PACK_ALIGNMENT, 4);
    gl->glReadPixels(0, 0, pixels.width(), pixels.height(),
                     QSysInfo::ByteOrder == QSysInfo::LittleEndian ? GL_BGRA : GL_RGBA, GL_UNSIGNED_BYTE,
                     m_frame.bits());
    m_framebuffer->release();
    m_frame = std::move(m_frame).mirrored(false, true);
    m_frame.setDevicePixelRatio(devicePixelRatioF());
    m_lastScalars = scalars;
    ++m_framesDrawn;
    return true;
}

QImage ScenePreviewSurface::grabFrame()
{
    if (drawFrame())
        return m_frame;
    const QSize pixels = (QSizeF(size()) * devicePixelRatioF()).toSize().expandedTo(QSize(1, 1));
    QImage blank(pixels, QImage::Format_RGB32);
    blank.fill(palette().color(QPalette::Window));
    return blank;
}

void ScenePreviewSurface::requestFrame()
{
    m_frameDue = true;
    update();
}

void ScenePreviewSurface::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const bool current =
        !m_frame.isNull() && m_frame.size() == (QSizeF(size()) * devicePixelRatioF()).toSize();
    if (current && !m_frameDue) {
        painter.drawImage(QRectF(rect()), m_frame);
        return;
    }
    m_frameDue = false;
    if (!drawFrame()) {
        // Blank: the colour an empty widget would show.
        painter.fillRect(rect(), palette().color(QPalette::Window));
        return;
    }
    painter.drawImage(QRectF(rect()), m_frame);
}

} // namespace nivora
