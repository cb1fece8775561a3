#pragma once

// KDE's compositor for the Wayland tests: kwin_wayland nested in the test's X
// display, two outputs, each an X window of its own. Pointer input goes in
// through those windows (xdotool), and closing one removes that output, as
// unplugging a monitor does. On a virtual X server KWin cannot composite
// (its GL needs X pixmaps as EGL images, which Mesa's software EGL lacks, and
// its QPainter path showed nothing here), so what it shows cannot be read
// back: the protocol side, placement and input are all real.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <csignal>
#include <poll.h>
#include <sys/prctl.h>
#include <wayland-client.h>

namespace nivora::testing {

class NestedKWin
{
public:
    static constexpr QSize outputSize{800, 720};

    static bool isInstalled()
    {
        return !QStandardPaths::findExecutable(QStringLiteral("kwin_wayland")).isEmpty() &&
               !QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty() &&
               !QStandardPaths::findExecutable(QStringLiteral("wmctrl")).isEmpty();
    }

    // Starts KWin and waits (at most 30 s) for its socket and both output
    // windows. False with error() set when it does not come up.
    bool start()
    {
        if (!m_dir.isValid())
            return fail(QStringLiteral("no temporary directory"));
        // Debian's binary carries a file capability (to raise its priority);
        // a container whose bounding set lacks it refuses to run it at all.
        // A copy carries none and behaves the same otherwise.
        const QString program = m_dir.filePath(QStringLiteral("kwin_wayland"));
        if (!QFile::copy(QStandardPaths::findExecutable(QStringLiteral("kwin_wayland")), program))
            return fail(QStringLiteral("cannot copy kwin_wayland"));
        QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const QString runtime = m_dir.filePath(QStringLiteral("runtime"));
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        m_socket = QDir(runtime).filePath(QStringLiteral("wayland-kwin"));

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir.filePath(QStringLiteral("config")));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        m_process.setProcessEnvironment(env);
        m_process.setProcessChannelMode(QProcess::MergedChannels);
        // A test that crashes must not leave KWin spinning on a dead display.
        m_process.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGKILL); });
        const QStringList arguments{
            QStringLiteral("--x11-display"),   qEnvironmentVariable("DISPLAY"),
            QStringLiteral("--output-count"),  QStringLiteral("2"),
            QStringLiteral("--width"),         QString::number(outputSize.width()),
            QStringLiteral("--height"),        QString::number(outputSize.height()),
            QStringLiteral("--socket"),        QStringLiteral("wayland-kwin"),
            QStringLiteral("--no-lockscreen"), QStringLiteral("--no-global-shortcuts"),
            QStringLiteral("--no-kactivities")};
        // KWin 5.27 now and then deadlocks in its first D-Bus calls at start,
        // with its socket already open: a compositor that never answers.
        // Such a start is retried; the tests are not about KWin's start-up.
        QString why;
        for (int attempt = 0; attempt < 3; ++attempt) {
            m_process.start(program, arguments);
            why = waitUntilServing();
            if (why.isEmpty())
                break;
            m_process.kill();
            m_process.waitForFinished(5000);
            QFile::remove(m_socket);
            QFile::remove(m_socket + QStringLiteral(".lock"));
        }
        if (!why.isEmpty())
            return fail(why);
        // The windows are made in the outputs' order.
        std::sort(m_outputs.begin(), m_outputs.end(),
                  [](const QString& a, const QString& b) { return a.toULongLong() < b.toULongLong(); });
        // Side by side and unobscured, so that pointer input reaches them.
        xdo({QStringLiteral("windowmove"), m_outputs[0], QStringLiteral("0"), QStringLiteral("0")});
        xdo({QStringLiteral("windowmove"), m_outputs[1], QStringLiteral("820"), QStringLiteral("0")});
        return true;
    }

    ~NestedKWin() { stop(); }

    void stop()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.terminate();
        if (!m_process.waitForFinished(10000)) {
            m_process.kill();
            m_process.waitForFinished(2000);
        }
    }

    bool isRunning() const { return m_process.state() == QProcess::Running; }

    // The absolute path of the Wayland socket, a valid WAYLAND_DISPLAY.
    QString socket() const { return m_socket; }
    QString error() const { return m_error; }

    // Pointer input through output `index`'s window, in output coordinates:
    // xdotool commands such as {"mousedown", "1"}; "@" in a mousemove stands
    // for the output's window.
    bool pointer(int index, const QList<QStringList>& steps) const
    {
        for (QStringList step : steps) {
            if (step.first() == QLatin1String("mousemove"))
                step = QStringList{QStringLiteral("mousemove"), QStringLiteral("--window"),
                                   m_outputs.at(index)} +
                       step.mid(1);
            if (!xdo(step))
                return false;
            QTest::qWait(60); // let the compositor, then the app in this process, take it
        }
        return true;
    }
    bool click(int index, QPoint at) const
    {
        return pointer(index,
                       {{QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y())},
                        {QStringLiteral("click"), QStringLiteral("1")}});
    }

    // Closes output `index`'s window: KWin removes that output.
    bool unplug(int index)
    {
        QProcess p;
        p.start(QStringLiteral("wmctrl"), {QStringLiteral("-i"), QStringLiteral("-c"), m_outputs.at(index)});
        return p.waitForFinished(10000) && p.exitCode() == 0;
    }

private:
    // Empty once KWin has its socket and both output windows and answers a
    // client; otherwise why not.
    QString waitUntilServing()
    {
        if (!m_process.waitForStarted(5000))
            return QStringLiteral("kwin_wayland did not start");
        const bool up = QTest::qWaitFor(
            [this] {
                if (!QFile::exists(m_socket) || m_process.state() != QProcess::Running)
                    return false;
                m_outputs = outputWindows();
                return m_outputs.size() == 2;
            },
            30000);
        if (!up)
            return QStringLiteral("kwin_wayland did not come up: ") +
                   QString::fromLocal8Bit(m_process.readAll().right(2000));
        wl_display* display = wl_display_connect(QFile::encodeName(m_socket).constData());
        if (!display)
            return QStringLiteral("cannot connect to kwin_wayland");
        wl_callback* sync = wl_display_sync(display);
        wl_display_flush(display);
        pollfd fd{wl_display_get_fd(display), POLLIN, 0};
        const bool answered = poll(&fd, 1, 5000) == 1;
        wl_callback_destroy(sync);
        wl_display_disconnect(display);
        return answered ? QString() : QStringLiteral("kwin_wayland does not answer its clients");
    }

    // KWin names its windows only in _NET_WM_NAME, which `xdotool search`
    // does not read; the window manager's list has them.
    static QStringList outputWindows()
    {
        QProcess p;
        p.start(QStringLiteral("wmctrl"), {QStringLiteral("-l")});
        if (!p.waitForFinished(10000))
            return {};
        QStringList ids;
        for (const QString& line : QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'))) {
            if (line.contains(QLatin1String("(wayland-kwin)")))
                ids << QString::number(line.section(QLatin1Char(' '), 0, 0).toULongLong(nullptr, 16));
        }
        return ids;
    }

    static bool xdo(const QStringList& args)
    {
        QProcess p;
        p.start(QStringLiteral("xdotool"), args);
        return p.waitForFinished(10000) && p.exitCode() == 0;
    }

    bool fail(const QString& why)
    {
        m_error = why;
        stop();
        return false;
    }

    QTemporaryDir m_dir;
    QProcess m_process;
    QString m_socket;
    QStringList m_outputs;
    QString m_error;
};

} // namespace nivora::testing
