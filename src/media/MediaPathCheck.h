#pragma once

#include <QString>

namespace nivora {

// Tells whether a media path names one plain local file that the video player
// may open, and nothing more: not an address (http://, edl://, …) and not a
// playlist (m3u, m3u8, pls, cue, edl, found by name or by content), since a
// player that follows a playlist opens other files or the network on behalf of
// whatever wrote it. The judgement itself is MediaLocation's, so that the
// command line, the wallpaper and the Media page never disagree.
class MediaPathCheck
{
public:
    enum class Verdict
    {
        PlainFile,
        Missing,  // no path, or no regular file there
        Address,  // a URL rather than a path
        Playlist, // a list of other media
    };

    static Verdict check(const QString& path);
    // The one log line of a refused path ("" for a plain file or a missing
    // one, which is not logged).
    static QString refusal(const QString& path, Verdict verdict);
};

} // namespace nivora
