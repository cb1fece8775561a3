// What the account backend answers (sign-in, sign-up, code exchange, refresh,
// user), and the access token's JWT payload it hands over. Input: the reply's
// body; the same bytes also go in as the payload of a token, since the
// expiry is read out of whatever the server signed.
#include "FuzzSupport.h"
#include "account/AccountReply.h"
#include "account/BackendRefusal.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>

using namespace nivora;
using namespace nivora::fuzz;

namespace {

void checkExpiry(const QByteArray& payload)
{
    const QString token = QStringLiteral("eyJhbGciOiJIUzI1NiJ9.") +
                          QString::fromLatin1(payload.toBase64(QByteArray::Base64UrlEncoding |
                                                               QByteArray::OmitTrailingEquals)) +
                          QStringLiteral(".c2lnbmF0dXJl");
    const std::optional<qint64> expiry = AccountReply::tokenExpiry(token);
    const QJsonValue exp = QJsonDocument::fromJson(payload).object().value(QStringLiteral("exp"));
    if (!exp.isDouble()) {
        check(!expiry, "an expiry from a payload without a numeric exp");
        return;
    }
    const double seconds = exp.toDouble();
    if (std::isfinite(seconds) && std::fabs(seconds) < 1.0e15)
        check(expiry && *expiry == qint64(seconds), "an expiry that is not the payload's exp");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray body = bytes(data, size);
    checkExpiry(body);

    const QJsonObject reply = QJsonDocument::fromJson(body).object();
    if (const std::optional<AccountReply::Session> session = AccountReply::session(reply)) {
        check(!session->accessToken.isEmpty(), "a session without an access token");
        check(!session->refreshToken || !session->refreshToken->isEmpty(), "an empty refresh token kept");
        check(reply.value(QStringLiteral("access_token")).toString() == session->accessToken,
              "the access token is not the reply's");
        AccountReply::tokenExpiry(session->accessToken);
    } else {
        check(reply.value(QStringLiteral("access_token")).toString().isEmpty(),
              "a reply's access token missed");
    }
    AccountReply::isUserObject(reply);
    AccountReply::userEmail(reply);
    BackendRefusal::isRefusal(reply);
    check(!BackendRefusal::text(reply, QStringLiteral("x")).isEmpty(), "a refusal text that is empty");
    return 0;
}
