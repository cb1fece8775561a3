#include "platform/gnome/ShellAwareOcclusionMonitor.h"

#include "platform/gnome/GnomeFullscreenWatch.h"

#include <QWindow>

namespace nivora {

ShellAwareOcclusionMonitor::ShellAwareOcclusionMonitor(std::unique_ptr<OcclusionMonitor> windows,
                                                       GnomeFullscreenWatch* shell, QObject* parent)
    : OcclusionMonitor(parent), m_windows(std::move(windows)), m_shell(shell)
{
    connect(m_windows.get(), &OcclusionMonitor::coveredChanged, this,
            [this](QWindow* window, bool) { reevaluate(window); });
    if (m_shell)
        connect(m_shell, &GnomeFullscreenWatch::coveredChanged, this, [this] {
            const QList<QWindow*> windows = m_frames.keys();
            for (QWindow* window : windows)
                reevaluate(window);
        });
}

ShellAwareOcclusionMonitor::~ShellAwareOcclusionMonitor() = default;

void ShellAwareOcclusionMonitor::watch(QWindow* window, const QRect& screenFrame)
{
    m_frames.insert(window, screenFrame);
    m_windows->watch(window, screenFrame);
    m_reported.insert(window, isCovered(window));
    if (m_reported.value(window))
        Q_EMIT coveredChanged(window, true);
}

void ShellAwareOcclusionMonitor::unwatch(QWindow* window)
{
    m_windows->unwatch(window);
    m_frames.remove(window);
    m_reported.remove(window);
}

bool ShellAwareOcclusionMonitor::isCovered(QWindow* window) const
{
    return m_windows->isCovered(window) || shellCovers(window);
}

bool ShellAwareOcclusionMonitor::shellCovers(QWindow* window) const
{
    if (!m_shell || !m_frames.contains(window))
        return false;
    // The shell speaks in X11 root pixels; Qt keeps a screen's origin and
    // scales its size.
    const QRect frame = m_frames.value(window);
    const QRect native(frame.topLeft(), (QSizeF(frame.size()) * window->devicePixelRatio()).toSize());
    for (const QRect& monitor : m_shell->coveredMonitors()) {
        if (native.contains(monitor.center()))
            return true;
    }
    return false;
}

void ShellAwareOcclusionMonitor::reevaluate(QWindow* window)
{
    if (!m_frames.contains(window))
        return;
    const bool covered = isCovered(window);
    if (m_reported.value(window) == covered)
        return;
    m_reported.insert(window, covered);
    Q_EMIT coveredChanged(window, covered);
}

} // namespace nivora
