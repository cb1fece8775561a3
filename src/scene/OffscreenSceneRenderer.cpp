#include "scene/OffscreenSceneRenderer.h"

#include "scene/WallpaperRenderer.h"

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLExtraFunctions>
#include <QOpenGLFramebufferObject>

namespace nivora {

namespace {

constexpr int maximumSide = 16384;

}

OffscreenSceneRenderer::OffscreenSceneRenderer()
{
    m_context = std::make_unique<QOpenGLContext>();
    m_context->setFormat(WallpaperRenderer::surfaceFormat());
    m_context->setShareContext(WallpaperRenderer::shareContext());
    if (!m_context->create()) {
        m_error = QStringLiteral("no OpenGL context could be created");
        return;
    }
    m_surface = std::make_unique<QOffscreenSurface>();
    m_surface->setFormat(m_context->format());
    m_surface->create();
    if (!m_surface->isValid() || !m_context->makeCurrent(m_surface.get())) {
        m_error = QStringLiteral("the OpenGL context cannot be made current");
        return;
    }
    const QSurfaceFormat format = m_context->format();
    if (m_context->isOpenGLES() || format.version() < qMakePair(3, 3)) {
        m_error = QStringLiteral("OpenGL %1.%2 found; 3.3 core is needed")
                      .arg(format.majorVersion())
                      .arg(format.minorVersion());
        return;
    }
    m_renderer = WallpaperRenderer::create(m_context.get(), WallpaperRenderer::defaultPixelFormat);
    if (!m_renderer)
        m_error = QStringLiteral("the scene shader could not be built");
}

OffscreenSceneRenderer::~OffscreenSceneRenderer()
{
    // The renderer and the framebuffer free their GL objects only while their
    // context is current.
    if (m_context && m_surface && m_context->makeCurrent(m_surface.get())) {
        m_renderer.reset();
        m_framebuffer.reset();
        m_context->doneCurrent();
    }
}

bool OffscreenSceneRenderer::makeCurrent()
{
    return m_context && m_surface && m_context->makeCurrent(m_surface.get());
}

bool OffscreenSceneRenderer::drawFrame(QSize size, const Scalars& scalars, const QList<RGBA>& palette)
{
    if (!m_renderer || size.width() < 1 || size.height() < 1 || size.width() > maximumSide ||
        size.height() > maximumSide || !makeCurrent())
        return false;
    if (!m_framebuffer || m_framebuffer->size() != size) {
        m_framebuffer.reset();
        QOpenGLFramebufferObjectFormat format;
        format.setInternalTextureFormat(WallpaperRenderer::defaultPixelFormat);
        m_framebuffer = std::make_unique<QOpenGLFramebufferObject>(size, format);
        if (!m_framebuffer->isValid()) {
            m_framebuffer.reset();
            return false;
        }
    }
    m_framebuffer->bind();
    QOpenGLExtraFunctions* gl = m_context->extraFunctions();
    gl->glViewport(0, 0, size.width(), size.height());
    m_renderer->draw(scalars, palette);
    return true;
}

QImage OffscreenSceneRenderer::render(QSize size, const Scalars& scalars, const QList<RGBA>& palette)
{
    if (!drawFrame(size, scalars, palette))
        return {};
    const QImage image = m_framebuffer->toImage(true);
    m_framebuffer->release();
    return image.convertToFormat(QImage::Format_RGB32);
}

bool OffscreenSceneRenderer::drawAndFinish(QSize size, const Scalars& scalars, const QList<RGBA>& palette)
{
    if (!drawFrame(size, scalars, palette))
        return false;
    m_context->extraFunctions()->glFinish();
    m_framebuffer->release();
    return true;
}

} // namespace nivora
