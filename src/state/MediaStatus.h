#pragma once

#include <QObject>
#include <QString>

namespace nivora {

// What became of the chosen media file when the wallpaper tried to show it:
// the file the wallpaper could not read, or nothing. Told by the wallpaper,
// read by the Media page, never stored. Main thread.
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

Q_SIGNALS:
    void changed();

private:
    QString m_unreadablePath;
};

} // namespace nivora
