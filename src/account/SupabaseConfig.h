#pragma once

#include <QString>

namespace nivora {

// Where the account backend lives and the public key it wants on every request.
// Only accepted values are ever held: `url` is an https origin, or an http origin
// on a loopback address, without a trailing slash; `anonKey` is three base64url
// segments joined by dots. A config that was refused is empty and `isValid()` is
// false, and an account store over it sends nothing.
struct SupabaseConfig
{
    QString url;
    QString anonKey;

    bool isValid() const { return !url.isEmpty() && !anonKey.isEmpty(); }

    // The build's values, each replaced by the environment variable of the same
    // name (NIVORA_BACKEND_URL, NIVORA_BACKEND_ANON_KEY) when that is set.
    static SupabaseConfig fromEnvironment();
    // The given values when both are accepted, else an empty config.
    static SupabaseConfig fromValues(const QString& url, const QString& anonKey);

    // The origin without its trailing slash, or an empty string when refused.
    static QString acceptedUrl(const QString& url);
    static bool isAcceptedKey(const QString& key);
};

} // namespace nivora
