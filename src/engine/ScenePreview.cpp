#include "engine/ScenePreview.h"

#include "engine/ScenePreviewSurface.h"
#include "engine/WallpaperRenderer.h"
#include "state/AppState.h"

#include <QOpenGLContext>
#include <QVBoxLayout>
#include <QtMath>

namespace nivora {

ScenePreview::ScenePreview(int fps, QWidget* parent, AppState* state) : QWidget(parent)
{
    AppState& source = state ? *state : AppState::shared();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    if (openGLAvailable()) {
        m_surface = new ScenePreviewSurface(source, this);
        layout->addWidget(m_surface);
    } else {
        qWarning("Lumeris: Metal indisponible ou shader invalide");
    }
    m_frameTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_frameTimer, &QTimer::timeout, this, [this] {
        if (m_surface)
            m_surface->update();
    });
    setFPS(fps);
}

ScenePreview::~ScenePreview() = default;

bool ScenePreview::openGLAvailable()
{
    static const bool available = [] {
        QOpenGLContext probe;
        probe.setFormat(WallpaperRenderer::surfaceFormat());
        probe.setShareContext(QOpenGLContext::globalShareContext());
        return probe.create();
    }();
    return available;
}

void ScenePreview::setFPS(int fps)
{
    m_fps = fps;
    m_frameTimer.setInterval(qMax(1, qRound(1000.0 / qMax(fps, 1))));
}

bool ScenePreview::hasRenderer() const
{
    return m_surface && m_surface->hasRenderer();
}

qint64 ScenePreview::framesDrawn() const
{
    return m_surface ? m_surface->framesDrawn() : 0;
}

Scalars ScenePreview::lastScalars() const
{
    return m_surface ? m_surface->lastScalars() : Scalars();
}

QImage ScenePreview::grabFrame()
{
    return m_surface ? m_surface->grabFramebuffer() : QImage();
}

void ScenePreview::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_surface)
        m_frameTimer.start();
}

void ScenePreview::hideEvent(QHideEvent* event)
{
    m_frameTimer.stop();
    QWidget::hideEvent(event);
}

} // namespace nivora
