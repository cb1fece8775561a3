#include "widgets/WidgetFaceView.h"

#include "design/FocusMark.h"
#include "widgets/WidgetFaceContent.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace nivora {

WidgetFaceView::WidgetFaceView(WidgetKind kind, const Environment& environment, QWidget* parent)
    : QWidget(parent), m_kind(kind), m_environment(environment)
{
    setAttribute(Qt::WA_TranslucentBackground);
    m_timer.setSingleShot(true);
    // Precise: the clock must change within a second of the minute, and one
    // timer a minute costs nothing.
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &WidgetFaceView::refresh);
    // The first build waits for the subclass to exist; whoever shows the face
    // may build it earlier.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (m_rebuilds == 0)
                refresh();
        },
        Qt::QueuedConnection);
}

QSize WidgetFaceView::sizeHint() const
{
    const QSizeF s = m_stack.sizeHint();
    return QSize(int(std::ceil(s.width())), int(std::ceil(s.height())));
}

void WidgetFaceView::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        refresh();
}

void WidgetFaceView::refresh()
{
    FaceStack next = build();
    ++m_rebuilds;
    if (!(next == m_stack)) {
        const bool wasFilling = m_stack.fillsWidth();
        const QSize oldHint = sizeHint();
        const QRegion repaint = FaceStack::repaintArea(m_stack, next, QRectF(rect()));
        m_stack = std::move(next);
        setFocusPolicy(buttonCount() > 0 ? Qt::TabFocus : Qt::NoFocus);
        if (m_focusedButton >= buttonCount())
            m_focusedButton = buttonCount() - 1;
        if (m_stack.fillsWidth() != wasFilling)
            setSizePolicy(m_stack.fillsWidth() ? QSizePolicy::Expanding : QSizePolicy::Preferred,
                          QSizePolicy::Preferred);
        if (sizeHint() != oldHint) {
            updateGeometry();
            update();
        } else {
            // Only what changed is redrawn. Every redrawn pixel goes through the
            // X server's socket (see WidgetWindow::configureApplication), and a
            // whole face per tick is enough to fill the socket's send buffer:
            // the next request then waits for the server to read, one more
            // wake-up per tick.
            update(repaint);
        }
    }
    const qint64 delay =
        WidgetFaceContent::msUntilRefresh(m_kind, clock().now(), clock().uptimeMilliseconds(), calendar());
    if (delay >= 0)
        m_timer.start(int(std::min<qint64>(delay, 24LL * 3600 * 1000)));
    else
        m_timer.stop();
}

void WidgetFaceView::buttonClicked(int) {}

void WidgetFaceView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    m_stack.paint(p, QRectF(rect()));
    if (m_pressedButton >= 0) {
        // A pressed button dims, as a plain button does.
        const auto rects = buttonRects();
        if (m_pressedButton < rects.size()) {
            QPainterPath circle;
            circle.addEllipse(rects.at(m_pressedButton));
            p.fillPath(circle, QColor(255, 255, 255, 90));
        }
    }
    const int focused = focusedButton();
    if (focused >= 0 && m_keyboardUse) {
        const auto rects = buttonRects();
        if (focused < rects.size())
            FocusMark::paint(p, rects.at(focused), 31 + quint64(focused));
    }
}

int WidgetFaceView::buttonCount() const
{
    int count = 0;
    for (const auto& item : m_stack.items())
        count += int(item.buttons.size());
    return count;
}

void WidgetFaceView::pressButton(int index)
{
    // Buttons are numbered across rows.
    int i = 0;
    for (const auto& item : m_stack.items()) {
        for (const auto& button : item.buttons) {
            if (i++ == index) {
                buttonClicked(button.action);
                return;
            }
        }
    }
}

void WidgetFaceView::moveButtonFocus(int step)
{
    const int count = buttonCount();
    if (count == 0)
        return;
    m_focusedButton = ((m_focusedButton < 0 ? 0 : m_focusedButton + step) % count + count) % count;
    m_keyboardUse = true;
    update();
}

void WidgetFaceView::focusInEvent(QFocusEvent* event)
{
    const int count = buttonCount();
    if (event->reason() == Qt::BacktabFocusReason)
        m_focusedButton = count - 1;
    else if (event->reason() == Qt::TabFocusReason || m_focusedButton < 0 || m_focusedButton >= count)
        m_focusedButton = count > 0 ? 0 : -1;
    // The window takes the focus when it is clicked: the mark appears with the
    // first key, not with the click.
    m_keyboardUse = event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
    update();
    QWidget::focusInEvent(event);
}

void WidgetFaceView::focusOutEvent(QFocusEvent* event)
{
    update();
    QWidget::focusOutEvent(event);
}

bool WidgetFaceView::focusNextPrevChild(bool next)
{
    // The face is alone in its window: Tab goes round its buttons.
    if (hasFocus() && buttonCount() > 0) {
        moveButtonFocus(next ? 1 : -1);
        return true;
    }
    return QWidget::focusNextPrevChild(next);
}

void WidgetFaceView::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        moveButtonFocus(-1);
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        moveButtonFocus(1);
        break;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (m_focusedButton >= 0 && m_focusedButton < buttonCount())
            pressButton(m_focusedButton);
        m_keyboardUse = true;
        update();
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

int WidgetFaceView::buttonAt(const QPointF& point) const
{
    const auto rects = buttonRects();
    for (qsizetype i = 0; i < rects.size(); ++i) {
        QPainterPath circle;
        circle.addEllipse(rects.at(i));
        if (circle.contains(point))
            return int(i);
    }
    return -1;
}

void WidgetFaceView::mousePressEvent(QMouseEvent* event)
{
    const int index = event->button() == Qt::LeftButton ? buttonAt(event->position()) : -1;
    if (index < 0) {
        // Not a button: the window takes the press and starts a move.
        event->ignore();
        return;
    }
    m_pressedButton = index;
    if (m_keyboardUse) {
        m_keyboardUse = false;
        update();
    }
    update(buttonRects().at(index).toAlignedRect().adjusted(-1, -1, 1, 1));
    event->accept();
}

void WidgetFaceView::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_pressedButton < 0) {
        event->ignore();
        return;
    }
    const int pressed = m_pressedButton;
    m_pressedButton = -1;
    const auto rects = buttonRects();
    if (pressed < rects.size())
        update(rects.at(pressed).toAlignedRect().adjusted(-1, -1, 1, 1));
    if (buttonAt(event->position()) != pressed)
        return;
    pressButton(pressed);
}

} // namespace nivora
