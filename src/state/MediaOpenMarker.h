#pragma once

#include <QString>

namespace nivora {

// A small file that names the media file being opened for the first time in
// a run, written before the decoder sees it and removed once a frame of it
// shows. A marker found at start therefore names a file that took the last
// run down with it (a decoder that aborts), so the next start can keep away
// from it instead of dying the same way, over and over, before the user can
// reach any control. Main thread.
class MediaOpenMarker
{
public:
    // The marker beside the settings file at `settingsFile`.
    explicit MediaOpenMarker(const QString& settingsFile);

    QString filePath() const { return m_path; }
    // The media path the marker names; empty when there is no marker.
    QString read() const;
    // Names `mediaPath`. The bytes are in the kernel's hands before this
    // returns, so a crash right after still leaves them.
    void write(const QString& mediaPath);
    void remove();

private:
    QString m_path;
};

} // namespace nivora
