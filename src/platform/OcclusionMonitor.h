#pragma once

#include <QObject>
#include <QRect>

class QWindow;

namespace nivora {

// Tells whether a wallpaper window is covered: a fullscreen or maximised
// ordinary window lies over its screen, or the window system reports the window
// fully obscured.
//
// Contract for backends (all on the main thread):
// - watch(window, screenFrame) required. Starts following `window`, which
//   covers `screenFrame`. The window must exist natively (winId()).
// - unwatch(window)            required. Stops following it; no signal for it
//                              follows. Called before the window is destroyed.
// - isCovered(window)          required. The last known state; false for a
//                              window that is not watched.
// - coveredChanged()           required. Emitted only when the state of a
//                              watched window changes, on the main thread.
class OcclusionMonitor : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;
    ~OcclusionMonitor() override = default;

    virtual void watch(QWindow* window, const QRect& screenFrame) = 0;
    virtual void unwatch(QWindow* window) = 0;
    virtual bool isCovered(QWindow* window) const = 0;

Q_SIGNALS:
    void coveredChanged(QWindow* window, bool covered);
};

} // namespace nivora
