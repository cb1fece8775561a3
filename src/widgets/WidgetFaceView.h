#pragma once

#include "model/WidgetCatalog.h"
#include "widgets/FaceStack.h"
#include "widgets/WidgetCalendar.h"
#include "widgets/WidgetClock.h"

#include <QTimer>
#include <QWidget>

namespace nivora {

// The base of the twelve widget faces. A face turns what it shows into a
// FaceStack and paints it; it rebuilds the stack only when that can have
// changed: at the next boundary its content computation names (a minute, a day,
// an uptime minute), or when its model or the settings store tells it. Between
// those moments it has no timer running at all.
//
// Clicks on a face's buttons are handled here; presses anywhere else are left to
// the window, which moves on a drag. A face with buttons takes the keyboard
// focus from Tab: Tab and the arrows go from button to button, Space and Enter
// press the one marked.
class WidgetFaceView : public QWidget
{
    Q_OBJECT

public:
    // The clock and calendar a face reads; the real ones unless a test gives
    // others.
    struct Environment
    {
        const WidgetClock* clock = &WidgetClock::system();
        WidgetCalendar calendar = WidgetCalendar::system();
    };

    WidgetFaceView(WidgetKind kind, const Environment& environment, QWidget* parent = nullptr);

    WidgetKind kind() const { return m_kind; }
    const FaceStack& stack() const { return m_stack; }
    // How many times the content was recomputed; benchmarks and tests read it.
    int rebuildCount() const { return m_rebuilds; }
    // Milliseconds until the next scheduled recomputation, or -1 when none is.
    int msUntilNextRefresh() const { return m_timer.isActive() ? m_timer.remainingTime() : -1; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return QSize(0, 0); }

    // Where the face's buttons are, in its own coordinates.
    QList<QRectF> buttonRects() const { return m_stack.buttonRects(QRectF(rect())); }
    // The button the keyboard acts on while the face has the focus, or -1.
    int focusedButton() const { return hasFocus() ? m_focusedButton : -1; }

public Q_SLOTS:
    // Recomputes the content now, repaints if it changed and schedules the next
    // recomputation.
    void refresh();

protected:
    virtual FaceStack build() const = 0;
    virtual void buttonClicked(int action);

    const WidgetClock& clock() const { return *m_environment.clock; }
    const WidgetCalendar& calendar() const { return m_environment.calendar; }

    void paintEvent(QPaintEvent* event) override;
    // Texts and dates follow a change of the interface's language at once.
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    int buttonAt(const QPointF& point) const;
    int buttonCount() const;
    // Does what the button at `index` (numbered across rows) does.
    void pressButton(int index);
    void moveButtonFocus(int step);

    WidgetKind m_kind;
    Environment m_environment;
    FaceStack m_stack;
    QTimer m_timer;
    int m_rebuilds = 0;
    int m_pressedButton = -1;
    int m_focusedButton = -1;
    // Whether the focus mark shows: the keyboard was used since the focus came.
    bool m_keyboardUse = false;
};

} // namespace nivora
