#include "state/AppState.h"
#include "state/DefaultsStore.h"
#include "state/LaunchAtLogin.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace nivora;

namespace {

QStringList warnings;
void capture(QtMsgType type, const QMessageLogContext&, const QString& msg)
{
    if (type == QtWarningMsg)
        warnings.append(msg);
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

} // namespace

class TestLaunchAtLogin : public QObject
{
    Q_OBJECT

    QTemporaryDir m_home;

private Q_SLOTS:
    void init()
    {
        QDir(m_home.path()).removeRecursively();
        QDir().mkpath(m_home.path());
        qputenv("XDG_CONFIG_HOME", m_home.path().toUtf8());
        warnings.clear();
    }

    void registersOnceAndUnregisters()
    {
        const QString path = LaunchAtLogin::autostartFilePath();
        QCOMPARE(path, m_home.path() + QStringLiteral("/autostart/app.nivora.Nivora.desktop"));
        QVERIFY(!LaunchAtLogin::isEnabled());
        LaunchAtLogin::set(true);
        QVERIFY(LaunchAtLogin::isEnabled());
        QVERIFY(readAll(path).contains("Exec="));
        // Mark the entry: a second registration must find it enabled and leave it alone.
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::Append));
            f.write("X-Marker=kept\n");
        }
        LaunchAtLogin::set(true);
        QVERIFY(readAll(path).contains("X-Marker=kept"));
        LaunchAtLogin::set(false);
        QVERIFY(!QFile::exists(path));
        QVERIFY(warnings.isEmpty());
    }

    void disabledEntriesReadAsOff_data()
    {
        QTest::addColumn<QByteArray>("entry");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("plain") << QByteArray("[Desktop Entry]\nExec=nivora\n") << true;
        QTest::newRow("hidden") << QByteArray("[Desktop Entry]\nHidden=true\n") << false;
        QTest::newRow("gnome off") << QByteArray("[Desktop Entry]\nX-GNOME-Autostart-enabled=false\n")
                                   << false;
        QTest::newRow("other group") << QByteArray("[Desktop Entry]\n[Extra]\nHidden=true\n") << true;
    }

    void disabledEntriesReadAsOff()
    {
        QFETCH(QByteArray, entry);
        QFETCH(bool, enabled);
        QDir().mkpath(m_home.path() + "/autostart");
        QFile f(LaunchAtLogin::autostartFilePath());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(entry);
        f.close();
        QCOMPARE(LaunchAtLogin::isEnabled(), enabled);
        if (!enabled) {
            // set(false) leaves a disabled entry alone; set(true) turns it on.
            LaunchAtLogin::set(false);
            QVERIFY(QFile::exists(LaunchAtLogin::autostartFilePath()));
            LaunchAtLogin::set(true);
            QVERIFY(LaunchAtLogin::isEnabled());
        }
    }

    void unregisterWhenNeverRegisteredDoesNothing()
    {
        qInstallMessageHandler(capture);
        LaunchAtLogin::set(false);
        qInstallMessageHandler(nullptr);
        QVERIFY(warnings.isEmpty());
        QVERIFY(!QDir(m_home.path() + "/autostart").exists());
    }

    void failedRegistrationLogsOnceAndShowsOff()
    {
        // A file where the autostart directory should be: fails even for root.
        QFile blocker(m_home.path() + "/autostart");
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();

        DefaultsStore store(m_home.filePath("nivora/defaults.json"));
        AppState state(store, LaunchAtLogin::isEnabled());
        QCOMPARE(state.launchAtLogin(), false);
        QList<bool> seen;
        connect(&state, &AppState::launchAtLoginChanged, this, [&](bool v) { seen.append(v); });
        qInstallMessageHandler(capture);
        state.setLaunchAtLogin(true);
        qInstallMessageHandler(nullptr);
        QCOMPARE(warnings.size(), 1);
        QVERIFY(warnings.first().startsWith(QStringLiteral("Nivora: launch at login: ")));
        QVERIFY(warnings.first().size() > QStringLiteral("Nivora: launch at login: ").size());
        // The switch follows at once, then settles on the real status.
        QCOMPARE(seen, (QList<bool>{true, false}));
        QCOMPARE(state.launchAtLogin(), false);
    }

    void entryStartsThisExecutable()
    {
        LaunchAtLogin::set(true);
        const QByteArray entry = readAll(LaunchAtLogin::autostartFilePath());
        QVERIFY(entry.startsWith("[Desktop Entry]\n"));
        QVERIFY(entry.contains("\nExec=" + QFile::encodeName(QCoreApplication::applicationFilePath()) +
                               " --autostart\n"));
    }

    void entryNamesTheCommandWhenPathFindsThisBinary()
    {
        const QByteArray oldPath = qgetenv("PATH");
        QTemporaryDir bin;
        // PATH finds another program called nivora: the entry keeps our full path.
        QFile other(bin.filePath("nivora"));
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.write("#!/bin/sh\n");
        other.close();
        other.setPermissions(other.permissions() | QFileDevice::ExeOwner);
        qputenv("PATH", QFile::encodeName(bin.path()) + ':' + oldPath);
        QCOMPARE(LaunchAtLogin::launchCommand(), QCoreApplication::applicationFilePath());

        // PATH finds this very binary (an installed copy): the bare name survives
        // upgrades and moves between prefixes.
        QVERIFY(other.remove());
        QVERIFY(QFile::link(QCoreApplication::applicationFilePath(), bin.filePath("nivora")));
        QCOMPARE(LaunchAtLogin::launchCommand(), QStringLiteral("nivora"));
        LaunchAtLogin::set(true);
        const QByteArray entry = readAll(LaunchAtLogin::autostartFilePath());
        qputenv("PATH", oldPath);
        QVERIFY(entry.contains("\nExec=nivora --autostart\n"));
    }

    // A gone program is replaced by this binary; an entry of an older version,
    // whose login start opened the dashboard, gains the autostart argument.
    void repairPointsAGoneProgramAtThisBinary_data()
    {
        QTest::addColumn<QByteArray>("exec");
        QTest::addColumn<bool>("hidden");
        QTest::addColumn<QByteArray>("repairedExec");
        const QByteArray self = "@SELF@ --autostart";
        QTest::newRow("gone full path") << QByteArray("/nonexistent/old/bin/nivora %u") << false << self;
        QTest::newRow("gone command") << QByteArray("nivora-not-on-any-path") << false << self;
        QTest::newRow("older entry") << QByteArray("/bin/sh") << false << QByteArray("/bin/sh --autostart");
        QTest::newRow("current entry")
            << QByteArray("/bin/sh --autostart") << false << QByteArray("/bin/sh --autostart");
        QTest::newRow("older quoted path with a space")
            << QByteArray("\"@DIR@/with space/prog\" --flag") << false
            << QByteArray("\"@DIR@/with space/prog\" --flag --autostart");
        QTest::newRow("gone quoted path with a space")
            << QByteArray("\"@DIR@/with space/gone\"") << false << self;
        QTest::newRow("off entries are left alone")
            << QByteArray("/nonexistent/nivora") << true << QByteArray("/nonexistent/nivora");
    }

    void repairPointsAGoneProgramAtThisBinary()
    {
        QFETCH(QByteArray, exec);
        QFETCH(bool, hidden);
        QFETCH(QByteArray, repairedExec);
        const QString dir = m_home.path() + QStringLiteral("/with space");
        QDir().mkpath(dir);
        QFile prog(dir + QStringLiteral("/prog"));
        QVERIFY(prog.open(QIODevice::WriteOnly));
        prog.close();
        prog.setPermissions(prog.permissions() | QFileDevice::ExeOwner);
        exec.replace("@DIR@", QFile::encodeName(m_home.path()));
        repairedExec.replace("@DIR@", QFile::encodeName(m_home.path()));
        repairedExec.replace("@SELF@", LaunchAtLogin::launchCommand().toUtf8());

        QDir().mkpath(m_home.path() + "/autostart");
        const QByteArray entry = "[Desktop Entry]\nType=Application\nExec=" + exec + "\nX-Marker=kept\n" +
                                 (hidden ? "Hidden=true\n" : "") + "[Other]\nExec=/nonexistent/other\n";
        {
            QFile f(LaunchAtLogin::autostartFilePath());
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(entry);
        }
        qInstallMessageHandler(capture);
        LaunchAtLogin::repair();
        qInstallMessageHandler(nullptr);
        QVERIFY(warnings.isEmpty());
        QByteArray expected = entry;
        expected.replace("Exec=" + exec + "\n", "Exec=" + repairedExec + "\n");
        QCOMPARE(readAll(LaunchAtLogin::autostartFilePath()), expected);
    }
};

QTEST_GUILESS_MAIN(TestLaunchAtLogin)
#include "tst_launchatlogin.moc"
