#pragma once

// A real wlroots compositor for the Wayland tests: sway with its headless
// backend (or nested in another sway) and the CPU renderer, two outputs (of
// different sizes when headless), its own runtime directory, run as an
// unprivileged user when the tests run as root (sway refuses root). Clients of
// any user may connect to its socket.

#include <QDir>
#include <QFile>
#include <QList>
#include <QPair>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <pwd.h>
#include <unistd.h>

namespace nivora::testing {

class HeadlessSway
{
public:
    static bool isInstalled()
    {
        return !QStandardPaths::findExecutable(QStringLiteral("sway")).isEmpty() &&
               !QStandardPaths::findExecutable(QStringLiteral("swaymsg")).isEmpty() &&
               !QStandardPaths::findExecutable(QStringLiteral("grim")).isEmpty();
    }

    // Starts sway and waits (at most 15 s) for its sockets. False with
    // error() set when it does not come up. `extraConfig` is appended to its
    // configuration (bars, for instance).
    bool start(const QByteArray& extraConfig = {})
    {
        return launch({{QStringLiteral("WLR_BACKENDS"), QStringLiteral("headless")},
                       {QStringLiteral("WLR_HEADLESS_OUTPUTS"), QStringLiteral("2")}},
                      QStringLiteral("HEADLESS-2"), extraConfig);
    }

    // Starts sway as a client of `parent`, its two outputs WL-1 and WL-2
    // being windows there, so that an output can go away (unplug()): sway
    // 1.7 cannot turn off an output of its headless backend.
    bool startNestedIn(const HeadlessSway& parent)
    {
        m_parent = &parent;
        return launch({{QStringLiteral("WLR_BACKENDS"), QStringLiteral("wayland")},
                       {QStringLiteral("WLR_WL_OUTPUTS"), QStringLiteral("2")},
                       {QStringLiteral("WAYLAND_DISPLAY"), parent.socket()}},
                      QStringLiteral("WL-2"));
    }

    // Takes the output `name` of a nested sway away, as unplugging a display
    // would: its window in the parent closes.
    bool unplug(const QString& name) const
    {
        return m_parent &&
               m_parent->msg({QStringLiteral("[title=\"wlroots - %1\"] kill").arg(name)}).contains("true");
    }

private:
    bool launch(const QList<QPair<QString, QString>>& backend, const QString& lastOutput,
                const QByteArray& extraConfig = {})
    {
        if (!m_dir.isValid())
            return fail(QStringLiteral("no temporary directory"));
        const QString config = m_dir.filePath(QStringLiteral("config"));
        QFile f(config);
        if (!f.open(QIODevice::WriteOnly))
            return fail(QStringLiteral("cannot write the config"));
        f.write("xwayland disable\n"
                "output HEADLESS-1 mode 1280x720 position 0 0\n"
                "output HEADLESS-2 mode 800x600 position 1280 0\n"
                "default_border none\n");
        f.write(extraConfig);
        f.close();

        QProcessEnvironment env;
        env.insert(QStringLiteral("PATH"), qEnvironmentVariable("PATH"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_dir.path());
        env.insert(QStringLiteral("WLR_RENDERER"), QStringLiteral("pixman"));
        env.insert(QStringLiteral("WLR_LIBINPUT_NO_DEVICES"), QStringLiteral("1"));
        for (const auto& [name, value] : backend)
            env.insert(name, value);
        m_process.setProcessEnvironment(env);
        m_process.setProcessChannelMode(QProcess::MergedChannels);
        QStringList args{QStringLiteral("-c"), config};
        if (geteuid() == 0) {
            const passwd* nobody = getpwnam("nobody");
            if (!nobody)
                return fail(QStringLiteral("no unprivileged user to run sway as"));
            if (chown(QFile::encodeName(m_dir.path()).constData(), nobody->pw_uid, nobody->pw_gid) != 0 ||
                chown(QFile::encodeName(config).constData(), nobody->pw_uid, nobody->pw_gid) != 0)
                return fail(QStringLiteral("cannot hand the runtime directory over"));
            args = QStringList{QStringLiteral("--reuid=%1").arg(nobody->pw_uid),
                               QStringLiteral("--regid=%1").arg(nobody->pw_gid),
                               QStringLiteral("--clear-groups"), QStringLiteral("sway")} +
                   args;
            m_process.start(QStringLiteral("setpriv"), args);
        } else {
            m_process.start(QStringLiteral("sway"), args);
        }
        if (!m_process.waitForStarted(5000))
            return fail(QStringLiteral("sway did not start"));
        const bool up = QTest::qWaitFor(
            [this] {
                const QDir d(m_dir.path());
                const QStringList sockets = d.entryList({QStringLiteral("wayland-?")}, QDir::System);
                const QStringList ipc = d.entryList({QStringLiteral("sway-ipc.*.sock")}, QDir::System);
                if (sockets.isEmpty() || ipc.isEmpty())
                    return false;
                m_socket = d.filePath(sockets.first());
                m_ipc = d.filePath(ipc.first());
                return true;
            },
            15000);
        if (!up || m_process.state() != QProcess::Running)
            return fail(QStringLiteral("sway did not come up: ") +
                        QString::fromLocal8Bit(m_process.readAll()));
        // Both outputs are configured once swaymsg answers with them.
        return QTest::qWaitFor(
                   [&] {
                       return msg({QStringLiteral("-t"), QStringLiteral("get_outputs")}).contains(lastOutput);
                   },
                   10000) ||
               fail(QStringLiteral("sway has no outputs"));
    }

public:
    ~HeadlessSway() { stop(); }

    void stop()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.terminate();
        if (!m_process.waitForFinished(5000)) {
            m_process.kill();
            m_process.waitForFinished(2000);
        }
    }

    // The absolute path of the Wayland socket, a valid WAYLAND_DISPLAY.
    QString socket() const { return m_socket; }
    QString error() const { return m_error; }
    QString runtimeDir() const { return m_dir.path(); }

    // The environment of a client of this compositor.
    QProcessEnvironment clientEnvironment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("WAYLAND_DISPLAY"), m_socket);
        env.insert(QStringLiteral("SWAYSOCK"), m_ipc);
        return env;
    }

    // Starts a foot terminal on the focused output and waits until sway has
    // placed it; false when it does not come. The caller stops it.
    bool startFoot(QProcess& foot) const
    {
        QProcessEnvironment env = clientEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir());
        foot.setProcessEnvironment(env);
        foot.start(QStringLiteral("foot"), {QStringLiteral("--app-id=nivora-test-foot")});
        if (!foot.waitForStarted(5000))
            return false;
        return QTest::qWaitFor([&] { return msg({"-t", "get_tree"}).contains("nivora-test-foot"); }, 10000);
    }

    // Runs swaymsg with `args`; its standard output.
    QString msg(const QStringList& args) const
    {
        QProcess p;
        p.setProcessEnvironment(clientEnvironment());
        p.start(QStringLiteral("swaymsg"), args);
        if (!p.waitForFinished(10000)) {
            p.kill();
            p.waitForFinished();
            return {};
        }
        return QString::fromUtf8(p.readAllStandardOutput());
    }

    // A screenshot of one output, null when grim fails.
    QImage grab(const QString& output) const
    {
        const QString file = QDir(m_shots.path()).filePath(output + QStringLiteral(".png"));
        QFile::remove(file);
        QProcess p;
        p.setProcessEnvironment(clientEnvironment());
        p.start(QStringLiteral("grim"), {QStringLiteral("-o"), output, file});
        if (!p.waitForFinished(15000) || p.exitCode() != 0)
            return {};
        return QImage(file).convertToFormat(QImage::Format_RGB32);
    }

private:
    bool fail(const QString& why)
    {
        m_error = why;
        stop();
        return false;
    }

    const HeadlessSway* m_parent = nullptr; // the compositor a nested one runs in
    QTemporaryDir m_dir;
    QTemporaryDir m_shots;
    QProcess m_process;
    QString m_socket;
    QString m_ipc;
    QString m_error;
};

} // namespace nivora::testing
