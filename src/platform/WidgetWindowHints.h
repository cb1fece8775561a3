#pragma once

class QWindow;

namespace nivora {

// Makes a top-level window behave as a desktop widget: on every workspace, and
// kept out of the taskbar, the pager and the window switcher. Keeping it below
// normal windows and frameless is asked through Qt's window flags by the caller,
// because Qt applies those on every platform.
//
// Contract for backends (main thread):
// - prepare(window) required. Called after the native window exists
//   (QWindow::create() or QWidget::winId()) and before it is first shown.
//   Returns false when the platform has no such hints; the window is then an
//   ordinary frameless window, still usable.
// - shown(window)   optional (may do nothing). Called right after the window was
//   first shown, for window managers that only honour some requests on mapped
//   windows.
// - windowManagerMoves() optional, valid after prepare(). False when the
//   window manager will not move this window when asked to (some refuse to
//   move the kind of window the hints chose); the window then follows the
//   pointer by itself.
class WidgetWindowHints
{
public:
    virtual ~WidgetWindowHints() = default;
    virtual bool prepare(QWindow* window) = 0;
    virtual void shown(QWindow* window) = 0;
    virtual bool windowManagerMoves() const { return true; }
};

} // namespace nivora
