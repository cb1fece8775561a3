#pragma once

#include "desktop/FolderSlideshow.h"

#include <QObject>
#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace nivora {

class AppState;
struct ScreenSource;

// Every folder some screen shows, by its path. A folder as the media plays
// its files in turn: an image for slideMinutes, a video to the end of the
// pass under way once slideMinutes are over (so a long one plays to its end
// and a short one loops meanwhile). Main thread.
class FolderSlideshows : public QObject
{
    Q_OBJECT

public:
    // `active`: whether the wallpaper runs; a folder's changes are looked at
    // only then.
    FolderSlideshows(AppState& state, std::function<bool()> active, QObject* parent = nullptr);

    // Puts the file a folder shows now in place of the folder in `source`
    // (the scene when it has none that can be shown). Returns whether
    // `source` named a folder.
    bool play(ScreenSource& source);
    // After every screen has had play(): a folder no screen shows any more
    // starts again from its first file.
    void endRound();

    // Starts each folder's timer for a file newly shown, or stops them all.
    void time();
    void stop();
    void setShuffled(bool shuffled);
    // Goes on at once to the next file of every folder; false when none is
    // shown.
    bool next();
    FolderSlideshow* find(const QString& folder) const;
    std::vector<FolderSlideshow*> timed() const;
    // A file shown that cannot be played: its folder goes on to the next.
    // False when no folder shows it.
    bool skipShown(const QString& file);

Q_SIGNALS:
    void timeUp(FolderSlideshow* show);
    void rebuildWanted();

private:
    AppState& m_state;
    std::function<bool()> m_active;
    std::map<QString, std::unique_ptr<FolderSlideshow>> m_shows;
};

} // namespace nivora
