#include "app/ControlCommands.h"

#include "account/AccountStore.h"
#include "app/AppDelegate.h"
#include "app/CtlArguments.h"
#include "model/NavSection.h"
#include "state/AppState.h"
#include "state/SceneActions.h"
#include "state/SettingsCodec.h"

#include <QJsonDocument>
#include <QRandomGenerator>
#include <QTimer>

namespace nivora {

ControlCommands::ControlCommands(AppState& state, AppDelegate* delegate, std::function<QJsonObject()> status)
    : m_state(state), m_delegate(delegate), m_status(std::move(status))
{
}

const QStringList& ControlCommands::commands()
{
    return CtlArguments::commands();
}

ControlReply ControlCommands::handle(const QString& command, const QStringList& args)
{
    if (command == QLatin1String("get")) {
        const QJsonObject all = SettingsCodec::toJson(m_state);
        if (args.isEmpty())
            return {0, QString::fromUtf8(QJsonDocument(all).toJson(QJsonDocument::Indented)).trimmed()};
        if (args.size() == 1 && all.contains(args.first()))
            return {0, SettingsCodec::format(all.value(args.first()))};
        return {2, QStringLiteral("clé inconnue « %1 » ; clés : %2")
                       .arg(args.value(0), SettingsCodec::keys().join(QStringLiteral(", ")))};
    }
    if (command == QLatin1String("set")) {
        if (args.size() != 2)
            return {2, QStringLiteral("usage : nivora ctl set CLÉ JSON")};
        QString error;
        const auto value = SettingsCodec::parseValue(args.at(1), &error);
        if (!value)
            return {2, QStringLiteral("%1: %2").arg(args.at(0), error)};
        if (const auto refusal = SettingsCodec::apply(m_state, args.at(0), *value))
            return {2, *refusal};
        return {0, QString()};
    }
    if (command == QLatin1String("status"))
        return {0, QString::fromUtf8(QJsonDocument(m_status()).toJson(QJsonDocument::Indented)).trimmed()};
    if (command == QLatin1String("next")) {
        SceneActions::switchScene(m_state, 1);
        return {0, QString()};
    }
    if (command == QLatin1String("previous")) {
        SceneActions::switchScene(m_state, -1);
        return {0, QString()};
    }
    if (command == QLatin1String("random")) {
        SceneActions::randomize(m_state, *QRandomGenerator::system());
        return {0, QString()};
    }
    if (command == QLatin1String("dashboard")) {
        if (args.size() > 1)
            return {2, QStringLiteral("usage : nivora ctl dashboard [SECTION]")};
        if (args.isEmpty()) {
            if (m_delegate)
                m_delegate->openSettings();
            return {0, QString()};
        }
        const auto section = NavSections::fromRawValue(args.first());
        if (!section)
            return {2, QStringLiteral("section inconnue « %1 » ; sections : %2")
                           .arg(args.first(), NavSections::rawValues().join(QStringLiteral(", ")))};
        if (m_delegate)
            m_delegate->openDashboardSection(*section);
        return {0, QString()};
    }
    if (command == QLatin1String("popover")) {
        if (m_delegate)
            m_delegate->togglePopover();
        return {0, QString()};
    }
    if (command == QLatin1String("open-url")) {
        if (args.size() != 1 || !args.first().startsWith(QLatin1String("nivora://")))
            return {2, QStringLiteral("adresse nivora:// attendue")};
        if (m_delegate)
            m_delegate->openUrl(args.first());
        return {0, QString()};
    }
    if (command == QLatin1String("account"))
        return account(args);
    if (command == QLatin1String("quit")) {
        // Answer first, then leave: the reply must reach the caller.
        if (m_delegate)
            QTimer::singleShot(0, m_delegate, &AppDelegate::quit);
        return {0, QString()};
    }
    return {2, QStringLiteral("commande inconnue « %1 » ; commandes : %2")
                   .arg(command, commands().join(QStringLiteral(", ")))};
}

ControlReply ControlCommands::account(const QStringList& args)
{
    AccountStore& store = AccountStore::shared();
    if (args.isEmpty()) {
        // The session's tokens stay inside the store.
        const QJsonObject o{{QStringLiteral("signedIn"), store.signedIn()},
                            {QStringLiteral("email"), store.email()},
                            {QStringLiteral("busy"), store.busy()},
                            {QStringLiteral("errorMessage"),
                             store.errorMessage() ? QJsonValue(*store.errorMessage()) : QJsonValue()},
                            {QStringLiteral("configured"), store.configured()}};
        return {0, QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Indented)).trimmed()};
    }
    if (args == QStringList{QStringLiteral("sign-out")}) {
        store.signOut();
        return {0, QString()};
    }
    if (args == QStringList{QStringLiteral("google")}) {
        if (!store.configured())
            return {2, QStringLiteral("le compte n'est pas disponible dans cette version de Nivora")};
        store.signInWithGoogle();
        return {0, QString()};
    }
    return {2, QStringLiteral("usage : nivora ctl account [sign-out | google]")};
}

} // namespace nivora
