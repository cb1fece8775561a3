#include "account/AuthCallback.h"

#include <QStringList>
#include <QUrl>
#include <QUrlQuery>

namespace nivora {

AuthCallback AuthCallback::parse(const QString& address)
{
    AuthCallback result;
    const QUrl url(address);
    const QString path = url.path();
    if (url.scheme() != QLatin1String("nivora") || url.host() != QLatin1String("auth-callback") ||
        (!path.isEmpty() && path != QLatin1String("/")))
        return result;
    if (url.hasFragment()) {
        result.shape = Shape::TokenInAddress;
        return result;
    }
    result.shape = Shape::Callback;
    const QStringList codes = QUrlQuery(url).allQueryItemValues(QStringLiteral("code"), QUrl::FullyDecoded);
    if (codes.size() == 1 && !codes.first().isEmpty() && codes.first().size() <= maxCodeLength)
        result.code = codes.first();
    return result;
}

} // namespace nivora
