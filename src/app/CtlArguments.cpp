#include "app/CtlArguments.h"

namespace nivora::CtlArguments {

const QStringList& commands()
{
    static const QStringList list{
        QStringLiteral("get"),       QStringLiteral("set"),      QStringLiteral("status"),
        QStringLiteral("next"),      QStringLiteral("previous"), QStringLiteral("random"),
        QStringLiteral("dashboard"), QStringLiteral("quit"),     QStringLiteral("open-url"),
        QStringLiteral("account"),   QStringLiteral("popover"),  QStringLiteral("reset")};
    return list;
}

Verdict check(const QStringList& args)
{
    if (args.isEmpty())
        return Verdict::Usage;
    if (args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h"))
        return Verdict::Help;
    const QString& command = args.first();
    qsizetype rest = args.size() - 1;
    if (!commands().contains(command) || command == QLatin1String("open-url"))
        return Verdict::Unknown;
    // `get`, `set` and `reset` take one screen's values with `--screen NAME`
    // first; `reset` has nothing else to act on.
    const bool perScreen = command == QLatin1String("get") || command == QLatin1String("set") ||
                           command == QLatin1String("reset");
    const bool screen = perScreen && args.value(1) == QLatin1String("--screen");
    if (screen) {
        if (rest < 2 || args.at(2).isEmpty())
            return Verdict::BadArity;
        rest -= 2;
    }
    if (command == QLatin1String("reset"))
        return screen && rest == 0 ? Verdict::Ok : Verdict::BadArity;
    const bool arityOk = (command == QLatin1String("get") && rest <= 1) ||
                         (command == QLatin1String("set") && rest == 2) ||
                         (command == QLatin1String("account") && rest <= 1) ||
                         (command == QLatin1String("dashboard") && rest <= 1) ||
                         (command != QLatin1String("get") && command != QLatin1String("set") && rest == 0);
    return arityOk ? Verdict::Ok : Verdict::BadArity;
}

} // namespace nivora::CtlArguments
