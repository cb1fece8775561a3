#pragma once

#include "widgets/WidgetCatalog.h"

#include <QPoint>
#include <QPointer>
#include <QWidget>

namespace nivora {

class WidgetCard;
class WidgetFaceView;

// The desktop window of one widget: frameless, transparent outside its card
// (blended by the compositing manager, or cut to the card's frame when none
// runs), without shadow, in the "below" layer (above the desktop, below ordinary
// windows), on every workspace and out of the taskbar, pager and switcher. It
// takes clicks (the timer faces have buttons) and moves when dragged anywhere
// outside a button.
class WidgetWindow : public QWidget
{
    Q_OBJECT

public:
    // Chooses how the process's plain (non-GL) windows reach the X server, and
    // so must run before the QApplication is built. See the definition for why.
    static void configureApplication();

    // Takes ownership of `face`.
    WidgetWindow(WidgetKind kind, WidgetShape shape, WidgetFaceView* face);

    WidgetKind kind() const { return m_kind; }
    WidgetFaceView* face() const { return m_face; }
    WidgetCard* card() const { return m_card; }

    // Sets the window's top-left corner and size before it is shown. This
    // placement is not reported as a move.
    void place(const QPoint& topLeft, const QSize& size);
    // Creates the native window, applies the desktop-widget hints, shows it and
    // raises it within its layer.
    void present();

Q_SIGNALS:
    // The window's top-left corner moved away from where it was placed or last
    // reported (the user dragged it, or the window manager moved it).
    void moved(const QPoint& topLeft);

protected:
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // Cuts the window to its card's frame while no compositing manager can
    // blend it, and undoes the cut when one can. Work is done only when the
    // compositing state or the window's size changed since the last cut.
    void updateShape();

    WidgetKind m_kind;
    QPointer<WidgetFaceView> m_face;
    WidgetCard* m_card = nullptr;
    QPoint m_knownPosition;
    bool m_manualDrag = false;
    QPoint m_dragOffset;
    QSize m_shapedSize; // the size the current cut was made for; empty: none
};

} // namespace nivora
