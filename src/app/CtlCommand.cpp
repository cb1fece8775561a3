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

// Written in French like every text of the program; the translations give
// the other languages.
const char* const kUsage = QT_TRANSLATE_NOOP(
    "CtlCommand", "usage : nivora ctl COMMANDE\n"
                  "  get [CLÉ]        affiche tous les réglages en JSON, ou une valeur\n"
                  "  set CLÉ JSON     change un réglage (la valeur est du JSON : 60, true, \"video\", [..])\n"
                  "  get --screen NOM [CLÉ]   ce que montre un écran\n"
                  "  set --screen NOM CLÉ JSON   donne à un écran sa propre valeur (mode, média,\n"
                  "                   scène, palette ou réglage fin)\n"
                  "  reset --screen NOM   l'écran suit de nouveau les réglages principaux\n"
                  "  status           les fenêtres de fond d'écran en JSON, avec ce que chacune montre\n"
                  "  next | previous  passe à la scène suivante ou précédente (next : au fichier\n"
                  "                   suivant quand le média est un dossier)\n"
                  "  random           une scène, une palette et des réglages au hasard\n"
                  "  dashboard [SECTION]  ouvre le tableau de bord (sur scenes, media, icons, colors,\n"
                  "                   widgets, displays, performance, about ou account)\n"
                  "  account          le compte en JSON (signedIn, email, busy, errorMessage, configured)\n"
                  "  account sign-out déconnecte le compte\n"
                  "  account google   connexion avec Google dans le navigateur\n"
                  "  popover          ouvre ou ferme la fenêtre de la barre d'état\n"
                  "  quit             quitte l'instance en cours\n");

QString usage()
{
    return QCoreApplication::translate("CtlCommand", kUsage);
}

} // namespace

int runCtlCommand(int argc, char** argv, const QStringList& args)
{
    QCoreApplication app(argc, argv);
    const CtlArguments::Verdict verdict = CtlArguments::check(args);
    if (verdict == CtlArguments::Verdict::Usage || verdict == CtlArguments::Verdict::Help) {
        writeText(args.isEmpty() ? stderr : stdout, usage());
        return args.isEmpty() ? 2 : 0;
    }
    const QString command = args.first();
    const QStringList rest = args.mid(1);
    if (verdict != CtlArguments::Verdict::Ok) {
        const QString refusal =
            verdict == CtlArguments::Verdict::BadArity
                ? QCoreApplication::translate("CtlCommand", "arguments invalides pour « %1 »")
                : QCoreApplication::translate("CtlCommand", "commande inconnue « %1 »");
        print(stderr, QStringLiteral("nivora ctl: ") + refusal.arg(command));
        writeText(stderr, usage());
        return 2;
    }

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
    print(stderr, QStringLiteral("nivora ctl: ") +
                      QCoreApplication::translate("CtlCommand", "échec de la commande : ") + result.error);
    return 1;
}

} // namespace nivora
