#include "dashboard/PageContext.h"

#include "account/AccountStore.h"
#include "dashboard/ScreenSourceEditor.h"
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

ScreenSourceEditor& PageContext::sourceEditor() const
{
    if (!m_sourceEditor)
        m_sourceEditor = std::make_shared<ScreenSourceEditor>(m_state);
    return *m_sourceEditor;
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
