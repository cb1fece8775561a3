#include "scene/WallpaperWindow.h"

#include "platform/DesktopWindowHints.h"
#include "scene/WallpaperRenderer.h"

#include <QExposeEvent>
#include <QPainter>
#include <QResizeEvent>

namespace nivora {

WallpaperWindow::WallpaperWindow(const ScreenInfo& screen, Surface surface, DesktopWindowHints* hints,
                                 bool inputTransparent)
    : m_screen(screen), m_surface(surface)
{
    if (screen.screen)
        setScreen(screen.screen);
    setSurfaceType(surface == Surface::OpenGL ? QSurface::OpenGLSurface : QSurface::RasterSurface);
    if (surface == Surface::OpenGL) {
        QSurfaceFormat format = WallpaperRenderer::surfaceFormat();
        // The display link paces the frames; a swap that waited for the
        // vertical blank as well would make the render thread miss ticks.
        format.setSwapInterval(0);
        setFormat(format);
    }
    Qt::WindowFlags flags =
        Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus | Qt::WindowStaysOnBottomHint;
    if (inputTransparent)
        flags |= Qt::WindowTransparentForInput;
    setFlags(flags);
    setGeometry(screen.frame);
    setTitle(QStringLiteral("Nivora wallpaper"));
    create();
    if (hints)
        hints->prepare(this);
    if (surface == Surface::Raster)
        m_backingStore = std::make_unique<QBackingStore>(this);
}

WallpaperWindow::~WallpaperWindow() = default;

void WallpaperWindow::showWallpaper()
{
    setGeometry(m_screen.frame);
    show();
}

void WallpaperWindow::setInputTransparent(bool transparent)
{
    setFlag(Qt::WindowTransparentForInput, transparent);
}

void WallpaperWindow::setPainter(Painter painter)
{
    m_painter = std::move(painter);
    repaint();
}

void WallpaperWindow::setDirectPresenter(DirectPresenter presenter)
{
    m_directPresenter = std::move(presenter);
}

void WallpaperWindow::repaint()
{
    if (!m_backingStore || !isExposed())
        return;
    if (m_directPresenter && m_directPresenter())
        return;
    const QRect area(QPoint(0, 0), size());
    m_backingStore->beginPaint(area);
    QPaintDevice* device = m_backingStore->paintDevice();
    {
        QPainter painter(device);
        painter.fillRect(area, Qt::black);
        if (m_painter)
            m_painter(painter, area);
    }
    m_backingStore->endPaint();
    m_backingStore->flush(area);
}

void WallpaperWindow::exposeEvent(QExposeEvent*)
{
    const bool exposed = isExposed();
    const bool changed = m_exposed.exchange(exposed) != exposed;
    repaint();
    if (changed || exposed)
        Q_EMIT exposureChanged(exposed);
}

void WallpaperWindow::resizeEvent(QResizeEvent* event)
{
    if (m_backingStore)
        m_backingStore->resize(event->size());
}

bool WallpaperWindow::event(QEvent* event)
{
    if (event->type() == QEvent::UpdateRequest) {
        repaint();
        return true;
    }
    return QWindow::event(event);
}

} // namespace nivora
