#include "account/BackendRefusal.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QStringList>

namespace nivora {

namespace {

// The members a refusal speaks in, in the order the backend's versions prefer
// them; the first one present is the message.
constexpr const char* kMessageMembers[] = {"msg", "error_description", "error", "message"};

QString errorCode(const QJsonObject& reply)
{
    const QJsonValue code = reply.value(QLatin1String("error_code"));
    if (code.isString())
        return code.toString();
    // Newer API versions put the code here; older ones put the HTTP status.
    const QJsonValue newer = reply.value(QLatin1String("code"));
    return newer.isString() ? newer.toString() : QString();
}

QString serverMessage(const QJsonObject& reply)
{
    for (const char* name : kMessageMembers) {
        const QJsonValue value = reply.value(QLatin1String(name));
        if (!value.isUndefined())
            return value.isString() ? value.toString() : QString();
    }
    return QString();
}

// Servers from before the error codes only say it in English.
QString codeOfLegacyMessage(const QString& message)
{
    const struct
    {
        const char* start;
        const char* code;
    } known[] = {
        {"Invalid login credentials", "invalid_credentials"},
        {"Email not confirmed", "email_not_confirmed"},
        {"User already registered", "user_already_exists"},
        {"Signups not allowed", "signup_disabled"},
        {"Password should be", "weak_password"},
        {"Email rate limit exceeded", "over_email_send_rate_limit"},
        {"For security purposes, you can only request this", "over_request_rate_limit"},
        {"Request rate limit reached", "over_request_rate_limit"},
        {"Unable to validate email address", "email_address_invalid"},
    };
    for (const auto& entry : known) {
        if (message.startsWith(QLatin1String(entry.start), Qt::CaseInsensitive))
            return QString::fromLatin1(entry.code);
    }
    return QString();
}

QString weakPasswordText(const QJsonObject& reply)
{
    QStringList reasons;
    const QJsonArray given =
        reply.value(QLatin1String("weak_password")).toObject().value(QLatin1String("reasons")).toArray();
    for (const QJsonValue& reason : given) {
        const QString name = reason.toString();
        if (name == QLatin1String("length"))
            reasons.append(QCoreApplication::translate("BackendRefusal", "il est trop court"));
        else if (name == QLatin1String("characters"))
            reasons.append(QCoreApplication::translate(
                "BackendRefusal", "il lui manque des sortes de caractères (minuscules, majuscules, "
                                  "chiffres ou symboles)"));
        else if (name == QLatin1String("pwned"))
            reasons.append(QCoreApplication::translate("BackendRefusal",
                                                       "il figure dans des fuites de mots de passe connues"));
        else if (!name.isEmpty())
            reasons.append(name);
    }
    if (reasons.isEmpty())
        return QCoreApplication::translate("BackendRefusal", "Mot de passe trop faible.");
    return QCoreApplication::translate("BackendRefusal", "Mot de passe trop faible : %1.")
        .arg(reasons.join(QStringLiteral(" ; ")));
}

// The backend's documented codes a user can act on.
const struct
{
    const char* code;
    const char* text;
} kCodeTexts[] = {
    {"invalid_credentials", QT_TRANSLATE_NOOP("BackendRefusal", "Email ou mot de passe incorrect.")},
    {"email_not_confirmed",
     QT_TRANSLATE_NOOP("BackendRefusal",
                       "Ton email n'est pas encore confirmé : ouvre le lien reçu, puis connecte-toi.")},
    {"user_already_exists",
     QT_TRANSLATE_NOOP("BackendRefusal", "Un compte existe déjà avec cet email : connecte-toi.")},
    {"email_exists",
     QT_TRANSLATE_NOOP("BackendRefusal", "Un compte existe déjà avec cet email : connecte-toi.")},
    {"over_email_send_rate_limit",
     QT_TRANSLATE_NOOP("BackendRefusal",
                       "Trop d'emails envoyés à cette adresse. Réessaie dans quelques minutes.")},
    {"over_request_rate_limit",
     QT_TRANSLATE_NOOP("BackendRefusal", "Trop de tentatives. Réessaie dans quelques minutes.")},
    {"signup_disabled", QT_TRANSLATE_NOOP("BackendRefusal", "Les inscriptions sont fermées pour le moment.")},
    {"email_address_invalid", QT_TRANSLATE_NOOP("BackendRefusal", "Cette adresse email n'est pas acceptée.")},
};

QString textForCode(const QString& code, const QJsonObject& reply)
{
    if (code == QLatin1String("weak_password"))
        return weakPasswordText(reply);
    for (const auto& entry : kCodeTexts) {
        if (code == QLatin1String(entry.code))
            return QCoreApplication::translate("BackendRefusal", entry.text);
    }
    return QString();
}

} // namespace

bool BackendRefusal::isRefusal(const QJsonObject& reply)
{
    if (!errorCode(reply).isEmpty() || reply.contains(QLatin1String("error_code")))
        return true;
    for (const char* name : kMessageMembers) {
        if (reply.contains(QLatin1String(name)))
            return true;
    }
    return false;
}

QString BackendRefusal::text(const QJsonObject& reply, const QString& fallback)
{
    const QString code = errorCode(reply);
    const QString message = serverMessage(reply);
    QString french = textForCode(code, reply);
    if (french.isEmpty())
        french = textForCode(codeOfLegacyMessage(message), reply);
    if (!french.isEmpty())
        return french;
    const QString said = message.isEmpty() ? code : message;
    if (said.isEmpty())
        return fallback;
    return QCoreApplication::translate("BackendRefusal", "Le serveur a répondu : %1").arg(said);
}

} // namespace nivora
