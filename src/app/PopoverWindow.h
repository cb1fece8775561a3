#pragma once

#include <QElapsedTimer>
#include <QRect>
#include <QWidget>

namespace nivora {

// The tray popover: a frameless window of 300 × 440 that holds its content,
// opens next to the tray icon (PopoverPlacement) and closes on a click outside,
// on Escape, and when the tray item is clicked again.
//
// It is a tool window, not a popup: a popup is left out of the application's
// accessibility tree, so a screen reader could never reach its controls. On
// X11 it grabs the pointer and the keyboard while it is open, as a popup
// would: the grab brings clicks outside the application to it, and clicks on
// the application's other windows are caught on their way. Wayland lets no
// client grab, and a click elsewhere moves the keyboard focus away: there it
// closes when it stops being the active window.
//
// While it is open it holds the pointer, so the click on the tray icon that
// closes it reaches the popover as a click outside. Some trays still pass that
// click on to the item once the popover has gone; a toggle that arrives right
// after a click outside closed the popover is therefore that same click, and it
// leaves the popover closed.
class PopoverWindow : public QWidget
{
    Q_OBJECT

public:
    static constexpr int width = 300;
    static constexpr int height = 440;
    // How long after a click outside a tray toggle still counts as that click.
    static constexpr int reopenGuardMs = 400;

    // Who asks for a toggle: only the tray's click can be the echo of the
    // click that just closed the popover; a command always means it.
    enum class Trigger
    {
        TrayClick,
        Command
    };

    explicit PopoverWindow(QWidget* content, QWidget* parent = nullptr);

    // Opens at `anchor` (PopoverPlacement; an invalid rectangle means the
    // cursor) or closes when open.
    void toggle(const QRect& anchor, Trigger trigger = Trigger::TrayClick);
    void open(const QRect& anchor);

    bool eventFilter(QObject* watched, QEvent* event) override;

Q_SIGNALS:
    // The first complete paint after open(), with the milliseconds it took.
    void firstPainted(double milliseconds);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void closeByOutsideClick();
    void grabInput();

    // X11: the pointer and keyboard are grabbed while open.
    bool m_grabs = false;
    // Elsewhere: it was the active window since it opened, so losing that is
    // a click or a switch away.
    bool m_wasActive = false;
    int m_grabAttempts = 0;
    QElapsedTimer m_openedAt;
    QElapsedTimer m_closedByOutsideClick;
    bool m_awaitingFirstPaint = false;
};

} // namespace nivora
