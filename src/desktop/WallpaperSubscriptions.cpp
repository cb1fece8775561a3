#include "desktop/WallpaperSubscriptions.h"

#include "platform/PlatformServices.h"
#include "state/AppState.h"
#include "state/MediaStatus.h"

#include <memory>
#include <optional>

namespace nivora {

namespace {

// Connects a setting's change signal so that the handler runs on the main loop,
// only for values that differ from the previous one, starting from `current`
// (which is itself skipped).
template <typename Signal, typename Value, typename Handler>
QMetaObject::Connection onChange(AppState& state, Signal signal, QObject* context, Value current,
                                 Handler handler)
{
    auto last = std::make_shared<Value>(std::move(current));
    return QObject::connect(
        &state, signal, context,
        [last, handler](const Value& value) {
            if (value == *last)
                return;
            *last = value;
            handler(value);
        },
        Qt::QueuedConnection);
}

} // namespace

WallpaperSubscriptions::WallpaperSubscriptions(AppState& state, PlatformServices& platform, QObject* parent)
    : QObject(parent), m_state(state), m_platform(platform)
{
}

void WallpaperSubscriptions::subscribe(const Handlers& handlers)
{
    const bool running = m_state.isRunning();
    auto lastRunning = std::make_shared<std::optional<bool>>();
    auto onRunning = [lastRunning, handler = handlers.running](bool value) {
        if (*lastRunning == value)
            return;
        *lastRunning = value;
        handler(value);
    };
    QMetaObject::invokeMethod(
        this, [onRunning, running] { onRunning(running); }, Qt::QueuedConnection);
    m_connections << connect(&m_state, &AppState::isRunningChanged, this, onRunning, Qt::QueuedConnection);

    subscribeRebuilds(handlers.rebuild);
    subscribeRates(handlers);

    QMetaObject::invokeMethod(this, handlers.autopilot, Qt::QueuedConnection);
    m_connections << connect(&m_state, &AppState::autopilotChanged, this, handlers.autopilot,
                             Qt::QueuedConnection);
    m_connections << connect(&m_state, &AppState::autopilotMinutesChanged, this, handlers.autopilot,
                             Qt::QueuedConnection);

    m_connections << connect(&m_state, &AppState::slideMinutesChanged, this, handlers.slideMinutes);
    m_connections << connect(&m_state, &AppState::slideShuffleChanged, this, handlers.slideShuffle);
    m_connections << connect(&MediaStatus::shared(), &MediaStatus::nextRequested, this, handlers.nextSlide);
    followSystem(handlers);
}

void WallpaperSubscriptions::followSystem(const Handlers& handlers)
{
    if (m_platform.screens)
        connect(m_platform.screens.get(), &ScreenProvider::screensChanged, this, handlers.screensChanged,
                Qt::QueuedConnection);
    if (m_platform.sleep) {
        connect(m_platform.sleep.get(), &ScreenSleepMonitor::screensDidSleep, this, handlers.screensDidSleep,
                Qt::QueuedConnection);
        connect(m_platform.sleep.get(), &ScreenSleepMonitor::screensDidWake, this, handlers.screensDidWake,
                Qt::QueuedConnection);
    }
    if (m_platform.occlusion)
        connect(m_platform.occlusion.get(), &OcclusionMonitor::coveredChanged, this, handlers.coveredChanged);
    // Entering the low-power mode lowers the rate at once rather than at the
    // next change of a setting.
    if (m_platform.power)
        connect(m_platform.power.get(), &PowerMonitor::lowPowerModeChanged, this,
                handlers.lowPowerModeChanged);
}

void WallpaperSubscriptions::subscribeRebuilds(const std::function<void()>& rebuild)
{
    auto changed = [rebuild](const auto&) { rebuild(); };
    m_connections << onChange(m_state, &AppState::wallpaperModeChanged, this, m_state.wallpaperMode(),
                              changed);
    m_connections << onChange(m_state, &AppState::mediaPathChanged, this, m_state.mediaPath(), changed);
    m_connections << onChange(m_state, &AppState::spanScreensChanged, this, m_state.spanScreens(), changed);
    m_connections << onChange(m_state, &AppState::renderQualityChanged, this, m_state.renderQuality(),
                              changed);
    m_connections << onChange(m_state, &AppState::enabledDisplaysChanged, this, m_state.enabledDisplays(),
                              changed);
    // A screen's own values: only the windows whose media changes are built
    // again, and a scene's values reach its view in place.
    m_connections << onChange(m_state, &AppState::screenOverridesChanged, this, m_state.screenOverrides(),
                              changed);
}

void WallpaperSubscriptions::subscribeRates(const Handlers& handlers)
{
    const qint64 fps = m_state.fps();
    QMetaObject::invokeMethod(
        this, [handler = handlers.fps, fps] { handler(fps); }, Qt::QueuedConnection);
    m_connections << onChange(m_state, &AppState::fpsChanged, this, fps, handlers.fps);

    auto onBatterySaver = [this, handler = handlers.fps](bool) { handler(m_state.fps()); };
    QMetaObject::invokeMethod(
        this, [onBatterySaver] { onBatterySaver(true); }, Qt::QueuedConnection);
    m_connections << connect(&m_state, &AppState::batterySaverChanged, this, onBatterySaver,
                             Qt::QueuedConnection);

    // Windows are watched for covering windows only while it is on, since
    // watching costs X round trips on every change of focus.
    const bool pauseOnFullscreen = m_state.pauseOnFullscreen();
    QMetaObject::invokeMethod(
        this, [handler = handlers.pauseOnFullscreen, pauseOnFullscreen] { handler(pauseOnFullscreen); },
        Qt::QueuedConnection);
    m_connections << connect(&m_state, &AppState::pauseOnFullscreenChanged, this, handlers.pauseOnFullscreen,
                             Qt::QueuedConnection);
}

void WallpaperSubscriptions::unsubscribe()
{
    for (const QMetaObject::Connection& c : std::as_const(m_connections))
        disconnect(c);
    m_connections.clear();
}

} // namespace nivora
