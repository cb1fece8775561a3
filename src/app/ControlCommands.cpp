#include "app/ControlCommands.h"

#include "account/AccountStore.h"
#include "app/AppDelegate.h"
#include "app/CtlArguments.h"
#include "model/NavSection.h"
#include "state/AppState.h"
#include "state/SceneActions.h"
#include "state/SettingsCodec.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QRandomGenerator>
#include <QTimer>

namespace nivora {

namespace {

// `get [KEY]` over `values`: all of them, or one; an unknown key is refused
// with `unknown`, which names it and then the keys there are.
ControlReply getReply(const QJsonObject& values, const QStringList& args, const QString& unknown)
{
    if (args.isEmpty())
        return {0, QString::fromUtf8(QJsonDocument(values).toJson(QJsonDocument::Indented)).trimmed()};
    if (args.size() == 1 && values.contains(args.first()))
        return {0, SettingsCodec::format(values.value(args.first()))};
    QStringList keys;
    for (const QString& key : SettingsCodec::keys()) {
        if (values.contains(key))
            keys.append(key);
    }
    return {2, unknown.arg(args.value(0), keys.join(QStringLiteral(", ")))};
}

// `set KEY JSON`: the value parsed, then given to `apply`, which returns its
// refusal.
ControlReply setReply(const QStringList& args,
                      const std::function<std::optional<QString>(const QString&, const QJsonValue&)>& apply)
{
    QString error;
    const auto value = SettingsCodec::parseValue(args.at(1), &error);
    if (!value)
        return {2, QStringLiteral("%1: %2").arg(args.at(0), error)};
    if (const auto refusal = apply(args.at(0), *value))
        return {2, *refusal};
    return {0, QString()};
}

} // namespace

ControlCommands::ControlCommands(AppState& state, AppDelegate* delegate, std::function<QJsonObject()> status,
                                 std::function<QStringList()> screenNames)
    : m_state(state), m_delegate(delegate), m_status(std::move(status)), m_screenNames(std::move(screenNames))
{
}

const QStringList& ControlCommands::commands()
{
    return CtlArguments::commands();
}

ControlReply ControlCommands::handle(const QString& command, const QStringList& args)
{
    if ((command == QLatin1String("get") || command == QLatin1String("set") ||
         command == QLatin1String("reset")) &&
        args.value(0) == QLatin1String("--screen")) {
        if (args.size() < 2 || args.at(1).isEmpty())
            return {2,
                    QCoreApplication::translate("ControlCommands", "usage : nivora ctl %1 --screen ÉCRAN …")
                        .arg(command)};
        return screen(command, args.at(1), args.mid(2));
    }
    if (command == QLatin1String("reset"))
        return {2, QCoreApplication::translate("ControlCommands", "usage : nivora ctl reset --screen ÉCRAN")};
    if (command == QLatin1String("get"))
        return getReply(SettingsCodec::toJson(m_state), args,
                        QCoreApplication::translate("ControlCommands", "clé inconnue « %1 » ; clés : %2"));
    if (command == QLatin1String("set")) {
        if (args.size() != 2)
            return {2, QCoreApplication::translate("ControlCommands", "usage : nivora ctl set CLÉ JSON")};
        return setReply(args, [this](const QString& key, const QJsonValue& value) {
            return SettingsCodec::apply(m_state, key, value);
        });
    }
    if (command == QLatin1String("status"))
        return {0, QString::fromUtf8(QJsonDocument(m_status()).toJson(QJsonDocument::Indented)).trimmed()};
    if (command == QLatin1String("next")) {
        SceneActions::showNext(m_state);
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
            return {2,
                    QCoreApplication::translate("ControlCommands", "usage : nivora ctl dashboard [SECTION]")};
        if (args.isEmpty()) {
            if (m_delegate)
                m_delegate->openSettings();
            return {0, QString()};
        }
        const auto section = NavSections::fromRawValue(args.first());
        if (!section)
            return {2,
                    QCoreApplication::translate("ControlCommands", "section inconnue « %1 » ; sections : %2")
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
            return {2, QCoreApplication::translate("ControlCommands", "adresse nivora:// attendue")};
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
    return {2, QCoreApplication::translate("ControlCommands", "commande inconnue « %1 » ; commandes : %2")
                   .arg(command, commands().join(QStringLiteral(", ")))};
}

ControlReply ControlCommands::screen(const QString& command, const QString& name, const QStringList& args)
{
    // A name that is neither connected nor already has values would most
    // likely be a typing slip, and would only leave a stray entry behind.
    if (m_screenNames) {
        const QStringList names = m_screenNames();
        if (!names.contains(name) && !m_state.screenOverrides().contains(name))
            return {2, QCoreApplication::translate("ControlCommands", "écran inconnu « %1 » ; écrans : %2")
                           .arg(name, names.join(QStringLiteral(", ")))};
    }
    if (command == QLatin1String("reset")) {
        if (!args.isEmpty())
            return {
                2, QCoreApplication::translate("ControlCommands", "usage : nivora ctl reset --screen ÉCRAN")};
        SettingsCodec::resetScreen(m_state, name);
        return {0, QString()};
    }
    if (command == QLatin1String("get"))
        return getReply(
            SettingsCodec::screenJson(m_state, name), args,
            QCoreApplication::translate("ControlCommands", "clé inconnue pour un écran « %1 » ; clés : %2"));
    if (args.size() != 2)
        return {2, QCoreApplication::translate("ControlCommands",
                                               "usage : nivora ctl set --screen ÉCRAN CLÉ JSON")};
    return setReply(args, [this, &name](const QString& key, const QJsonValue& value) {
        return SettingsCodec::applyToScreen(m_state, name, key, value);
    });
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
            return {2, QCoreApplication::translate(
                           "ControlCommands", "le compte n'est pas disponible dans cette version de Nivora")};
        store.signInWithGoogle();
        return {0, QString()};
    }
    return {2,
            QCoreApplication::translate("ControlCommands", "usage : nivora ctl account [sign-out | google]")};
}

} // namespace nivora
