#include "app/PopoverWindow.h"

#include "app/PopoverPlacement.h"
#include "design/Theme.h"
#include "platform/FreedMemory.h"

#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace nivora {

PopoverWindow::PopoverWindow(QWidget* content, QWidget* parent)
    : QWidget(parent, Qt::Popup | Qt::FramelessWindowHint | Qt::NoDropShadowWindowHint)
{
    setObjectName(QStringLiteral("nivora-popover"));
    setWindowTitle(QStringLiteral("Nivora popover"));
    setFixedSize(width, height);
    // Replaying the closing click would hand it to the tray icon below it.
    setAttribute(Qt::WA_NoMouseReplay);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(content);
}

void PopoverWindow::toggle(const QRect& anchor, Trigger trigger)
{
    if (isVisible()) {
        close();
        return;
    }
    if (trigger == Trigger::TrayClick && m_closedByOutsideClick.isValid() &&
        m_closedByOutsideClick.elapsed() < reopenGuardMs) {
        m_closedByOutsideClick.invalidate();
        return;
    }
    open(anchor);
}

void PopoverWindow::open(const QRect& anchor)
{
    QList<PopoverPlacement::Screen> screens;
    for (QScreen* screen : QGuiApplication::screens())
        screens.append({screen->geometry(), screen->availableGeometry()});
    const QRect target = anchor.isValid() ? anchor : QRect(QCursor::pos(), QSize(1, 1));
    setGeometry(PopoverPlacement::place(size(), target, screens));
    m_closedByOutsideClick.invalidate();
    if (isVisible())
        return;
    m_openedAt.start();
    m_awaitingFirstPaint = true;
    show();
    raise();
    activateWindow();
}

void PopoverWindow::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Theme::paper2());
    QColor edge = Theme::ink();
    edge.setAlphaF(0.35);
    p.setPen(QPen(edge, 1));
    p.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
    if (m_awaitingFirstPaint) {
        m_awaitingFirstPaint = false;
        // The children paint in the same pass and the backing store is flushed
        // to the window before the event loop turns again.
        QTimer::singleShot(0, this, [this] { Q_EMIT firstPainted(m_openedAt.nsecsElapsed() / 1e6); });
    }
}

void PopoverWindow::mousePressEvent(QMouseEvent* event)
{
    if (!rect().contains(event->position().toPoint()))
        m_closedByOutsideClick.start();
    QWidget::mousePressEvent(event);
}

void PopoverWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void PopoverWindow::hideEvent(QHideEvent* event)
{
    m_awaitingFirstPaint = false;
    QWidget::hideEvent(event);
    // Its preview's last frame and paint caches go back to the system.
    QTimer::singleShot(0, this, [] { FreedMemory::release(); });
}

} // namespace nivora
