#pragma once

#include <memory>

namespace nivora {

class AccountStore;
class AppState;
class MediaStatus;
class ScreenSourceEditor;
class ShellBackgroundSync;
struct PlatformServices;

// What the dashboard's pages use of the process: the settings, the account,
// GNOME's background sync and the platform's services. The dashboard builds
// every page from one, so a page names what it touches in its constructor and
// can be built over other stores. A service not given is the process's own,
// looked up only when a page first asks for it.
class PageContext
{
public:
    explicit PageContext(AppState& state) : m_state(state) {}
    PageContext(AppState& state, AccountStore& account, ShellBackgroundSync& shellBackground,
                PlatformServices& platform)
        : m_state(state), m_account(&account), m_shellBackground(&shellBackground), m_platform(&platform)
    {
    }

    AppState& state() const { return m_state; }
    AccountStore& account() const;
    ShellBackgroundSync& shellBackground() const;
    PlatformServices& platform() const;
    // What the Scenes, Colours and Media pages edit (the main settings or one
    // screen's own values), shared by every page built from this context.
    ScreenSourceEditor& sourceEditor() const;
    // What became of the chosen media file; always the process's own.
    MediaStatus& mediaStatus() const;

private:
    AppState& m_state;
    AccountStore* m_account = nullptr;
    ShellBackgroundSync* m_shellBackground = nullptr;
    PlatformServices* m_platform = nullptr;
    // Made when a page first asks for it.
    mutable std::shared_ptr<ScreenSourceEditor> m_sourceEditor;
};

} // namespace nivora
