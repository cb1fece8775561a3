#pragma once

#include <QImage>
#include <QString>
#include <memory>

namespace nivora {

// What became of one folder: its icon changed, it was left as it was because
// there was nothing to do, or it failed with a reason (French, shown to the user
// after the folder's name).
struct FolderIconOutcome
{
    enum class Status
    {
        Changed,
        Unchanged,
        Failed,
    };

    Status status = Status::Failed;
    QString reason;
};

// Custom folder icons as the desktop's file managers show them.
//
// Contract for backends (all main thread, all synchronous):
// - setIcon() required. Makes the PNG file `iconFile` (an absolute path that
//   stays where it is) the icon of the folder `folder`. Before the first change
//   to a folder it keeps, in a record that outlives the process, what the folder
//   showed until then (an icon the user chose, perhaps with another program, or
//   none); a folder that already shows one of our icons keeps its record. The
//   record is written before the folder is touched, and a record that cannot be
//   written fails the folder. Fails, with a reason, when `folder` is missing or
//   not a folder. Success is read back from where the file managers read it,
//   never assumed from a call that returned. Never Unchanged.
// - restoreIcon() required. Puts back what the record kept for the folder
//   (nothing kept: no icon), but only where the folder still shows an icon
//   setIcon() set: an icon someone chose since is left alone. Unchanged when
//   the folder shows none of our icons. Same checks and read back.
// - genericFolderImage() required. The desktop's plain folder icon at `pixels`
//   × `pixels` with an alpha channel, or a null image when the desktop has
//   none; callers then draw their own.
class FolderIconStore
{
public:
    virtual ~FolderIconStore() = default;
    virtual FolderIconOutcome setIcon(const QString& folder, const QString& iconFile) = 0;
    virtual FolderIconOutcome restoreIcon(const QString& folder) = 0;
    virtual QImage genericFolderImage(int pixels) const = 0;

    // The store of the running desktop. Icon files under `iconDirectory` are
    // ours; `recordFile` keeps what folders showed before we changed them.
    // Needs a QGuiApplication.
    static std::unique_ptr<FolderIconStore> createDefault(const QString& iconDirectory,
                                                          const QString& recordFile);
};

} // namespace nivora
