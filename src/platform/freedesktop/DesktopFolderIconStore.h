#pragma once

#include "platform/FolderIconStore.h"

namespace nivora {

// Folder icons for the freedesktop file managers. GIO's `metadata::custom-icon`
// is always written (GNOME Files, Nemo, Caja); KDE's `.directory` `Icon=` key
// too when the session is KDE or the folder already has a `.directory` file
// (Dolphin, and file managers that share folders with KDE users). A folder
// succeeds when every place written holds the icon on reading back; a place
// that does not exist in this session (GIO without gvfs) is not counted, but
// at least one place must be written.
//
// An icon is ours when it names a file under the icon directory given at
// construction; what each place held before ours came is kept in the record
// file (OriginalFolderIcons).
class DesktopFolderIconStore : public FolderIconStore
{
public:
    DesktopFolderIconStore(bool kdeSession, QString iconDirectory, QString recordFile);

    FolderIconOutcome setIcon(const QString& folder, const QString& iconFile) override;
    FolderIconOutcome restoreIcon(const QString& folder) override;
    QImage genericFolderImage(int pixels) const override;

    // True when XDG_CURRENT_DESKTOP names KDE.
    static bool isKdeSession();

private:
    bool isOwnGio(const QString& uri) const;
    bool isOwnKde(const QString& value) const;

    bool m_kdeSession;
    QString m_iconDirectory;
    QString m_recordFile;
};

} // namespace nivora
