#include "account/AccountStore.h"

#include "account/AccountReply.h"
#include "account/AuthCallback.h"
#include "account/BackendRefusal.h"
#include "account/PkcePair.h"
#include "state/DefaultsStore.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrlQuery>

namespace nivora {

using AccountReply::textMember;
using AccountReply::userEmail;

namespace {

const QString kAccessKey = QStringLiteral("sb_access");
const QString kRefreshKey = QStringLiteral("sb_refresh");
const QString kEmailKey = QStringLiteral("sb_email");

// Set on a reply that was cut off for being larger than the cap.
const char* const kTooLargeProperty = "nivoraTooLarge";

QString invalidReplyText()
{
    return QCoreApplication::translate("AccountStore", "Réponse invalide du serveur.");
}

// A stored token must be non-empty text to count as a session.
std::optional<QString> storedToken(const DefaultsStore& defaults, const QString& key)
{
    const QJsonValue value = defaults.value(key);
    if (!value.isString() || value.toString().isEmpty())
        return std::nullopt;
    return value.toString();
}

// Spaces and tabs only: a line break at either end is kept, as typed.
bool isHorizontalSpace(QChar c)
{
    return c == QLatin1Char('\t') || c.category() == QChar::Separator_Space;
}

QString trimHorizontalSpace(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isHorizontalSpace(text.at(begin)))
        ++begin;
    while (end > begin && isHorizontalSpace(text.at(end - 1)))
        --end;
    return text.mid(begin, end - begin);
}

void logIgnoredCallback(const char* reason)
{
    // The address itself is never written: it may hold a code or a token.
    qInfo().noquote()
        << QStringLiteral("Nivora: Google sign-in callback ignored: %1").arg(QString::fromUtf8(reason));
}

} // namespace

AccountStore& AccountStore::shared()
{
    static AccountStore* instance =
        new AccountStore(DefaultsStore::standard(), SupabaseConfig::fromEnvironment());
    return *instance;
}

AccountStore::AccountStore(DefaultsStore& defaults, SupabaseConfig config, QObject* parent)
    : QObject(parent), m_defaults(defaults), m_config(std::move(config))
{
    // The stored session is taken as it is; resumeSession() refreshes it once
    // its access token has expired. Nothing is checked with the backend here.
    m_accessToken = storedToken(m_defaults, kAccessKey);
    m_refreshToken = storedToken(m_defaults, kRefreshKey);
    m_email = m_defaults.stringValue(kEmailKey).value_or(QString());
    m_signedIn = m_accessToken.has_value();
}

AccountStore::~AccountStore() = default;

void AccountStore::signIn(const QString& email, const QString& password)
{
    post(QStringLiteral("/auth/v1/token?grant_type=password"), email, password, false);
}

void AccountStore::signUp(const QString& email, const QString& password)
{
    post(QStringLiteral("/auth/v1/signup"), email, password, true);
}

void AccountStore::signOut()
{
    m_accessToken.reset();
    m_refreshToken.reset();
    m_refreshing.reset();
    m_googleAttempt.reset();
    setEmail(QString());
    setSignedIn(false);
    m_defaults.remove(kAccessKey);
    m_defaults.remove(kRefreshKey);
    m_defaults.remove(kEmailKey);
}

void AccountStore::clearErrorMessage()
{
    setErrorMessage(std::nullopt);
}

QNetworkRequest AccountStore::jsonRequest(const QString& path) const
{
    QNetworkRequest request(QUrl(m_config.url + path, QUrl::StrictMode));
    request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/json"));
    request.setRawHeader("apikey", m_config.anonKey.toUtf8());
    return request;
}

void AccountStore::post(const QString& path, const QString& email, const QString& password, bool isSignUp)
{
    const QString trimmedEmail = trimHorizontalSpace(email);
    if (trimmedEmail.isEmpty() || password.isEmpty()) {
        setErrorMessage(
            QCoreApplication::translate("AccountStore", "Renseigne ton email et ton mot de passe."));
        return;
    }
    // One request at a time: the page disables its button meanwhile, and a second
    // answer racing the first could leave the other one's message on screen.
    if (m_busy || !configured())
        return;
    if (!QUrl(m_config.url + path, QUrl::StrictMode).isValid())
        return;

    setBusy(true);
    setErrorMessage(std::nullopt);

    const QJsonObject body{{QStringLiteral("email"), trimmedEmail}, {QStringLiteral("password"), password}};
    const QByteArray bytes = QJsonDocument(body).toJson(QJsonDocument::Compact);
    QNetworkReply* reply = send(jsonRequest(path), &bytes);
    connect(reply, &QNetworkReply::finished, this,
            [this, reply, isSignUp] { handlePostReply(reply, isSignUp); });
}

void AccountStore::handlePostReply(QNetworkReply* reply, bool isSignUp)
{
    reply->deleteLater();
    setBusy(false);

    const std::optional<QByteArray> body = takeBody(reply);
    if (!body) {
        setErrorMessage(invalidReplyText());
        return;
    }
    if (const std::optional<QString> error = transportError(reply)) {
        setErrorMessage(*error);
        return;
    }
    QJsonParseError parseError{};
    const QJsonDocument document = QJsonDocument::fromJson(*body, &parseError);
    if (body->isEmpty() || parseError.error != QJsonParseError::NoError || !document.isObject()) {
        setErrorMessage(invalidReplyText());
        return;
    }
    const QJsonObject object = document.object();

    if (takeSession(object)) {
        // Signed in: a Google callback arriving now answers nothing.
        m_googleAttempt.reset();
        return;
    }
    // The refusal first, for both: a refused sign-up is no account created.
    if (BackendRefusal::isRefusal(object)) {
        setErrorMessage(BackendRefusal::text(
            object, QCoreApplication::translate("AccountStore", "Email ou mot de passe incorrect.")));
        return;
    }
    if (!isSignUp)
        setErrorMessage(QCoreApplication::translate("AccountStore", "Email ou mot de passe incorrect."));
    else if (AccountReply::isUserObject(object))
        setErrorMessage(QCoreApplication::translate("AccountStore",
                                                    "Compte créé ! Confirme ton email, puis connecte-toi."));
    else
        setErrorMessage(invalidReplyText());
}

bool AccountStore::takeSession(const QJsonObject& reply)
{
    const std::optional<AccountReply::Session> session = AccountReply::session(reply);
    if (!session)
        return false;
    m_accessToken = session->accessToken;
    m_refreshToken = session->refreshToken;
    if (session->email)
        setEmail(*session->email);
    persist();
    setSignedIn(true);
    return true;
}

void AccountStore::signInWithGoogle()
{
    if (!configured())
        return;
    QUrl url(m_config.url + QStringLiteral("/auth/v1/authorize"), QUrl::StrictMode);
    if (!url.isValid())
        return;
    // A fresh pair per attempt: a code is only worth something with the verifier
    // of the attempt it was issued to.
    const PkcePair pkce = PkcePair::generate();
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("provider"), QStringLiteral("google"));
    query.addQueryItem(QStringLiteral("redirect_to"), QStringLiteral("nivora://auth-callback"));
    query.addQueryItem(QStringLiteral("code_challenge"), pkce.challenge);
    query.addQueryItem(QStringLiteral("code_challenge_method"), QStringLiteral("s256"));
    url.setQuery(query);

    setErrorMessage(std::nullopt);
    // A new attempt replaces any earlier one: only the latest may answer.
    m_googleAttempt =
        GoogleAttempt{++m_lastAttemptId, pkce.verifier, QDeadlineTimer(kGoogleAttemptLifetimeMs), 0};
    bool opened = false;
    if (m_openUrl)
        opened = m_openUrl(url);
    else if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        opened = QDesktopServices::openUrl(url);
    if (!opened) {
        m_googleAttempt.reset();
        setErrorMessage(QCoreApplication::translate("AccountStore", "Impossible d'ouvrir le navigateur."));
    }
}

bool AccountStore::googleSignInPending() const
{
    return m_googleAttempt && !m_googleAttempt->deadline.hasExpired();
}

bool AccountStore::handleCallbackUrl(const QString& text)
{
    const AuthCallback callback = AuthCallback::parse(text);
    if (callback.shape == AuthCallback::Shape::Unknown) {
        qInfo().noquote() << QStringLiteral("Nivora: unknown nivora:// address ignored");
        return false;
    }
    // A session handed over in the address is how a forged callback looks: the
    // flow this store runs never puts tokens there.
    if (callback.shape == AuthCallback::Shape::TokenInAddress) {
        logIgnoredCallback("a token in the address, a code was expected");
        return false;
    }
    // Only the answer to our own attempt may sign in: a link on some web page
    // must not log the user into an account of someone else's choosing.
    if (!googleSignInPending()) {
        m_googleAttempt.reset();
        logIgnoredCallback("no Google sign-in under way");
        return false;
    }
    if (!callback.code) {
        logIgnoredCallback("no code");
        return false;
    }
    if (m_googleAttempt->exchangesInFlight >= kMaxExchangesInFlight) {
        logIgnoredCallback("too many callbacks at once");
        return false;
    }
    // The attempt stays open until an exchange succeeds: a forged code that
    // arrives first must not use it up before the real one.
    exchangeCode(*callback.code);
    return true;
}

void AccountStore::exchangeCode(const QString& code)
{
    GoogleAttempt& attempt = *m_googleAttempt;
    ++attempt.exchangesInFlight;
    const QJsonObject body{{QStringLiteral("auth_code"), code},
                           {QStringLiteral("code_verifier"), attempt.verifier}};
    const QByteArray bytes = QJsonDocument(body).toJson(QJsonDocument::Compact);
    QNetworkReply* reply = send(jsonRequest(QStringLiteral("/auth/v1/token?grant_type=pkce")), &bytes);
    connect(reply, &QNetworkReply::finished, this,
            [this, reply, id = attempt.id] { handleExchangeReply(reply, id); });
}

void AccountStore::handleExchangeReply(QNetworkReply* reply, quint64 attemptId)
{
    reply->deleteLater();
    // An answer for an attempt that was replaced, ended or signed in already
    // says nothing about the current one.
    if (!m_googleAttempt || m_googleAttempt->id != attemptId)
        return;
    --m_googleAttempt->exchangesInFlight;

    const std::optional<QByteArray> body = takeBody(reply);
    if (body) {
        if (const std::optional<QString> error = transportError(reply)) {
            setErrorMessage(*error);
            return;
        }
    }
    const QJsonObject object = body ? QJsonDocument::fromJson(*body).object() : QJsonObject();
    if (!takeSession(object)) {
        logIgnoredCallback("code refused by the server");
        return;
    }
    m_googleAttempt.reset();
    setErrorMessage(std::nullopt);
    if (!userEmail(object))
        fetchUserEmail();
}

void AccountStore::resumeSession()
{
    if (m_accessToken && accessTokenExpired())
        refreshSession();
}

bool AccountStore::accessTokenExpired() const
{
    if (!m_accessToken)
        return false;
    const std::optional<qint64> expiry = AccountReply::tokenExpiry(*m_accessToken);
    return expiry && *expiry - kExpiryMarginSeconds <= QDateTime::currentSecsSinceEpoch();
}

void AccountStore::refreshSession()
{
    if (m_refreshing)
        return;
    if (!m_refreshToken || !configured()) {
        expireSession();
        return;
    }
    m_refreshing = m_refreshToken;
    const QJsonObject body{{QStringLiteral("refresh_token"), *m_refreshToken}};
    const QByteArray bytes = QJsonDocument(body).toJson(QJsonDocument::Compact);
    QNetworkReply* reply =
        send(jsonRequest(QStringLiteral("/auth/v1/token?grant_type=refresh_token")), &bytes);
    connect(reply, &QNetworkReply::finished, this,
            [this, reply, sent = *m_refreshToken] { handleRefreshReply(reply, sent); });
}

void AccountStore::handleRefreshReply(QNetworkReply* reply, const QString& sentRefreshToken)
{
    reply->deleteLater();
    if (m_refreshing == sentRefreshToken)
        m_refreshing.reset();
    // Signed out or signed in again meanwhile: this answer is about a session
    // that is gone.
    if (m_refreshToken != sentRefreshToken)
        return;

    const std::optional<QByteArray> body = takeBody(reply);
    if (!body || transportError(reply)) {
        // Not a refusal: the session may well be good, and the next start or
        // request tries again.
        qInfo().noquote() << QStringLiteral("Nivora: session not refreshed: the server did not answer");
        return;
    }
    const QJsonObject object = QJsonDocument::fromJson(*body).object();
    if (takeSession(object)) {
        if (m_email.isEmpty() && !accessTokenExpired())
            fetchUserEmail();
        return;
    }
    // Only the backend saying no ends the session; its own trouble does not.
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status >= 400 && status < 500 && status != 408 && status != 429) {
        expireSession();
        return;
    }
    qInfo().noquote()
        << QStringLiteral("Nivora: session not refreshed: unexpected server reply (%1)").arg(status);
}

void AccountStore::expireSession()
{
    signOut();
    setErrorMessage(QCoreApplication::translate("AccountStore", "Session expirée, reconnecte-toi."));
}

void AccountStore::fetchUserEmail()
{
    if (!m_accessToken || !configured())
        return;
    // The refresh answers with the user, e-mail included.
    if (accessTokenExpired()) {
        refreshSession();
        return;
    }
    const QUrl url(m_config.url + QStringLiteral("/auth/v1/user"), QUrl::StrictMode);
    if (!url.isValid())
        return;
    QNetworkRequest request(url);
    request.setRawHeader("apikey", m_config.anonKey.toUtf8());
    request.setRawHeader("Authorization", "Bearer " + m_accessToken->toUtf8());
    QNetworkReply* reply = send(request, nullptr);
    const QString token = *m_accessToken;
    connect(reply, &QNetworkReply::finished, this, [this, reply, token] {
        reply->deleteLater();
        // An answer for a session that has since ended or been replaced says
        // nothing about the current one.
        if (m_accessToken != token)
            return;
        const std::optional<QByteArray> body = takeBody(reply);
        if (!body || transportError(reply))
            return;
        const QJsonDocument document = QJsonDocument::fromJson(*body);
        if (!document.isObject())
            return;
        if (const std::optional<QString> email = textMember(document.object(), QStringLiteral("email"))) {
            setEmail(*email);
            m_defaults.setValue(kEmailKey, *email);
        }
    });
}

void AccountStore::persist()
{
    QJsonObject values{{kEmailKey, m_email}};
    if (m_accessToken)
        values.insert(kAccessKey, *m_accessToken);
    if (m_refreshToken)
        values.insert(kRefreshKey, *m_refreshToken);
    m_defaults.setValues(values);
    if (!m_accessToken)
        m_defaults.remove(kAccessKey);
    if (!m_refreshToken)
        m_defaults.remove(kRefreshKey);
}

QNetworkAccessManager& AccountStore::network()
{
    // Made on first use, so that a run that never signs in pays nothing for it.
    if (!m_network)
        m_network = new QNetworkAccessManager(this);
    return *m_network;
}

QNetworkReply* AccountStore::send(QNetworkRequest request, const QByteArray* body)
{
    request.setTransferTimeout(m_transferTimeoutMs);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    QNetworkReply* reply = body ? network().post(request, *body) : network().get(request);

    // A reply this store can use is a few kilobytes; a larger one is abandoned as
    // soon as it shows, so that a broken or hostile server cannot fill memory.
    const auto cutOff = [reply] {
        if (reply->property(kTooLargeProperty).toBool())
            return;
        reply->setProperty(kTooLargeProperty, true);
        reply->abort();
    };
    connect(reply, &QNetworkReply::metaDataChanged, reply, [reply, cutOff] {
        bool ok = false;
        const qint64 announced = reply->header(QNetworkRequest::ContentLengthHeader).toLongLong(&ok);
        if (ok && announced > kMaxReplyBytes)
            cutOff();
    });
    connect(reply, &QNetworkReply::downloadProgress, reply, [cutOff](qint64 received, qint64) {
        if (received > kMaxReplyBytes)
            cutOff();
    });
    return reply;
}

std::optional<QByteArray> AccountStore::takeBody(QNetworkReply* reply)
{
    if (reply->property(kTooLargeProperty).toBool())
        return std::nullopt;
    // An aborted reply is closed and has nothing left to read.
    const QByteArray body = reply->isOpen() ? reply->readAll() : QByteArray();
    if (body.size() > kMaxReplyBytes)
        return std::nullopt;
    return body;
}

std::optional<QString> AccountStore::transportError(QNetworkReply* reply)
{
    const QNetworkReply::NetworkError error = reply->error();
    if (error == QNetworkReply::NoError)
        return std::nullopt;
    // A reply with an HTTP status got through: its body decides, whatever the
    // status (errors from 200 up are Qt's names for HTTP statuses).
    const bool hasStatus = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid();
    if (hasStatus && error >= QNetworkReply::ContentAccessDenied)
        return std::nullopt;
    switch (error) {
    case QNetworkReply::ConnectionRefusedError:
    case QNetworkReply::NetworkSessionFailedError:
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::ProxyConnectionRefusedError:
    case QNetworkReply::ProxyNotFoundError:
        return QCoreApplication::translate("AccountStore", "Impossible de se connecter au serveur.");
    case QNetworkReply::HostNotFoundError:
        return QCoreApplication::translate("AccountStore",
                                           "Un serveur avec le nom d'hôte indiqué est introuvable.");
    case QNetworkReply::TimeoutError:
    case QNetworkReply::ProxyTimeoutError:
    // The only cancellation left here is the transfer time-out: the store
    // itself only aborts replies it marks as too large.
    case QNetworkReply::OperationCanceledError:
        return QCoreApplication::translate("AccountStore", "La requête a expiré.");
    case QNetworkReply::SslHandshakeFailedError:
        return QCoreApplication::translate(
            "AccountStore",
            "Une erreur SSL s'est produite et une connexion sécurisée au serveur ne peut pas être établie.");
    default:
        return reply->errorString();
    }
}

void AccountStore::setSignedIn(bool value)
{
    if (m_signedIn == value)
        return;
    m_signedIn = value;
    Q_EMIT signedInChanged(value);
    Q_EMIT changed();
}

void AccountStore::setEmail(const QString& value)
{
    if (m_email == value)
        return;
    m_email = value;
    Q_EMIT emailChanged(value);
    Q_EMIT changed();
}

void AccountStore::setBusy(bool value)
{
    if (m_busy == value)
        return;
    m_busy = value;
    Q_EMIT busyChanged(value);
    Q_EMIT changed();
}

void AccountStore::setErrorMessage(std::optional<QString> value)
{
    if (m_errorMessage == value)
        return;
    m_errorMessage = std::move(value);
    Q_EMIT errorMessageChanged();
    Q_EMIT changed();
}

} // namespace nivora
