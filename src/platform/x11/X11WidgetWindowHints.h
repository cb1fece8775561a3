#pragma once

#include "platform/WidgetWindowHints.h"

namespace nivora {

// EWMH hints on X11: _NET_WM_DESKTOP = all workspaces, and _NET_WM_STATE sticky,
// skip-taskbar, skip-pager and KDE's skip-switcher (the only switcher hint a
// window manager reads; the others leave skip-taskbar windows out of Alt+Tab).
// The states are written before the window is mapped, where Qt merges its own
// (the "below" layer) into them, and asked again of the window manager once it
// is mapped.
class X11WidgetWindowHints : public WidgetWindowHints
{
public:
    bool prepare(QWindow* window) override;
    void shown(QWindow* window) override;
};

} // namespace nivora
