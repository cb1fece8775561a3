#include "app/CtlArguments.h"

namespace nivora::CtlArguments {

const QStringList& commands()
{
    static const QStringList list{
        QStringLiteral("get"),       QStringLiteral("set"),      QStringLiteral("status"),
        QStringLiteral("next"),      QStringLiteral("previous"), QStringLiteral("random"),
        QStringLiteral("dashboard"), QStringLiteral("quit"),     QStringLiteral("open-url"),
        QStringLiteral("account"),   QStringLiteral("popover")};
    return list;
}

Verdict check(const QStringList& args)
{
    if (args.isEmpty())
        return Verdict::Usage;
    if (args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h"))
        return Verdict::Help;
    const QString& command = args.first();
    const qsizetype rest = args.size() - 1;
    if (!commands().contains(command) || command == QLatin1String("open-url"))
        return Verdict::Unknown;
    const bool arityOk = (command == QLatin1String("get") && rest <= 1) ||
                         (command == QLatin1String("set") && rest == 2) ||
                         (command == QLatin1String("account") && rest <= 1) ||
                         (command == QLatin1String("dashboard") && rest <= 1) ||
                         (command != QLatin1String("get") && command != QLatin1String("set") && rest == 0);
    return arityOk ? Verdict::Ok : Verdict::BadArity;
}

} // namespace nivora::CtlArguments
