#pragma once

#include <QObject>

class QWindow;

namespace nivora {

// Tells whether an ordinary top-level window is entirely hidden behind other
// windows, which Qt does not report (a covered window stays "exposed"). Live
// previews use it to stop drawing what nobody can see.
//
// Contract for backends (all on the main thread):
// - watch(window)        required. Starts following `window` (created
//                        natively on demand) until it is destroyed; watching
//                        it again does nothing.
// - isObscured(window)   required. The last known state; false for a window
//                        that is not watched or not yet reported.
// - obscuredChanged()    required. Emitted when the state of a watched window
//                        changes.
// Under a compositing manager windows are drawn off screen and never reported
// obscured; they count as visible.
class WindowObscuredMonitor : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;
    ~WindowObscuredMonitor() override = default;

    virtual void watch(QWindow* window) = 0;
    virtual bool isObscured(QWindow* window) const = 0;

    // The monitor of the running platform, made on first use; null where the
    // platform cannot tell (then no window counts as obscured).
    static WindowObscuredMonitor* shared();

Q_SIGNALS:
    void obscuredChanged(QWindow* window, bool obscured);
};

} // namespace nivora
