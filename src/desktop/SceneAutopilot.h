#pragma once

#include <QObject>
#include <QTimer>
#include <optional>

namespace nivora {

class AppState;

// Goes on to the next scene every autopilotMinutes while the autopilot is on
// and the wallpaper runs a scene. Main thread.
class SceneAutopilot : public QObject
{
    Q_OBJECT

public:
    explicit SceneAutopilot(AppState& state, QObject* parent = nullptr);

    // Starts the timer afresh from the settings, or stops it when the
    // wallpaper is not `active`.
    void update(bool active);
    void stop() { m_timer.stop(); }
    bool isRunning() const { return m_timer.isActive(); }
    int interval() const { return m_timer.interval(); }
    // Test hook: the interval in milliseconds instead of minutes.
    void setIntervalForTesting(std::optional<int> milliseconds);

private:
    AppState& m_state;
    QTimer m_timer;
    std::optional<int> m_intervalForTesting;
};

} // namespace nivora
