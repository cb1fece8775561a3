#include "state/LaunchAtLogin.h"

#include "model/DesktopEntryText.h"
#include "state/ConfigHome.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTextStream>

namespace nivora::LaunchAtLogin {

namespace {

const QString binaryName = QStringLiteral("nivora");

QString executablePath()
{
    return QCoreApplication::instance() ? QCoreApplication::applicationFilePath() : QString();
}

// The program an Exec value runs: its first word, with the quoting of the Exec
// key undone.
QString execProgram(const QString& exec)
{
    const QString value = DesktopEntryText::unescape(exec.trimmed());
    if (!value.startsWith(QLatin1Char('"')))
        return value.section(QLatin1Char(' '), 0, 0);
    QString out;
    for (qsizetype i = 1; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c == QLatin1Char('\\') && i + 1 < value.size()) {
            out += value.at(++i);
            continue;
        }
        if (c == QLatin1Char('"'))
            break;
        out += c;
    }
    return out;
}

bool programExists(const QString& program)
{
    if (program.isEmpty())
        return false;
    if (QDir::isAbsolutePath(program))
        return QFileInfo(program).isExecutable();
    return !QStandardPaths::findExecutable(program).isEmpty();
}

void logFailure(const QString& error)
{
    qWarning().noquote() << QStringLiteral("Nivora: launch at login: ") + error;
}

} // namespace

QString autostartFilePath()
{
    return configHome() + QStringLiteral("/autostart/") + QStringLiteral(NIVORA_APP_ID) +
           QStringLiteral(".desktop");
}

QString launchCommand()
{
    const QString self = QFileInfo(executablePath()).canonicalFilePath();
    if (self.isEmpty())
        return binaryName;
    const QString onPath = QStandardPaths::findExecutable(binaryName);
    if (!onPath.isEmpty() && QFileInfo(onPath).canonicalFilePath() == self)
        return binaryName;
    return DesktopEntryText::escape(DesktopEntryText::quoteExecArgument(self));
}

bool isEnabled()
{
    QFile file(autostartFilePath());
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    bool inMainGroup = false;
    bool hidden = false;
    bool gnomeDisabled = false;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inMainGroup = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        if (!inMainGroup)
            continue;
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq < 0)
            continue;
        const QString key = line.left(eq).trimmed();
        const QString value = line.mid(eq + 1).trimmed();
        if (key == QLatin1String("Hidden"))
            hidden = value == QLatin1String("true");
        else if (key == QLatin1String("X-GNOME-Autostart-enabled"))
            gnomeDisabled = value == QLatin1String("false");
    }
    return !hidden && !gnomeDisabled;
}

void set(bool on)
{
    const bool enabled = isEnabled();
    if (on == enabled)
        return;
    const QString path = autostartFilePath();

    if (!on) {
        QFile file(path);
        if (!file.remove())
            logFailure(QStringLiteral("could not remove %1: %2").arg(path, file.errorString()));
        return;
    }

    const QString dir = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(dir)) {
        logFailure(QStringLiteral("could not create the folder %1").arg(dir));
        return;
    }
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        logFailure(QStringLiteral("could not write %1: %2").arg(path, file.errorString()));
        return;
    }
    QTextStream out(&file);
    out << "[Desktop Entry]\n"
        << "Type=Application\n"
        << "Name=Nivora\n"
        // Session managers show it in their list of startup programs, each in
        // its own language, like the launcher entry.
        << "Comment=Animated wallpapers and desktop widgets\n"
        << "Comment[fr]=Fonds animés et widgets de bureau\n"
        << "Exec=" << launchCommand() << ' ' << autostartArgument << "\n"
        << "Icon=" << NIVORA_APP_ID << "\n"
        << "Terminal=false\n"
        << "X-GNOME-Autostart-enabled=true\n";
    out.flush();
    if (!file.commit())
        logFailure(QStringLiteral("could not write %1: %2").arg(path, file.errorString()));
}

void repair()
{
    if (!isEnabled())
        return;
    const QString path = autostartFilePath();
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    QStringList lines = QString::fromUtf8(in.readAll()).split(QLatin1Char('\n'));
    in.close();

    bool inMainGroup = false;
    bool changed = false;
    for (QString& line : lines) {
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(QLatin1Char('[')))
            inMainGroup = trimmed == QLatin1String("[Desktop Entry]");
        if (!inMainGroup || !trimmed.startsWith(QLatin1String("Exec")))
            continue;
        const qsizetype eq = trimmed.indexOf(QLatin1Char('='));
        if (eq < 0 || trimmed.left(eq).trimmed() != QLatin1String("Exec"))
            continue;
        const QString exec = trimmed.mid(eq + 1).trimmed();
        const bool marked =
            DesktopEntryText::unescape(exec).split(QLatin1Char(' ')).contains(autostartArgument);
        if (!programExists(execProgram(exec)))
            line = QStringLiteral("Exec=") + launchCommand() + QLatin1Char(' ') + autostartArgument;
        else if (!marked)
            line = QStringLiteral("Exec=") + exec + QLatin1Char(' ') + autostartArgument;
        else
            return;
        changed = true;
        break;
    }
    if (!changed)
        return;
    QSaveFile out(path);
    out.setDirectWriteFallback(false);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Text) ||
        out.write(lines.join(QLatin1Char('\n')).toUtf8()) < 0 || !out.commit())
        logFailure(QStringLiteral("could not write %1: %2").arg(path, out.errorString()));
}

} // namespace nivora::LaunchAtLogin
