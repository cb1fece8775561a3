#include "desktop/FolderSlideshows.h"

#include "model/MediaLocation.h"
#include "state/AppState.h"
#include "state/ScreenSource.h"

#include <algorithm>

namespace nivora {

FolderSlideshows::FolderSlideshows(AppState& state, std::function<bool()> active, QObject* parent)
    : QObject(parent), m_state(state), m_active(std::move(active))
{
}

bool FolderSlideshows::play(ScreenSource& source)
{
    if (source.mode == WallpaperMode::Scene ||
        MediaLocation::kind(source.mediaPath) != MediaLocation::Kind::Folder)
        return false;
    std::unique_ptr<FolderSlideshow>& show = m_shows[source.mediaPath];
    if (!show) {
        show = std::make_unique<FolderSlideshow>(source.mediaPath, m_state.slideShuffle());
        FolderSlideshow* s = show.get();
        connect(s, &FolderSlideshow::timeUp, this, [this, s] { Q_EMIT timeUp(s); });
        connect(s, &FolderSlideshow::settled, this, [this, s] {
            if (m_active())
                s->lookAgain();
        });
        connect(s, &FolderSlideshow::rebuildWanted, this, &FolderSlideshows::rebuildWanted);
    }
    const QString file = show->pick();
    // An empty folder, or one with nothing that can be shown, leaves the scene.
    if (file.isEmpty()) {
        source.mode = WallpaperMode::Scene;
        return true;
    }
    source.mediaPath = file;
    source.mode = MediaPlaylist::isVideo(file) ? WallpaperMode::Video : WallpaperMode::Image;
    return true;
}

void FolderSlideshows::endRound()
{
    std::erase_if(m_shows, [](const auto& folder) { return !folder.second->isUsed(); });
    for (const auto& [folder, show] : m_shows)
        show->clearUsed();
}

void FolderSlideshows::time()
{
    const qint64 minutes = std::clamp<qint64>(m_state.slideMinutes(), 1, 1440);
    const int interval = static_cast<int>(minutes * 60000);
    for (const auto& [folder, show] : m_shows)
        show->time(interval);
}

void FolderSlideshows::stop()
{
    for (const auto& [folder, show] : m_shows)
        show->stop();
}

void FolderSlideshows::setShuffled(bool shuffled)
{
    for (const auto& [folder, show] : m_shows)
        show->setShuffled(shuffled);
}

bool FolderSlideshows::next()
{
    if (m_shows.empty())
        return false;
    for (const auto& [folder, show] : m_shows)
        show->advance();
    return true;
}

FolderSlideshow* FolderSlideshows::find(const QString& folder) const
{
    const auto it = m_shows.find(folder);
    return it == m_shows.end() ? nullptr : it->second.get();
}

std::vector<FolderSlideshow*> FolderSlideshows::timed() const
{
    std::vector<FolderSlideshow*> shows;
    for (const auto& [folder, show] : m_shows) {
        if (show->isTimed())
            shows.push_back(show.get());
    }
    return shows;
}

bool FolderSlideshows::skipShown(const QString& file)
{
    return std::any_of(m_shows.begin(), m_shows.end(),
                       [&file](const auto& folder) { return folder.second->skipShown(file); });
}

} // namespace nivora
