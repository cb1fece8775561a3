#pragma once

#include <QList>
#include <QObject>
#include <QWindow>
#include <functional>

namespace nivora {

class AppState;
struct PlatformServices;

// The settings the wallpaper follows, each handed to the controller on the
// main loop with the rule it needs: some with their current value first,
// some only on a change, repeats dropped or not. Main thread.
class WallpaperSubscriptions : public QObject
{
    Q_OBJECT

public:
    struct Handlers
    {
        // isRunning: the current value first, then changes, repeats dropped.
        std::function<void(bool)> running;
        // What the wallpapers are built for (mode, media, spanning, quality,
        // enabled displays, screens' own values): changes only.
        std::function<void()> rebuild;
        // fps: the current value first, then changes; and again at every
        // value of the battery saver, the current one included.
        std::function<void(qint64)> fps;
        // pauseOnFullscreen: every value, the current one included.
        std::function<void(bool)> pauseOnFullscreen;
        // autopilot and autopilotMinutes: every value, the current one
        // included.
        std::function<void()> autopilot;
        std::function<void()> slideMinutes;
        std::function<void(bool)> slideShuffle;
        // The Media page asks for a folder's next file.
        std::function<void()> nextSlide;

        // The system, followed for the life of this object: the screen
        // arrangement, screen sleep and wake (on the main loop), a window
        // covered or uncovered, the low-power mode.
        std::function<void()> screensChanged;
        std::function<void()> screensDidSleep;
        std::function<void()> screensDidWake;
        std::function<void(QWindow*, bool)> coveredChanged;
        std::function<void()> lowPowerModeChanged;
    };

    WallpaperSubscriptions(AppState& state, PlatformServices& platform, QObject* parent = nullptr);

    void subscribe(const Handlers& handlers);
    // Stops following the settings; no handler runs after it.
    void unsubscribe();

private:
    void subscribeRebuilds(const std::function<void()>& rebuild);
    void subscribeRates(const Handlers& handlers);
    void followSystem(const Handlers& handlers);

    AppState& m_state;
    PlatformServices& m_platform;
    QList<QMetaObject::Connection> m_connections;
};

} // namespace nivora
