#pragma once

#include <QString>
#include <optional>

namespace nivora {

// What a stored media path names on disk, the one judgement shared by the
// command line (which refuses a path that cannot work), the settings loader
// (which keeps it, since a drive may only be unmounted), the wallpaper (which
// falls back to the scene) and the Media page (which says why). Reads the file
// system only.
namespace MediaLocation {

enum class Kind
{
    None,     // no path
    Address,  // a URL (http://, edl://, …) rather than a path
    Relative, // not an absolute path, so it depends on where the app started
    Missing,  // nothing there (a deleted file, an unmounted drive)
    Folder,   // a folder, whose images and videos play in turn (MediaPlaylist)
    // A list of other media (m3u, m3u8, pls, cue, edl, found by name or by
    // content): a player that follows it opens other files or the network on
    // behalf of whatever wrote it.
    Playlist,
    File,
};

Kind kind(const QString& path);

// Whether the wallpaper can try to show `path`: a file, or a folder.
bool usable(const QString& path);

// Why `key` cannot be set to `path` ("mediaPath: fichier introuvable : …"),
// or nothing when it can. An empty path (no media) is always accepted.
std::optional<QString> refusal(const QString& key, const QString& path);

} // namespace MediaLocation
} // namespace nivora
