// The shell of the real `nivora` binary on the test display: the launch order
// of its windows, the tray item in an XEmbed tray (tint2) and with a
// StatusNotifierWatcher on the session bus (a small fake one here), the
// popover's opening and closing rules, the tray menu's actions and the way out.
#include "XdoSearch.h"
#include "platform/dbus/TrayDBusTypes.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusContext>
#include <QDBusInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace nivora;

namespace {

QString binary()
{
    return qEnvironmentVariable("NIVORA_BINARY");
}

QString run(const QString& program, const QStringList& args, int* status = nullptr)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(10000);
    if (status)
        *status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

QList<qulonglong> visibleWindows(const QString& nameRegex)
{
    QList<qulonglong> ids;
    for (const QString& line : xdoSearch({"--onlyvisible", "--name", nameRegex}))
        ids.append(line.toULongLong());
    return ids;
}

QRect geometryOf(qulonglong id)
{
    // xdotool's --shell output: WINDOW, X, Y, WIDTH, HEIGHT, SCREEN.
    const QString out = run(QStringLiteral("xdotool"), {"getwindowgeometry", "--shell", QString::number(id)});
    QHash<QString, int> v;
    for (const QString& line : out.split(QLatin1Char('\n'))) {
        const int eq = line.indexOf(QLatin1Char('='));
        if (eq > 0)
            v.insert(line.left(eq), line.mid(eq + 1).toInt());
    }
    return QRect(v.value("X"), v.value("Y"), v.value("WIDTH"), v.value("HEIGHT"));
}

QString windowType(qulonglong id)
{
    return run(QStringLiteral("xprop"), {"-id", QString::number(id), "_NET_WM_WINDOW_TYPE"});
}

void click(const QPoint& at)
{
    run(QStringLiteral("xdotool"), {"mousemove", QString::number(at.x()), QString::number(at.y())});
    QTest::qWait(60);
    run(QStringLiteral("xdotool"), {"click", "1"});
}

// The popover's geometry, or an invalid rectangle while it is not shown.
QRect popover()
{
    const QList<qulonglong> ids = visibleWindows(QStringLiteral("^Nivora popover$"));
    return ids.isEmpty() ? QRect() : geometryOf(ids.first());
}

} // namespace

// Just enough of org.kde.StatusNotifierWatcher for an item to register: it
// records who registered and claims a host is present.
class FakeWatcher : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ hostRegistered)
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ items)
    Q_PROPERTY(int ProtocolVersion READ protocolVersion)

public:
    bool hostRegistered() const { return true; }
    QStringList items() const { return m_items; }
    int protocolVersion() const { return 0; }

    QString service;
    QString sender;

public Q_SLOTS:
    void RegisterStatusNotifierItem(const QString& name)
    {
        service = name;
        sender = message().service();
        m_items.append(name);
        Q_EMIT StatusNotifierItemRegistered(name);
    }
    void RegisterStatusNotifierHost(const QString&) {}

Q_SIGNALS:
    void StatusNotifierItemRegistered(const QString& name);
    void StatusNotifierItemUnregistered(const QString& name);
    void StatusNotifierHostRegistered();

private:
    QStringList m_items;
};

class TestShellEndToEnd : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_home;
    std::unique_ptr<QProcess> m_app;
    std::unique_ptr<QProcess> m_tray;
    QElapsedTimer m_started;

    QProcessEnvironment env() const
    {
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        e.insert("XDG_CONFIG_HOME", m_home->filePath("config"));
        e.insert("XDG_DATA_HOME", m_home->filePath("data"));
        return e;
    }

    int ctl(const QStringList& args, QString* out = nullptr)
    {
        QProcess p;
        p.setProcessEnvironment(env());
        p.start(binary(), QStringList{"ctl"} + args);
        // The fake watcher lives on this thread: keep the event loop turning.
        for (int waited = 0; p.state() != QProcess::NotRunning && waited < 20000; waited += 10)
            QTest::qWait(10);
        if (p.state() != QProcess::NotRunning) {
            p.kill();
            p.waitForFinished();
            return -1;
        }
        if (out)
            *out = QString::fromUtf8(p.readAllStandardOutput()).trimmed();
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    }

    void startApp()
    {
        m_app = std::make_unique<QProcess>();
        m_app->setProcessEnvironment(env());
        m_app->start(binary(), {});
        m_started.start();
        QVERIFY(m_app->waitForStarted());
    }

    bool answering() { return ctl({"get", "fps"}) == 0; }

    QJsonObject storedSettings() const
    {
        QFile f(m_home->filePath("config/nivora/defaults.json"));
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QJsonDocument::fromJson(f.readAll()).object();
    }

    // The XEmbed icon tint2 holds: a small window of ours inside the panel.
    QRect dockedIcon()
    {
        for (const QString& line : xdoSearch({"--onlyvisible", "--classname", "nivora"})) {
            const QRect g = geometryOf(line.toULongLong());
            if (g.width() > 0 && g.width() <= 64 && g.height() <= 64 && g.top() < 40)
                return g;
        }
        return QRect();
    }

    // Until the splash has gone and the dashboard it opens is up, so that
    // opening the dashboard does not close a popover a case just opened.
    void waitForLaunchSequence()
    {
        QElapsedTimer waiting;
        waiting.start();
        auto dashboardUp = [] {
            for (qulonglong id : visibleWindows(QStringLiteral("^Nivora$"))) {
                if (windowType(id).contains(QLatin1String("_NET_WM_WINDOW_TYPE_NORMAL")))
                    return true;
            }
            return false;
        };
        while (!dashboardUp() && waiting.elapsed() < 30000)
            QTest::qWait(100);
        QVERIFY2(dashboardUp(), "the launch sequence did not end with the dashboard");
        QTest::qWait(300);
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY2(QFile::exists(binary()), "NIVORA_BINARY must name the built executable");
        m_home = std::make_unique<QTemporaryDir>();
    }

    void cleanup()
    {
        if (QTest::currentTestFailed() && m_app)
            qWarning().noquote() << "nivora stderr:" << m_app->readAllStandardError();
        if (m_app && m_app->state() != QProcess::NotRunning) {
            m_app->terminate();
            if (!m_app->waitForFinished(10000))
                m_app->kill();
            m_app->waitForFinished();
        }
        m_app.reset();
        if (m_tray) {
            m_tray->kill();
            m_tray->waitForFinished();
            m_tray.reset();
        }
        run(QStringLiteral("xdotool"), {"mousemove", "5", "1070"});
        m_home.reset();
    }

    void launchOrder()
    {
        startApp();
        qint64 splashAt = -1;
        qint64 splashGoneAt = -1;
        qint64 dashboardAt = -1;
        qulonglong wallpaperId = 0;
        qulonglong splashId = 0;
        qulonglong dashboardId = 0;
        QHash<qulonglong, QString> types;
        // Each window is seen at the first look after it shows: the times
        // below are as fine as the longest gap between two looks, which a
        // loaded machine stretches.
        qint64 lastLook = -1;
        qint64 longestGap = 0;
        while (m_started.elapsed() < 20000 && dashboardAt < 0) {
            const qint64 now = m_started.elapsed();
            if (lastLook >= 0)
                longestGap = std::max(longestGap, now - lastLook);
            lastLook = now;
            if (wallpaperId == 0) {
                const QList<qulonglong> ids = visibleWindows(QStringLiteral("^Nivora wallpaper$"));
                if (!ids.isEmpty())
                    wallpaperId = *std::min_element(ids.begin(), ids.end());
            }
            bool splashVisible = false;
            for (qulonglong id : visibleWindows(QStringLiteral("^Nivora( splash)?$"))) {
                if (!types.contains(id))
                    types.insert(id, windowType(id));
                if (types.value(id).contains(QLatin1String("_NET_WM_WINDOW_TYPE_SPLASH"))) {
                    splashVisible = true;
                    splashId = id;
                } else if (types.value(id).contains(QLatin1String("_NET_WM_WINDOW_TYPE_NORMAL")) &&
                           dashboardAt < 0) {
                    dashboardAt = now;
                    dashboardId = id;
                }
            }
            if (splashVisible && splashAt < 0)
                splashAt = now;
            if (!splashVisible && splashAt >= 0 && splashGoneAt < 0)
                splashGoneAt = now;
            QTest::qWait(20);
        }
        if (wallpaperId == 0) {
            // Seen too briefly between two polls, or mapped late: its id tells
            // when it was made all the same.
            for (const QString& line : xdoSearch({"--name", "^Nivora wallpaper$"}))
                wallpaperId =
                    wallpaperId == 0 ? line.toULongLong() : std::min(wallpaperId, line.toULongLong());
        }
        QVERIFY2(wallpaperId != 0, "no wallpaper window");
        QVERIFY2(splashAt >= 0, "no splash window");
        QVERIFY2(dashboardAt >= 0, "no dashboard window");
        // The X server hands out one client's window ids in increasing order:
        // the order of the ids is the order in which the windows were made,
        // whatever the window manager's pace in mapping them.
        QVERIFY2(wallpaperId < splashId && splashId < dashboardId,
                 qPrintable(QStringLiteral("%1 %2 %3").arg(wallpaperId).arg(splashId).arg(dashboardId)));
        // 1.8 s shown, 0.4 s fading, then the dashboard: never sooner than
        // 2.2 s after the process started. The splash's clock starts when it is
        // asked to show, a moment before the window manager maps it.
        QVERIFY2(dashboardAt >= 2200, qPrintable(QString::number(dashboardAt)));
        QVERIFY2(
            dashboardAt - splashAt >= 1800 - longestGap,
            qPrintable(
                QStringLiteral("%1 (looks up to %2 ms apart)").arg(dashboardAt - splashAt).arg(longestGap)));
        QVERIFY2(
            dashboardAt - splashAt <= 4500 + longestGap,
            qPrintable(
                QStringLiteral("%1 (looks up to %2 ms apart)").arg(dashboardAt - splashAt).arg(longestGap)));
        QVERIFY(splashGoneAt >= 0 && splashGoneAt <= dashboardAt + 100);

        // Closing the dashboard keeps the process and its wallpaper; launching
        // `nivora` again shows the dashboard again.
        const QList<qulonglong> before = visibleWindows(QStringLiteral("^Nivora$"));
        QCOMPARE(before.size(), 1);
        // Closed the way a window manager closes it (_NET_CLOSE_WINDOW).
        run(QStringLiteral("wmctrl"), {"-i", "-c", QString::number(before.first())});
        QTRY_VERIFY(visibleWindows(QStringLiteral("^Nivora$")).isEmpty());
        QTest::qWait(300);
        QCOMPARE(m_app->state(), QProcess::Running);
        QVERIFY(!visibleWindows(QStringLiteral("^Nivora wallpaper$")).isEmpty());
        QProcess second;
        second.setProcessEnvironment(env());
        second.start(binary(), {});
        QTRY_VERIFY_WITH_TIMEOUT(second.state() == QProcess::NotRunning, 20000);
        QCOMPARE(second.exitCode(), 0);
        // One dashboard again (its native window may be made anew), and a
        // second request does not add another.
        QTRY_COMPARE(visibleWindows(QStringLiteral("^Nivora$")).size(), 1);
        QCOMPARE(ctl({"dashboard"}), 0);
        QTest::qWait(500);
        QCOMPARE(visibleWindows(QStringLiteral("^Nivora$")).size(), 1);
    }

    // At login the session runs the autostart entry's command: the wallpaper
    // and the tray item come, no splash and no dashboard. An entry written by
    // an older version, without the argument, gets it at the next start.
    void loginStartShowsOnlyTheDesktop()
    {
        const QString entryPath = m_home->filePath("config/autostart/app.nivora.Nivora.desktop");
        QVERIFY(QDir().mkpath(QFileInfo(entryPath).absolutePath()));
        {
            QFile entry(entryPath);
            QVERIFY(entry.open(QIODevice::WriteOnly));
            entry.write("[Desktop Entry]\nType=Application\nName=Nivora\nExec=" +
                        QFile::encodeName(binary()) + "\nX-GNOME-Autostart-enabled=true\n");
        }
        // A start by the user is unchanged, and mends the entry.
        startApp();
        waitForLaunchSequence();
        QString exec;
        {
            QFile entry(entryPath);
            QVERIFY(entry.open(QIODevice::ReadOnly));
            for (const QByteArray& line : entry.readAll().split('\n')) {
                if (line.startsWith("Exec="))
                    exec = QString::fromUtf8(line.mid(5));
            }
        }
        QCOMPARE(exec, binary() + QStringLiteral(" --autostart"));
        QCOMPARE(ctl({"quit"}), 0);
        QVERIFY(m_app->waitForFinished(20000));

        const QStringList command = QProcess::splitCommand(exec);
        m_app = std::make_unique<QProcess>();
        m_app->setProcessEnvironment(env());
        m_app->start(command.first(), command.mid(1));
        QVERIFY(m_app->waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(!visibleWindows(QStringLiteral("^Nivora wallpaper$")).isEmpty(), 20000);
        QTRY_VERIFY_WITH_TIMEOUT(answering(), 20000);
        auto shownWindow = [] {
            for (qulonglong id : visibleWindows(QStringLiteral("^Nivora( splash)?$"))) {
                const QString type = windowType(id);
                if (type.contains(QLatin1String("_NET_WM_WINDOW_TYPE_SPLASH")) ||
                    type.contains(QLatin1String("_NET_WM_WINDOW_TYPE_NORMAL")))
                    return true;
            }
            return false;
        };
        // Well past the moment the splash and then the dashboard would come.
        QElapsedTimer watching;
        watching.start();
        while (watching.elapsed() < 4000) {
            QVERIFY2(!shownWindow(), "a login start showed a window");
            QTest::qWait(100);
        }
        QCOMPARE(m_app->state(), QProcess::Running);
        // The user asks for it: the dashboard comes.
        QProcess second;
        second.setProcessEnvironment(env());
        second.start(binary(), {});
        QTRY_VERIFY_WITH_TIMEOUT(second.state() == QProcess::NotRunning, 20000);
        QCOMPARE(second.exitCode(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(shownWindow(), 10000);
    }

    void xembedTray()
    {
        QVERIFY2(!run(QStringLiteral("sh"), {"-c", "command -v tint2"}).isEmpty(),
                 "tint2 is missing: run scripts/setup");
        // A panel along the top of the screen holding only a system tray.
        const QString config = m_home->filePath("tint2rc");
        QFile rc(config);
        QVERIFY(rc.open(QIODevice::WriteOnly));
        rc.write("panel_items = S\npanel_position = top center horizontal\npanel_size = 100% 30\n"
                 "panel_layer = top\nstrut_policy = follow_size\nsystray_padding = 4 2 4\n"
                 "systray_icon_size = 22\nsystray_sort = ascending\n");
        rc.close();
        m_tray = std::make_unique<QProcess>();
        m_tray->start(QStringLiteral("tint2"), {"-c", config});
        QVERIFY(m_tray->waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(!xdoSearch({"--onlyvisible", "--class", "tint2"}).isEmpty(), 10000);
        QTest::qWait(500);

        startApp();
        // Wall-clock wait: every probe of the icon runs X tools, which a
        // step-counting wait would not count.
        QElapsedTimer docking;
        docking.start();
        while (!dockedIcon().isValid() && docking.elapsed() < 30000)
            QTest::qWait(100);
        QVERIFY2(dockedIcon().isValid(), "the tray icon was not docked in tint2");
        const QRect icon = dockedIcon();
        waitForLaunchSequence();

        click(icon.center());
        QTRY_VERIFY(popover().isValid());
        const QRect placed = popover();
        QCOMPARE(placed.size(), QSize(300, 440));
        QVERIFY2(QRect(0, 0, 1920, 1080).contains(placed),
                 qPrintable(QStringLiteral("%1,%2").arg(placed.x()).arg(placed.y())));
        // Below the icon, next to it, horizontally over it.
        QVERIFY2(placed.top() > icon.bottom() && placed.top() - icon.bottom() <= 12,
                 qPrintable(
                     QStringLiteral("popover top %1, icon bottom %2").arg(placed.top()).arg(icon.bottom())));
        QVERIFY(placed.left() <= icon.center().x() && placed.right() >= icon.center().x());

        // A second click on the icon closes it, and it stays closed.
        click(icon.center());
        QTRY_VERIFY(!popover().isValid());
        QTest::qWait(800);
        QVERIFY(!popover().isValid());

        // A click elsewhere closes it.
        click(icon.center());
        QTRY_VERIFY(popover().isValid());
        click(QPoint(900, 800));
        QTRY_VERIFY(!popover().isValid());
        QTest::qWait(500);

        // So does Escape.
        click(icon.center());
        QTRY_VERIFY(popover().isValid());
        run(QStringLiteral("xdotool"), {"key", "Escape"});
        QTRY_VERIFY(!popover().isValid());

        // And `nivora ctl popover` toggles it, beside the icon too.
        QCOMPARE(ctl({"popover"}), 0);
        QTRY_VERIFY(popover().isValid());
        QCOMPARE(popover(), placed);
        QCOMPARE(ctl({"popover"}), 0);
        QTRY_VERIFY(!popover().isValid());
    }

    void statusNotifierItem()
    {
        registerTrayDBusTypes();
        QDBusConnection bus = QDBusConnection::sessionBus();
        FakeWatcher watcher;
        QVERIFY(bus.registerObject(QStringLiteral("/StatusNotifierWatcher"), &watcher,
                                   QDBusConnection::ExportAllContents));
        QVERIFY(bus.registerService(QStringLiteral("org.kde.StatusNotifierWatcher")));
        auto unregister = qScopeGuard([&] {
            bus.unregisterService(QStringLiteral("org.kde.StatusNotifierWatcher"));
            bus.unregisterObject(QStringLiteral("/StatusNotifierWatcher"));
        });

        startApp();
        QTRY_VERIFY_WITH_TIMEOUT(!watcher.service.isEmpty(), 15000);
        QVERIFY(watcher.service.startsWith(QLatin1String("org.kde.StatusNotifierItem-")));
        QDBusInterface item(watcher.service, QStringLiteral("/StatusNotifierItem"),
                            QStringLiteral("org.kde.StatusNotifierItem"), bus);
        QTRY_VERIFY(item.isValid());
        QCOMPARE(item.property("Title").toString(), QStringLiteral("Nivora"));
        QCOMPARE(item.property("ItemIsMenu").toBool(), false);
        QTRY_VERIFY_WITH_TIMEOUT(answering(), 15000);
        waitForLaunchSequence();

        // Activate at a point: the popover opens there (just below it), and a
        // second Activate closes it.
        item.asyncCall(QStringLiteral("Activate"), 400, 300);
        QTRY_VERIFY(popover().isValid());
        QCOMPARE(popover(), QRect(250, 305, 300, 440));
        item.asyncCall(QStringLiteral("Activate"), 400, 300);
        QTRY_VERIFY(!popover().isValid());

        // The menu: its labels, and each action's effect on the store.
        QDBusMessage layoutCall = QDBusMessage::createMethodCall(watcher.service, QStringLiteral("/MenuBar"),
                                                                 QStringLiteral("com.canonical.dbusmenu"),
                                                                 QStringLiteral("GetLayout"));
        layoutCall << 0 << -1 << QStringList();
        auto layout = [&] {
            const QDBusMessage reply = bus.call(layoutCall);
            DBusMenuLayoutItem root;
            if (reply.type() == QDBusMessage::ReplyMessage && reply.arguments().size() == 2)
                reply.arguments().at(1).value<QDBusArgument>() >> root;
            return root;
        };
        QHash<QString, int> ids;
        for (const DBusMenuLayoutItem& child : layout().children)
            ids.insert(child.properties.value("label").toString(), child.id);
        for (const char* label : {"Ouvrir le tableau de bord", "Fond animé", "Scène précédente",
                                  "Scène suivante", "Quitter Nivora"})
            QVERIFY2(ids.contains(QString::fromUtf8(label)), label);
        auto clickItem = [&](const QString& label) {
            QDBusMessage event = QDBusMessage::createMethodCall(watcher.service, QStringLiteral("/MenuBar"),
                                                                QStringLiteral("com.canonical.dbusmenu"),
                                                                QStringLiteral("Event"));
            event << ids.value(label) << QStringLiteral("clicked") << QVariant::fromValue(QDBusVariant(0))
                  << uint(0);
            bus.call(event);
        };
        auto toggleState = [&](const QString& label) {
            for (const DBusMenuLayoutItem& child : layout().children) {
                if (child.id == ids.value(label))
                    return child.properties.value("toggle-state").toInt();
            }
            return -1;
        };
        QString out;
        QCOMPARE(toggleState(QStringLiteral("Fond animé")), 1);
        // While the media plays a folder, the next scene is its next file,
        // as with `nivora ctl next`.
        QTemporaryDir album;
        for (const char* name : {"1.png", "2.png"}) {
            QImage picture(32, 18, QImage::Format_RGB32);
            picture.fill(Qt::darkCyan);
            QVERIFY(picture.save(album.filePath(QLatin1String(name))));
        }
        const auto shownMedia = [&] {
            QString status;
            ctl({"status"}, &status);
            return QJsonDocument::fromJson(status.toUtf8())["windows"][0]["media"].toString();
        };
        QCOMPARE(ctl({"set", "mediaPath", QStringLiteral("\"%1\"").arg(album.path())}), 0);
        QCOMPARE(ctl({"set", "wallpaperMode", "\"image\""}), 0);
        QTRY_COMPARE_WITH_TIMEOUT(shownMedia(), album.filePath(QStringLiteral("1.png")), 15000);
        clickItem(QStringLiteral("Scène suivante"));
        QTRY_COMPARE_WITH_TIMEOUT(shownMedia(), album.filePath(QStringLiteral("2.png")), 15000);
        QVERIFY(ctl({"get", "sceneIndex"}, &out) == 0 && out == QLatin1String("0"));
        QCOMPARE(ctl({"set", "wallpaperMode", "\"scene\""}), 0);
        clickItem(QStringLiteral("Fond animé"));
        QTRY_VERIFY(ctl({"get", "isRunning"}, &out) == 0 && out == QLatin1String("false"));
        QCOMPARE(toggleState(QStringLiteral("Fond animé")), 0);
        clickItem(QStringLiteral("Scène précédente"));
        QTRY_VERIFY(ctl({"get", "sceneIndex"}, &out) == 0 && out == QLatin1String("14"));
        clickItem(QStringLiteral("Scène suivante"));
        clickItem(QStringLiteral("Scène suivante"));
        QTRY_VERIFY(ctl({"get", "sceneIndex"}, &out) == 0 && out == QLatin1String("1"));

        // Quitting from the menu writes the pending change and exits with 0.
        QCOMPARE(ctl({"set", "speed", "0.77"}), 0);
        clickItem(QStringLiteral("Quitter Nivora"));
        QTRY_VERIFY_WITH_TIMEOUT(m_app->state() == QProcess::NotRunning, 15000);
        QCOMPARE(m_app->exitStatus(), QProcess::NormalExit);
        QCOMPARE(m_app->exitCode(), 0);
        QCOMPARE(storedSettings().value("speed").toDouble(), 0.77);
        QCOMPARE(storedSettings().value("isRunning").toBool(true), false);
    }
};

QTEST_MAIN(TestShellEndToEnd)
#include "tst_shell_e2e.moc"
