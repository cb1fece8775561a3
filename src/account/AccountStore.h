#pragma once

#include "account/SupabaseConfig.h"

#include <QDeadlineTimer>
#include <QObject>
#include <QString>
#include <QUrl>
#include <QtGlobal>
#include <functional>
#include <optional>

class QNetworkAccessManager;
class QNetworkReply;
class QNetworkRequest;

namespace nivora {

class DefaultsStore;

// The one owner of the account session. It signs in and up with e-mail and
// password against the backend's authentication endpoints, runs the Google sign-in
// through the system browser and the nivora://auth-callback hand-over (the
// backend's PKCE flow: the callback carries a one-time code that only this
// attempt's verifier can exchange), keeps the tokens in the settings file
// ("sb_access", "sb_refresh", "sb_email") so the session survives restarts,
// refreshes a session whose access token has expired, and publishes the little
// state the Account page shows.
//
// Nothing touches the network before the first sign-in attempt, or before a held
// session turns out to be expired: the network access manager is created then.
// A session comes only from a reply holding an "access_token"; refusals are read
// from the backend's error members and shown in French. Tokens, passwords, codes
// and callback addresses are never logged. Main thread only.
class AccountStore : public QObject
{
    Q_OBJECT

public:
    // The process-wide store over DefaultsStore::standard() and the configured
    // backend, created on first use.
    static AccountStore& shared();

    // A store over any settings file and backend; tests use this. `defaults` must
    // outlive the store. Reads the stored session at once; sends nothing.
    AccountStore(DefaultsStore& defaults, SupabaseConfig config, QObject* parent = nullptr);
    ~AccountStore() override;

    bool signedIn() const { return m_signedIn; }
    const QString& email() const { return m_email; }
    // An e-mail/password request is in flight.
    bool busy() const { return m_busy; }
    // The last error or notice for the Account page; none when there is nothing to say.
    const std::optional<QString>& errorMessage() const { return m_errorMessage; }
    // False when the build or the environment names no acceptable backend: then the
    // store never sends anything.
    bool configured() const { return m_config.isValid(); }
    const SupabaseConfig& config() const { return m_config; }

    void signIn(const QString& email, const QString& password);
    void signUp(const QString& email, const QString& password);
    // Opens the backend's Google authorization page in the user's browser with a
    // fresh PKCE challenge; the answer comes back through handleCallbackUrl().
    void signInWithGoogle();
    // Forgets the session here (and any Google attempt); the backend is not told.
    void signOut();
    void clearErrorMessage();
    // At start: a held session whose access token has expired is refreshed; one
    // that cannot be (refused, or no refresh token) is signed out with "Session
    // expirée, reconnecte-toi.". Sends nothing while the token is still good.
    void resumeSession();

    // A nivora:// address handed over by the desktop (D-Bus Open or `nivora
    // nivora://…`). Only nivora://auth-callback?code=… during a Google attempt of
    // this store (at most 15 minutes old) is taken: its code is exchanged with the
    // attempt's verifier, and only a successful exchange signs in and ends the
    // attempt. Tokens in the address, unknown codes and callbacks nobody waits for
    // are dropped with one log line that holds no part of the address.
    // True when the code was sent for exchange.
    bool handleCallbackUrl(const QString& url);
    bool googleSignInPending() const;

    // True once the store has made its network access manager (first request).
    bool networkStarted() const { return m_network != nullptr; }

    // How long a request may stay without any data moving (60 s by default).
    void setTransferTimeout(int milliseconds) { m_transferTimeoutMs = milliseconds; }
    // What opens the authorization page; the system browser by default.
    void setUrlOpener(std::function<bool(const QUrl&)> opener) { m_openUrl = std::move(opener); }

    static constexpr qint64 kMaxReplyBytes = 1024 * 1024;
    static constexpr qint64 kGoogleAttemptLifetimeMs = 15 * 60 * 1000;
    // Codes exchanged at once for one attempt: a page that keeps opening
    // callbacks cannot make us send requests without end.
    static constexpr int kMaxExchangesInFlight = 4;
    // A token this close to its expiry counts as expired: it could die on the way.
    static constexpr qint64 kExpiryMarginSeconds = 60;

Q_SIGNALS:
    void signedInChanged(bool signedIn);
    void emailChanged(const QString& email);
    void busyChanged(bool busy);
    void errorMessageChanged();
    // After any of the above.
    void changed();

private:
    struct GoogleAttempt
    {
        quint64 id = 0;
        QString verifier;
        QDeadlineTimer deadline;
        int exchangesInFlight = 0;
    };

    void post(const QString& path, const QString& email, const QString& password, bool isSignUp);
    void handlePostReply(QNetworkReply* reply, bool isSignUp);
    void exchangeCode(const QString& code);
    void handleExchangeReply(QNetworkReply* reply, quint64 attemptId);
    void refreshSession();
    void handleRefreshReply(QNetworkReply* reply, const QString& sentRefreshToken);
    bool accessTokenExpired() const;
    void expireSession();
    // Takes the session of a token reply; false when it holds no access token.
    bool takeSession(const QJsonObject& reply);
    void fetchUserEmail();
    void persist();
    QNetworkRequest jsonRequest(const QString& path) const;

    QNetworkAccessManager& network();
    QNetworkReply* send(QNetworkRequest request, const QByteArray* body);
    // The reply's body, or none when it was cut off for being too large.
    static std::optional<QByteArray> takeBody(QNetworkReply* reply);
    static std::optional<QString> transportError(QNetworkReply* reply);

    void setSignedIn(bool value);
    void setEmail(const QString& value);
    void setBusy(bool value);
    void setErrorMessage(std::optional<QString> value);

    DefaultsStore& m_defaults;
    SupabaseConfig m_config;

    bool m_signedIn = false;
    QString m_email;
    bool m_busy = false;
    std::optional<QString> m_errorMessage;

    std::optional<QString> m_accessToken;
    std::optional<QString> m_refreshToken;
    // The Google sign-in this store started and has not seen answered yet.
    std::optional<GoogleAttempt> m_googleAttempt;
    quint64 m_lastAttemptId = 0;
    // The refresh token of the refresh request in flight, if any.
    std::optional<QString> m_refreshing;

    QNetworkAccessManager* m_network = nullptr;
    int m_transferTimeoutMs = 60000;
    std::function<bool(const QUrl&)> m_openUrl;
};

} // namespace nivora
