#include "desktop/WallpaperController.h"

#include "desktop/DesktopRenderView.h"
#include "media/ImageWallpaperView.h"
#include "media/VideoTarget.h"
#include "media/VideoWallpaperView.h"
#include "model/MediaPlaylist.h"
#include "platform/FreedMemory.h"
#include "platform/PlatformServices.h"
#include "scene/WallpaperWindow.h"
#include "state/AppState.h"
#include "state/MediaStatus.h"
#include "state/ScreenSource.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <algorithm>
#include <climits>
#include <cmath>
#include <utility>

namespace nivora {

namespace {

WallpaperController* sharedController = nullptr;

} // namespace

WallpaperController& WallpaperController::shared()
{
    // Lives until the process ends, as do the windows it owns.
    static WallpaperController* instance = sharedController =
        new WallpaperController(AppState::shared(), PlatformServices::shared());
    return *instance;
}

WallpaperController* WallpaperController::sharedIfMade()
{
    return sharedController;
}

WallpaperController::WallpaperController(AppState& state, PlatformServices& platform, QObject* parent)
    : QObject(parent), m_state(state), m_platform(platform), m_hosts(platform), m_autopilot(state),
      m_health(state), m_slides(state, [this] { return m_active; }), m_subscriptions(state, platform)
{
    connect(&m_health, &MediaHealth::rebuildWanted, this, &WallpaperController::scheduleRebuild);
    connect(&m_slides, &FolderSlideshows::rebuildWanted, this, &WallpaperController::scheduleRebuild);
    connect(&m_slides, &FolderSlideshows::timeUp, this,
            [this](FolderSlideshow* show) { slideTimeUp(*show); });
}

WallpaperController::~WallpaperController()
{
    m_subscriptions.unsubscribe();
    teardown();
}

void WallpaperController::start()
{
    if (m_started)
        return;
    m_started = true;
    m_health.takeLeftBehindMarker();
    subscribe();
}

void WallpaperController::subscribe()
{
    WallpaperSubscriptions::Handlers handlers;
    handlers.running = [this](bool running) { setRunning(running); };
    handlers.rebuild = [this] {
        if (m_active)
            rebuild();
    };
    handlers.fps = [this](qint64 fps) { applyFPS(fps); };
    // Turning it off drops only the covered reason; turning it on pauses a
    // window once it is found covered.
    handlers.pauseOnFullscreen = [this](bool on) { setOcclusionWatching(on); };
    handlers.autopilot = [this] { m_autopilot.update(m_active); };
    // A folder's files: the time each is given counts from now, the order
    // changes after the file shown, and the next one comes on request.
    handlers.slideMinutes = [this] {
        m_slides.stop();
        if (m_active)
            m_slides.time();
    };
    handlers.slideShuffle = [this](bool shuffled) { m_slides.setShuffled(shuffled); };
    handlers.nextSlide = [this] { nextSlide(); };
    handlers.screensChanged = [this] { screensChanged(); };
    handlers.screensDidSleep = [this] { screensDidSleep(); };
    handlers.screensDidWake = [this] { screensDidWake(); };
    handlers.coveredChanged = [this](QWindow* window, bool covered) { coveredChanged(window, covered); };
    handlers.lowPowerModeChanged = [this] { applyFPS(m_state.fps()); };
    m_subscriptions.subscribe(handlers);
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
        m_autopilot.update(false);
        m_slides.stop();
    }
}

QSize WallpaperController::pixelSize(QSizeF screenSize, qint64 renderQuality)
{
    return WallpaperPlanner::pixelSize(screenSize, renderQuality);
}

qint64 WallpaperController::effectiveFPS(qint64 fps, bool batterySaver, bool lowPowerMode)
{
    return WallpaperPlanner::effectiveFPS(fps, batterySaver, lowPowerMode);
}

void WallpaperController::applyPause(ScreenWallpaper& wallpaper)
{
    const bool shownElsewhere =
        wallpaper.video() && std::any_of(m_entries.begin(), m_entries.end(), [&](const auto& e) {
            return e.get() != &wallpaper && e->video() == wallpaper.video() && !e->isPaused();
        });
    wallpaper.applyPause(shownElsewhere);
}

void WallpaperController::setOcclusionWatching(bool on)
{
    if (on == m_watchingOcclusion)
        return;
    m_watchingOcclusion = on;
    for (const auto& e : m_entries) {
        const std::optional<bool> covered = e->host()->covered();
        if (covered && on) {
            e->setCovered(*covered);
            applyPause(*e);
        }
        e->host()->watchOcclusion(on);
        if (!on) {
            e->setCovered(false);
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

WallpaperPlanner::Settings WallpaperController::planSettings() const
{
    WallpaperPlanner::Settings settings;
    settings.spanScreens = m_state.spanScreens();
    settings.renderQuality = m_state.renderQuality();
    settings.deviceLayout = QGuiApplication::platformName() == QLatin1String("xcb");
    settings.scaledPixels = !m_hosts.makesSurfaces();
    return settings;
}

WallpaperPlanner::Plan WallpaperController::plan(const QList<ScreenInfo>& screens,
                                                 QList<ScreenSource>& sources)
{
    QList<WallpaperPlanner::Request> requests;
    for (const ScreenInfo& screen : WallpaperPlanner::enabledScreens(screens, m_state.enabledDisplays())) {
        ScreenSource source = ScreenSource::resolve(m_state, screen.name);
        WallpaperPlanner::Request request;
        request.screen = screen;
        request.scale = screen.screen ? screen.screen->devicePixelRatio() : 1.0;
        request.slide = m_slides.play(source);
        request.mode = source.mode;
        request.mediaPath = source.mediaPath;
        requests.append(request);
        sources.append(source);
    }
    m_slides.endRound();
    m_health.review(sources);
    for (qsizetype i = 0; i < requests.size(); ++i)
        requests[i].shown = m_health.shownFor(sources[i]);
    return WallpaperPlanner::plan(requests, planSettings());
}

void WallpaperController::rebuild()
{
    const QList<ScreenInfo> screens =
        m_platform.screens ? m_platform.screens->screens() : QList<ScreenInfo>();
    QList<ScreenSource> sources;
    const WallpaperPlanner::Plan plan = this->plan(screens, sources);
    ScreenWallpaper::List previous = std::move(m_entries);
    m_entries.clear();
    QStringList builtKeys;
    for (const auto& old : previous)
        builtKeys.append(old->key());
    const QList<int> keptAt = WallpaperPlanner::keep(plan, builtKeys);
    ScreenWallpaper::List kept(static_cast<size_t>(plan.screens.size()));
    for (qsizetype i = 0; i < keptAt.size(); ++i) {
        if (keptAt[i] >= 0)
            kept[static_cast<size_t>(i)] = std::move(previous[static_cast<size_t>(keptAt[i])]);
    }
    // A screen going over to a new video keeps what it showed, still, until
    // the video's first frame.
    m_handover.end({});
    m_handover.hold(previous, WallpaperPlanner::awaitingVideo(plan, keptAt), this);
    // A folder's picture gives way to the next one over a second: the
    // picture each screen showed is kept for the one that follows it.
    QHash<QString, QImage> givingWay;
    for (const auto& old : previous) {
        if (old && old->image())
            givingWay.insert(old->screenKey(), old->image()->shownPart());
    }
    // A compositor would show no wallpaper at all between a picture's
    // surface going and the next one's first frame: the old surface stays
    // until the new ones are built (the compositor draws it above them, and
    // a fade's first frame is its picture). Nothing reaches the old
    // wallpaper from it meanwhile.
    std::vector<std::unique_ptr<WallpaperHost>> outgoing;
    for (const auto& old : previous) {
        if (old && old->image() && old->host() && old->host()->outlivesContent()) {
            old->host()->cutOff();
            outgoing.push_back(old->takeHost());
        }
    }
    teardownEntries(previous);
    // A file closed before it showed did not take the process down.
    if (!m_handover.isEmpty())
        m_health.releaseMarker();
    buildScreens(plan, kept, givingWay);
    outgoing.clear();
    m_handover.settle(m_entries);
    m_health.publishUnreadable(sources);
    // The views keep what they show; the cache keeps nothing alive.
    m_stills.clear();
    m_displaySignature = nivora::displaySignature(screens);
    m_autopilot.update(m_active);
    m_slides.time();
    ++m_rebuildCount;
    Q_EMIT rebuilt();
}

void WallpaperController::buildScreens(const WallpaperPlanner::Plan& plan, ScreenWallpaper::List& kept,
                                       const QHash<QString, QImage>& givingWay)
{
    // The first file this run has not shown yet is named in the crash marker
    // while it opens.
    Opening opening;
    QSet<int> indices;
    for (const auto& e : kept) {
        if (e)
            indices.insert(e->index());
    }
    for (qsizetype i = 0; i < plan.screens.size(); ++i) {
        if (auto& e = kept[static_cast<size_t>(i)]) {
            // A folder's only video comes after itself.
            if (e->video())
                e->video()->loopAgain();
            m_entries.push_back(std::move(e));
            continue;
        }
        int index = 0;
        while (indices.contains(index))
            ++index;
        const WallpaperPlanner::Screen& screen = plan.screens[i];
        auto built =
            buildScreen(screen, index, givingWay.value(displaySignatureEntry(screen.screen)), opening);
        if (built) {
            indices.insert(index);
            m_entries.push_back(std::move(built));
        }
    }
    // An image is decoded by now, and a file that cannot be shown is known
    // not to have taken the process down.
    if (m_health.ownsMarker() && !opening.video)
        m_health.mediaShown(opening.path);
}

std::unique_ptr<ScreenWallpaper> WallpaperController::buildScreen(const WallpaperPlanner::Screen& screen,
                                                                  int index, const QImage& previousPicture,
                                                                  Opening& opening)
{
    const QString& path = screen.mediaPath;
    // A picture found unreadable on a screen before this one.
    WallpaperMode shown = screen.mode;
    if (shown != WallpaperMode::Scene && m_health.isUnreadable(screen.requested, path))
        shown = WallpaperMode::Scene;
    if (shown != WallpaperMode::Scene && m_health.opening(path))
        opening = {path, shown == WallpaperMode::Video};
    auto wallpaper = std::make_unique<ScreenWallpaper>();
    wallpaper->setMediaPath(path);
    const QString screenKey = displaySignatureEntry(screen.screen);
    wallpaper->setOverPrevious(shown == WallpaperMode::Video && m_handover.holds(screenKey));
    if (screen.slide)
        wallpaper->setSlide(ImageWallpaperView::Slide{previousPicture, m_slideFade});
    bool built = buildWallpaper(screen, shown, index, *wallpaper);
    if (built && wallpaper->video()) {
        connect(wallpaper->video().get(), &VideoWallpaperView::firstFrameShown, this,
                [this, path] { m_health.mediaShown(path); });
        // Not from within the player's drawing: the old players free their
        // OpenGL contexts.
        if (wallpaper->overPrevious())
            connect(
                wallpaper->video().get(), &VideoWallpaperView::firstFrameShown, this,
                [this, screenKey] { m_handover.end({screenKey}); }, Qt::QueuedConnection);
    }
    if (!built && shown == WallpaperMode::Image && QFileInfo(path).isFile()) {
        // Its header was sound but its pixels were not (a truncated file).
        m_health.markUnreadable(screen.requested, path);
        shown = WallpaperMode::Scene;
        wallpaper = std::make_unique<ScreenWallpaper>();
        built = buildWallpaper(screen, shown, index, *wallpaper);
    }
    if (!built)
        return nullptr;
    wallpaper->setBuiltFor(shown == screen.mode ? screen.key : screen.sceneKey, index);
    return wallpaper;
}

bool WallpaperController::buildWallpaper(const WallpaperPlanner::Screen& screen, WallpaperMode mode,
                                         int index, ScreenWallpaper& wallpaper)
{
    const ScreenWallpaper::Tools tools{m_hosts,
                                       m_state,
                                       m_platform.makeDisplayLink,
                                       viewFPS(m_state.fps()),
                                       &m_stills,
                                       [this](const QString& path, const VideoTarget& target,
                                              ScreenWallpaper& w) { return attachVideo(path, target, w); }};
    if (!wallpaper.build(screen, mode, index, tools))
        return false;
    // A compositor closes the surfaces of an output it disables while the
    // output itself may stay announced: the wallpaper is built again (its
    // key is dropped so that the rebuild does not keep the closed surface),
    // and a surface the compositor refuses at once is left out.
    ScreenWallpaper* w = &wallpaper;
    wallpaper.host()->followReports(
        [this, w](bool covered) {
            // A host that says so by itself is not shown at all.
            w->setHidden(covered);
            w->setCovered(m_watchingOcclusion && covered);
            applyPause(*w);
        },
        [this, w] {
            w->forgetKey();
            scheduleRebuild();
        });
    wallpaper.setAsleep(m_platform.sleep && m_platform.sleep->isAsleep());
    wallpaper.setHidden(wallpaper.host()->covered().value_or(false));
    wallpaper.setCovered(m_watchingOcclusion && wallpaper.host()->covered().value_or(false));
    applyPause(wallpaper);
    if (m_watchingOcclusion)
        wallpaper.host()->watchOcclusion(true);
    wallpaper.host()->show();
    return true;
}

bool WallpaperController::attachVideo(const QString& path, const VideoTarget& target,
                                      ScreenWallpaper& wallpaper)
{
    // The source is the file: screens showing the same file share a player
    // whatever else differs between them.
    for (const auto& e : m_entries) {
        if (e->video() && e->videoPath() == path) {
            wallpaper.setVideo(e->video(), path);
            wallpaper.video()->addTarget(target);
            return true;
        }
    }
    std::shared_ptr<VideoWallpaperView> video = VideoWallpaperView::create(path, target);
    if (!video)
        return false;
    connect(
        video.get(), &VideoWallpaperView::unplayable, this, [this, path] { videoUnplayable(path); },
        Qt::QueuedConnection);
    wallpaper.setVideo(std::move(video), path);
    return true;
}

void WallpaperController::shutdown()
{
    m_subscriptions.unsubscribe();
    m_autopilot.stop();
    m_slides.stop();
    teardown();
    m_active = false;
}

void WallpaperController::teardown()
{
    m_handover.end({});
    const bool hadWindows = !m_entries.empty();
    teardownEntries(m_entries);
    if (hadWindows)
        Q_EMIT tornDown();
}

void WallpaperController::teardownEntries(ScreenWallpaper::List& entries)
{
    if (!ScreenWallpaper::tearDown(entries))
        return;
    // A file closed before it showed did not take the process down.
    m_health.releaseMarker();
    // A rebuild frees a whole wallpaper's buffers (frames, decoded pictures,
    // a player, render threads' heaps); hand them back once the new one is
    // built rather than keep the peak for as long as the app runs.
    QTimer::singleShot(0, this, [] { FreedMemory::release(); });
}

void WallpaperController::setAutopilotIntervalForTesting(std::optional<int> milliseconds)
{
    m_autopilot.setIntervalForTesting(milliseconds);
}

void WallpaperController::slideTimeUp(FolderSlideshow& show)
{
    if (!m_active)
        return;
    if (!show.isFinishing() && MediaPlaylist::isVideo(show.shown())) {
        for (const auto& e : m_entries) {
            if (!e->video() || e->mediaPath() != show.shown())
                continue;
            // The pass under way ends first: the cut falls on its last frame,
            // where the loop would have started again.
            VideoWallpaperView* video = e->video().get();
            const double left =
                video->property("duration").toDouble() - video->property("time-pos").toDouble();
            if (left > 0.05 && left < 86400.0) {
                show.finishPass(static_cast<int>(std::ceil(left * 1000.0)));
                connect(video, &VideoWallpaperView::passEnded, this, [this, folder = show.folder()] {
                    FolderSlideshow* s = m_slides.find(folder);
                    if (s && s->isFinishing())
                        s->advance();
                });
                video->endAfterThisPass();
                return;
            }
            break;
        }
    }
    show.advance();
}

bool WallpaperController::nextSlide()
{
    return m_active && m_slides.next();
}

QString WallpaperController::slideShown(const QString& folder) const
{
    const FolderSlideshow* show = m_slides.find(folder);
    return show ? show->shown() : QString();
}

int WallpaperController::slideInterval(const QString& folder) const
{
    const FolderSlideshow* show = m_slides.find(folder);
    return show && show->isTimed() ? show->interval() : -1;
}

void WallpaperController::expireSlidesForTesting()
{
    for (FolderSlideshow* show : m_slides.timed())
        slideTimeUp(*show);
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

void WallpaperController::videoUnplayable(const QString& path)
{
    const bool shown = std::any_of(m_entries.begin(), m_entries.end(), [&path](const auto& e) {
        return e->mode() == WallpaperMode::Video && e->mediaPath() == path;
    });
    if (!shown)
        return;
    m_health.releaseMarker();
    // A folder goes on to its next file.
    if (m_slides.skipShown(path))
        return;
    m_health.markUnreadable(WallpaperMode::Video, path);
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
        e->setAsleep(true);
        applyPause(*e);
    }
}

void WallpaperController::screensDidWake()
{
    if (!m_active)
        return;
    for (const auto& e : m_entries) {
        e->setAsleep(false);
        applyPause(*e);
    }
}

void WallpaperController::coveredChanged(QWindow* window, bool covered)
{
    if (!m_watchingOcclusion)
        return;
    for (const auto& e : m_entries) {
        if (e->host()->window() == window) {
            e->setCovered(covered);
            applyPause(*e);
        }
    }
}

QList<WallpaperWindow*> WallpaperController::windows() const
{
    QList<WallpaperWindow*> out;
    for (const auto& e : m_entries) {
        if (WallpaperWindow* window = e->host()->window())
            out.append(window);
    }
    return out;
}

QList<DesktopRenderView*> WallpaperController::renderViews() const
{
    QList<DesktopRenderView*> out;
    for (const auto& e : m_entries) {
        if (e->render())
            out.append(e->render());
    }
    return out;
}

QList<VideoWallpaperView*> WallpaperController::videoViews() const
{
    QList<VideoWallpaperView*> out;
    for (const auto& e : m_entries) {
        if (e->video() && !out.contains(e->video().get()))
            out.append(e->video().get());
    }
    return out;
}

QList<ImageWallpaperView*> WallpaperController::imageViews() const
{
    QList<ImageWallpaperView*> out;
    for (const auto& e : m_entries) {
        if (e->image())
            out.append(e->image());
    }
    return out;
}

WallpaperController::RenderPath WallpaperController::renderPath() const
{
    return WallpaperStatus::renderPath(m_entries);
}

QJsonObject WallpaperController::statusJson() const
{
    return WallpaperStatus::json(m_entries, m_state, {m_platform.backend, m_active, m_autopilot.isRunning()});
}

} // namespace nivora
