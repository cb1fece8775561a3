#pragma once

#include <QJsonObject>
#include <QString>
#include <optional>

namespace nivora {

// Reading what the authentication backend answers. Every member is checked for
// its type: a reply is text from a server, and a member of the wrong kind counts
// as missing rather than being coerced.
namespace AccountReply {

// The tokens a reply hands over. A reply is a session only when it holds a
// non-empty "access_token"; an empty refresh token counts as none.
struct Session
{
    QString accessToken;
    std::optional<QString> refreshToken;
    std::optional<QString> email;
};

// The member `name` when it is text.
std::optional<QString> textMember(const QJsonObject& object, const QString& name);
// The e-mail of the "user" object of a token reply.
std::optional<QString> userEmail(const QJsonObject& reply);
// What a sign-up answers when the address must be confirmed first: the new user
// itself, at the top or under "user".
bool isUserObject(const QJsonObject& reply);
std::optional<Session> session(const QJsonObject& reply);

// The "exp" claim of a JWT access token, in seconds since the epoch. The token
// is not checked here (the backend does that); its expiry only tells when to
// refresh. None for a token that is not a JWT or names no expiry.
std::optional<qint64> tokenExpiry(const QString& token);

} // namespace AccountReply
} // namespace nivora
