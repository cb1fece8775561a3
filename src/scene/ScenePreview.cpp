#include "scene/ScenePreview.h"

#include "platform/WindowObscuredMonitor.h"
#include "scene/ScenePreviewSurface.h"
#include "scene/WallpaperRenderer.h"
#include "state/AppState.h"

#include <QOpenGLContext>
#include <QVBoxLayout>
#include <QWindow>
#include <QtMath>

namespace nivora {

ScenePreview::ScenePreview(int fps, QWidget* parent, AppState* state) : QWidget(parent)
{
    AppState& source = state ? *state : AppState::shared();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    if (openGLAvailable()) {
        m_surface = new ScenePreviewSurface(source, this);
        m_surface->installEventFilter(this);
        layout->addWidget(m_surface);
    } else {
        qWarning("Nivora: OpenGL indisponible ou shader invalide");
    }
    m_frameTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_frameTimer, &QTimer::timeout, this, &ScenePreview::requestFrame);
    setFPS(fps);
}

ScenePreview::~ScenePreview() = default;

bool ScenePreview::openGLAvailable()
{
    static const bool available = [] {
        QOpenGLContext probe;
        probe.setFormat(WallpaperRenderer::surfaceFormat());
        probe.setShareContext(WallpaperRenderer::shareContext());
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
    return m_surface ? m_surface->grabFrame() : QImage();
}

bool ScenePreview::isOnScreen() const
{
    // The surface is opaque and covers this widget: its own region is the
    // part that can be seen.
    const QWidget* picture = m_surface ? static_cast<const QWidget*>(m_surface) : this;
    if (!isVisible() || picture->visibleRegion().isEmpty())
        return false;
    QWindow* handle = window()->windowHandle();
    if (!handle || !handle->isExposed())
        return false;
    // Qt keeps a window that other windows cover "exposed".
    const WindowObscuredMonitor* obscured = WindowObscuredMonitor::shared();
    return !obscured || !obscured->isObscured(handle);
}

void ScenePreview::requestFrame()
{
    if (!m_surface)
        return;
    // Nothing to draw for: stop until Qt paints the surface again, which it
    // does when the surface is scrolled back into view or its window is
    // exposed again.
    if (!isOnScreen()) {
        m_frameTimer.stop();
        return;
    }
    m_surface->requestFrame();
}

bool ScenePreview::eventFilter(QObject* watched, QEvent* event)
{
    if (!m_frameTimer.isActive() && isVisible()) {
        const QEvent::Type type = event->type();
        if (watched == m_surface) {
            if (type == QEvent::Paint)
                m_frameTimer.start();
        } else if (type == QEvent::Move || type == QEvent::Resize || type == QEvent::Show) {
            // An ancestor moved (a scroll area scrolled its page) or changed
            // size: the preview may be back in view without being repainted.
            if (isOnScreen())
                m_frameTimer.start();
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ScenePreview::followAncestors()
{
    for (const QPointer<QWidget>& ancestor : std::as_const(m_ancestors)) {
        if (ancestor)
            ancestor->removeEventFilter(this);
    }
    m_ancestors.clear();
    for (QWidget* w = parentWidget(); w; w = w->parentWidget()) {
        w->installEventFilter(this);
        m_ancestors.append(w);
    }
}

void ScenePreview::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_surface)
        return;
    m_frameTimer.start();
    followAncestors();
    // Uncovering a window does not always repaint it (the X server may keep
    // its contents), so the frames start again from the report itself.
    if (WindowObscuredMonitor* obscured = WindowObscuredMonitor::shared()) {
        QWindow* handle = window()->windowHandle();
        obscured->watch(handle);
        disconnect(m_obscuredConnection);
        m_obscuredConnection =
            connect(obscured, &WindowObscuredMonitor::obscuredChanged, this,
                    [this, handle](QWindow* changed, bool isObscured) {
                        if (changed == handle && !isObscured && isVisible() && !m_frameTimer.isActive())
                            m_frameTimer.start();
                    });
    }
}

void ScenePreview::hideEvent(QHideEvent* event)
{
    m_frameTimer.stop();
    QWidget::hideEvent(event);
}

} // namespace nivora
