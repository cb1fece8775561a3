// A nivora:// address as the desktop hands it over (D-Bus Open, `nivora
// nivora://…`, `ctl`): whoever wrote the link chose every byte. Only the
// sign-in callback may yield a code, never one taken from the fragment, and
// never an empty or oversized one.
#include "FuzzSupport.h"
#include "account/AuthCallback.h"

#include <QUrl>
#include <QUrlQuery>

using namespace nivora;
using namespace nivora::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString address = QString::fromUtf8(bytes(data, size));
    const AuthCallback callback = AuthCallback::parse(address);
    if (callback.shape == AuthCallback::Shape::Unknown ||
        callback.shape == AuthCallback::Shape::TokenInAddress)
        check(!callback.code, "a code from an address that is not a clean callback");
    if (callback.shape != AuthCallback::Shape::Unknown) {
        const QUrl url(address);
        check(url.scheme() == QLatin1String("nivora") && url.host() == QLatin1String("auth-callback"),
              "an address of another place taken as the callback");
        check((callback.shape == AuthCallback::Shape::TokenInAddress) == url.hasFragment(),
              "a fragment was not told apart");
    }
    if (callback.code) {
        check(!callback.code->isEmpty() && callback.code->size() <= AuthCallback::maxCodeLength,
              "an empty or oversized code");
        // The code is the query's, not a piece of the fragment or the path.
        const QUrlQuery query{QUrl(address)};
        check(query.queryItemValue(QStringLiteral("code"), QUrl::FullyDecoded) == *callback.code,
              "the code is not the query's");
    }
    // The same address parsed twice says the same.
    const AuthCallback again = AuthCallback::parse(address);
    check(again.shape == callback.shape && again.code == callback.code, "parsing is not deterministic");
    return 0;
}
