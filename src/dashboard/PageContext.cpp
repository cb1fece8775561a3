#include "dashboard/PageContext.h"

#include "account/AccountStore.h"
#include "desktop/ShellBackgroundSync.h"
#include "platform/PlatformServices.h"
#include "state/MediaStatus.h"

namespace nivora {

AccountStore& PageContext::account() const
{
    return m_account ? *m_account : AccountStore::shared();
}

ShellBackgroundSync& PageContext::shellBackground() const
{
    return m_shellBackground ? *m_shellBackground : ShellBackgroundSync::shared();
}

MediaStatus& PageContext::mediaStatus() const
{
    return MediaStatus::shared();
}

PlatformServices& PageContext::platform() const
{
    return m_platform ? *m_platform : PlatformServices::shared();
}

} // namespace nivora
