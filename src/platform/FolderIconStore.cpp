#include "platform/FolderIconStore.h"

#include "platform/freedesktop/DesktopFolderIconStore.h"

namespace nivora {

std::unique_ptr<FolderIconStore> FolderIconStore::createDefault(const QString& iconDirectory,
                                                                const QString& recordFile)
{
    return std::make_unique<DesktopFolderIconStore>(DesktopFolderIconStore::isKdeSession(), iconDirectory,
                                                    recordFile);
}

} // namespace nivora
