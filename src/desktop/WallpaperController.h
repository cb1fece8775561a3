#pragma once

#include "desktop/FolderSlideshows.h"
#include "desktop/MediaHealth.h"
#include "desktop/SceneAutopilot.h"
#include "desktop/ScreenWallpaper.h"
#include "desktop/VideoHandover.h"
#include "desktop/WallpaperHostFactory.h"
#include "desktop/WallpaperPlanner.h"
#include "desktop/WallpaperStatus.h"
#include "desktop/WallpaperSubscriptions.h"
#include "media/StillImageCache.h"
#include "platform/ScreenInfo.h"
#include "state/WallpaperMode.h"

#include <QHash>
#include <QImage>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QSet>
#include <QSize>
#include <QStringList>
#include <QTimer>
#include <memory>
#include <optional>

namespace nivora {

class AppState;
struct ScreenSource;
class DesktopRenderView;
class ImageWallpaperView;
class VideoWallpaperView;
class WallpaperWindow;
struct PlatformServices;
struct VideoTarget;

// Owns everything the wallpaper puts on the desktop: one ScreenWallpaper per
// enabled screen, each holding a render view, a video player or an image.
// Screens showing the same video file share one player, and screens showing
// the same still at the same size one decoded picture. It
// follows the settings and the system and answers each change with the least
// work: a rebuild of the screens whose wallpaper changes when the mode, the
// media file, the quality, the enabled displays or the screen arrangement
// changes (WallpaperPlanner says which); frame-rate, pause and autopilot
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
    using RenderPath = WallpaperStatus::RenderPath;
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
    int windowsGoing() const { return m_handover.count(); }
    QList<WallpaperWindow*> windows() const;
    QList<DesktopRenderView*> renderViews() const;
    // Each player once, however many screens it shows on.
    QList<VideoWallpaperView*> videoViews() const;
    QList<ImageWallpaperView*> imageViews() const;
    QStringList displaySignature() const { return m_displaySignature; }
    bool isAutopilotRunning() const { return m_autopilot.isRunning(); }
    int autopilotInterval() const { return m_autopilot.interval(); }
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
    // The file a rebuild names in the crash marker while it opens, and
    // whether a player opens it (a picture is decoded by the end of the
    // rebuild).
    struct Opening
    {
        QString path;
        bool video = false;
    };

    void subscribe();
    void rebuild();
    // What each enabled screen asks for, and what can be shown of it.
    WallpaperPlanner::Plan plan(const QList<ScreenInfo>& screens, QList<ScreenSource>& sources);
    void buildScreens(const WallpaperPlanner::Plan& plan, ScreenWallpaper::List& kept,
                      const QHash<QString, QImage>& givingWay);
    std::unique_ptr<ScreenWallpaper> buildScreen(const WallpaperPlanner::Screen& screen, int index,
                                                 const QImage& previousPicture, Opening& opening);
    bool buildWallpaper(const WallpaperPlanner::Screen& screen, WallpaperMode mode, int index,
                        ScreenWallpaper& wallpaper);
    WallpaperPlanner::Settings planSettings() const;
    void teardown();
    void teardownEntries(ScreenWallpaper::List& entries);
    void applyFPS(qint64 fps);
    void applyPause(ScreenWallpaper& wallpaper);
    void setOcclusionWatching(bool on);
    void screensChanged();
    void scheduleRebuild();
    void slideTimeUp(FolderSlideshow& show);
    void screensDidSleep();
    void screensDidWake();
    void coveredChanged(QWindow* window, bool covered);
    void setRunning(bool running);
    // Shows `path` on the wallpaper, with the player of another screen
    // showing the same file when there is one.
    bool attachVideo(const QString& path, const VideoTarget& target, ScreenWallpaper& wallpaper);
    void videoUnplayable(const QString& path);
    // The rate views draw at for the stored `fps`, after the battery saver.
    int viewFPS(qint64 fps) const;

    AppState& m_state;
    PlatformServices& m_platform;
    WallpaperHostFactory m_hosts;
    ScreenWallpaper::List m_entries;
    VideoHandover m_handover;
    SceneAutopilot m_autopilot;
    MediaHealth m_health;
    FolderSlideshows m_slides;
    bool m_active = false;
    bool m_started = false;
    // Follows pauseOnFullscreen: wallpaper windows are watched for covering
    // windows only while it is on.
    bool m_watchingOcclusion = false;
    QStringList m_displaySignature;
    // The stills decoded while a rebuild runs.
    StillImageCache m_stills;
    WallpaperSubscriptions m_subscriptions;
    int m_rebuildCount = 0;
    bool m_rebuildScheduled = false;
    int m_slideFade = 1000;
};

} // namespace nivora
