#include "widgets/WidgetWindow.h"

#include "platform/CompositorWatcher.h"
#include "platform/WidgetSurface.h"
#include "platform/x11/X11WidgetWindowHints.h"
#include "widgets/WidgetCard.h"
#include "widgets/WidgetFaceView.h"
#include "widgets/WidgetShapeKey.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>
#include <memory>

namespace nivora {

namespace {

std::unique_ptr<WidgetWindowHints> hintsForPlatform()
{
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        return std::make_unique<X11WidgetWindowHints>();
    return nullptr;
}

} // namespace

void WidgetWindow::configureApplication()
{
    // Qt's X11 backing store hands each repaint to the server through MIT-SHM
    // shared memory, and before it paints into that memory again it waits for
    // the server to answer a round trip, so as never to draw into pixels the
    // server may still be reading. The wait puts the main thread to sleep and
    // wakes Qt's X event reader thread for the reply: each repaint of a widget
    // costs three wake-ups where the timer that caused it costs one, whatever
    // the size of the repainted area. Without MIT-SHM the changed pixels are
    // written into the socket (into a server-side pixmap, copied to the window
    // by the server) and nothing waits for an answer, so a widget's repaint
    // costs no wake-up beyond its timer's. The price is that the pixels are
    // copied through the socket: a few kilobytes for what a widget redraws,
    // more for a dashboard page while it is being used. Nothing that repaints
    // the whole screen over and over goes this way: scenes, videos and
    // previews are OpenGL, and animated image wallpapers hand their frames to
    // the X server through shared memory of their own.
    //
    // Qt reads the variable once, when it connects to the display, and only
    // asks whether it is set. A user who set it keeps it, for this process and
    // the programs it starts. Otherwise it is removed again as soon as Qt has
    // connected (the connection is made before Qt's start-up routines run), so
    // that programs started from here, such as the browser opened for signing
    // in, keep their own default.
    static constexpr char variable[] = "QT_XCB_NO_MITSHM";
    if (qEnvironmentVariableIsSet(variable))
        return;
    qputenv(variable, "1");
    qAddPreRoutine([] { qunsetenv(variable); });
}

WidgetWindow::WidgetWindow(WidgetKind kind, WidgetShape shape, WidgetFaceView* face)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnBottomHint |
                           Qt::NoDropShadowWindowHint),
      m_kind(kind), m_face(face)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_NoSystemBackground);
    setWindowTitle(WidgetKinds::name(kind));
    WidgetShapeKey::setValue(this, shape);
    // Built now rather than on the next event-loop pass, so the first frame on
    // screen already shows the face.
    if (face)
        face->refresh();
    m_card = new WidgetCard(face, this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_card);
    connect(&CompositorWatcher::shared(), &CompositorWatcher::changed, this, &WidgetWindow::updateShape);
}

WidgetWindow::~WidgetWindow() = default;

void WidgetWindow::place(const QPoint& topLeft, const QSize& size)
{
    m_knownPosition = topLeft;
    setFixedSize(size);
    move(topLeft);
}

void WidgetWindow::present()
{
    winId();
    m_hints = hintsForPlatform();
    if (m_hints)
        m_hints->prepare(windowHandle());
    show();
    raise();
    if (m_hints)
        m_hints->shown(windowHandle());
}

void WidgetWindow::presentOn(std::function<std::unique_ptr<WidgetSurface>()> makeSurface)
{
    m_makeSurface = std::move(makeSurface);
    // The toolkit still lays the window out, runs its timers and repaints it,
    // but shows nothing itself: what it paints goes to the surface.
    setAttribute(Qt::WA_DontShowOnScreen);
    winId();
    show();
}

void WidgetWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_makeSurface || m_surface)
        return;
    m_surface = m_makeSurface();
    if (!m_surface)
        return;
    connect(m_surface.get(), &WidgetSurface::pointerEvent, this, &WidgetWindow::surfacePointer);
    // Queued: the surface asks while it is being placed, inside a move.
    connect(m_surface.get(), &WidgetSurface::scaleChanged, this, &WidgetWindow::drawToSurface,
            Qt::QueuedConnection);
    m_surface->setGeometry(geometry());
    m_surface->setInputRegion(WidgetCard::frameRegion(m_card->shape(), size()));
    drawToSurface();
}

void WidgetWindow::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    m_manualDrag = false;
    m_surface.reset();
}

bool WidgetWindow::event(QEvent* event)
{
    const bool result = QWidget::event(event);
    // Every repaint, of the whole window or of one changed digit, ends in an
    // update request to the window; the surface gets the result of it.
    if (event->type() == QEvent::UpdateRequest && m_surface)
        drawToSurface();
    return result;
}

void WidgetWindow::drawToSurface()
{
    if (!m_surface || size().isEmpty())
        return;
    const int scale = std::max(m_surface->scale(), 1);
    QImage image(size() * scale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::transparent);
    render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    m_surface->show(image);
}

void WidgetWindow::surfacePointer(QEvent::Type type, QPointF layoutPosition, Qt::MouseButton button,
                                  Qt::MouseButtons buttons)
{
    QWindow* window = windowHandle();
    if (!window)
        return;
    // Delivered as the window system would deliver them to the window, so the
    // toolkit picks the child under the pointer and keeps a pressed button's
    // later events on the child that took the press.
    const QPointF local = layoutPosition - QPointF(pos());
    if (type == QEvent::Enter) {
        QEnterEvent enter(local, local, layoutPosition);
        QCoreApplication::sendEvent(window, &enter);
        return;
    }
    if (type == QEvent::Leave) {
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(window, &leave);
        return;
    }
    QMouseEvent mouse(type, local, local, layoutPosition, button, buttons,
                      QGuiApplication::keyboardModifiers());
    QCoreApplication::sendEvent(window, &mouse);
}

void WidgetWindow::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    if (m_surface)
        m_surface->setGeometry(geometry());
    const QPoint now = pos();
    if (now == m_knownPosition)
        return;
    m_knownPosition = now;
    if (m_dragOpenUntil.hasExpired())
        return;
    m_dragOpenUntil.setRemainingTime(dragQuietMs);
    Q_EMIT moved(now);
}

void WidgetWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (m_surface) {
        m_surface->setGeometry(geometry());
        m_surface->setInputRegion(WidgetCard::frameRegion(m_card->shape(), size()));
    }
    updateShape();
}

void WidgetWindow::updateShape()
{
    // The window keeps its visual with alpha either way, so that a compositing
    // manager started later blends it at once; without one the X server shows
    // its transparent pixels black, and the shape hides them. The shape stays
    // the same for a window's life but for a size change: the shape of a card
    // is fixed when its window is built.
    if (CompositorWatcher::shared().active()) {
        if (m_shapedSize.isEmpty())
            return;
        m_shapedSize = QSize();
        clearMask();
        // Pixels outside the old shape were never painted: paint them now,
        // transparent, before the compositor shows them.
        update();
        return;
    }
    if (size().isEmpty() || size() == m_shapedSize)
        return;
    m_shapedSize = size();
    setMask(WidgetCard::frameRegion(m_card->shape(), size()));
}

void WidgetWindow::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    // The window manager moves the window when it can (it then also snaps and
    // keeps the window on screen); otherwise the window follows the pointer.
    // On a surface the window is not shown by the window system, which cannot
    // move it.
    m_dragOpenUntil.setRemainingTime(dragPressMs);
    const bool managerMoves = !m_makeSurface && (!m_hints || m_hints->windowManagerMoves());
    if (managerMoves && windowHandle() && windowHandle()->startSystemMove()) {
        m_manualDrag = false;
    } else {
        m_manualDrag = true;
        m_dragOffset = event->globalPosition().toPoint() - pos();
    }
    event->accept();
}

void WidgetWindow::mouseMoveEvent(QMouseEvent* event)
{
    if (m_manualDrag && (event->buttons() & Qt::LeftButton)) {
        move(event->globalPosition().toPoint() - m_dragOffset);
        event->accept();
        return;
    }
    QWidget::mouseMoveEvent(event);
}

void WidgetWindow::mouseReleaseEvent(QMouseEvent* event)
{
    // A drag of our own ends here; a window manager's move may still be
    // finishing, and its quiet period covers it.
    if (m_manualDrag)
        m_dragOpenUntil = QDeadlineTimer(0);
    m_manualDrag = false;
    QWidget::mouseReleaseEvent(event);
}

} // namespace nivora
