#include "account/SupabaseConfig.h"

#include "account/BackendBuildSettings.h"

#include <QHostAddress>
#include <QStringList>
#include <QUrl>

namespace nivora {

namespace {

bool isLoopbackHost(const QString& host)
{
    if (host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0)
        return true;
    const QHostAddress address(host);
    return address == QHostAddress(QHostAddress::LocalHost) ||
           address == QHostAddress(QHostAddress::LocalHostIPv6);
}

bool isBase64UrlSegment(QStringView segment)
{
    if (segment.isEmpty())
        return false;
    for (const QChar c : segment) {
        const char16_t u = c.unicode();
        const bool ok = (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9') ||
                        u == '-' || u == '_';
        if (!ok)
            return false;
    }
    return true;
}

} // namespace

QString SupabaseConfig::acceptedUrl(const QString& text)
{
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty() || !url.userInfo().isEmpty() || url.hasQuery() ||
        url.hasFragment())
        return QString();
    // An origin only: every endpoint path is appended to it.
    if (!url.path().isEmpty() && url.path() != QLatin1String("/"))
        return QString();
    const QString scheme = url.scheme();
    if (scheme == QLatin1String("https")) {
        // fine anywhere
    } else if (scheme == QLatin1String("http")) {
        // Tokens and passwords travel in clear over http: only to this machine.
        if (!isLoopbackHost(url.host()))
            return QString();
    } else {
        return QString();
    }
    QUrl origin = url;
    origin.setPath(QString());
    return origin.toString(QUrl::FullyEncoded);
}

bool SupabaseConfig::isAcceptedKey(const QString& key)
{
    const QList<QStringView> parts = QStringView(key).split(QLatin1Char('.'));
    if (parts.size() != 3)
        return false;
    for (const QStringView part : parts) {
        if (!isBase64UrlSegment(part))
            return false;
    }
    return true;
}

SupabaseConfig SupabaseConfig::fromValues(const QString& url, const QString& anonKey)
{
    const QString accepted = acceptedUrl(url);
    if (accepted.isEmpty() || !isAcceptedKey(anonKey))
        return {};
    return {accepted, anonKey};
}

SupabaseConfig SupabaseConfig::fromEnvironment()
{
    const char* const urlName = "NIVORA_BACKEND_URL";
    const char* const keyName = "NIVORA_BACKEND_ANON_KEY";
    const QString url = qEnvironmentVariableIsSet(urlName) ? qEnvironmentVariable(urlName)
                                                           : QString::fromUtf8(NIVORA_BUILD_BACKEND_URL);
    const QString key = qEnvironmentVariableIsSet(keyName) ? qEnvironmentVariable(keyName)
                                                           : QString::fromUtf8(NIVORA_BUILD_BACKEND_ANON_KEY);
    const SupabaseConfig config = fromValues(url.trimmed(), key.trimmed());
    if (!config.isValid() && (!url.isEmpty() || !key.isEmpty())) {
        // Said once per process (the store is created once); the key is never printed.
        qWarning().noquote() << QStringLiteral(
            "Nivora: account configuration refused (an https address, or http to 127.0.0.1, ::1 or "
            "localhost; a key of three base64url segments); the account is disabled");
    }
    return config;
}

} // namespace nivora
