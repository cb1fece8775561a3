#pragma once

#include <QString>

namespace nivora {

// The secret half and the public half of one Google sign-in attempt. The
// challenge goes out in the authorization address, where the browser, its
// history and anything watching the redirect may see it; the verifier never
// leaves this process until the code is exchanged, so a code that reaches us
// from anywhere else than our own attempt cannot be turned into a session.
struct PkcePair
{
    QString verifier;  // 32 random bytes, base64url without padding
    QString challenge; // base64url of the SHA-256 of the verifier, without padding

    // A fresh pair from the system's random source.
    static PkcePair generate();
    static QString challengeFor(const QString& verifier);
};

} // namespace nivora
