#pragma once

#include "state/MediaOpenMarker.h"
#include "state/WallpaperMode.h"

#include <QList>
#include <QObject>
#include <QSet>
#include <QString>

namespace nivora {

class AppState;
struct ScreenSource;

// Keeps the wallpaper away from media that cannot be shown: files found
// unreadable (the scene takes their place until no screen asks for them any
// more, and the Media page says so), and the file that took the last run
// down, named by the crash marker, which is written before a file is first
// opened in a run and removed once it shows. Main thread.
class MediaHealth : public QObject
{
    Q_OBJECT

public:
    MediaHealth(AppState& state, QObject* parent = nullptr);

    // Takes over a marker the last run left: the file it names is kept away
    // from until the user picks a file on the Media page.
    void takeLeftBehindMarker();

    // Before a rebuild, with what each screen asks for: files no screen asks
    // for any more are tried afresh, pictures that cannot be shown are set
    // aside, and so is the crashed file while another is chosen. A video the
    // player must not open (a playlist or an address would have it open other
    // files or the network) gets one log line; the scene shows in its place.
    void review(const QList<ScreenSource>& wanted);

    // A file that exists but cannot be shown.
    bool isUnreadable(WallpaperMode mode, const QString& path) const;
    void markUnreadable(WallpaperMode mode, const QString& path);
    // What a screen shows for the mode and file it asks for: the scene in
    // place of a file that cannot be read, went away or took the last run
    // down, and a still image as a still even in video mode.
    WallpaperMode shownFor(const ScreenSource& source) const;
    // After a rebuild: the Media page names the main file when it could not
    // be read, else the first screen's own that could not.
    void publishUnreadable(const QList<ScreenSource>& wanted) const;

    // Names `path` in the marker while it opens, when it is the first file
    // this run has not shown yet; whether it did.
    bool opening(const QString& path);
    // Whether the marker names a file this run is opening (and not one that
    // took the last run down).
    bool ownsMarker() const { return m_markerOwned; }
    // A file showed: opening it again is safe, and the marker goes.
    void mediaShown(const QString& path);
    // A file closed before it showed did not take the process down.
    void releaseMarker();

Q_SIGNALS:
    // The user picked a file afresh, so the crashed one may be tried again.
    void rebuildWanted();

private:
    static QString unreadableKey(WallpaperMode mode, const QString& path);
    void forgetCrash();

    AppState& m_state;
    // The media (mode and path) found unreadable, as unreadableKey(); a video
    // is known to be unplayable only once its player has tried.
    QSet<QString> m_unreadable;
    MediaOpenMarker m_marker;
    bool m_markerOwned = false;
    // Files that showed a frame in this run.
    QSet<QString> m_shownMedia;
};

} // namespace nivora
