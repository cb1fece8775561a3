#pragma once

#include <QImage>
#include <QString>
#include <memory>

namespace nivora {

// What became of one folder: done, or the reason it was not (French, shown to
// the user after the folder's name).
struct FolderIconOutcome
{
    bool ok = false;
    QString reason;
};

// Custom folder icons as the desktop's file managers show them.
//
// Contract for backends (all main thread, all synchronous):
// - setIcon() required. Makes the PNG file `iconFile` (an absolute path that
//   stays where it is) the icon of the folder `folder`. Fails, with a reason,
//   when `folder` is missing or not a folder. Success is read back from where
//   the file managers read it, never assumed from a call that returned.
// - clearIcon() required. Removes what setIcon() set, so the file manager shows
//   its own folder icon again, and nothing else. Same checks and read back.
// - genericFolderImage() required. The desktop's plain folder icon at `pixels`
//   × `pixels` with an alpha channel, or a null image when the desktop has
//   none; callers then draw their own.
class FolderIconStore
{
public:
    virtual ~FolderIconStore() = default;
    virtual FolderIconOutcome setIcon(const QString& folder, const QString& iconFile) = 0;
    virtual FolderIconOutcome clearIcon(const QString& folder) = 0;
    virtual QImage genericFolderImage(int pixels) const = 0;

    // The store of the running desktop. Needs a QGuiApplication.
    static std::unique_ptr<FolderIconStore> createDefault();
};

} // namespace nivora
