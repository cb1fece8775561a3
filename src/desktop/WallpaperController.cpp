#include "desktop/WallpaperController.h"

#include "desktop/DesktopRenderView.h"
#include "media/ImageWallpaperView.h"
#include "media/MediaLayout.h"
#include "media/MediaPathCheck.h"
#include "media/VideoTarget.h"
#include "media/VideoWallpaperView.h"
#include "model/MediaLocation.h"
#include "model/MediaPlaylist.h"
#include "model/SceneCatalog.h"
#include "platform/FreedMemory.h"
#include "platform/PlatformServices.h"
#include "scene/WallpaperWindow.h"
#include "state/AppState.h"
#include "state/DefaultsStore.h"
#include "state/MediaStatus.h"
#include "state/ScreenSource.h"
#include "state/SettingsCodec.h"

#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QGuiApplication>
#include <QHash>
#include <QJsonArray>
#include <algorithm>
#include <climits>
#include <cmath>
#include <utility>

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
    // While it is built, for one of a folder's pictures: the picture it
    // comes over.
    std::optional<ImageWallpaperView::Slide> slide;
    ScreenInfo screen;
    WallpaperMode mode = WallpaperMode::Scene;
    // The file shown, for a video or an image.
    QString mediaPath;
    // What the entry was built for (see rebuild()), and the number its
    // threads carry.
    QString key;
    int index = 0;
    // Each reason to pause is kept on its own, and the content is paused while
    // any holds: waking the screens must not resume a wallpaper that a
    // fullscreen window still covers, nor uncovering one whose screens sleep.
    bool asleep = false;
    bool covered = false; // only while pauseOnFullscreen is on
    bool paused = false;  // what the content was last told
    // A video built while the screen's previous wallpaper stays up until the
    // video's first frame.
    bool overPrevious = false;
};

struct WallpaperController::Slideshow
{
    Slideshow(const QString& path, bool shuffled) : folder(path), playlist(path, shuffled)
    {
        timer.setSingleShot(true);
        timer.setTimerType(Qt::CoarseTimer);
        settle.setSingleShot(true);
        // A folder where watching fails (no inotify there, or its watches
        // used up) still goes on through the timer's reading of it.
        watcher.addPath(folder);
    }

    const QString folder;
    MediaPlaylist playlist;
    QTimer timer;
    // The folder's own changes: a burst of them (hundreds of photos copied
    // in) is looked at once when the settle timer runs out.
    QFileSystemWatcher watcher;
    QTimer settle;
    // The file the playlist was moved on to, waiting until it is written.
    QString waitingFor;
    // The file shown now (empty for none), and the one the timer was started
    // for: a rebuild for another reason does not give a file its time again.
    QString shown;
    QString timed;
    // Set once the time of a video is up and it finishes the pass under way.
    bool finishing = false;
    // Files stepped over for as long as the folder shows: they cannot be
    // read or played, or took a run down.
    QSet<QString> skipped;
    bool used = false;
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

WallpaperController* sharedController = nullptr;

// How long a folder's changes are gathered before it is looked at, and how
// long a file must have gone unwritten before it is shown.
constexpr int kFolderSettleMs = 300;
constexpr qint64 kFileSettleMs = 1000;
// How long after its expected end a video's last pass is cut regardless.
constexpr int kPassEndGraceMs = 5000;
// The longest a screen's previous wallpaper waits for a video's first frame.
constexpr int kHandoverMs = 3000;

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
    : QObject(parent), m_state(state), m_platform(platform), m_marker(state.store().filePath())
{
    m_autopilotTimer.setTimerType(Qt::CoarseTimer);
    m_handoverTimer.setSingleShot(true);
    connect(&m_handoverTimer, &QTimer::timeout, this, [this] { endHandover({}); });
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
    takeLeftBehindMarker();

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
    // A screen's own values: only the windows whose media changes are built
    // again, and a scene's values reach its view in place.
    m_subscriptions << onChange(m_state, &AppState::screenOverridesChanged, this, m_state.screenOverrides(),
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

    // 10. A folder's files: the time each is given counts from now, the
    // order changes after the file shown, and the next one comes on request.
    m_subscriptions << connect(&m_state, &AppState::slideMinutesChanged, this, [this] {
        stopSlides();
        if (m_active)
            timeSlides();
    });
    m_subscriptions << connect(&m_state, &AppState::slideShuffleChanged, this, [this](bool shuffled) {
        for (const auto& [folder, show] : m_slideshows)
            show->playlist.setShuffled(shuffled);
    });
    m_subscriptions << connect(&MediaStatus::shared(), &MediaStatus::nextRequested, this,
                               &WallpaperController::nextSlide);

    // 11-13. The system: screen arrangement, screen sleep and wake. These stay
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
        stopSlides();
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
    const QSet<quint32> enabled = m_state.enabledDisplays();
    const QList<ScreenInfo> screens =
        m_platform.screens ? m_platform.screens->screens() : QList<ScreenInfo>();

    // What each enabled screen is to show, and the media it asks for.
    struct Wanted
    {
        ScreenInfo screen;
        ScreenSource source;
        bool slide = false; // one of a folder's files
    };
    QList<Wanted> wanted;
    QSet<QString> inUse;
    for (const ScreenInfo& screen : screens) {
        if (!enabled.isEmpty() && !enabled.contains(screen.displayID))
            continue;
        wanted.append({screen, ScreenSource::resolve(m_state, screen.name)});
        wanted.last().slide = playFolder(wanted.last().source);
        inUse.insert(wanted.last().source.mediaKey());
    }
    // A folder no screen shows any more starts again from its first file.
    std::erase_if(m_slideshows, [](const auto& folder) { return !folder.second->used; });
    for (const auto& [folder, show] : m_slideshows)
        show->used = false;
    m_spanCanvas = QRect();
    if (m_state.spanScreens()) {
        std::vector<QRect> frames;
        for (const Wanted& w : std::as_const(wanted))
            frames.push_back(desktopFrame(w.screen));
        m_spanCanvas = MediaLayout::boundingBox(frames);
    }
    // A file is tried afresh once no screen asks for it any more, so another
    // file, or the same one chosen again, gets its chance.
    for (auto it = m_unreadable.begin(); it != m_unreadable.end();) {
        if (inUse.contains(*it))
            ++it;
        else
            it = m_unreadable.erase(it);
    }
    QSet<QString> refusedPaths;
    for (const Wanted& w : std::as_const(wanted)) {
        const ScreenSource& source = w.source;
        if (source.mode == WallpaperMode::Video && !refusedPaths.contains(source.mediaPath)) {
            // A playlist or an address would have the player open other
            // files or the network: refused, with one log line per file; the
            // scene shows in its place.
            const QString refusal =
                MediaPathCheck::refusal(source.mediaPath, MediaPathCheck::check(source.mediaPath));
            if (!refusal.isEmpty()) {
                qWarning().noquote() << refusal;
                refusedPaths.insert(source.mediaPath);
            }
        }
        if (source.mode == WallpaperMode::Image && QFileInfo(source.mediaPath).isFile() &&
            !isUnreadable(source.mode, source.mediaPath) && !ImageWallpaperView::canShow(source.mediaPath))
            markUnreadable(source.mode, source.mediaPath);
    }

    // A file that took the last run down is set aside until no screen asks
    // for it any more: another file chosen is tried.
    const QString crashed = MediaStatus::shared().crashedPath();
    if (!crashed.isEmpty() &&
        std::none_of(wanted.begin(), wanted.end(),
                     [&](const Wanted& w) {
                         return w.source.mode != WallpaperMode::Scene && w.source.mediaPath == crashed;
                     }) &&
        std::any_of(wanted.begin(), wanted.end(),
                    [](const Wanted& w) { return w.source.mode != WallpaperMode::Scene; }))
        forgetCrash();

    // Each screen's window is kept while what it was built for holds: the same
    // place and size, the same media shown and the same quality. Only the
    // others are torn down and built again.
    // Screens showing the same video share its player, which cannot lose one
    // of them: a change to any screen of the group rebuilds the group.
    QHash<QString, QString> videoGroups;
    for (const Wanted& w : std::as_const(wanted)) {
        if (shownFor(w.source) == WallpaperMode::Video)
            videoGroups[w.source.mediaPath] += displaySignatureEntry(w.screen) + QLatin1Char(';');
    }
    // A spanning wallpaper is laid out again on every window when the
    // desktop's bounding box changes.
    const QString span = m_spanCanvas.isEmpty() ? QString()
                                                : QStringLiteral("%1,%2,%3,%4")
                                                      .arg(m_spanCanvas.x())
                                                      .arg(m_spanCanvas.y())
                                                      .arg(m_spanCanvas.width())
                                                      .arg(m_spanCanvas.height());
    const auto buildKey = [&](const ScreenInfo& screen, WallpaperMode shown, const QString& path) {
        return QStringLiteral("%1|%2|%3|%4|%5|%6")
            .arg(displaySignatureEntry(screen), WallpaperModes::id(shown),
                 shown == WallpaperMode::Scene ? QString() : path)
            .arg(m_state.renderQuality())
            .arg(span, shown == WallpaperMode::Video ? videoGroups.value(path) : QString());
    };
    std::vector<std::unique_ptr<Entry>> previous = std::move(m_entries);
    m_entries.clear();
    std::vector<std::unique_ptr<Entry>> kept(static_cast<size_t>(wanted.size()));
    for (qsizetype i = 0; i < wanted.size(); ++i) {
        const ScreenSource& source = wanted[i].source;
        const WallpaperMode shown = shownFor(source);
        const QString key = buildKey(wanted[i].screen, shown, source.mediaPath);
        for (auto& old : previous) {
            if (old && old->key == key) {
                kept[static_cast<size_t>(i)] = std::move(old);
                break;
            }
        }
    }
    // A screen going over to a new video keeps what it showed, still, until
    // the video's first frame (a player needs a few tenths of a second to
    // open its file): no black between two of a folder's videos, nor after
    // a scene or a picture.
    endHandover({});
    QSet<QString> newVideoScreens;
    for (qsizetype i = 0; i < wanted.size(); ++i) {
        if (!kept[static_cast<size_t>(i)] && shownFor(wanted[i].source) == WallpaperMode::Video)
            newVideoScreens.insert(displaySignatureEntry(wanted[i].screen));
    }
    for (auto& old : previous) {
        if (old && newVideoScreens.contains(displaySignatureEntry(old->screen)))
            m_handover.push_back(std::move(old));
    }
    // A player kept draws into every window it showed on: those stay too.
    for (auto& old : previous) {
        if (old && old->video && std::any_of(m_handover.begin(), m_handover.end(), [&](const auto& kept) {
                return kept->video == old->video;
            }))
            m_handover.push_back(std::move(old));
    }
    holdStill(m_handover);
    // A folder's picture gives way to the next one over a second: the
    // picture each screen showed is kept for the one that follows it.
    QHash<QString, QImage> givingWay;
    for (const auto& old : previous) {
        if (old && old->image)
            givingWay.insert(displaySignatureEntry(old->screen), old->image->shownPart());
    }
    // A compositor would show no wallpaper at all between a picture's
    // surface going and the next one's first frame: the old surface stays
    // until the new ones are built (the compositor draws it above them, and
    // a fade's first frame is its picture). Nothing reaches the old entry
    // from it meanwhile.
    std::vector<std::unique_ptr<DesktopSurface>> outgoing;
    for (const auto& old : previous) {
        if (old && old->image && old->surface) {
            old->surface->disconnect();
            outgoing.push_back(std::move(old->surface));
        }
    }
    teardownEntries(previous);
    // A file closed before it showed did not take the process down.
    if (!m_handover.empty())
        releaseMarker();

    // The first file this run has not shown yet is named in the crash marker
    // while it opens.
    QString opening;
    bool openingVideo = false;
    QSet<int> indices;
    for (const auto& e : kept) {
        if (e)
            indices.insert(e->index);
    }
    for (qsizetype i = 0; i < wanted.size(); ++i) {
        const ScreenInfo& screen = wanted[i].screen;
        const ScreenSource& source = wanted[i].source;
        if (auto& e = kept[static_cast<size_t>(i)]) {
            // A folder's only video comes after itself.
            if (e->video)
                e->video->loopAgain();
            m_entries.push_back(std::move(e));
            continue;
        }
        int index = 0;
        while (indices.contains(index))
            ++index;
        WallpaperMode shown = shownFor(source);
        if (shown != WallpaperMode::Scene && !source.mediaPath.isEmpty() && !m_markerOwned &&
            !m_shownMedia.contains(source.mediaPath)) {
            m_marker.write(source.mediaPath);
            m_markerOwned = true;
            opening = source.mediaPath;
            openingVideo = shown == WallpaperMode::Video;
        }
        auto entry = std::make_unique<Entry>();
        entry->mediaPath = source.mediaPath;
        const QString screenKey = displaySignatureEntry(screen);
        entry->overPrevious = shown == WallpaperMode::Video &&
                              std::any_of(m_handover.begin(), m_handover.end(), [&](const auto& old) {
                                  return displaySignatureEntry(old->screen) == screenKey;
                              });
        if (wanted[i].slide)
            entry->slide =
                ImageWallpaperView::Slide{givingWay.value(displaySignatureEntry(screen)), m_slideFade};
        bool built = buildEntry(screen, shown, index, *entry);
        entry->slide.reset();
        if (built && entry->video) {
            connect(entry->video.get(), &VideoWallpaperView::firstFrameShown, this,
                    [this, path = source.mediaPath] { mediaShown(path); });
            // Not from within the player's drawing: the old players free
            // their OpenGL contexts.
            if (entry->overPrevious)
                connect(
                    entry->video.get(), &VideoWallpaperView::firstFrameShown, this,
                    [this, screenKey] { endHandover({screenKey}); }, Qt::QueuedConnection);
        }
        if (!built && shown == WallpaperMode::Image && QFileInfo(source.mediaPath).isFile()) {
            // Its header was sound but its pixels were not (a truncated file).
            markUnreadable(source.mode, source.mediaPath);
            shown = WallpaperMode::Scene;
            entry = std::make_unique<Entry>();
            built = buildEntry(screen, shown, index, *entry);
        }
        if (built) {
            entry->index = index;
            entry->key = buildKey(screen, shown, source.mediaPath);
            indices.insert(index);
            m_entries.push_back(std::move(entry));
        }
    }
    outgoing.clear();
    // Screens no video was built for after all give up theirs at once, but
    // for a player that still covers a screen waiting for one.
    {
        QSet<QString> waiting;
        for (const auto& e : m_entries) {
            if (e->overPrevious)
                waiting.insert(displaySignatureEntry(e->screen));
        }
        QSet<QString> done;
        for (const auto& old : m_handover) {
            const bool coversWaiting =
                std::any_of(m_handover.begin(), m_handover.end(), [&](const auto& other) {
                    return waiting.contains(displaySignatureEntry(other->screen)) &&
                           (other == old || (old->video && other->video == old->video));
                });
            if (!coversWaiting)
                done.insert(displaySignatureEntry(old->screen));
        }
        if (!done.isEmpty())
            endHandover(done);
        if (!m_handover.empty())
            m_handoverTimer.start(kHandoverMs);
    }
    // An image is decoded by now, and a file that cannot be shown is known
    // not to have taken the process down.
    if (m_markerOwned && !openingVideo)
        mediaShown(opening);
    // The Media page names the main file when it could not be read, else the
    // first screen's own that could not.
    const ScreenSource main = ScreenSource::resolve(m_state, QString());
    QString unreadablePath = isUnreadable(main.mode, main.mediaPath) ? main.mediaPath : QString();
    for (const Wanted& w : std::as_const(wanted)) {
        if (unreadablePath.isEmpty() && isUnreadable(w.source.mode, w.source.mediaPath))
            unreadablePath = w.source.mediaPath;
    }
    MediaStatus::shared().setUnreadablePath(unreadablePath);
    // The views keep what they show; the cache keeps nothing alive.
    m_stills.clear();
    m_displaySignature = nivora::displaySignature(screens);
    updateAutopilot();
    timeSlides();
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
                                      m_platform.makeDisplayLink(screen, index), m_state, index, screen.name);
        if (!entry.render)
            return false;
        entry.render->setCanvas(sceneCanvas(screen));
        break;
    }
    case WallpaperMode::Video: {
        if (MediaPathCheck::check(entry.mediaPath) != MediaPathCheck::Verdict::PlainFile)
            return false;
        entry.window = std::make_unique<WallpaperWindow>(screen, WallpaperWindow::Surface::OpenGL, hints);
        // The player draws only into an exposed window, and paints it black at
        // once, so the window is on screen before the player starts.
        entry.window->showWallpaper();
        if (entry.overPrevious) {
            // Under the previous window, which goes once the first frame is
            // drawn; lowered once shown, since a window never shown would
            // never be drawn into.
            WallpaperWindow* window = entry.window.get();
            auto lowerOnce = std::make_shared<QMetaObject::Connection>();
            *lowerOnce =
                connect(window, &WallpaperWindow::exposureChanged, window, [window, lowerOnce](bool exposed) {
                    if (!exposed)
                        return;
                    QObject::disconnect(*lowerOnce);
                    window->lower();
                });
            if (window->isExposed()) {
                QObject::disconnect(*lowerOnce);
                window->lower();
            }
        }
        VideoTarget target{entry.window.get(), nullptr, desktopFrame(screen), mediaCanvas(screen)};
        target.overPrevious = entry.overPrevious;
        if (!attachVideo(entry.mediaPath, target, entry))
            return false;
        break;
    }
    case WallpaperMode::Image:
        if (entry.mediaPath.isEmpty())
            return false;
        entry.window = std::make_unique<WallpaperWindow>(screen, WallpaperWindow::Surface::Raster, hints);
        entry.image = ImageWallpaperView::load(entry.mediaPath, entry.window.get(), imagePart(screen),
                                               &m_stills, entry.slide ? &*entry.slide : nullptr);
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
         MediaPathCheck::check(entry.mediaPath) != MediaPathCheck::Verdict::PlainFile) ||
        (mode == WallpaperMode::Image && entry.mediaPath.isEmpty()))
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
                                      m_platform.makeDisplayLink(screen, index), m_state, index, screen.name);
        if (!entry.render)
            return false;
        entry.render->setCanvas(sceneCanvas(screen));
    } else if (mode == WallpaperMode::Video) {
        VideoTarget target{nullptr, entry.surface.get(), desktopFrame(screen), mediaCanvas(screen)};
        target.overPrevious = entry.overPrevious;
        if (!attachVideo(entry.mediaPath, target, entry))
            return false;
    } else {
        entry.image = ImageWallpaperView::load(entry.mediaPath, entry.surface.get(), imagePart(screen),
                                               &m_stills, entry.slide ? &*entry.slide : nullptr);
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
    // output itself may stay announced: the wallpaper is built again (the
    // entry's key is dropped so that the rebuild does not keep the closed
    // surface), and a surface the compositor refuses at once is left out.
    connect(
        entry.surface.get(), &DesktopSurface::closed, entry.surface.get(),
        [this, e] {
            e->key.clear();
            scheduleRebuild();
        },
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
    stopSlides();
    teardown();
    m_active = false;
}

void WallpaperController::holdStill(std::vector<std::unique_ptr<Entry>>& entries)
{
    for (const auto& e : entries) {
        // Nothing of it reaches the controller any more: its surface's
        // reports, its player's.
        if (e->surface)
            e->surface->disconnect();
        if (e->video)
            e->video->disconnect(this);
        if (e->window && m_platform.occlusion)
            m_platform.occlusion->unwatch(e->window.get());
        if (e->video)
            e->video->pause();
        if (e->render)
            e->render->stop();
        if (e->image)
            e->image->setPaused(true);
    }
}

void WallpaperController::endHandover(const QSet<QString>& screens)
{
    // A player shared by several screens draws into all their windows: they
    // go together.
    QSet<QString> going = screens;
    for (bool grew = true; grew && !screens.isEmpty();) {
        grew = false;
        for (const auto& a : m_handover) {
            if (!a->video || !going.contains(displaySignatureEntry(a->screen)))
                continue;
            for (const auto& b : m_handover) {
                if (b->video == a->video && !going.contains(displaySignatureEntry(b->screen))) {
                    going.insert(displaySignatureEntry(b->screen));
                    grew = true;
                }
            }
        }
    }
    std::vector<std::unique_ptr<Entry>> done;
    for (auto& old : m_handover) {
        if (screens.isEmpty() || going.contains(displaySignatureEntry(old->screen)))
            done.push_back(std::move(old));
    }
    std::erase(m_handover, nullptr);
    if (m_handover.empty())
        m_handoverTimer.stop();
    if (done.empty())
        return;
    // The marker now names the new file, which has not shown yet.
    const bool markerOwned = std::exchange(m_markerOwned, false);
    teardownEntries(done);
    m_markerOwned = markerOwned;
}

void WallpaperController::teardown()
{
    endHandover({});
    const bool hadWindows = !m_entries.empty();
    teardownEntries(m_entries);
    if (hadWindows)
        Q_EMIT tornDown();
}

void WallpaperController::teardownEntries(std::vector<std::unique_ptr<Entry>>& entries)
{
    std::erase(entries, nullptr);
    if (m_platform.occlusion) {
        for (const auto& e : entries) {
            if (e->window)
                m_platform.occlusion->unwatch(e->window.get());
        }
    }
    for (const auto& e : entries) {
        if (e->video)
            e->video->pause();
        e->video.reset();
    }
    for (const auto& e : entries) {
        if (e->render)
            e->render->stop();
    }
    for (const auto& e : entries) {
        if (e->window)
            e->window->hide();
    }
    // The render views join their threads here, before their windows go.
    for (const auto& e : entries) {
        e->render.reset();
        e->image.reset();
    }
    const bool hadEntries = !entries.empty();
    entries.clear();
    if (hadEntries) {
        // A file closed before it showed did not take the process down.
        releaseMarker();
        // A rebuild frees a whole wallpaper's buffers (frames, decoded
        // pictures, a player, render threads' heaps); hand them back once the
        // new one is built rather than keep the peak for as long as the app
        // runs.
        QTimer::singleShot(0, this, [] { FreedMemory::release(); });
    }
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

bool WallpaperController::playFolder(ScreenSource& source)
{
    if (source.mode == WallpaperMode::Scene ||
        MediaLocation::kind(source.mediaPath) != MediaLocation::Kind::Folder)
        return false;
    std::unique_ptr<Slideshow>& show = m_slideshows[source.mediaPath];
    if (!show) {
        show = std::make_unique<Slideshow>(source.mediaPath, m_state.slideShuffle());
        Slideshow* s = show.get();
        connect(&show->timer, &QTimer::timeout, this, [this, s] { slideTimeUp(*s); });
        connect(&show->watcher, &QFileSystemWatcher::directoryChanged, this, [s] {
            if (!s->settle.isActive())
                s->settle.start(kFolderSettleMs);
        });
        connect(&show->settle, &QTimer::timeout, this, [this, s] { folderChanged(*s); });
    }
    if (!show->used) {
        // Once per rebuild, however many screens show the folder: files that
        // cannot be shown are stepped over, each at most once a round.
        show->used = true;
        QString file = show->playlist.current();
        for (qsizetype tries = show->playlist.names().size(); !file.isEmpty() && skipsFile(*show, file);) {
            if (--tries < 0) {
                file.clear();
                break;
            }
            file = show->playlist.next(MediaPlaylist::Reread::No);
        }
        show->shown = file;
    }
    // An empty folder, or one with nothing that can be shown, leaves the scene.
    if (show->shown.isEmpty()) {
        source.mode = WallpaperMode::Scene;
        return true;
    }
    source.mediaPath = show->shown;
    source.mode = MediaPlaylist::isVideo(show->shown) ? WallpaperMode::Video : WallpaperMode::Image;
    return true;
}

bool WallpaperController::skipsFile(Slideshow& show, const QString& file)
{
    if (show.skipped.contains(file))
        return true;
    // Only headers are read: a picture's, or a video's first bytes.
    const bool showable =
        file != MediaStatus::shared().crashedPath() &&
        (MediaPlaylist::isVideo(file) ? MediaPathCheck::check(file) == MediaPathCheck::Verdict::PlainFile
                                      : ImageWallpaperView::canShow(file));
    if (showable)
        return false;
    show.skipped.insert(file);
    qWarning().noquote() << QStringLiteral("Nivora: fichier illisible, le suivant le remplace : %1")
                                .arg(QFileInfo(file).fileName());
    return true;
}

void WallpaperController::timeSlides()
{
    const qint64 minutes = std::clamp<qint64>(m_state.slideMinutes(), 1, 1440);
    const int interval = static_cast<int>(minutes * 60000);
    for (const auto& [folder, show] : m_slideshows) {
        // An empty folder is looked at again after the same time.
        if (show->timer.isActive() && show->timed == show->shown)
            continue;
        show->timed = show->shown;
        show->finishing = false;
        show->timer.start(interval);
    }
}

void WallpaperController::stopSlides()
{
    for (const auto& [folder, show] : m_slideshows) {
        show->timer.stop();
        show->timed.clear();
    }
}

void WallpaperController::slideTimeUp(Slideshow& show)
{
    if (!m_active)
        return;
    if (!show.finishing && MediaPlaylist::isVideo(show.shown)) {
        for (const auto& e : m_entries) {
            if (!e->video || e->mediaPath != show.shown)
                continue;
            // The pass under way ends first: the cut falls on its last frame,
            // where the loop would have started again.
            const double left =
                e->video->property("duration").toDouble() - e->video->property("time-pos").toDouble();
            if (left > 0.05 && left < 86400.0) {
                show.finishing = true;
                connect(e->video.get(), &VideoWallpaperView::passEnded, this, [this, folder = show.folder] {
                    const auto it = m_slideshows.find(folder);
                    if (it != m_slideshows.end() && it->second->finishing)
                        advance(*it->second);
                });
                e->video->endAfterThisPass();
                // In case the player never gets there (a stream cut short, the
                // screens asleep meanwhile).
                show.timer.start(static_cast<int>(std::ceil(left * 1000.0)) + kPassEndGraceMs);
                return;
            }
            break;
        }
    }
    advance(show);
}

void WallpaperController::advance(Slideshow& show)
{
    show.playlist.next();
    show.finishing = false;
    // Taken up by the rebuild, which gives the file its time.
    show.timer.stop();
    scheduleRebuild();
}

void WallpaperController::folderChanged(Slideshow& show)
{
    if (!m_active)
        return;
    QString coming = std::exchange(show.waitingFor, QString());
    if (!coming.isEmpty() && QFileInfo::exists(coming)) {
        // The playlist was moved on to it already.
    } else if (show.shown.isEmpty()) {
        // Nothing of it shows: a file that came is shown at once.
        coming = show.playlist.next();
        if (coming.isEmpty())
            return;
    } else if (QFileInfo::exists(show.shown)) {
        // What else changed counts from the next change.
        return;
    } else {
        // The file shown went away: the one after it, at once.
        coming = show.playlist.next();
    }
    // A file still being written (a photo copied from a phone) is waited
    // for, rather than shown half read and stepped over.
    const qint64 age = QFileInfo(coming).lastModified().msecsTo(QDateTime::currentDateTime());
    if (!coming.isEmpty() && age >= 0 && age < kFileSettleMs) {
        show.waitingFor = coming;
        show.settle.start(int(kFileSettleMs - age) + kFolderSettleMs);
        return;
    }
    show.finishing = false;
    show.timer.stop();
    scheduleRebuild();
}

bool WallpaperController::nextSlide()
{
    if (!m_active || m_slideshows.empty())
        return false;
    for (const auto& [folder, show] : m_slideshows)
        advance(*show);
    return true;
}

QString WallpaperController::slideShown(const QString& folder) const
{
    const auto it = m_slideshows.find(folder);
    return it == m_slideshows.end() ? QString() : it->second->shown;
}

int WallpaperController::slideInterval(const QString& folder) const
{
    const auto it = m_slideshows.find(folder);
    if (it == m_slideshows.end() || !it->second->timer.isActive())
        return -1;
    return it->second->timer.interval();
}

void WallpaperController::expireSlidesForTesting()
{
    std::vector<Slideshow*> shows;
    for (const auto& [folder, show] : m_slideshows) {
        if (show->timer.isActive())
            shows.push_back(show.get());
    }
    for (Slideshow* show : shows)
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

bool WallpaperController::isUnreadable(WallpaperMode mode, const QString& path) const
{
    return mode != WallpaperMode::Scene && m_unreadable.contains(unreadableKey(mode, path));
}

QString WallpaperController::unreadableKey(WallpaperMode mode, const QString& path)
{
    return WallpaperModes::id(mode) + QLatin1Char('|') + path;
}

void WallpaperController::markUnreadable(WallpaperMode mode, const QString& path)
{
    if (isUnreadable(mode, path))
        return;
    m_unreadable.insert(unreadableKey(mode, path));
    qWarning().noquote() << QStringLiteral("Nivora: fichier illisible, la scène le remplace : %1")
                                .arg(QFileInfo(path).fileName());
}

void WallpaperController::videoUnplayable(const QString& path)
{
    const bool shown = std::any_of(m_entries.begin(), m_entries.end(), [&path](const auto& e) {
        return e->mode == WallpaperMode::Video && e->mediaPath == path;
    });
    if (!shown)
        return;
    releaseMarker();
    // A folder goes on to its next file.
    for (const auto& [folder, show] : m_slideshows) {
        if (show->shown == path) {
            show->skipped.insert(path);
            qWarning().noquote() << QStringLiteral("Nivora: fichier illisible, le suivant le remplace : %1")
                                        .arg(QFileInfo(path).fileName());
            advance(*show);
            return;
        }
    }
    markUnreadable(WallpaperMode::Video, path);
    scheduleRebuild();
}

WallpaperMode WallpaperController::shownFor(const ScreenSource& source) const
{
    const QString& path = source.mediaPath;
    if (source.mode == WallpaperMode::Scene || isUnreadable(source.mode, path) ||
        (!path.isEmpty() && path == MediaStatus::shared().crashedPath()))
        return WallpaperMode::Scene;
    // A file that went away (an unmounted drive) or a path that names no
    // file leaves the scene rather than a black desktop; the Media page says
    // "Fichier introuvable".
    if (!path.isEmpty() && !MediaLocation::usable(path))
        return WallpaperMode::Scene;
    // A player would redraw a still every second for as long as it shows.
    if (source.mode == WallpaperMode::Video && ImageWallpaperView::canShow(path))
        return WallpaperMode::Image;
    return source.mode;
}

void WallpaperController::takeLeftBehindMarker()
{
    const QString crashed = m_marker.read();
    if (crashed.isEmpty())
        return;
    // A folder's file took the run down when it lies in the folder chosen.
    const QString& chosen = m_state.mediaPath();
    if (crashed != chosen && !(MediaLocation::kind(chosen) == MediaLocation::Kind::Folder &&
                               QDir(QFileInfo(crashed).absolutePath()) == QDir(chosen))) {
        m_marker.remove();
        return;
    }
    // The marker stays until the user picks a file, so every start keeps
    // away from this one until then.
    qWarning().noquote() << QStringLiteral(
                                "Nivora: ce fichier a fait planter Nivora, la scène le remplace : %1")
                                .arg(QFileInfo(crashed).fileName());
    MediaStatus::shared().setCrashedPath(crashed);
    // Picking a file on the Media page, even this one again, tries it afresh.
    connect(&MediaStatus::shared(), &MediaStatus::changed, this, [this] {
        if (MediaStatus::shared().crashedPath().isEmpty() && !m_markerOwned && !m_marker.read().isEmpty()) {
            m_marker.remove();
            scheduleRebuild();
        }
    });
}

void WallpaperController::forgetCrash()
{
    m_marker.remove();
    MediaStatus::shared().setCrashedPath(QString());
}

void WallpaperController::mediaShown(const QString& path)
{
    if (!path.isEmpty())
        m_shownMedia.insert(path);
    releaseMarker();
}

void WallpaperController::releaseMarker()
{
    if (!m_markerOwned)
        return;
    m_markerOwned = false;
    m_marker.remove();
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

WallpaperController::RenderPath WallpaperController::renderPath() const
{
    for (const auto& e : m_entries) {
        if (e->render)
            return {e->render->path(), QString()};
        if (e->video)
            return {e->video->path(), e->video->property("hwdec-current")};
    }
    return {};
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
        // The file shown, which is one of its files when a folder is chosen.
        if (e->mode != WallpaperMode::Scene)
            w.insert(QStringLiteral("media"), e->mediaPath);
        // What the screen is set to show (the scene stands in for a file it
        // could not read), and whether that is the main settings.
        QJsonObject source = SettingsCodec::screenJson(m_state, e->screen.name);
        source.insert(QStringLiteral("followsMain"), !m_state.screenOverrides().contains(e->screen.name));
        w.insert(QStringLiteral("source"), source);
        if (e->render) {
            const QSize p = e->render->pixelSize();
            w.insert(QStringLiteral("pixelSize"), QJsonObject{{QStringLiteral("width"), p.width()},
                                                              {QStringLiteral("height"), p.height()}});
            w.insert(QStringLiteral("targetFPS"), e->render->targetFPS());
            w.insert(QStringLiteral("refreshRate"), e->render->refreshRate());
            w.insert(QStringLiteral("measuredFPS"), std::round(e->render->measuredFPS() * 10.0) / 10.0);
            w.insert(QStringLiteral("paused"), e->render->isPaused());
            w.insert(QStringLiteral("path"), e->render->path());
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
                w.insert(QStringLiteral("path"), e->video->path());
                // The decoder mpv uses on the graphics card; "no" or empty
                // when the processor decodes.
                w.insert(QStringLiteral("hwdec"), e->video->property("hwdec-current"));
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
    if (!MediaStatus::shared().crashedPath().isEmpty())
        status.insert(QStringLiteral("crashedMedia"), MediaStatus::shared().crashedPath());
    return status;
}

} // namespace nivora
