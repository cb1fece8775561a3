#pragma once

#include "platform/DesktopWindowHints.h"

#include <memory>

namespace nivora {

// EWMH hints on X11: _NET_WM_WINDOW_TYPE_DESKTOP (through Qt's own window-type
// property, so Qt does not overwrite it later), _NET_WM_DESKTOP = all
// workspaces, and _NET_WM_STATE sticky, skip-taskbar and skip-pager. Qt merges
// its own states into an existing _NET_WM_STATE when it maps the window, so the
// states set here survive show().
class X11DesktopStacking;

class X11DesktopWindowHints : public DesktopWindowHints
{
public:
    X11DesktopWindowHints();
    ~X11DesktopWindowHints() override;
    bool prepare(QWindow* window) override;

private:
    // Made with the first window, once an application exists.
    std::unique_ptr<X11DesktopStacking> m_stacking;
};

} // namespace nivora
