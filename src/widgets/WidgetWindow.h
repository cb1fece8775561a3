#pragma once

#include "model/WidgetCatalog.h"

#include <QDeadlineTimer>
#include <QEvent>
#include <QPoint>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

namespace nivora {

class WidgetCard;
class WidgetWindowHints;
class WidgetFaceView;
class WidgetSurface;

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
    ~WidgetWindow() override;

    WidgetKind kind() const { return m_kind; }
    WidgetFaceView* face() const { return m_face; }
    WidgetCard* card() const { return m_card; }

    // Sets the window's top-left corner and size before it is shown. This
    // placement is not reported as a move.
    void place(const QPoint& topLeft, const QSize& size);
    // Creates the native window, applies the desktop-widget hints, shows it and
    // raises it within its layer.
    void present();
    // Shows the widget on surfaces made by `makeSurface` instead of a window
    // of its own, where the window system puts desktop widgets on surfaces
    // that are not toolkit windows (Wayland's layer shell): the window stays
    // off screen, is drawn into an image whenever it repaints, and takes the
    // pointer events of the surface. A surface is made on every show.
    void presentOn(std::function<std::unique_ptr<WidgetSurface>()> makeSurface);
    // The surface while shown on one, else null.
    WidgetSurface* surface() const { return m_surface.get(); }

Q_SIGNALS:
    // The user dragged the window's top-left corner away from where it was
    // placed or last reported. Moves the window system makes on its own (a
    // window manager's placement, a toplevel that cannot know its place) are
    // not reported: a position is only worth keeping when the user chose it.
    void moved(const QPoint& topLeft);

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
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
    // Sends the window as it looks now to its surface.
    void drawToSurface();
    void surfacePointer(QEvent::Type type, QPointF layoutPosition, Qt::MouseButton button,
                        Qt::MouseButtons buttons);

    WidgetKind m_kind;
    QPointer<WidgetFaceView> m_face;
    std::unique_ptr<WidgetWindowHints> m_hints; // null off X11
    WidgetCard* m_card = nullptr;
    QPoint m_knownPosition;
    bool m_manualDrag = false;
    QPoint m_dragOffset;
    // Moves count as the user's while a drag may still be going on: from a
    // press on the card until a while after its last step. A window manager
    // that moves the window itself takes the pointer, so the release may
    // never reach us, and some report the new place only at the drop: a
    // press keeps the drag open for long, each move after it for a short
    // quiet period.
    QDeadlineTimer m_dragOpenUntil;
    static constexpr int dragPressMs = 120000;
    static constexpr int dragQuietMs = 3000;
    QSize m_shapedSize; // the size the current cut was made for; empty: none
    std::function<std::unique_ptr<WidgetSurface>()> m_makeSurface;
    std::unique_ptr<WidgetSurface> m_surface;
};

} // namespace nivora
