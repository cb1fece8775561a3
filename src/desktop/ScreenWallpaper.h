#pragma once

#include "desktop/WallpaperHost.h"
#include "desktop/WallpaperPlanner.h"
#include "media/ImageWallpaperView.h"
#include "platform/PlatformServices.h"

#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace nivora {

class AppState;
class DesktopRenderView;
class StillImageCache;
class VideoWallpaperView;
class WallpaperHostFactory;

// One screen's wallpaper: its window or surface and what is drawn into it (a
// scene's render view, a video player shared with the other screens showing
// the same file, or an image), with the reasons it is paused. Main thread.
class ScreenWallpaper
{
public:
    using List = std::vector<std::unique_ptr<ScreenWallpaper>>;

    // What building one needs from around it.
    struct Tools
    {
        const WallpaperHostFactory& hosts;
        AppState& state;
        const PlatformServices::DisplayLinkFactory& makeDisplayLink;
        int fps = 0;
        StillImageCache* stills = nullptr;
        // Shows `path` on the wallpaper, with the player of another screen
        // showing the same file when there is one.
        std::function<bool(const QString& path, const VideoTarget& target, ScreenWallpaper& wallpaper)>
            attachVideo;
    };

    ScreenWallpaper() = default;
    ScreenWallpaper(const ScreenWallpaper&) = delete;
    ScreenWallpaper& operator=(const ScreenWallpaper&) = delete;
    ~ScreenWallpaper();

    // Makes the host and the content for `mode` as `plan` lays it out;
    // false when either cannot be had. Nothing is shown yet.
    bool build(const WallpaperPlanner::Screen& plan, WallpaperMode mode, int index, const Tools& tools);

    // Tells the content whether to run: paused while any reason holds.
    // `shownElsewhere`: another screen not paused shares the player, which
    // then plays on.
    void applyPause(bool shownElsewhere);
    // Stills the content and cuts it off from its owner (`owner` no longer
    // hears from the player), for a wallpaper kept up while another is made.
    void holdStill(QObject* owner);

    // Takes wallpapers down in the order their parts depend on each other:
    // players first (one may draw into several of the windows), then render
    // threads, then the windows, and the hosts last. Whether there were any.
    static bool tearDown(List& wallpapers);

    const ScreenInfo& screen() const { return m_screen; }
    QString screenKey() const { return displaySignatureEntry(m_screen); }
    WallpaperMode mode() const { return m_mode; }
    // The file shown, for a video or an image.
    const QString& mediaPath() const { return m_mediaPath; }
    void setMediaPath(const QString& path) { m_mediaPath = path; }

    WallpaperHost* host() const { return m_host.get(); }
    // The host, taken away: a surface keeps showing the last picture until it
    // goes.
    std::unique_ptr<WallpaperHost> takeHost() { return std::move(m_host); }
    DesktopRenderView* render() const { return m_render.get(); }
    const std::shared_ptr<VideoWallpaperView>& video() const { return m_video; }
    const QString& videoPath() const { return m_videoPath; }
    void setVideo(std::shared_ptr<VideoWallpaperView> video, const QString& path);
    ImageWallpaperView* image() const { return m_image.get(); }

    // What it was built for (see WallpaperPlanner::Screen::key), and the
    // number its threads carry.
    const QString& key() const { return m_key; }
    void setBuiltFor(const QString& key, int index);
    // Dropped so that no rebuild keeps it.
    void forgetKey() { m_key.clear(); }
    int index() const { return m_index; }

    bool isAsleep() const { return m_asleep; }
    void setAsleep(bool asleep) { m_asleep = asleep; }
    bool isCovered() const { return m_covered; }
    void setCovered(bool covered) { m_covered = covered; }
    // Nothing shows it at all, as the window system says (a compositor that
    // stops asking for frames): paused whatever pauseOnFullscreen says, since
    // drawing unseen helps nobody.
    bool isHidden() const { return m_hidden; }
    void setHidden(bool hidden) { m_hidden = hidden; }
    bool isPaused() const { return m_paused; }

    // A video built while the screen's previous wallpaper stays up until the
    // video's first frame.
    bool overPrevious() const { return m_overPrevious; }
    void setOverPrevious(bool over) { m_overPrevious = over; }
    // For one of a folder's pictures: the picture it comes over.
    void setSlide(std::optional<ImageWallpaperView::Slide> slide) { m_slide = std::move(slide); }

private:
    bool makeContent(const WallpaperPlanner::Screen& plan, int index, const Tools& tools);

    // Declared first so that it is destroyed last: the content draws into it
    // until it is gone.
    std::unique_ptr<WallpaperHost> m_host;
    std::unique_ptr<DesktopRenderView> m_render;
    // Shared by every screen showing the same file.
    std::shared_ptr<VideoWallpaperView> m_video;
    QString m_videoPath;
    std::unique_ptr<ImageWallpaperView> m_image;
    std::optional<ImageWallpaperView::Slide> m_slide;
    ScreenInfo m_screen;
    WallpaperMode m_mode = WallpaperMode::Scene;
    QString m_mediaPath;
    QString m_key;
    int m_index = 0;
    // Each reason to pause is kept on its own, and the content is paused
    // while any holds: waking the screens must not resume a wallpaper that a
    // fullscreen window still covers, nor uncovering one whose screens sleep.
    bool m_asleep = false;
    bool m_covered = false; // only while pauseOnFullscreen is on
    bool m_hidden = false;
    bool m_paused = false; // what the content was last told
    bool m_overPrevious = false;
};

} // namespace nivora
