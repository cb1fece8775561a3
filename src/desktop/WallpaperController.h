#pragma once

#include "media/StillImageCache.h"
#include "platform/ScreenInfo.h"
#include "state/MediaOpenMarker.h"
#include "state/WallpaperMode.h"

#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QSet>
#include <QSize>
#include <QStringList>
#include <QTimer>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace nivora {

class AppState;
struct ScreenSource;
class DesktopRenderView;
class ImageWallpaperView;
class VideoWallpaperView;
class WallpaperWindow;
struct PlatformServices;
struct VideoTarget;

// Owns everything the wallpaper puts on the desktop: one WallpaperWindow per
// enabled screen, each holding a render view, a video player or an image.
// Screens showing the same video file share one player, and screens showing
// the same still at the same size one decoded picture. It
// follows the settings and the system and answers each change with the least
// work: a full rebuild when the mode, the media file, the quality, the enabled
// displays or the screen arrangement changes; frame-rate, pause and autopilot
// changes in place. Main thread.
class WallpaperController : public QObject
{
    Q_OBJECT

public:
    // The process-wide controller over AppState::shared() and the default
    // platform services, made on first use and never destroyed.
    static WallpaperController& shared();
    // The same, or null while nothing has asked for it (tests of pages that
    // run no wallpaper).
    static WallpaperController* sharedIfMade();

    WallpaperController(AppState& state, PlatformServices& platform, QObject* parent = nullptr);
    ~WallpaperController() override;

    // Subscribes to the settings and the system. Call once; the first value of
    // isRunning arrives on the next turn of the main loop.
    void start();

    // Removes every window and joins every render and display-link thread, and
    // stops following the settings. The process calls it on its way out so no
    // frame is still being drawn while the libraries are unloaded. Safe to
    // call more than once.
    void shutdown();

    // For `nivora ctl status`: whether the wallpaper runs, whether the
    // autopilot timer runs, and one entry per wallpaper window.
    QJsonObject statusJson() const;
    // How frames reach the first screen that shows a scene or a video (the
    // "path" of statusJson: "gpu", "readback", "gpu-video" or
    // "software-video") and, for a video, the decoder on the graphics card.
    // Empty when no screen does.
    struct RenderPath
    {
        QString path;
        QString hwdec;
    };
    RenderPath renderPath() const;

    // The drawable of a render view: the longer side at most max(quality, 480)
    // pixels and never above the screen's size in points, at least 16 pixels a
    // side, halves rounded away from zero.
    static QSize pixelSize(QSizeF screenSize, qint64 renderQuality);
    // The frame rate the views run at: `fps`, lowered to 30 when the battery
    // saver is on, the system is in low-power mode and `fps` is 30 or more.
    static qint64 effectiveFPS(qint64 fps, bool batterySaver, bool lowPowerMode);

    // Inspection, for tests and status. windowCount() counts every screen's
    // wallpaper, windows() only those that are Qt windows.
    bool isActive() const { return m_active; }
    int windowCount() const { return static_cast<int>(m_entries.size()); }
    // Windows kept showing until a new video's first frame replaces them.
    int windowsGoing() const { return static_cast<int>(m_handover.size()); }
    QList<WallpaperWindow*> windows() const;
    QList<DesktopRenderView*> renderViews() const;
    // Each player once, however many screens it shows on.
    QList<VideoWallpaperView*> videoViews() const;
    QList<ImageWallpaperView*> imageViews() const;
    QStringList displaySignature() const { return m_displaySignature; }
    bool isAutopilotRunning() const { return m_autopilotTimer.isActive(); }
    int autopilotInterval() const { return m_autopilotTimer.interval(); }
    int rebuildCount() const { return m_rebuildCount; }

    // Test hook: the autopilot interval in milliseconds instead of minutes.
    void setAutopilotIntervalForTesting(std::optional<int> milliseconds);

    // A folder as the media plays its files in turn: an image for
    // slideMinutes, a video to the end of the pass under way once
    // slideMinutes are over (so a long one plays to its end and a short one
    // loops meanwhile). The folder is watched: a file dropped into it while
    // it shows nothing, or the removal of the file shown, takes effect at
    // once; other changes count from the next file on. Goes on at once to
    // the next file of every folder shown; false when none is.
    bool nextSlide();
    // The file a folder shows now, empty when it shows none (or is not shown).
    QString slideShown(const QString& folder) const;
    // Milliseconds the folder's current file is given, -1 when none runs.
    int slideInterval(const QString& folder) const;
    // Test hook: each folder's time is up now, as if the clock had run on.
    void expireSlidesForTesting();
    // Test hook: how long a folder's picture takes to give way to the next
    // (a second in the app).
    void setSlideFadeForTesting(int milliseconds) { m_slideFade = milliseconds; }

Q_SIGNALS:
    // After each rebuild and each teardown.
    void rebuilt();
    void tornDown();

private:
    struct Entry;
    struct Slideshow;

    void rebuild();
    void teardown();
    void teardownEntries(std::vector<std::unique_ptr<Entry>>& entries);
    // Stills the entries a screen keeps showing until a new video's first
    // frame, and cuts them off from the controller.
    void holdStill(std::vector<std::unique_ptr<Entry>>& entries);
    // Tears down what those screens (all, when empty) kept showing.
    void endHandover(const QSet<QString>& screens);
    void applyFPS(qint64 fps);
    void applyPause(Entry& entry);
    void setOcclusionWatching(bool on);
    void updateAutopilot();
    void screensChanged();
    void scheduleRebuild();
    // Puts the file a folder shows now in place of the folder in `source`
    // (the scene when it has none that can be shown).
    // Returns whether `source` named a folder.
    bool playFolder(ScreenSource& source);
    bool skipsFile(Slideshow& show, const QString& file);
    // Starts each folder's timer for a file newly shown, or stops them all.
    void timeSlides();
    void stopSlides();
    void slideTimeUp(Slideshow& show);
    void advance(Slideshow& show);
    // The folder's content changed: a file comes at once where none shows,
    // and the one after the file shown when that file went away.
    void folderChanged(Slideshow& show);
    void screensDidSleep();
    void screensDidWake();
    void coveredChanged(QWindow* window, bool covered);
    void setRunning(bool running);
    bool buildEntry(const ScreenInfo& screen, WallpaperMode mode, int index, Entry& entry);
    bool buildSurfaceEntry(const ScreenInfo& screen, WallpaperMode mode, int index, Entry& entry);
    // Shows `path` on the entry's screen, with the player of another screen
    // showing the same file when there is one.
    bool attachVideo(const QString& path, const VideoTarget& target, Entry& entry);
    // Where a screen lies on the desktop, and the canvas media is laid over
    // on it: the screen itself, or the box around every enabled screen when
    // media spans them.
    static QRect desktopFrame(const ScreenInfo& screen);
    QRect mediaCanvas(const ScreenInfo& screen) const;
    // The canvas a scene is laid over, in units of the screen.
    QRectF sceneCanvas(const ScreenInfo& screen) const;
    // The fraction of an image a screen shows.
    QRectF imagePart(const ScreenInfo& screen) const;
    // A file that exists but cannot be shown: the scene takes its place
    // until no screen asks for it any more, and the Media page says so.
    bool isUnreadable(WallpaperMode mode, const QString& path) const;
    static QString unreadableKey(WallpaperMode mode, const QString& path);
    void markUnreadable(WallpaperMode mode, const QString& path);
    void videoUnplayable(const QString& path);
    // What a screen shows for the mode and file it asks for: the scene in
    // place of a file that cannot be read, went away or took the last run
    // down, and a still image as a still even in video mode.
    WallpaperMode shownFor(const ScreenSource& source) const;
    // The crash marker: taken over at start, written before a file is first
    // opened in this run, removed once it shows.
    void takeLeftBehindMarker();
    void forgetCrash();
    void mediaShown(const QString& path);
    void releaseMarker();
    // The rate views draw at for the stored `fps`, after the battery saver.
    int viewFPS(qint64 fps) const;

    AppState& m_state;
    PlatformServices& m_platform;
    std::vector<std::unique_ptr<Entry>> m_entries;
    // What screens going over to a new video show until its first frame.
    std::vector<std::unique_ptr<Entry>> m_handover;
    QTimer m_handoverTimer;
    QTimer m_autopilotTimer;
    std::optional<int> m_autopilotIntervalForTesting;
    bool m_active = false;
    bool m_started = false;
    // Follows pauseOnFullscreen: wallpaper windows are watched for covering
    // windows only while it is on.
    bool m_watchingOcclusion = false;
    QStringList m_displaySignature;
    // While a rebuild runs: the box around every enabled screen when media
    // spans them (empty otherwise), and the stills decoded so far.
    QRect m_spanCanvas;
    StillImageCache m_stills;
    QList<QMetaObject::Connection> m_subscriptions;
    int m_rebuildCount = 0;
    bool m_rebuildScheduled = false;
    // The media (mode and path) found unreadable, as unreadableKey(); a video
    // is known to be unplayable only once its player has tried.
    QSet<QString> m_unreadable;
    MediaOpenMarker m_marker;
    // Whether the marker names a file this run is opening (and not one that
    // took the last run down).
    bool m_markerOwned = false;
    // Files that showed a frame in this run: opening them again is safe.
    QSet<QString> m_shownMedia;
    // Each folder some screen shows, by its path.
    std::map<QString, std::unique_ptr<Slideshow>> m_slideshows;
    int m_slideFade = 1000;
};

} // namespace nivora
