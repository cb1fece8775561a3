#pragma once

#include <QObject>
#include <QTimer>

namespace nivora {

// The shared part of the focus timer and the stopwatch: a running flag and one
// repeating one-second timer. The timer is a single member restarted in place,
// so however fast start and pause alternate there is never more than one; it is
// owned by the model, so a discarded face stops counting. Main thread only.
class TimerModel : public QObject
{
    Q_OBJECT

public:
    explicit TimerModel(QObject* parent = nullptr);

    bool running() const { return m_running; }
    // True while the one-second timer is live (running and not stopped by the
    // countdown's end).
    bool isTicking() const { return m_timer.isActive(); }

    // The number of seconds the face shows.
    virtual qint64 displaySeconds() const = 0;

    // Start or pause.
    void toggle();
    // Back to the initial value, idle.
    void reset();
    // One second has passed; the timer calls this.
    virtual void tick() = 0;

    // Test hook: the tick interval (1000 ms in the app).
    void setTickIntervalForTesting(int milliseconds) { m_timer.setInterval(milliseconds); }

Q_SIGNALS:
    void runningChanged(bool running);
    void displaySecondsChanged(qint64 seconds);

protected:
    void setRunning(bool running);
    void stopTimer() { m_timer.stop(); }
    virtual void resetValue() = 0;

private:
    QTimer m_timer;
    bool m_running = false;
};

} // namespace nivora
