#include "widgets/WidgetWindow.h"

#include "platform/x11/X11WidgetWindowHints.h"
#include "widgets/WidgetCard.h"
#include "widgets/WidgetFaceView.h"
#include "widgets/WidgetShapeKey.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QVBoxLayout>
#include <QWindow>
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
}

void WidgetWindow::place(const QPoint& topLeft, const QSize& size)
{
    m_knownPosition = topLeft;
    setFixedSize(size);
    move(topLeft);
}

void WidgetWindow::present()
{
    winId();
    const auto hints = hintsForPlatform();
    if (hints)
        hints->prepare(windowHandle());
    show();
    raise();
    if (hints)
        hints->shown(windowHandle());
}

void WidgetWindow::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    const QPoint now = pos();
    if (now == m_knownPosition)
        return;
    m_knownPosition = now;
    Q_EMIT moved(now);
}

void WidgetWindow::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    // The window manager moves the window when it can (it then also snaps and
    // keeps the window on screen); otherwise the window follows the pointer.
    if (windowHandle() && windowHandle()->startSystemMove()) {
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
    m_manualDrag = false;
    QWidget::mouseReleaseEvent(event);
}

} // namespace nivora
