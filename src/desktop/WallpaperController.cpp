#include "desktop/WallpaperController.h"

#include "desktop/DesktopRenderView.h"
#include "media/ImageWallpaperView.h"
#include "media/MediaLayout.h"
#include "media/MediaPathCheck.h"
#include "media/VideoTarget.h"
#include "media/VideoWallpaperView.h"
#include "model/SceneCatalog.h"
#include "platform/PlatformServices.h"
#include "scene/WallpaperWindow.h"
#include "state/AppState.h"
#include "state/MediaStatus.h"

#include <QDebug>
#include <QFileInfo>
#include <QGuiApplication>
#include <QJsonArray>
#include <algorithm>
#include <climits>
#include <cmath>

namespace nivora {

struct WallpaperController::Entry
{
    // Declared first so that they are destroyed last: the views below draw
    // into them until they are gone. A scene on a desktop surface (Wayland)
    // has no window.
    std::unique_ptr<DesktopSurface> surface;
    std::unique_ptr<WallpaperWindow> window;
    std::unique_ptr<DesktopRenderView> render;
    // Shared by every screen showing the same file.
    std::shared_ptr<VideoWallpaperView> video;
    QString videoPath;
    std::unique_ptr<ImageWallpaperView> image;
    ScreenInfo screen;
    WallpaperMode mode = WallpaperMode::Scene;
    // Each reason to pause is kept on its own, and the content is paused while
    // any holds: waking the screens must not resume a wallpaper that a
    // fullscreen window still covers, nor uncovering one whose screens sleep.
    bool asleep = false;
    bool covered = false; // only while pauseOnFullscreen is on
    bool paused = false;  // what the content was last told
};

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

WallpaperController& WallpaperController::shared()
{
    // Lives until the process ends, as do the windows it owns.
    static WallpaperController* instance =
        new WallpaperController(AppState::shared(), PlatformServices::shared());
    return *instance;
}

WallpaperController::WallpaperController(AppState& state, PlatformServices& platform, QObject* parent)
    : QObject(parent), m_state(state), m_platform(platform)
{
    m_autopilotTimer.setTimerType(Qt::CoarseTimer);
    connect(&m_autopilotTimer, &QTimer::timeout, this, [this] {
        const qint64 count = availableScenes().size();
        // A stale stored index (negative or past the end) still lands in range.
        const qint64 next = ((m_state.sceneIndex() + 1) % count + count) % count;
        m_state.setSceneIndex(next);
    });
}

WallpaperController::~WallpaperController()
{
    for (const auto& c : std::as_const(m_subscriptions))
        disconnect(c);
    teardown();
}

void WallpaperController::start()
{
    if (m_started)
        return;
    m_started = true;

    // 1. isRunning: the current value first, then changes, repeats dropped.
    const bool running = m_state.isRunning();
    auto lastRunning = std::make_shared<std::optional<bool>>();
    auto onRunning = [this, lastRunning](bool value) {
        if (*lastRunning == value)
            return;
        *lastRunning = value;
        setRunning(value);
    };
    QMetaObject::invokeMethod(
        this, [onRunning, running] { onRunning(running); }, Qt::QueuedConnection);
    m_subscriptions << connect(&m_state, &AppState::isRunningChanged, this, onRunning, Qt::QueuedConnection);

    // 2-5. Rebuild triggers: changes only, repeats dropped.
    auto rebuildIfActive = [this](const auto&) {
        if (m_active)
            rebuild();
    };
    m_subscriptions << onChange(m_state, &AppState::wallpaperModeChanged, this, m_state.wallpaperMode(),
                                rebuildIfActive);
    m_subscriptions << onChange(m_state, &AppState::mediaPathChanged, this, m_state.mediaPath(),
                                rebuildIfActive);
    m_subscriptions << onChange(m_state, &AppState::spanScreensChanged, this, m_state.spanScreens(),
                                rebuildIfActive);
    m_subscriptions << onChange(m_state, &AppState::renderQualityChanged, this, m_state.renderQuality(),
                                rebuildIfActive);
    m_subscriptions << onChange(m_state, &AppState::enabledDisplaysChanged, this, m_state.enabledDisplays(),
                                rebuildIfActive);

    // 6. fps: the current value first, then changes, repeats dropped.
    const qint64 fps = m_state.fps();
    QMetaObject::invokeMethod(
        this, [this, fps] { applyFPS(fps); }, Qt::QueuedConnection);
    m_subscriptions << onChange(m_state, &AppState::fpsChanged, this, fps,
                                [this](qint64 value) { applyFPS(value); });

    // 7. batterySaver: every value, the current one included.
    auto onBatterySaver = [this](bool) { applyFPS(m_state.fps()); };
    QMetaObject::invokeMethod(
        this, [onBatterySaver] { onBatterySaver(true); }, Qt::QueuedConnection);
    m_subscriptions << connect(&m_state, &AppState::batterySaverChanged, this, onBatterySaver,
                               Qt::QueuedConnection);

    // 8. pauseOnFullscreen: windows are watched for covering windows only
    // while it is on, since watching costs X round trips on every change of
    // focus. Turning it off drops only the covered reason; turning it on
    // pauses a window once it is found covered.
    auto onPauseOnFullscreen = [this](bool on) { setOcclusionWatching(on); };
    const bool pauseOnFullscreen = m_state.pauseOnFullscreen();
    QMetaObject::invokeMethod(
        this, [onPauseOnFullscreen, pauseOnFullscreen] { onPauseOnFullscreen(pauseOnFullscreen); },
        Qt::QueuedConnection);
    m_subscriptions << connect(&m_state, &AppState::pauseOnFullscreenChanged, this, onPauseOnFullscreen,
                               Qt::QueuedConnection);

    // 9. autopilot and autopilotMinutes, latest of both, every value.
    QMetaObject::invokeMethod(this, &WallpaperController::updateAutopilot, Qt::QueuedConnection);
    m_subscriptions << connect(&m_state, &AppState::autopilotChanged, this,
                               &WallpaperController::updateAutopilot, Qt::QueuedConnection);
    m_subscriptions << connect(&m_state, &AppState::autopilotMinutesChanged, this,
                               &WallpaperController::updateAutopilot, Qt::QueuedConnection);

    // 10-12. The system: screen arrangement, screen sleep and wake. These stay
    // connected for the life of the controller.
    if (m_platform.screens)
        connect(m_platform.screens.get(), &ScreenProvider::screensChanged, this,
                &WallpaperController::screensChanged, Qt::QueuedConnection);
    if (m_platform.sleep) {
        connect(m_platform.sleep.get(), &ScreenSleepMonitor::screensDidSleep, this,
                &WallpaperController::screensDidSleep, Qt::QueuedConnection);
        connect(m_platform.sleep.get(), &ScreenSleepMonitor::screensDidWake, this,
                &WallpaperController::screensDidWake, Qt::QueuedConnection);
    }
    if (m_platform.occlusion)
        connect(m_platform.occlusion.get(), &OcclusionMonitor::coveredChanged, this,
                &WallpaperController::coveredChanged);
    // The system's low-power mode is followed as it changes, so entering it
    // lowers the rate at once rather than at the next change of a setting.
    if (m_platform.power)
        connect(m_platform.power.get(), &PowerMonitor::lowPowerModeChanged, this,
                [this] { applyFPS(m_state.fps()); });
}

void WallpaperController::setRunning(bool running)
{
    if (running) {
        m_active = true;
        if (!m_platform.activity.isHeld())
            m_platform.activity.begin(0xFFFFFF, QStringLiteral("Nivora — fond animé en continu"));
        rebuild();
    } else {
        m_active = false;
        m_platform.activity.end();
        teardown();
        updateAutopilot();
    }
}

QSize WallpaperController::pixelSize(QSizeF screenSize, qint64 renderQuality)
{
    const double w = screenSize.width();
    const double h = screenSize.height();
    const double longer = std::max(std::max(w, h), 1.0);
    const double s = std::min(static_cast<double>(std::max<qint64>(renderQuality, 480)) / longer, 1.0);
    const auto side = [s](double length) {
        const double rounded = std::round(length * s); // halves away from zero
        return std::max(static_cast<int>(std::min(rounded, 1.0e6)), 16);
    };
    return QSize(side(w), side(h));
}

qint64 WallpaperController::effectiveFPS(qint64 fps, bool batterySaver, bool lowPowerMode)
{
    if (batterySaver && lowPowerMode && fps >= 30)
        return 30;
    return fps;
}

void WallpaperController::applyPause(Entry& entry)
{
    const bool paused = entry.asleep || entry.covered;
    // A shared player is told again even so: the screen that joined it may
    // be the one that needs it playing.
    if (paused == entry.paused && !entry.video)
        return;
    entry.paused = paused;
    if (entry.render)
        entry.render->setPaused(paused);
    if (entry.video) {
        // A paused player holds its frame and decodes nothing; it goes on
        // from that frame. A player shared with other screens plays while
        // any of them is not paused.
        const bool shownElsewhere = std::any_of(m_entries.begin(), m_entries.end(), [&entry](const auto& e) {
            return e.get() != &entry && e->video == entry.video && !e->paused;
        });
        if (paused && !shownElsewhere)
            entry.video->pause();
        else
            entry.video->play();
    }
    if (entry.image)
        entry.image->setPaused(paused);
}

void WallpaperController::setOcclusionWatching(bool on)
{
    if (on == m_watchingOcclusion)
        return;
    m_watchingOcclusion = on;
    for (const auto& e : m_entries) {
        if (e->surface && on) {
            e->covered = e->surface->isCovered();
            applyPause(*e);
        }
        if (m_platform.occlusion && e->window) {
            if (on)
                m_platform.occlusion->watch(e->window.get(), e->screen.frame);
            else
                m_platform.occlusion->unwatch(e->window.get());
        }
        if (!on) {
            e->covered = false;
            applyPause(*e);
        }
    }
}

int WallpaperController::viewFPS(qint64 fps) const
{
    const bool lowPower =
        m_state.batterySaver() && fps >= 30 && m_platform.power && m_platform.power->isLowPowerModeEnabled();
    const qint64 effective = effectiveFPS(fps, m_state.batterySaver(), lowPower);
    return static_cast<int>(std::clamp<qint64>(effective, INT_MIN, INT_MAX));
}

void WallpaperController::applyFPS(qint64 fps)
{
    const int clamped = viewFPS(fps);
    for (DesktopRenderView* view : renderViews())
        view->setFPS(clamped);
}

void WallpaperController::rebuild()
{
    teardown();
    const QSet<quint32> enabled = m_state.enabledDisplays();
    const QList<ScreenInfo> screens =
        m_platform.screens ? m_platform.screens->screens() : QList<ScreenInfo>();
    const WallpaperMode mode = m_state.wallpaperMode();
    // A playlist or an address would have the player open other files or the
    // network: refused, once for every screen, with one log line.
    bool refused = false;
    if (mode == WallpaperMode::Video) {
        const QString path = m_state.mediaPath();
        const QString refusal = MediaPathCheck::refusal(path, MediaPathCheck::check(path));
        if (!refusal.isEmpty()) {
            qWarning().noquote() << refusal;
            refused = true;
        }
    }
    const QString path = m_state.mediaPath();
    // Another file, or the same one chosen again, is tried afresh.
    if (!isUnreadable(mode, path))
        m_unreadablePath.clear();
    if (mode == WallpaperMode::Image && QFileInfo(path).isFile() && !ImageWallpaperView::canShow(path))
        markUnreadable(mode, path);
    const bool unreadable = isUnreadable(mode, path);
    MediaStatus::shared().setUnreadablePath(unreadable ? path : QString());
    WallpaperMode shown = unreadable ? WallpaperMode::Scene : mode;
    m_spanCanvas = QRect();
    if (m_state.spanScreens()) {
        std::vector<QRect> frames;
        for (const ScreenInfo& screen : screens) {
            if (enabled.isEmpty() || enabled.contains(screen.displayID))
                frames.push_back(desktopFrame(screen));
        }
        m_spanCanvas = MediaLayout::boundingBox(frames);
    }
    int index = 0;
    for (const ScreenInfo& screen : screens) {
        if (refused)
            break;
        if (!enabled.isEmpty() && !enabled.contains(screen.displayID))
            continue;
        auto entry = std::make_unique<Entry>();
        bool built = buildEntry(screen, shown, index, *entry);
        if (!built && shown == WallpaperMode::Image && QFileInfo(path).isFile()) {
            // Its header was sound but its pixels were not (a truncated file).
            markUnreadable(mode, path);
            MediaStatus::shared().setUnreadablePath(path);
            shown = WallpaperMode::Scene;
            entry = std::make_unique<Entry>();
            built = buildEntry(screen, shown, index, *entry);
        }
        if (built) {
            ++index;
            m_entries.push_back(std::move(entry));
        }
    }
    // The views keep what they show; the cache keeps nothing alive.
    m_stills.clear();
    m_displaySignature = nivora::displaySignature(screens);
    updateAutopilot();
    ++m_rebuildCount;
    Q_EMIT rebuilt();
}

bool WallpaperController::buildEntry(const ScreenInfo& screen, WallpaperMode mode, int index, Entry& entry)
{
    entry.screen = screen;
    entry.mode = mode;
    const bool asleep = m_platform.sleep && m_platform.sleep->isAsleep();
    DesktopWindowHints* hints = m_platform.windowHints.get();
    if (m_platform.makeDesktopSurface)
        return buildSurfaceEntry(screen, mode, index, entry);
    switch (mode) {
    case WallpaperMode::Scene: {
        if (!m_platform.makeDisplayLink)
            return false;
        entry.window = std::make_unique<WallpaperWindow>(screen, WallpaperWindow::Surface::OpenGL, hints);
        // The rule counts the monitor's own pixels: a screen Qt scales by 2
        // has twice the logical size in each direction.
        const double scale = screen.screen ? screen.screen->devicePixelRatio() : 1.0;
        const QSize pixels = pixelSize(QSizeF(screen.frame.size()) * scale, m_state.renderQuality());
        entry.render =
            DesktopRenderView::create(entry.window.get(), screen.displayID, pixels, viewFPS(m_state.fps()),
                                      m_platform.makeDisplayLink(screen, index), m_state, index);
        if (!entry.render)
            return false;
        entry.render->setCanvas(sceneCanvas(screen));
        break;
    }
    case WallpaperMode::Video:
        if (MediaPathCheck::check(m_state.mediaPath()) != MediaPathCheck::Verdict::PlainFile)
            return false;
        entry.window = std::make_unique<WallpaperWindow>(screen, WallpaperWindow::Surface::OpenGL, hints);
        // The player draws only into an exposed window, and paints it black at
        // once, so the window is on screen before the player starts.
        entry.window->showWallpaper();
        if (!attachVideo(m_state.mediaPath(),
                         VideoTarget{entry.window.get(), nullptr, desktopFrame(screen), mediaCanvas(screen)},
                         entry))
            return false;
        break;
    case WallpaperMode::Image:
        if (m_state.mediaPath().isEmpty())
            return false;
        entry.window = std::make_unique<WallpaperWindow>(screen, WallpaperWindow::Surface::Raster, hints);
        entry.image =
            ImageWallpaperView::load(m_state.mediaPath(), entry.window.get(), imagePart(screen), &m_stills);
        if (!entry.image)
            return false;
        break;
    }
    entry.asleep = asleep;
    applyPause(entry);
    if (m_platform.occlusion && m_watchingOcclusion)
        m_platform.occlusion->watch(entry.window.get(), screen.frame);
    entry.window->showWallpaper();
    return true;
}

bool WallpaperController::buildSurfaceEntry(const ScreenInfo& screen, WallpaperMode mode, int index,
                                            Entry& entry)
{
    if ((mode == WallpaperMode::Scene && !m_platform.makeDisplayLink) ||
        (mode == WallpaperMode::Video &&
         MediaPathCheck::check(m_state.mediaPath()) != MediaPathCheck::Verdict::PlainFile) ||
        (mode == WallpaperMode::Image && m_state.mediaPath().isEmpty()))
        return false;
    entry.screen = screen;
    entry.mode = mode;
    entry.surface = m_platform.makeDesktopSurface(screen);
    if (!entry.surface)
        return false;
    if (mode == WallpaperMode::Scene) {
        const QSize pixels = pixelSize(QSizeF(screen.frame.size()), m_state.renderQuality());
        entry.render =
            DesktopRenderView::create(entry.surface.get(), screen.displayID, pixels, viewFPS(m_state.fps()),
                                      m_platform.makeDisplayLink(screen, index), m_state, index);
        if (!entry.render)
            return false;
        entry.render->setCanvas(sceneCanvas(screen));
    } else if (mode == WallpaperMode::Video) {
        if (!attachVideo(m_state.mediaPath(),
                         VideoTarget{nullptr, entry.surface.get(), desktopFrame(screen), mediaCanvas(screen)},
                         entry))
            return false;
    } else {
        entry.image =
            ImageWallpaperView::load(m_state.mediaPath(), entry.surface.get(), imagePart(screen), &m_stills);
        if (!entry.image)
            return false;
    }
    // The surface says itself when the compositor stops showing it. The
    // surface is the context, so that a report still queued when the entry
    // goes is dropped with it.
    Entry* e = &entry;
    connect(
        entry.surface.get(), &DesktopSurface::coveredChanged, entry.surface.get(),
        [this, e](bool covered) {
            if (!m_watchingOcclusion)
                return;
            e->covered = covered;
            applyPause(*e);
        },
        Qt::QueuedConnection);
    // A compositor closes the surfaces of an output it disables while the
    // output itself may stay announced: the wallpaper is built again, and a
    // surface the compositor refuses at once is left out.
    connect(entry.surface.get(), &DesktopSurface::closed, this, &WallpaperController::scheduleRebuild,
            Qt::QueuedConnection);
    entry.asleep = m_platform.sleep && m_platform.sleep->isAsleep();
    entry.covered = m_watchingOcclusion && entry.surface->isCovered();
    applyPause(entry);
    return true;
}

bool WallpaperController::attachVideo(const QString& path, const VideoTarget& target, Entry& entry)
{
    // The source is the file: screens showing the same file share a player
    // whatever else differs between them.
    for (const auto& e : m_entries) {
        if (e->video && e->videoPath == path) {
            entry.video = e->video;
            entry.videoPath = path;
            entry.video->addTarget(target);
            return true;
        }
    }
    entry.video = VideoWallpaperView::create(path, target);
    if (!entry.video)
        return false;
    entry.videoPath = path;
    connect(
        entry.video.get(), &VideoWallpaperView::unplayable, this, [this, path] { videoUnplayable(path); },
        Qt::QueuedConnection);
    return true;
}

QRect WallpaperController::desktopFrame(const ScreenInfo& screen)
{
    // X11 lays its monitors out in device pixels, and Qt keeps a scaled
    // screen's top-left corner there while dividing its size: the device
    // rectangle is what lines up with the neighbours. A Wayland compositor
    // lays its outputs out in logical units, as the frame already is.
    if (screen.screen && QGuiApplication::platformName() == QLatin1String("xcb")) {
        const double scale = screen.screen->devicePixelRatio();
        return QRect(screen.frame.topLeft(), (QSizeF(screen.frame.size()) * scale).toSize());
    }
    return screen.frame;
}

QRect WallpaperController::mediaCanvas(const ScreenInfo& screen) const
{
    return m_spanCanvas.isEmpty() ? desktopFrame(screen) : m_spanCanvas;
}

QRectF WallpaperController::sceneCanvas(const ScreenInfo& screen) const
{
    const QRectF frame(desktopFrame(screen));
    if (m_spanCanvas.isEmpty() || frame.isEmpty())
        return QRectF(0, 0, 1, 1);
    return QRectF((m_spanCanvas.x() - frame.x()) / frame.width(),
                  (m_spanCanvas.y() - frame.y()) / frame.height(), m_spanCanvas.width() / frame.width(),
                  m_spanCanvas.height() / frame.height());
}

QRectF WallpaperController::imagePart(const ScreenInfo& screen) const
{
    if (m_spanCanvas.isEmpty())
        return {};
    // Images are stretched over their canvas, so the part is the same
    // fraction of any picture.
    return MediaLayout::sourceRect(QSizeF(1, 1), QRectF(m_spanCanvas), QRectF(desktopFrame(screen)),
                                   MediaLayout::Fit::Stretch);
}

void WallpaperController::shutdown()
{
    for (const QMetaObject::Connection& c : std::as_const(m_subscriptions))
        disconnect(c);
    m_subscriptions.clear();
    m_autopilotTimer.stop();
    teardown();
    m_active = false;
}

void WallpaperController::teardown()
{
    const bool hadWindows = !m_entries.empty();
    if (m_platform.occlusion) {
        for (const auto& e : m_entries) {
            if (e->window)
                m_platform.occlusion->unwatch(e->window.get());
        }
    }
    for (const auto& e : m_entries) {
        if (e->video)
            e->video->pause();
        e->video.reset();
    }
    for (const auto& e : m_entries) {
        if (e->render)
            e->render->stop();
    }
    for (const auto& e : m_entries) {
        if (e->window)
            e->window->hide();
    }
    // The render views join their threads here, before their windows go.
    for (const auto& e : m_entries) {
        e->render.reset();
        e->image.reset();
    }
    m_entries.clear();
    if (hadWindows)
        Q_EMIT tornDown();
}

void WallpaperController::updateAutopilot()
{
    m_autopilotTimer.stop();
    if (!m_active)
        return;
    if (!m_state.autopilot() || m_state.wallpaperMode() != WallpaperMode::Scene)
        return;
    int interval;
    if (m_autopilotIntervalForTesting) {
        interval = std::max(*m_autopilotIntervalForTesting, 1);
    } else {
        const qint64 minutes = std::max<qint64>(m_state.autopilotMinutes(), 1);
        interval = static_cast<int>(std::min<qint64>(minutes, INT_MAX / 60000) * 60000);
    }
    m_autopilotTimer.start(interval);
}

void WallpaperController::setAutopilotIntervalForTesting(std::optional<int> milliseconds)
{
    m_autopilotIntervalForTesting = milliseconds;
    if (m_autopilotTimer.isActive())
        updateAutopilot();
}

void WallpaperController::screensChanged()
{
    const QList<ScreenInfo> screens =
        m_platform.screens ? m_platform.screens->screens() : QList<ScreenInfo>();
    const QStringList signature = nivora::displaySignature(screens);
    if (signature == m_displaySignature)
        return;
    m_displaySignature = signature;
    if (m_active)
        rebuild();
}

bool WallpaperController::isUnreadable(WallpaperMode mode, const QString& path) const
{
    return mode != WallpaperMode::Scene && mode == m_unreadableMode && path == m_unreadablePath;
}

void WallpaperController::markUnreadable(WallpaperMode mode, const QString& path)
{
    if (isUnreadable(mode, path))
        return;
    m_unreadableMode = mode;
    m_unreadablePath = path;
    qWarning().noquote() << QStringLiteral("Nivora: fichier illisible, la scène le remplace : %1")
                                .arg(QFileInfo(path).fileName());
}

void WallpaperController::videoUnplayable(const QString& path)
{
    if (m_state.wallpaperMode() != WallpaperMode::Video || m_state.mediaPath() != path)
        return;
    markUnreadable(WallpaperMode::Video, path);
    scheduleRebuild();
}

void WallpaperController::scheduleRebuild()
{
    if (m_rebuildScheduled)
        return;
    m_rebuildScheduled = true;
    QTimer::singleShot(0, this, [this] {
        m_rebuildScheduled = false;
        if (m_active)
            rebuild();
    });
}

void WallpaperController::screensDidSleep()
{
    for (const auto& e : m_entries) {
        e->asleep = true;
        applyPause(*e);
    }
}

void WallpaperController::screensDidWake()
{
    if (!m_active)
        return;
    for (const auto& e : m_entries) {
        e->asleep = false;
        applyPause(*e);
    }
}

void WallpaperController::coveredChanged(QWindow* window, bool covered)
{
    if (!m_watchingOcclusion)
        return;
    for (const auto& e : m_entries) {
        if (e->window.get() == window) {
            e->covered = covered;
            applyPause(*e);
        }
    }
}

QList<WallpaperWindow*> WallpaperController::windows() const
{
    QList<WallpaperWindow*> out;
    for (const auto& e : m_entries) {
        if (e->window)
            out.append(e->window.get());
    }
    return out;
}

QList<DesktopRenderView*> WallpaperController::renderViews() const
{
    QList<DesktopRenderView*> out;
    for (const auto& e : m_entries) {
        if (e->render)
            out.append(e->render.get());
    }
    return out;
}

QList<VideoWallpaperView*> WallpaperController::videoViews() const
{
    QList<VideoWallpaperView*> out;
    for (const auto& e : m_entries) {
        if (e->video && !out.contains(e->video.get()))
            out.append(e->video.get());
    }
    return out;
}

QList<ImageWallpaperView*> WallpaperController::imageViews() const
{
    QList<ImageWallpaperView*> out;
    for (const auto& e : m_entries) {
        if (e->image)
            out.append(e->image.get());
    }
    return out;
}

QJsonObject WallpaperController::statusJson() const
{
    QJsonArray windows;
    for (const auto& e : m_entries) {
        QJsonObject w;
        w.insert(QStringLiteral("screen"), e->screen.name);
        w.insert(QStringLiteral("displayID"), static_cast<qint64>(e->screen.displayID));
        const QRect& f = e->screen.frame;
        w.insert(QStringLiteral("geometry"), QJsonObject{{QStringLiteral("x"), f.x()},
                                                         {QStringLiteral("y"), f.y()},
                                                         {QStringLiteral("width"), f.width()},
                                                         {QStringLiteral("height"), f.height()}});
        w.insert(QStringLiteral("mode"), WallpaperModes::id(e->mode));
        if (e->render) {
            const QSize p = e->render->pixelSize();
            w.insert(QStringLiteral("pixelSize"), QJsonObject{{QStringLiteral("width"), p.width()},
                                                              {QStringLiteral("height"), p.height()}});
            w.insert(QStringLiteral("targetFPS"), e->render->targetFPS());
            w.insert(QStringLiteral("refreshRate"), e->render->refreshRate());
            w.insert(QStringLiteral("measuredFPS"), std::round(e->render->measuredFPS() * 10.0) / 10.0);
            w.insert(QStringLiteral("paused"), e->render->isPaused());
        } else {
            const QSize p =
                e->window ? e->window->size() * e->window->devicePixelRatio() : e->surface->pixelSize();
            w.insert(QStringLiteral("pixelSize"), QJsonObject{{QStringLiteral("width"), p.width()},
                                                              {QStringLiteral("height"), p.height()}});
            if (e->video) {
                w.insert(QStringLiteral("targetFPS"), e->video->property("container-fps").toDouble());
                w.insert(QStringLiteral("measuredFPS"),
                         e->video->isPaused() ? 0.0 : e->video->property("estimated-vf-fps").toDouble());
                w.insert(QStringLiteral("paused"), e->video->isPaused());
            } else {
                w.insert(QStringLiteral("targetFPS"), 0);
                w.insert(QStringLiteral("measuredFPS"), 0.0);
                w.insert(QStringLiteral("paused"), e->paused);
            }
        }
        QJsonArray reasons;
        if (e->asleep)
            reasons.append(QStringLiteral("asleep"));
        if (e->covered)
            reasons.append(QStringLiteral("covered"));
        w.insert(QStringLiteral("pausedBy"), reasons);
        windows.append(w);
    }
    QJsonObject status;
    if (!m_platform.backend.isEmpty())
        status.insert(QStringLiteral("backend"), m_platform.backend);
    status.insert(QStringLiteral("active"), m_active);
    status.insert(QStringLiteral("autopilot"), m_autopilotTimer.isActive());
    status.insert(QStringLiteral("windows"), windows);
    if (!MediaStatus::shared().unreadablePath().isEmpty())
        status.insert(QStringLiteral("unreadableMedia"), MediaStatus::shared().unreadablePath());
    return status;
}

} // namespace nivora
