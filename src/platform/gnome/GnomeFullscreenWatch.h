#pragma once

#include <QList>
#include <QObject>
#include <QRect>
#include <QString>
#include <QVariantList>
#include <functional>

class QDBusMessage;
class QDBusServiceWatcher;
class QDBusPendingCallWatcher;

namespace nivora {

// Which monitors a fullscreen window covers, as GNOME Shell knows it. On
// GNOME the wallpaper is an X11 window under XWayland, and X11 cannot see
// Wayland windows: only the shell can say that a fullscreen Wayland program is
// on top of a monitor. Nivora's shell extension ("fullscreen@nivora.app")
// publishes that on the shell's own bus connection; this enables it and
// follows it. Signals are taken only from the current owner of
// org.gnome.Shell, so no other program of the session can pause or resume
// the wallpaper. Main thread; nothing blocks.
class GnomeFullscreenWatch : public QObject
{
    Q_OBJECT

public:
    enum class State
    {
        NoShell,      // GNOME Shell is not on the session bus
        NotInstalled, // the shell does not know the extension (yet)
        Enabling,     // asked the shell to enable it, no answer yet
        Active,       // the shell answers; coveredMonitors() is current
        Failed,       // the shell refused or the extension reports an error
    };
    Q_ENUM(State)

    static constexpr const char* extensionUuid = "fullscreen@nivora.app";

    explicit GnomeFullscreenWatch(QObject* parent = nullptr);

    State state() const { return m_state; }
    // Rectangles of the covered monitors, in the shell's layout (X11 root
    // pixels under XWayland).
    QList<QRect> coveredMonitors() const { return m_covered; }

Q_SIGNALS:
    void stateChanged(GnomeFullscreenWatch::State state);
    void coveredChanged();

private Q_SLOTS:
    void coveredSignal(const QDBusMessage& message);

private:
    void ownerChanged(const QString& owner);
    // Calls `method` on the shell's own connection; `answered` runs only if
    // the shell is still the same when the reply comes.
    void callShell(const QString& path, const QString& interface, const QString& method,
                   const QVariantList& arguments, std::function<void(const QDBusMessage& reply)> answered);
    void askExtension();
    void enable();
    void readCovered();
    void setState(State state);
    void setCovered(const QList<QRect>& covered);

    QDBusServiceWatcher* m_watcher = nullptr;
    QString m_owner; // unique name of the shell's connection
    State m_state = State::NoShell;
    QList<QRect> m_covered;
};

} // namespace nivora
