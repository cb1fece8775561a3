#include "platform/FolderIconStore.h"

#include "platform/freedesktop/DesktopFolderIconStore.h"

namespace nivora {

std::unique_ptr<FolderIconStore> FolderIconStore::createDefault()
{
    return std::make_unique<DesktopFolderIconStore>(DesktopFolderIconStore::isKdeSession());
}

} // namespace nivora
