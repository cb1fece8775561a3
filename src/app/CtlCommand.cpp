#include "app/CtlCommand.h"

#include "app/ControlCommands.h"
#include "app/CtlArguments.h"
#include "platform/ConsoleText.h"
#include "platform/dbus/ControlBus.h"

#include <QCoreApplication>
#include <cstdio>

namespace nivora {

namespace {

// A line of the reply; an empty reply prints nothing.
void print(FILE* stream, const QString& text)
{
    if (!text.isEmpty())
        writeText(stream, text + QLatin1Char('\n'));
}

const char* const kUsage =
    "usage: nivora ctl COMMAND\n"
    "  get [KEY]        print every setting as JSON, or one value\n"
    "  set KEY JSON     change a setting (the value is JSON: 60, true, \"video\", [..])\n"
    "  get --screen NAME [KEY]   what one screen shows\n"
    "  set --screen NAME KEY JSON   give one screen a value of its own (mode, media,\n"
    "                   scene, palette or tuning)\n"
    "  reset --screen NAME   the screen follows the main settings again\n"
    "  status           the wallpaper windows as JSON, with what each shows\n"
    "  next | previous  step to the next or previous scene (next: the next file\n"
    "                   while the media plays a folder)\n"
    "  random           a random scene, palette and tuning\n"
    "  dashboard [SECTION]  open the dashboard (on scenes, media, icons, colors,\n"
    "                   widgets, displays, performance, about or account)\n"
    "  account          the account as JSON (signedIn, email, busy, errorMessage, configured)\n"
    "  account sign-out sign out of the account\n"
    "  account google   sign in with Google in the browser\n"
    "  popover          open or close the tray popover\n"
    "  quit             end the running instance\n";

} // namespace

int runCtlCommand(int argc, char** argv, const QStringList& args)
{
    const CtlArguments::Verdict verdict = CtlArguments::check(args);
    if (verdict == CtlArguments::Verdict::Usage || verdict == CtlArguments::Verdict::Help) {
        std::fputs(kUsage, args.isEmpty() ? stderr : stdout);
        return args.isEmpty() ? 2 : 0;
    }
    const QString command = args.first();
    const QStringList rest = args.mid(1);
    if (verdict != CtlArguments::Verdict::Ok) {
        std::fprintf(stderr, "nivora ctl: %s « %s »\n%s",
                     verdict == CtlArguments::Verdict::BadArity ? "arguments invalides pour"
                                                                : "commande inconnue",
                     command.toUtf8().constData(), kUsage);
        return 2;
    }

    QCoreApplication app(argc, argv);
    const ControlClient::Result result = ControlClient::call(command, rest);
    switch (result.outcome) {
    case ControlClient::Outcome::Answered:
        print(result.reply.status == 0 ? stdout : stderr,
              result.reply.status == 0 ? result.reply.output
                                       : QStringLiteral("nivora ctl: ") + result.reply.output);
        return result.reply.status == 0 ? 0 : 2;
    case ControlClient::Outcome::NoInstance:
    case ControlClient::Outcome::NoBus:
        print(stderr, QStringLiteral("nivora ctl: ") + result.error);
        return 1;
    case ControlClient::Outcome::Failed:
        break;
    }
    print(stderr, QStringLiteral("nivora ctl: échec de la commande : ") + result.error);
    return 1;
}

} // namespace nivora
