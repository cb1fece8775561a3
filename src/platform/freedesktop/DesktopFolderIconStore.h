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
class DesktopFolderIconStore : public FolderIconStore
{
public:
    explicit DesktopFolderIconStore(bool kdeSession);

    FolderIconOutcome setIcon(const QString& folder, const QString& iconFile) override;
    FolderIconOutcome clearIcon(const QString& folder) override;
    QImage genericFolderImage(int pixels) const override;

    // True when XDG_CURRENT_DESKTOP names KDE.
    static bool isKdeSession();

private:
    bool m_kdeSession;
};

} // namespace nivora
