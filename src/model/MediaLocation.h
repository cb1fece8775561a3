#pragma once

#include <QString>
#include <optional>

namespace nivora {

// What a stored media path names on disk, the one judgement shared by the
// command line (which refuses a path that cannot work), the wallpaper (which
// falls back to the scene when the file went away) and the Media page (which
// says so). Reads the file system only.
namespace MediaLocation {

enum class Kind
{
    None,     // no path
    Relative, // not an absolute path, so it depends on where the app started
    Missing,  // nothing there (a deleted file, an unmounted drive)
    Folder,   // a folder, whose images and videos play in turn (MediaPlaylist)
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
