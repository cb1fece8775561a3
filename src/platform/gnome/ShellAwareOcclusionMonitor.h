#pragma once

#include "platform/OcclusionMonitor.h"

#include <QHash>
#include <QPointer>
#include <memory>

namespace nivora {

class GnomeFullscreenWatch;

// Window stacking as X11 sees it, plus what GNOME Shell says about fullscreen
// windows X11 cannot see (Wayland programs): a wallpaper window is covered
// when either says so. Without the shell's answer it is the X11 monitor alone.
class ShellAwareOcclusionMonitor : public OcclusionMonitor
{
    Q_OBJECT

public:
    ShellAwareOcclusionMonitor(std::unique_ptr<OcclusionMonitor> windows, GnomeFullscreenWatch* shell,
                               QObject* parent = nullptr);
    ~ShellAwareOcclusionMonitor() override;

    void watch(QWindow* window, const QRect& screenFrame) override;
    void unwatch(QWindow* window) override;
    bool isCovered(QWindow* window) const override;

private:
    bool shellCovers(QWindow* window) const;
    void reevaluate(QWindow* window);

    std::unique_ptr<OcclusionMonitor> m_windows;
    QPointer<GnomeFullscreenWatch> m_shell;
    QHash<QWindow*, QRect> m_frames;
    QHash<QWindow*, bool> m_reported;
};

} // namespace nivora
