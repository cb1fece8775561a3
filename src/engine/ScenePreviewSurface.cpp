#include "engine/ScenePreviewSurface.h"

#include "engine/AnimationClock.h"
#include "engine/WallpaperRenderer.h"
#include "state/AppState.h"

#include <QOpenGLContext>
#include <QOpenGLExtraFunctions>

namespace nivora {

ScenePreviewSurface::ScenePreviewSurface(AppState& state, QWidget* parent)
    : QOpenGLWidget(parent), m_state(state)
{
}

ScenePreviewSurface::~ScenePreviewSurface()
{
    releaseRenderer();
    // The context outlives this part of the object; its destruction must not
    // call back into it.
    if (context())
        disconnect(context(), nullptr, this, nullptr);
}

void ScenePreviewSurface::releaseRenderer()
{
    if (!m_renderer)
        return;
    // The renderer's buffers belong to this widget's context; free them while
    // it is current. Without the context they go with it.
    const bool current = context() && context()->isValid();
    if (current)
        makeCurrent();
    m_renderer.reset();
    if (current)
        doneCurrent();
}

void ScenePreviewSurface::initializeGL()
{
    // Qt makes a new context when the widget moves to another window; the old
    // context's renderer went with the old context.
    m_renderer.reset();
    connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &ScenePreviewSurface::releaseRenderer,
            Qt::UniqueConnection);
    m_renderer = WallpaperRenderer::create(context(), WallpaperRenderer::defaultPixelFormat);
    if (!m_renderer)
        qWarning("Lumeris: Metal indisponible ou shader invalide");
}

void ScenePreviewSurface::paintGL()
{
    QOpenGLExtraFunctions* gl = context()->extraFunctions();
    if (!m_renderer) {
        // Blank: the colour an empty widget would show.
        const QColor blank = palette().color(QPalette::Window);
        gl->glClearColor(blank.redF(), blank.greenF(), blank.blueF(), 1.0f);
        gl->glClear(GL_COLOR_BUFFER_BIT);
        return;
    }
    const QSizeF drawable = QSizeF(size()) * devicePixelRatioF();
    // The settings' speed goes through the shared clock, which keeps the phase
    // continuous when it changes and the same as the desktop's.
    AnimationClock& clock = AnimationClock::shared();
    clock.setSpeed(m_state.speed());
    const Scalars scalars = WallpaperRenderer::scalarsFromState(m_state, drawable, clock.sample());
    m_renderer->draw(scalars, m_state.paletteRGBACache());
    m_lastScalars = scalars;
    ++m_framesDrawn;
}

} // namespace nivora
