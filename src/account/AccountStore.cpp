#include "account/AccountStore.h"

#include "state/DefaultsStore.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QStringDecoder>
#include <QUrlQuery>

namespace nivora {

namespace {

const QString kAccessKey = QStringLiteral("sb_access");
const QString kRefreshKey = QStringLiteral("sb_refresh");
const QString kEmailKey = QStringLiteral("sb_email");

// Set on a reply that was cut off for being larger than the cap.
const char* const kTooLargeProperty = "nivoraTooLarge";

QString invalidReplyText()
{
    return QStringLiteral("Réponse invalide du serveur.");
}

// A stored token must be non-empty text to count as a session.
std::optional<QString> storedToken(const DefaultsStore& defaults, const QString& key)
{
    const QJsonValue value = defaults.value(key);
    if (!value.isString() || value.toString().isEmpty())
        return std::nullopt;
    return value.toString();
}

std::optional<QString> textMember(const QJsonObject& object, const QString& name)
{
    const QJsonValue value = object.value(name);
    if (!value.isString())
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

bool isHexDigit(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= '0' && u <= '9') || (u >= 'a' && u <= 'f') || (u >= 'A' && u <= 'F');
}

// Percent-decodes a fragment value; a value with a broken escape or that does not
// decode to UTF-8 is kept as it came.
QString percentDecoded(const QString& value)
{
    if (!value.contains(QLatin1Char('%')))
        return value;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value.at(i) != QLatin1Char('%'))
            continue;
        if (i + 2 >= value.size() || !isHexDigit(value.at(i + 1)) || !isHexDigit(value.at(i + 2)))
            return value;
        i += 2;
    }
    const QByteArray bytes = QByteArray::fromPercentEncoding(value.toUtf8());
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = decoder.decode(bytes);
    if (decoder.hasError())
        return value;
    return decoded;
}

// "a=1&b=2" into its pairs: empty pieces dropped, each piece split at its first
// "=", a pair only when both sides are non-empty, later names overwriting earlier.
QHash<QString, QString> fragmentPairs(const QString& fragment)
{
    QHash<QString, QString> pairs;
    const QStringList pieces = fragment.split(QLatin1Char('&'), Qt::SkipEmptyParts);
    for (const QString& piece : pieces) {
        const qsizetype equals = piece.indexOf(QLatin1Char('='));
        if (equals <= 0 || equals == piece.size() - 1)
            continue;
        pairs.insert(piece.left(equals), percentDecoded(piece.mid(equals + 1)));
    }
    return pairs;
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
    // The stored session is trusted as it is: checking it would mean a request at
    // every start, and nothing else depends on the account.
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

void AccountStore::post(const QString& path, const QString& email, const QString& password, bool isSignUp)
{
    const QString trimmedEmail = trimHorizontalSpace(email);
    if (trimmedEmail.isEmpty() || password.isEmpty()) {
        setErrorMessage(QStringLiteral("Renseigne ton email et ton mot de passe."));
        return;
    }
    // One request at a time: the page disables its button meanwhile, and a second
    // answer racing the first could leave the other one's message on screen.
    if (m_busy || !configured())
        return;
    const QUrl url(m_config.url + path, QUrl::StrictMode);
    if (!url.isValid())
        return;

    setBusy(true);
    setErrorMessage(std::nullopt);

    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/json"));
    request.setRawHeader("apikey", m_config.anonKey.toUtf8());
    const QJsonObject body{{QStringLiteral("email"), trimmedEmail}, {QStringLiteral("password"), password}};
    const QByteArray bytes = QJsonDocument(body).toJson(QJsonDocument::Compact);
    QNetworkReply* reply = send(request, &bytes);
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

    if (const std::optional<QString> access = textMember(object, QStringLiteral("access_token"))) {
        m_accessToken = *access;
        m_refreshToken = textMember(object, QStringLiteral("refresh_token"));
        const QJsonValue user = object.value(QStringLiteral("user"));
        if (user.isObject()) {
            if (const std::optional<QString> email = textMember(user.toObject(), QStringLiteral("email")))
                setEmail(*email);
        }
        persist();
        setSignedIn(true);
        return;
    }
    if (isSignUp) {
        setErrorMessage(QStringLiteral("Compte créé ! Confirme ton email, puis connecte-toi."));
        return;
    }
    // The backend words its refusals in one of these members depending on the
    // endpoint and its version; the first one present speaks.
    for (const char* name : {"msg", "error_description", "error", "message"}) {
        const QJsonValue value = object.value(QLatin1String(name));
        if (value.isUndefined())
            continue;
        if (value.isString()) {
            setErrorMessage(value.toString());
            return;
        }
        break;
    }
    setErrorMessage(QStringLiteral("Email ou mot de passe incorrect."));
}

void AccountStore::signInWithGoogle()
{
    if (!configured())
        return;
    QUrl url(m_config.url + QStringLiteral("/auth/v1/authorize"), QUrl::StrictMode);
    if (!url.isValid())
        return;
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("provider"), QStringLiteral("google"));
    query.addQueryItem(QStringLiteral("redirect_to"), QStringLiteral("nivora://auth-callback"));
    url.setQuery(query);

    setErrorMessage(std::nullopt);
    // A new attempt replaces any earlier one: only the latest may answer.
    m_googleAttempt = QDeadlineTimer(kGoogleAttemptLifetimeMs);
    bool opened = false;
    if (m_openUrl)
        opened = m_openUrl(url);
    else if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        opened = QDesktopServices::openUrl(url);
    if (!opened) {
        m_googleAttempt.reset();
        setErrorMessage(QStringLiteral("Impossible d'ouvrir le navigateur."));
    }
}

bool AccountStore::googleSignInPending() const
{
    return m_googleAttempt && !m_googleAttempt->hasExpired();
}

bool AccountStore::handleCallbackUrl(const QString& text)
{
    const QUrl url(text);
    const QString path = url.path();
    if (url.scheme() != QLatin1String("nivora") || url.host() != QLatin1String("auth-callback") ||
        (!path.isEmpty() && path != QLatin1String("/"))) {
        qInfo().noquote() << QStringLiteral("Nivora: adresse nivora:// inconnue ignorée");
        return false;
    }
    // Only the answer to our own attempt may sign in: a link on some web page
    // must not log the user into an account of someone else's choosing.
    if (!googleSignInPending()) {
        m_googleAttempt.reset();
        qInfo().noquote() << QStringLiteral(
            "Nivora: retour de connexion Google ignoré : aucune connexion Google en cours");
        return false;
    }
    m_googleAttempt.reset();

    // The raw text, not QUrl's view of it: QUrl may re-encode the fragment, and
    // the values are decoded exactly once, here.
    const qsizetype hash = text.indexOf(QLatin1Char('#'));
    const QString fragment = hash < 0 ? QString() : text.mid(hash + 1);
    const QHash<QString, QString> pairs = fragmentPairs(fragment);
    const auto access = pairs.constFind(QStringLiteral("access_token"));
    if (access == pairs.constEnd()) {
        setErrorMessage(QStringLiteral("Échec de la connexion Google."));
        return true;
    }
    m_accessToken = *access;
    const auto refresh = pairs.constFind(QStringLiteral("refresh_token"));
    m_refreshToken = refresh == pairs.constEnd() ? std::nullopt : std::optional<QString>(*refresh);
    persist();
    setSignedIn(true);
    fetchUserEmail();
    return true;
}

void AccountStore::fetchUserEmail()
{
    if (!m_accessToken || !configured())
        return;
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
        return QStringLiteral("Impossible de se connecter au serveur.");
    case QNetworkReply::HostNotFoundError:
        return QStringLiteral("Un serveur avec le nom d'hôte indiqué est introuvable.");
    case QNetworkReply::TimeoutError:
    case QNetworkReply::ProxyTimeoutError:
    // The only cancellation left here is the transfer time-out: the store
    // itself only aborts replies it marks as too large.
    case QNetworkReply::OperationCanceledError:
        return QStringLiteral("La requête a expiré.");
    case QNetworkReply::SslHandshakeFailedError:
        return QStringLiteral(
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
