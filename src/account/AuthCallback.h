#pragma once

#include <QString>
#include <optional>

namespace nivora {

// What a nivora:// address handed over by the desktop says, before anything is
// done with it: whether it is the Google sign-in callback at all, whether it
// carries a session in its fragment (how a forged callback looks: the PKCE flow
// never puts tokens there), and the one-time code it carries.
struct AuthCallback
{
    enum class Shape
    {
        Unknown,        // not nivora://auth-callback
        TokenInAddress, // the callback, with a fragment
        Callback,
    };

    Shape shape = Shape::Unknown;
    // Set only for a callback with exactly one non-empty `code` of at most
    // maxCodeLength characters.
    std::optional<QString> code;

    // Longer than any code the backend hands out; anything longer is not one.
    static constexpr qsizetype maxCodeLength = 512;

    static AuthCallback parse(const QString& address);
};

} // namespace nivora
