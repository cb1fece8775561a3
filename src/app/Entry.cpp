#include "app/Entry.h"

#include "app/AppDelegate.h"
#include "app/CtlCommand.h"
#include "app/LogPrefix.h"
#include "app/Translations.h"
#include "app/UnixSignals.h"
#include "icons/FolderIconCommand.h"
#include "icons/PatternCommand.h"
#include "media/HeifImagePlugin.h"
#include "platform/ConsoleText.h"
#include "platform/FreedMemory.h"
#include "platform/SessionPlatform.h"
#include "platform/dbus/ControlBus.h"
#include "scene/RenderCommand.h"
#include "scene/WallpaperRenderer.h"
#include "state/AppState.h"
#include "state/LaunchAtLogin.h"
#include "widgets/WidgetFaceView.h"
#include "widgets/WidgetWindow.h"

#include <QApplication>
#include <QGuiApplication>
#include <QSessionManager>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

static void initResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace nivora {

namespace {

const char* const kUsage = QT_TRANSLATE_NOOP(
    "Entry", "usage : nivora [COMMANDE]\n"
             "  (sans commande)    démarre Nivora, ou montre le tableau de bord de celui qui tourne\n"
             "  ctl COMMANDE ...   pilote l'instance en cours (nivora ctl --help)\n"
             "  render ...         dessine une image d'une scène dans un PNG (nivora render --help)\n"
             "  pattern ...        dessine un motif de dossier dans un PNG (nivora pattern --help)\n"
             "  folder-icon ...    habille des dossiers d'un motif ou d'une image, ou l'enlève\n"
             "  nivora://...       passe un retour de connexion à l'instance en cours\n"
             "  --autostart        démarre sans écran d'accueil ni tableau de bord (démarrage à l'ouverture "
             "de session)\n"
             "  --version          affiche la version\n");

int runApp(int argc, char** argv, const QString& url, bool atLogin = false)
{
    // Wallpaper threads and video players come and go for as long as the app
    // runs; what they free must go back to the system.
    FreedMemory::configureForLongRuns();
    // The window system is settled before Qt picks its platform plugin.
    const SessionPlatform session = SessionPlatform::choose(SessionPlatform::probe());
    if (!session.error.isEmpty()) {
        std::fprintf(stderr, "Nivora: %s\n", session.error.toLocal8Bit().constData());
        return 1;
    }
    SessionPlatform::setCurrent(session);
    qInfo().noquote() << QStringLiteral("Desktop backend: %1 (%2).")
                             .arg(session.desktop == SessionPlatform::Desktop::LayerShell
                                      ? QStringLiteral("wayland-layer-shell")
                                      : QStringLiteral("x11"),
                                  session.reason);
    // "-platform" rather than QT_QPA_PLATFORM, so that programs Nivora starts
    // (the browser, a file manager) keep the session's own choice.
    QByteArray programName = QByteArrayLiteral("nivora");
    std::vector<char*> arguments(argv, argv + argc);
    if (arguments.empty())
        arguments.push_back(programName.data());
    QByteArray platformOption = QByteArrayLiteral("-platform");
    QByteArray platformName = session.qtPlatform;
    if (!platformName.isEmpty())
        arguments.insert(arguments.begin() + 1, {platformOption.data(), platformName.data()});
    arguments.push_back(nullptr);
    int appArgc = int(arguments.size()) - 1;

    // Every GL context of the process shares one group and one format, so the
    // scene program is compiled once for previews and desktop views alike.
    WallpaperRenderer::configureApplication();
    WidgetWindow::configureApplication();
    registerImageFormats();
    QApplication app(appArgc, arguments.data());
    initResources();
    QApplication::setApplicationName(QStringLiteral("Nivora"));
    QApplication::setApplicationVersion(QStringLiteral(NIVORA_VERSION));
    QApplication::setDesktopFileName(QStringLiteral(NIVORA_APP_ID));
    QApplication::setQuitOnLastWindowClosed(false);

    AppDelegate delegate;
    if (!delegate.claimInstance()) {
        // A login start finds the app already there: nothing to show.
        if (atLogin)
            return 0;
        // Another instance runs: it shows its dashboard (or takes the URL) and we leave.
        const auto result = url.isEmpty() ? ControlClient::call(QStringLiteral("dashboard"), {})
                                          : ControlClient::call(QStringLiteral("open-url"), {url});
        if (result.outcome != ControlClient::Outcome::Answered) {
            writeText(stderr,
                      QStringLiteral("nivora: %1\n")
                          .arg(QCoreApplication::translate("Entry", "l'instance en cours ne répond pas : %1")
                                   .arg(result.error)));
            return 1;
        }
        return 0;
    }

    // Everything shown from here on (splash, tray, dashboard) speaks the chosen language.
    LanguageFollower language(AppState::shared());

    // An autostart entry left by a version installed elsewhere starts this one again.
    LaunchAtLogin::repair();

    UnixSignals signals;
    QObject::connect(&signals, &UnixSignals::terminationRequested, &delegate, &AppDelegate::quit);
    // The desktop session ending is a way out too; never lose a pending save there.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &app,
                     [](QSessionManager&) { AppState::shared().flushPendingSave(); });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &delegate, &AppDelegate::shutdown);

    QTimer::singleShot(0, &delegate, [&delegate, url, atLogin] {
        delegate.didFinishLaunching(atLogin ? AppDelegate::Start::AtLogin : AppDelegate::Start::ByUser);
        if (!url.isEmpty())
            delegate.openUrl(url);
        if (qEnvironmentVariableIsSet("NIVORA_REPORT_READY")) {
            const auto now = std::chrono::duration_cast<std::chrono::microseconds>(
                                 std::chrono::system_clock::now().time_since_epoch())
                                 .count();
            std::fprintf(stderr, "nivora: ready %lld\n", static_cast<long long>(now));
            if (qEnvironmentVariable("NIVORA_REPORT_READY") == QLatin1String("exit"))
                QCoreApplication::exit(0);
        }
    });
    return app.exec();
}

// A launcher that runs the desktop entry's Exec line puts the sign-in callback,
// one-time code included, on our command line, where every local user can read
// it in /proc for as long as the process lives. It is taken off at once, handed
// to the running instance (the only one holding the attempt that can use the
// code) and this process leaves; nothing else is started for it.
int handOverCallback(char** argv, const QStringList& args)
{
    for (char** arg = argv + 1; *arg; ++arg) {
        if (std::strncmp(*arg, "nivora://", 9) == 0)
            std::memset(*arg, 0, std::strlen(*arg));
    }
    int appArgc = 1;
    QCoreApplication app(appArgc, argv);
    if (args.size() != 1) {
        writeText(stderr,
                  QStringLiteral("nivora: %1\n")
                      .arg(QCoreApplication::translate("Entry", "une seule adresse nivora:// est attendue")));
        return 2;
    }
    const auto result = ControlClient::call(QStringLiteral("open-url"), args);
    if (result.outcome == ControlClient::Outcome::Answered)
        return result.reply.status == 0 ? 0 : 1;
    writeText(
        stderr,
        QStringLiteral("nivora: %1\n")
            .arg(QCoreApplication::translate("Entry", "retour de connexion ignoré : %1").arg(result.error)));
    return 1;
}

} // namespace

int entry(int argc, char** argv)
{
    LogPrefix::install();
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));

    if (args.isEmpty())
        return runApp(argc, argv, QString());
    const QString first = args.first();
    const QStringList rest = args.mid(1);
    if (first == QLatin1String("ctl"))
        return runCtlCommand(argc, argv, rest);
    if (first == QLatin1String("render"))
        return runRenderCommand(argc, argv, rest);
    if (first == QLatin1String("pattern"))
        return runPatternCommand(argc, argv, rest);
    if (first == QLatin1String("folder-icon"))
        return runFolderIconCommand(argc, argv, rest);
    if (first.startsWith(QLatin1String("nivora://")))
        return handOverCallback(argv, args);
    if (first == LaunchAtLogin::autostartArgument && args.size() == 1)
        return runApp(argc, argv, QString(), true);
    if (first == QLatin1String("--help") || first == QLatin1String("-h")) {
        QCoreApplication app(argc, argv);
        writeText(stdout, QCoreApplication::translate("Entry", kUsage));
        return 0;
    }
    if (first == QLatin1String("--version")) {
        std::printf("nivora %s\n", NIVORA_VERSION);
        return 0;
    }
    QCoreApplication app(argc, argv);
    writeText(stderr, QStringLiteral("nivora: %1\n%2")
                          .arg(QCoreApplication::translate("Entry", "argument inconnu « %1 »").arg(first),
                               QCoreApplication::translate("Entry", kUsage)));
    return 2;
}

} // namespace nivora
