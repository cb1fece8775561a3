#include "icons/FolderIconCommand.h"

#include "icons/FolderIconService.h"
#include "icons/FolderPattern.h"
#include "platform/ConsoleText.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>
#include <memory>

namespace nivora {

namespace {

constexpr int failure = 1;
constexpr int usageError = 2;

QString usage()
{
    return QStringLiteral("usage: nivora folder-icon apply (--pattern NAME | --image FILE) DIR...\n"
                          "       nivora folder-icon reset DIR...\n");
}

int refuse(const QString& reason)
{
    writeText(stderr, QStringLiteral("nivora folder-icon: %1\n%2").arg(reason, usage()));
    return usageError;
}

int report(const FolderIconReport& result)
{
    writeText(stdout, result.message() + QLatin1Char('\n'));
    for (const FolderIconReport::Entry& entry : result.entries()) {
        if (entry.status == FolderIconReport::Status::Failed)
            writeText(stderr, QStringLiteral("%1 : %2\n").arg(entry.path, entry.reason));
    }
    // A folder a reset had nothing to give back to is not a failure: the
    // message says so.
    return result.failed() == 0 ? 0 : failure;
}

// The icon theme lives in the platform's theme, so a display is used when
// there is one; without one the offscreen platform still draws.
std::unique_ptr<QGuiApplication> makeApplication(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QGuiApplication>(argc, argv);
}

} // namespace

int runFolderIconCommand(int argc, char** argv, const QStringList& args)
{
    QCommandLineParser parser;
    const QCommandLineOption patternOption(QStringLiteral("pattern"), QStringLiteral("Pattern preset name."),
                                           QStringLiteral("NAME"));
    const QCommandLineOption imageOption(QStringLiteral("image"), QStringLiteral("Image file."),
                                         QStringLiteral("FILE"));
    const QCommandLineOption helpOption({QStringLiteral("h"), QStringLiteral("help")},
                                        QStringLiteral("Show usage."));
    parser.addOptions({patternOption, imageOption, helpOption});
    parser.addPositionalArgument(QStringLiteral("ACTION"), QStringLiteral("apply or reset."));
    parser.addPositionalArgument(QStringLiteral("DIR"), QStringLiteral("Folders."));

    if (!parser.parse(QStringList{QStringLiteral("nivora folder-icon")} + args))
        return refuse(parser.errorText());
    if (parser.isSet(helpOption)) {
        writeText(stdout, usage());
        return 0;
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.isEmpty())
        return refuse(QStringLiteral("give an action: apply or reset"));
    const QString action = positional.first();
    const QStringList folders = positional.mid(1);
    const bool apply = action == QLatin1String("apply");
    if (!apply && action != QLatin1String("reset"))
        return refuse(QStringLiteral("unknown action \"%1\": apply or reset").arg(action));
    if (folders.isEmpty())
        return refuse(QStringLiteral("give at least one folder"));

    const FolderPattern* pattern = nullptr;
    if (apply) {
        if (parser.isSet(patternOption) == parser.isSet(imageOption))
            return refuse(QStringLiteral("apply needs either --pattern NAME or --image FILE"));
        if (parser.isSet(patternOption)) {
            pattern = FolderPattern::find(parser.value(patternOption));
            if (!pattern) {
                writeText(stderr,
                          QStringLiteral("nivora folder-icon: unknown pattern \"%1\"; the patterns are:\n%2")
                              .arg(parser.value(patternOption), FolderPattern::nameList()));
                return usageError;
            }
        }
    } else if (parser.isSet(patternOption) || parser.isSet(imageOption)) {
        return refuse(QStringLiteral("reset takes no --pattern or --image"));
    }

    auto application = makeApplication(argc, argv);
    FolderIconService service;
    if (!apply)
        return report(service.reset(folders));

    QImage icon;
    if (pattern) {
        icon = service.renderPattern(*pattern);
        if (icon.isNull()) {
            writeText(stderr, QStringLiteral("nivora folder-icon: not enough memory to draw the icon\n"));
            return failure;
        }
    } else {
        const FolderIconService::ImportedImage imported =
            FolderIconService::importImage(parser.value(imageOption));
        if (!imported.error.isEmpty()) {
            writeText(stdout, imported.error + QLatin1Char('\n'));
            return failure;
        }
        icon = imported.image;
    }
    return report(service.apply(icon, folders));
}

} // namespace nivora
