#pragma once

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

class QProcess;

namespace nivora {

class AppState;

// GNOME shows its own background in the overview and on the lock screen, so
// there the user sees another picture than Nivora's. While this is on, a still
// of the current wallpaper is rendered to $XDG_DATA_HOME/nivora/ and set as
// GNOME's background whenever the scene, palette or media change (at most
// once a minute). The user's own background is kept first and put back
// exactly when it is turned off. Offered on GNOME only, on by default there.
// Main thread.
class ShellBackgroundSync : public QObject
{
    Q_OBJECT

public:
    static ShellBackgroundSync& shared();
    explicit ShellBackgroundSync(AppState& state, QObject* parent = nullptr);

    // GNOME's background settings exist and the session is GNOME.
    bool isOffered() const;
    bool isEnabled() const;
    void setEnabled(bool on);
    // Follows the settings from now on; applies at once when on.
    void start();
    // The program whose "render" command draws the still; this one's own
    // binary unless a test gives another.
    void setRenderProgram(const QString& program) { m_renderProgram = program; }
    // Whether the last still could not be rendered; the shell then keeps
    // showing the one before (or its own picture), and the page says so.
    bool renderFailed() const { return m_renderFailed; }

    // The stored keys: the switch, and the user's background from before the
    // first change.
    static constexpr const char* enabledKey = "matchShellBackground";
    static constexpr const char* savedKey = "shellBackgroundSaved";
    static constexpr int minimumIntervalMs = 60 * 1000;

Q_SIGNALS:
    void enabledChanged(bool on);
    // After each background set (or put back); for tests and the log.
    void applied(const QString& uri);
    void renderFailedChanged(bool failed);

private:
    void scheduleUpdate();
    void update();
    void finishRender(const QString& file, bool ok);
    void setRenderFailed(bool failed);
    bool setPictures(const QString& uri);
    void restore();
    QString folder() const;
    // One of the two files the still alternates between.
    QString stillPath(int slot) const;

    AppState& m_state;
    bool m_started = false;
    QString m_renderProgram;
    QTimer m_throttle;
    QDateTime m_lastUpdate;
    QPointer<QProcess> m_render;
    bool m_pending = false;
    int m_generation = 0;
    bool m_renderFailed = false;
};

} // namespace nivora
