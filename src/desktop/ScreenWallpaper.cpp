#include "desktop/ScreenWallpaper.h"

#include "desktop/DesktopRenderView.h"
#include "desktop/WallpaperHostFactory.h"
#include "media/MediaPathCheck.h"
#include "media/VideoWallpaperView.h"

namespace nivora {

ScreenWallpaper::~ScreenWallpaper() = default;

bool ScreenWallpaper::build(const WallpaperPlanner::Screen& plan, WallpaperMode mode, int index,
                            const Tools& tools)
{
    // What cannot be shown anyway gets no window.
    if ((mode == WallpaperMode::Scene && !tools.makeDisplayLink) ||
        (mode == WallpaperMode::Video &&
         MediaPathCheck::check(m_mediaPath) != MediaPathCheck::Verdict::PlainFile) ||
        (mode == WallpaperMode::Image && m_mediaPath.isEmpty()))
        return false;
    m_screen = plan.screen;
    m_mode = mode;
    m_host = tools.hosts.make(plan.screen, mode);
    if (!m_host)
        return false;
    const bool built = makeContent(plan, index, tools);
    m_slide.reset();
    return built;
}

bool ScreenWallpaper::makeContent(const WallpaperPlanner::Screen& plan, int index, const Tools& tools)
{
    switch (m_mode) {
    case WallpaperMode::Scene:
        m_render =
            m_host->makeRenderView(m_screen.displayID, plan.pixelSize, tools.fps,
                                   tools.makeDisplayLink(m_screen, index), tools.state, index, m_screen.name);
        if (!m_render)
            return false;
        m_render->setCanvas(plan.sceneCanvas);
        return true;
    case WallpaperMode::Video:
        return tools.attachVideo(m_mediaPath,
                                 m_host->videoTarget(plan.frame, plan.mediaCanvas, m_overPrevious), *this);
    case WallpaperMode::Image:
        m_image = m_host->loadImage(m_mediaPath, plan.imagePart, tools.stills, m_slide ? &*m_slide : nullptr);
        return m_image != nullptr;
    }
    return false;
}

void ScreenWallpaper::setVideo(std::shared_ptr<VideoWallpaperView> video, const QString& path)
{
    m_video = std::move(video);
    m_videoPath = path;
}

void ScreenWallpaper::setBuiltFor(const QString& key, int index)
{
    m_key = key;
    m_index = index;
}

void ScreenWallpaper::applyPause(bool shownElsewhere)
{
    const bool paused = m_asleep || m_covered || m_hidden;
    // A shared player is told again even so: the screen that joined it may
    // be the one that needs it playing.
    if (paused == m_paused && !m_video)
        return;
    m_paused = paused;
    if (m_render)
        m_render->setPaused(paused);
    if (m_video) {
        // A paused player holds its frame and decodes nothing; it goes on
        // from that frame. A player shared with other screens plays while
        // any of them is not paused.
        if (paused && !shownElsewhere)
            m_video->pause();
        else
            m_video->play();
    }
    if (m_image)
        m_image->setPaused(paused);
}

void ScreenWallpaper::holdStill(QObject* owner)
{
    // Nothing of it reaches the owner any more: its surface's reports, its
    // player's.
    if (m_host)
        m_host->cutOff();
    if (m_video) {
        m_video->disconnect(owner);
        m_video->pause();
    }
    if (m_render)
        m_render->stop();
    if (m_image)
        m_image->setPaused(true);
}

bool ScreenWallpaper::tearDown(List& wallpapers)
{
    std::erase(wallpapers, nullptr);
    for (const auto& w : wallpapers) {
        if (w->m_host)
            w->m_host->watchOcclusion(false);
    }
    for (const auto& w : wallpapers) {
        if (w->m_video)
            w->m_video->pause();
        w->m_video.reset();
    }
    for (const auto& w : wallpapers) {
        if (w->m_render)
            w->m_render->stop();
    }
    for (const auto& w : wallpapers) {
        if (w->m_host)
            w->m_host->hide();
    }
    // The render views join their threads here, before their windows go.
    for (const auto& w : wallpapers) {
        w->m_render.reset();
        w->m_image.reset();
    }
    const bool had = !wallpapers.empty();
    wallpapers.clear();
    return had;
}

} // namespace nivora
