#include "app/AppDelegate.h"

#include "account/AccountStore.h"
#include "app/BrandIcon.h"
#include "app/ControlCommands.h"
#include "dashboard/DashboardWindow.h"
#include "engine/WallpaperController.h"
#include "platform/dbus/ControlBus.h"
#include "state/AppState.h"
#include "widgets/DesktopWidgetController.h"
#include "widgets/Fonts.h"

#include <QApplication>
#include <QMenu>
#include <QSystemTrayIcon>

namespace nivora {

AppDelegate::AppDelegate()
{
    // The settings store is only touched once a command arrives, so a second
    // instance that merely hands over never loads it.
    m_control = std::make_unique<ControlServer>([this](const QString& command, const QStringList& args) {
        return ControlCommands(AppState::shared(), this, [this] { return status(); }).handle(command, args);
    });
}

AppDelegate::~AppDelegate()
{
    delete m_dashboard;
    delete m_trayMenu;
}

bool AppDelegate::claimInstance()
{
    switch (m_control->registerInstance()) {
    case ControlServer::Registration::Registered:
        return true;
    case ControlServer::Registration::AlreadyRunning:
        return false;
    case ControlServer::Registration::NoBus:
        qWarning().noquote() << QStringLiteral(
            "Lumeris: pas de bus de session ; Nivora tourne sans contrôle à distance ni instance unique");
        return true;
    }
    return true;
}

void AppDelegate::didFinishLaunching()
{
    m_launched = true;
    Fonts::load();
    // The wallpaper first: its start creates and loads the settings store.
    WallpaperController::shared().start();
    m_statusProvider = [] { return WallpaperController::shared().statusJson(); };
    DesktopWidgetController::shared().start();
    setupStatusItem();
}

void AppDelegate::setupStatusItem()
{
    m_trayMenu = new QMenu();
    QAction* quitAction = m_trayMenu->addAction(QStringLiteral("Quitter Nivora"));
    connect(quitAction, &QAction::triggered, this, &AppDelegate::quit);

    m_tray = new QSystemTrayIcon(brandIcon(), this);
    m_tray->setToolTip(QStringLiteral("Nivora"));
    m_tray->setContextMenu(m_trayMenu);
    // Without a tray host the icon simply stays hidden; the app keeps running and
    // remains reachable through `nivora` and `nivora ctl`.
    m_tray->show();
}

void AppDelegate::openSettings()
{
    if (!m_dashboard) {
        // The first section depends on the session held now; it is chosen once
        // per run, since the window is kept from here on.
        const bool signedIn = AccountStore::shared().signedIn();
        m_dashboard = new DashboardWindow(AppState::shared(), signedIn);
    }
    m_dashboard->present();
}

void AppDelegate::openDashboardSection(NavSection section)
{
    openSettings();
    m_dashboard->setSection(section);
}

void AppDelegate::openUrl(const QString& url)
{
    // The address may carry a session: it is handed over, never logged.
    if (AccountStore::shared().handleCallbackUrl(url))
        openSettings();
}

void AppDelegate::quit()
{
    AppState::shared().flushPendingSave();
    QCoreApplication::quit();
}

void AppDelegate::shutdown()
{
    AppState::shared().flushPendingSave();
    if (m_launched)
        WallpaperController::shared().shutdown();
}

QJsonObject AppDelegate::status() const
{
    QJsonObject o;
    if (m_statusProvider)
        o = m_statusProvider();
    const AppState& state = AppState::shared();
    if (!o.contains(QStringLiteral("active")))
        o.insert(QStringLiteral("active"), state.isRunning());
    if (!o.contains(QStringLiteral("autopilot")))
        o.insert(QStringLiteral("autopilot"), state.autopilot());
    return o;
}

} // namespace nivora
