#pragma once

#include "model/MediaPlaylist.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>

namespace nivora {

// One folder shown as the media: its files in turn, each for its time. The
// folder is watched: a file dropped into it while it shows nothing, or the
// removal of the file shown, takes effect at once; other changes count from
// the next file on. Main thread.
class FolderSlideshow : public QObject
{
    Q_OBJECT

public:
    FolderSlideshow(const QString& folder, bool shuffled, QObject* parent = nullptr);

    const QString& folder() const { return m_folder; }
    void setShuffled(bool shuffled) { m_playlist.setShuffled(shuffled); }

    // The file to show in this rebuild, chosen once however many screens show
    // the folder: files that cannot be shown are stepped over, each at most
    // once a round. Empty when nothing of it can be shown.
    QString pick();
    // Whether some screen showed it in the last rebuild; cleared after each.
    bool isUsed() const { return m_used; }
    void clearUsed() { m_used = false; }
    // The file shown now, empty for none.
    const QString& shown() const { return m_shown; }

    // Gives the file shown its time, unless it has it already (an empty folder
    // is looked at again after the same time).
    void time(int interval);
    void stop();
    bool isTimed() const { return m_timer.isActive(); }
    int interval() const { return m_timer.interval(); }
    // The time of a video is up: it plays to the end of the pass under way,
    // `millisecondsLeft` from now, but no later than a grace period after.
    void finishPass(int millisecondsLeft);
    bool isFinishing() const { return m_finishing; }
    // On to the next file, which the rebuild this asks for gives its time.
    void advance();
    // A file shown that cannot be played: stepped over for as long as the
    // folder shows. Whether it was this folder's file.
    bool skipShown(const QString& file);
    // The folder's content changed: a file comes at once where none shows,
    // and the one after the file shown when that file went away.
    void lookAgain();

Q_SIGNALS:
    void timeUp();
    // The folder changed and its changes have settled: time for lookAgain().
    void settled();
    void rebuildWanted();

private:
    bool skips(const QString& file);

    const QString m_folder;
    MediaPlaylist m_playlist;
    QTimer m_timer;
    // The folder's own changes: a burst of them (hundreds of photos copied
    // in) is looked at once when the settle timer runs out.
    QFileSystemWatcher m_watcher;
    QTimer m_settle;
    // The file the playlist was moved on to, waiting until it is written.
    QString m_waitingFor;
    // The file shown, and the one the timer was started for: a rebuild for
    // another reason does not give a file its time again.
    QString m_shown;
    QString m_timed;
    // Set once the time of a video is up and it finishes the pass under way.
    bool m_finishing = false;
    // Files stepped over for as long as the folder shows: they cannot be
    // read or played, or took a run down.
    QSet<QString> m_skipped;
    bool m_used = false;
};

} // namespace nivora
