#pragma once

#include "platform/WidgetWindowHints.h"

#include <QByteArray>

namespace nivora {

// EWMH hints on X11: _NET_WM_DESKTOP = all workspaces, and _NET_WM_STATE sticky,
// skip-taskbar, skip-pager and KDE's skip-switcher (the only switcher hint a
// window manager reads; the others leave skip-taskbar windows out of Alt+Tab).
// The states are written before the window is mapped, where Qt merges its own
// (the "below" layer) into them, and asked again of the window manager once it
// is mapped.
//
// The window type is chosen for the running window manager, so that "show the
// desktop" (_NET_SHOWING_DESKTOP) leaves the widget on the desktop. Each
// window manager decides for itself which windows that hides, and no single
// type is kept by all of them while staying in their "below" layer:
// - Openbox hides every window but desktop, dock and splash windows. A splash
//   window with the "below" state stays in its below layer, can be moved, and
//   is left out of focus cycling: a splash window there.
// - Metacity and the window managers made from it (Marco, Mutter on X11 and
//   GNOME Shell, Muffin) hide every window but desktop and dock windows and
//   the windows transient for one. A dock with the "below" state goes to their
//   bottom layer, where a normal window with that state goes: a dock there.
//   They do not move docks on request, so the window follows the pointer
//   itself.
// - Xfwm4 hides only the windows that are in the taskbar; skip-taskbar keeps
//   the widget. KWin keeps the windows of a desktop window's group, and Qt puts
//   every window of the process in one group with the wallpaper's desktop
//   windows; a KWin dock with the "below" state would share the layer of
//   ordinary windows. A normal window there, as under any other window manager.
class X11WidgetWindowHints : public WidgetWindowHints
{
public:
    bool prepare(QWindow* window) override;
    void shown(QWindow* window) override;
    bool windowManagerMoves() const override { return m_windowManagerMoves; }

    enum class Type
    {
        Normal,
        Splash,
        Dock
    };
    // The type a widget window gets under the window manager that calls
    // itself `name` (its _NET_WM_NAME).
    static Type typeForWindowManager(const QByteArray& name);
    // The running window manager's name, or empty when none says it.
    static QByteArray windowManagerName();

private:
    bool m_windowManagerMoves = true;
};

} // namespace nivora
