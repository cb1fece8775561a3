#pragma once

#include <QObject>

namespace nivora {

// Whether a compositing manager blends the windows of the default screen, and
// when that changes. A window with transparent parts needs one: without it the
// X server shows the transparent pixels as they are stored, that is black, and
// the window has to cut itself to its drawn outline instead (a window shape).
//
// This base class is the answer of platforms that always composite (Wayland,
// and any platform without a backend): active, and it never changes. Backends
// subclass it and call setActive() when they learn of a change.
//
// Contract (main thread):
// - active() is cheap: it returns the last known state, and asks no server.
// - changed(active) is emitted only when the state really changes, after
//   active() already returns the new value.
// - Watching costs nothing while nothing changes: backends are told of changes
//   by the display server and never poll.
class CompositorWatcher : public QObject
{
    Q_OBJECT

public:
    explicit CompositorWatcher(QObject* parent = nullptr) : QObject(parent) {}

    bool active() const { return m_active; }

    // The watcher of the running platform's default screen, made on first use
    // and kept until the process ends. Needs a QGuiApplication.
    static CompositorWatcher& shared();

Q_SIGNALS:
    void changed(bool active);

protected:
    void setActive(bool active)
    {
        if (active == m_active)
            return;
        m_active = active;
        Q_EMIT changed(active);
    }

private:
    bool m_active = true;
};

} // namespace nivora
