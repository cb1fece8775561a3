#include "app/PopoverWindow.h"

#include "app/PopoverPlacement.h"
#include "design/Theme.h"
#include "platform/FreedMemory.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

namespace nivora {

namespace {

bool grabbingPlatform()
{
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

// Retries of the grab while the window manager has not mapped the window yet.
constexpr int maxGrabAttempts = 40;
constexpr int grabRetryMs = 25;

} // namespace

PopoverWindow::PopoverWindow(QWidget* content, QWidget* parent)
    : QWidget(parent,
              Qt::Tool | Qt::WindowStaysOnTopHint | Qt::FramelessWindowHint | Qt::NoDropShadowWindowHint),
      m_grabs(grabbingPlatform())
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
    m_wasActive = false;
    show();
    raise();
    activateWindow();
    if (m_grabs) {
        qApp->installEventFilter(this);
        m_grabAttempts = 0;
        grabInput();
    }
}

void PopoverWindow::grabInput()
{
    if (!isVisible() || !windowHandle())
        return;
    // X refuses grabs on a window that is not mapped yet; the window manager
    // maps it a moment after show().
    const bool pointer = windowHandle()->setMouseGrabEnabled(true);
    const bool keyboard = pointer && windowHandle()->setKeyboardGrabEnabled(true);
    if ((!pointer || !keyboard) && ++m_grabAttempts < maxGrabAttempts)
        QTimer::singleShot(grabRetryMs, this, &PopoverWindow::grabInput);
}

void PopoverWindow::closeByOutsideClick()
{
    m_closedByOutsideClick.start();
    close();
}

bool PopoverWindow::eventFilter(QObject* watched, QEvent* event)
{
    // The grab lets the application's own windows keep their clicks; a click
    // on any of them is a click outside, used up in closing, as a popup does.
    if (event->type() == QEvent::MouseButtonPress && isVisible() && watched->isWindowType() &&
        watched != windowHandle()) {
        closeByOutsideClick();
        return true;
    }
    return QWidget::eventFilter(watched, event);
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
    // Only a grab brings clicks outside the window here.
    if (m_grabs && !rect().contains(event->position().toPoint()))
        closeByOutsideClick();
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
    m_wasActive = false;
    if (m_grabs) {
        qApp->removeEventFilter(this);
        if (windowHandle()) {
            windowHandle()->setKeyboardGrabEnabled(false);
            windowHandle()->setMouseGrabEnabled(false);
        }
    }
    QWidget::hideEvent(event);
    // Its preview's last frame and paint caches go back to the system.
    QTimer::singleShot(0, this, [] { FreedMemory::release(); });
}

void PopoverWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (m_grabs || event->type() != QEvent::ActivationChange || !isVisible())
        return;
    if (isActiveWindow())
        m_wasActive = true;
    else if (m_wasActive)
        closeByOutsideClick();
}

} // namespace nivora
