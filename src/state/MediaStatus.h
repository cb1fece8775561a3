#pragma once

#include <QObject>
#include <QString>

namespace nivora {

// What became of the chosen media file when the wallpaper tried to show it:
// the file the wallpaper could not read, the file that made the last run die,
// or nothing. Told by the wallpaper, read by the Media page; only the crash
// outlives the process, in the wallpaper's marker file. It also carries the
// request for a folder's next file from the pages and the command line to
// the wallpaper, which sit above and beside them. Main thread.
class MediaStatus : public QObject
{
    Q_OBJECT

public:
    // The process-wide status, made on first use.
    static MediaStatus& shared();

    // The path of the file that exists but could not be shown; empty when the
    // chosen file shows (or none is chosen).
    QString unreadablePath() const { return m_unreadablePath; }
    void setUnreadablePath(const QString& path);

    // The path of the file that was being opened when a run of the app died;
    // the scene shows in its place until the user picks a file again. Empty
    // when none.
    QString crashedPath() const { return m_crashedPath; }
    void setCrashedPath(const QString& path);

    // Asks the wallpaper to go on at once to the next file of the folder it
    // shows (`nivora ctl next`, the Media page's "Suivant").
    void requestNext() { Q_EMIT nextRequested(); }

Q_SIGNALS:
    void changed();
    void nextRequested();

private:
    QString m_unreadablePath;
    QString m_crashedPath;
};

} // namespace nivora
