#pragma once

#include <QJsonObject>
#include <QObject>
#include <functional>
#include <memory>

class QAction;

namespace nivora {

class ControlServer;
class DashboardWindow;
class PopoverWindow;
class SplashWindow;
class TrayItem;
enum class NavSection;

// The application's lifecycle: the launch sequence, the tray icon, the answers
// to remote commands, and a clean way out that never loses a pending save.
class AppDelegate : public QObject
{
    Q_OBJECT

public:
    AppDelegate();
    ~AppDelegate() override;

    // Claims the single-instance bus name. False when another instance already
    // runs (the caller hands over to it and exits).
    bool claimInstance();

    // How the process was started: by the user, or by the session at login
    // (the autostart entry), which wants the desktop back and no window.
    enum class Start
    {
        ByUser,
        AtLogin
    };

    // Starts the long-lived parts, in launch order. A start at login shows
    // neither the splash nor the dashboard.
    void didFinishLaunching(Start start = Start::ByUser);

    // Shows the dashboard (creating it once).
    void openSettings();
    // Shows the dashboard on `section`.
    void openDashboardSection(NavSection section);
    // The dashboard window, once it has been opened.
    DashboardWindow* dashboardWindow() const { return m_dashboard; }

    // Opens the tray popover next to the tray icon (or the cursor), or closes
    // it; what `nivora ctl popover` does.
    void togglePopover();
    PopoverWindow* popover() const { return m_popover.get(); }

    // Hands a nivora:// URL to whoever handles it.
    void openUrl(const QString& url);

    // Saves pending settings and leaves the event loop.
    void quit();

    // The last step before the event loop returns: saves pending settings and
    // stops the wallpaper's threads.
    void shutdown();

    // Supplies the per-window part of `ctl status` once the wallpaper runs.
    void setStatusProvider(std::function<QJsonObject()> provider) { m_statusProvider = std::move(provider); }

protected:
    // The tray menu follows a change of language.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void retranslateTray();
    void setupStatusItem();
    void setupPopover();
    void ensurePopover();
    void showSplash();
    void togglePopoverAt(const QRect& anchor);
    QJsonObject status() const;
    // The names of the screens connected now, for `ctl --screen`.
    QStringList screenNames() const;

    std::unique_ptr<ControlServer> m_control;
    TrayItem* m_tray = nullptr;
    QList<QAction*> m_trayActions;
    // Top-level windows: owned here, not by a parent widget.
    std::unique_ptr<PopoverWindow> m_popover;
    std::unique_ptr<SplashWindow> m_splash;
    DashboardWindow* m_dashboard = nullptr;
    std::function<QJsonObject()> m_statusProvider;
    bool m_launched = false;
};

} // namespace nivora
