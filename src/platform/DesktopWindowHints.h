#pragma once

class QWindow;

namespace nivora {

// Turns a top-level window into a desktop-background window.
//
// Contract for backends (main thread):
// - prepare(window) required. Called after the native window exists
//   (QWindow::create()) and before it is first shown. Marks the window as a
//   desktop window (the window manager keeps it below everything and out of
//   focus), on all workspaces, out of the taskbar and the pager. Returns false
//   when the platform cannot do this; the window is then still usable.
// Input transparency and refusing focus are asked through Qt's window flags by
// the caller, because Qt applies them on every platform.
class DesktopWindowHints
{
public:
    virtual ~DesktopWindowHints() = default;
    virtual bool prepare(QWindow* window) = 0;
};

} // namespace nivora
