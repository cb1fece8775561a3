#include "account/AccountReply.h"

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonValue>
#include <QStringList>
#include <algorithm>
#include <cmath>

namespace nivora::AccountReply {

std::optional<QString> textMember(const QJsonObject& object, const QString& name)
{
    const QJsonValue value = object.value(name);
    if (!value.isString())
        return std::nullopt;
    return value.toString();
}

std::optional<QString> userEmail(const QJsonObject& reply)
{
    const QJsonValue user = reply.value(QStringLiteral("user"));
    if (!user.isObject())
        return std::nullopt;
    return textMember(user.toObject(), QStringLiteral("email"));
}

bool isUserObject(const QJsonObject& reply)
{
    if (textMember(reply, QStringLiteral("id")))
        return true;
    const QJsonValue user = reply.value(QStringLiteral("user"));
    return user.isObject() && textMember(user.toObject(), QStringLiteral("id"));
}

std::optional<Session> session(const QJsonObject& reply)
{
    const std::optional<QString> access = textMember(reply, QStringLiteral("access_token"));
    if (!access || access->isEmpty())
        return std::nullopt;
    Session result{*access, textMember(reply, QStringLiteral("refresh_token")), userEmail(reply)};
    if (result.refreshToken && result.refreshToken->isEmpty())
        result.refreshToken.reset();
    return result;
}

std::optional<qint64> tokenExpiry(const QString& token)
{
    const QStringList parts = token.split(QLatin1Char('.'));
    if (parts.size() != 3)
        return std::nullopt;
    const auto decoded = QByteArray::fromBase64Encoding(
        parts.at(1).toLatin1(), QByteArray::Base64UrlEncoding | QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded)
        return std::nullopt;
    const QJsonValue exp = QJsonDocument::fromJson(*decoded).object().value(QStringLiteral("exp"));
    if (!exp.isDouble() || std::isnan(exp.toDouble()))
        return std::nullopt;
    // The server signs whatever number it likes: one beyond any date would
    // not convert to a count of seconds (undefined behaviour), and the margin
    // taken off it later must not overflow. Bounded, it is still the far
    // future or the far past it means.
    return qint64(std::clamp(exp.toDouble(), -9.0e15, 9.0e15));
}

} // namespace nivora::AccountReply
