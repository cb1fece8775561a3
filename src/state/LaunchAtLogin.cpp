#include "state/LaunchAtLogin.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextStream>

namespace nivora::LaunchAtLogin {

namespace {

QString configHome()
{
    const QString xdg = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg))
        return xdg;
    return QDir::homePath() + QStringLiteral("/.config");
}

QString executablePath()
{
    const QString path = QCoreApplication::instance() ? QCoreApplication::applicationFilePath() : QString();
    return path.isEmpty() ? QStringLiteral("nivora") : path;
}

// Desktop entry values may need escaping of spaces and the few reserved characters.
QString quoteExec(const QString& path)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    bool needs = false;
    for (QChar c : path)
        needs = needs || reserved.contains(c);
    if (!needs)
        return path;
    QString out = QStringLiteral("\"");
    for (QChar c : path) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            out += QStringLiteral("\\\\");
        out += c;
    }
    return out + QLatin1Char('"');
}

void logFailure(const QString& error)
{
    qWarning().noquote() << QStringLiteral("Lumeris: lancement au démarrage — ") + error;
}

} // namespace

QString autostartFilePath()
{
    return configHome() + QStringLiteral("/autostart/") + QStringLiteral(NIVORA_APP_ID) +
           QStringLiteral(".desktop");
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
            logFailure(QStringLiteral("impossible de supprimer %1 : %2").arg(path, file.errorString()));
        return;
    }

    const QString dir = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(dir)) {
        logFailure(QStringLiteral("impossible de créer le dossier %1").arg(dir));
        return;
    }
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        logFailure(QStringLiteral("impossible d'écrire %1 : %2").arg(path, file.errorString()));
        return;
    }
    QTextStream out(&file);
    out << "[Desktop Entry]\n"
        << "Type=Application\n"
        << "Name=Nivora\n"
        << "Comment=Fonds animés et widgets de bureau\n"
        << "Exec=" << quoteExec(executablePath()) << "\n"
        << "Icon=" << NIVORA_APP_ID << "\n"
        << "Terminal=false\n"
        << "X-GNOME-Autostart-enabled=true\n";
    out.flush();
    if (!file.commit())
        logFailure(QStringLiteral("impossible d'écrire %1 : %2").arg(path, file.errorString()));
}

} // namespace nivora::LaunchAtLogin
