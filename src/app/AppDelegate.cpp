#include "app/AppDelegate.h"

#include "account/AccountStore.h"
#include "app/BrandIcon.h"
#include "app/ControlCommands.h"
#include "app/LaunchReport.h"
#include "app/MenuBarView.h"
#include "app/PopoverWindow.h"
#include "app/SplashWindow.h"
#include "app/TrayItem.h"
#include "assets/Fonts.h"
#include "dashboard/DashboardView.h"
#include "dashboard/DashboardWindow.h"
#include "dashboard/SidebarView.h"
#include "desktop/FirstFrameReport.h"
#include "desktop/ShellBackgroundSync.h"
#include "desktop/WallpaperController.h"
#include "platform/CompositorWatcher.h"
#include "platform/PlatformServices.h"
#include "platform/dbus/ControlBus.h"
#include "state/AppState.h"
#include "state/SceneActions.h"
#include "widgets/DesktopWidgetController.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QPointer>
#include <QTimer>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace nivora {

AppDelegate::AppDelegate()
{
    // The settings store is only touched once a command arrives, so a second
    // instance that merely hands over never loads it.
    m_control = std::make_unique<ControlServer>([this](const QString& command, const QStringList& args) {
        return ControlCommands(
                   AppState::shared(), this, [this] { return status(); }, [this] { return screenNames(); })
            .handle(command, args);
    });
}

AppDelegate::~AppDelegate()
{
    delete m_dashboard;
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
            "Nivora: no session bus; running without remote control or a single instance");
        return true;
    }
    return true;
}

void AppDelegate::didFinishLaunching(Start start)
{
    m_launched = true;
    Fonts::load();
    // Taskbars show this for the dashboard; the .desktop entry, matched through
    // the desktop file name, gives launchers the same mark.
    QApplication::setWindowIcon(brandIcon());
    if (LaunchReport::enabled())
        FirstFrameReport::setObserver([] { LaunchReport::event("wallpaper frame"); });
    // The wallpaper first: its start creates and loads the settings store.
    WallpaperController::shared().start();
    m_statusProvider = [] { return WallpaperController::shared().statusJson(); };
    DesktopWidgetController::shared().start();
    // A session kept from an earlier run whose access token has expired is
    // refreshed now, or signed out, before any page shows it as signed in.
    AccountStore::shared().resumeSession();
    ShellBackgroundSync::shared().start();
    setupStatusItem();
    // The controllers build their windows on the next turn of the event loop;
    // the splash comes after them, and the popover once the splash is drawn.
    // At login the desktop is all the user asked for.
    QTimer::singleShot(0, this, [this, start] {
        if (start == Start::ByUser)
            showSplash();
        setupPopover();
    });
}

void AppDelegate::setupStatusItem()
{
    // The popover's actions, for trays that show a menu instead of sending
    // clicks (GNOME's AppIndicator extension) and for everyone's right click.
    AppState& state = AppState::shared();
    auto* dashboard = new QAction(this);
    connect(dashboard, &QAction::triggered, this, &AppDelegate::openSettings);
    auto* running = new QAction(this);
    running->setCheckable(true);
    running->setChecked(state.isRunning());
    connect(running, &QAction::triggered, this, [](bool on) { AppState::shared().setIsRunning(on); });
    connect(&state, &AppState::isRunningChanged, running, &QAction::setChecked);
    auto* previous = new QAction(this);
    connect(previous, &QAction::triggered, this, [] { SceneActions::switchScene(AppState::shared(), -1); });
    auto* next = new QAction(this);
    connect(next, &QAction::triggered, this, [] { SceneActions::showNext(AppState::shared()); });
    auto* separator = new QAction(this);
    separator->setSeparator(true);
    auto* quitAction = new QAction(this);
    connect(quitAction, &QAction::triggered, this, &AppDelegate::quit);
    m_trayActions = {dashboard, running, previous, next, separator, quitAction};
    retranslateTray();
    QCoreApplication::instance()->installEventFilter(this);

    // Without any tray the item stays invisible; the app keeps running and
    // remains reachable through `nivora` and `nivora ctl`.
    m_tray = new TrayItem(brandIcon(), QStringLiteral("Nivora"), m_trayActions, this);
    connect(m_tray, &TrayItem::activated, this, &AppDelegate::togglePopoverAt);
    m_tray->show();
}

void AppDelegate::retranslateTray()
{
    const QStringList texts{QCoreApplication::translate("AppDelegate", "Ouvrir le tableau de bord"),
                            QCoreApplication::translate("AppDelegate", "Fond animé"),
                            QCoreApplication::translate("AppDelegate", "Scène précédente"),
                            QCoreApplication::translate("AppDelegate", "Scène suivante"),
                            QString(),
                            QCoreApplication::translate("AppDelegate", "Quitter Nivora")};
    for (qsizetype i = 0; i < m_trayActions.size() && i < texts.size(); ++i)
        m_trayActions.at(i)->setText(texts.at(i));
}

bool AppDelegate::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == QCoreApplication::instance() && event->type() == QEvent::LanguageChange)
        retranslateTray();
    return QObject::eventFilter(watched, event);
}

void AppDelegate::setupPopover()
{
    // Its GL preview costs a context: the splash must not wait for it.
    if (m_splash)
        connect(m_splash.get(), &SplashWindow::firstPainted, this, &AppDelegate::ensurePopover,
                Qt::QueuedConnection);
    else
        QTimer::singleShot(0, this, &AppDelegate::ensurePopover);
}

void AppDelegate::ensurePopover()
{
    if (m_popover)
        return;
    QPointer<AppDelegate> self(this);
    auto* view = new MenuBarView(
        AppState::shared(),
        [self] {
            if (self)
                self->openSettings();
        },
        [self] {
            if (self)
                self->quit();
        });
    m_popover = std::make_unique<PopoverWindow>(view);
    if (LaunchReport::enabled())
        connect(m_popover.get(), &PopoverWindow::firstPainted, this,
                [](double ms) { LaunchReport::milliseconds("popover painted", ms); });
}

void AppDelegate::showSplash()
{
    m_splash = std::make_unique<SplashWindow>(CompositorWatcher::shared().active());
    connect(m_splash.get(), &SplashWindow::firstPainted, this, [] { LaunchReport::event("splash shown"); });
    m_splash->present();
    QPointer<AppDelegate> self(this);
    QTimer::singleShot(1800, this, [self] {
        if (!self || !self->m_splash)
            return;
        self->m_splash->fadeOut([self] {
            if (!self)
                return;
            // Destroyed on the next turn: this runs inside the window's own
            // animation.
            if (self->m_splash)
                self->m_splash.release()->deleteLater();
            self->openSettings();
        });
    });
}

void AppDelegate::togglePopover()
{
    ensurePopover();
    m_popover->toggle(m_tray ? m_tray->anchor() : QRect(), PopoverWindow::Trigger::Command);
}

void AppDelegate::togglePopoverAt(const QRect& anchor)
{
    ensurePopover();
    m_popover->toggle(anchor);
}

void AppDelegate::openSettings()
{
    if (m_popover)
        m_popover->close();
    if (!m_dashboard) {
        // The first section depends on the session held now; it is chosen once
        // per run, since the window is kept from here on.
        const bool signedIn = AccountStore::shared().signedIn();
        m_dashboard = new DashboardWindow(AppState::shared(), signedIn);
        connect(m_dashboard, &DashboardWindow::quitRequested, this, &AppDelegate::quit);
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
    // The address carries a one-time sign-in code: it is handed over, never logged.
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

QStringList AppDelegate::screenNames() const
{
    QStringList names;
    // The platform's screens exist once the wallpaper has started.
    if (!m_launched || !PlatformServices::shared().screens)
        return names;
    for (const ScreenInfo& screen : PlatformServices::shared().screens->screens())
        names.append(screen.name);
    return names;
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
#if defined(__GLIBC__)
    // RSS alone cannot tell a leak from pages the allocator keeps; the bytes
    // handed out (small blocks and mmapped large ones) can, so long runs read them here.
    const struct mallinfo2 heap = mallinfo2();
    o.insert(QStringLiteral("memory"),
             QJsonObject{{QStringLiteral("heapInUse"), static_cast<qint64>(heap.uordblks)},
                         {QStringLiteral("heapMapped"), static_cast<qint64>(heap.hblkhd)},
                         {QStringLiteral("heapFree"), static_cast<qint64>(heap.fordblks)}});
#endif
    return o;
}

} // namespace nivora
