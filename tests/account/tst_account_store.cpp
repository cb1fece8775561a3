// AccountStore against a loopback server that answers as the hosted backend does.
#include "LoopbackBackend.h"
#include "account/AccountStore.h"
#include "account/PkcePair.h"
#include "state/DefaultsStore.h"

#include <QCryptographicHash>
#include <QFile>
#include <QJsonArray>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUrlQuery>

using namespace nivora;

namespace {

QJsonObject readFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(f.readAll()).object();
}

const QString kInvalid = QStringLiteral("Réponse invalide du serveur.");
const QString kWrong = QStringLiteral("Email ou mot de passe incorrect.");

// Every line the code under test logs, while one of these lives.
class LogCapture
{
public:
    LogCapture()
    {
        s_lines = &m_lines;
        m_previous = qInstallMessageHandler(&LogCapture::handle);
    }
    ~LogCapture()
    {
        qInstallMessageHandler(m_previous);
        s_lines = nullptr;
    }
    const QStringList& lines() const { return m_lines; }
    int count(const QString& line) const { return int(m_lines.count(line)); }

private:
    static void handle(QtMsgType, const QMessageLogContext&, const QString& message)
    {
        if (s_lines)
            s_lines->append(message);
    }
    static inline QStringList* s_lines = nullptr;
    QStringList m_lines;
    QtMessageHandler m_previous = nullptr;
};

QString ignored(const char* reason)
{
    return QStringLiteral("Nivora: Google sign-in callback ignored: ") + QString::fromUtf8(reason);
}

// The authorization address's query, by name.
QString queryItem(const QUrl& url, const QString& name)
{
    return QUrlQuery(url).queryItemValue(name, QUrl::FullyDecoded);
}

} // namespace

class TestAccountStore : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<LoopbackBackend> m_backend;

    QString settingsPath() const { return m_dir->filePath("defaults.json"); }
    SupabaseConfig config() const
    {
        return SupabaseConfig::fromValues(m_backend->url(), LoopbackBackend::anonKey());
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_backend = std::make_unique<LoopbackBackend>();
        QVERIFY(config().isValid());
    }

    void cleanup()
    {
        m_backend.reset();
        m_dir.reset();
    }

    void signInKeepsTheSessionAcrossRestarts()
    {
        {
            DefaultsStore defaults(settingsPath());
            defaults.setValue("speed", 0.5); // other settings must survive the session keys
            AccountStore store(defaults, config());
            QVERIFY(!store.signedIn());
            QVERIFY(!store.networkStarted());

            store.signIn(" \tada@example.org\u00a0", "correct horse");
            QVERIFY(store.busy());
            QTRY_VERIFY(!store.busy());
            QVERIFY(store.signedIn());
            QCOMPARE(store.email(), "ada@example.org");
            QVERIFY(!store.errorMessage());

            QCOMPARE(m_backend->requests.size(), 1);
            const BackendRequest& r = m_backend->requests.first();
            QCOMPARE(r.method, "POST");
            QCOMPARE(r.target, "/auth/v1/token?grant_type=password");
            QCOMPARE(r.headers.value("content-type"), "application/json");
            QCOMPARE(r.json(), (QJsonObject{{"email", "ada@example.org"}, {"password", "correct horse"}}));

            const QJsonObject saved = readFile(settingsPath());
            QCOMPARE(saved.value("sb_access").toString(), m_backend->accessToken);
            QCOMPARE(saved.value("sb_refresh").toString(), m_backend->refreshToken);
            QCOMPARE(saved.value("sb_email").toString(), "ada@example.org");
            QCOMPARE(saved.value("speed").toDouble(), 0.5);
            const auto userBits = QFile::ReadUser | QFile::WriteUser | QFile::ExeUser;
            QCOMPARE(QFile::permissions(settingsPath()) & ~userBits, QFile::ReadOwner | QFile::WriteOwner);
        }
        {
            DefaultsStore defaults(settingsPath());
            AccountStore store(defaults, config());
            QVERIFY(store.signedIn());
            QCOMPARE(store.email(), "ada@example.org");
            store.signOut();
            QVERIFY(!store.signedIn());
            QCOMPARE(store.email(), QString());
        }
        const QJsonObject saved = readFile(settingsPath());
        QVERIFY(!saved.contains("sb_access") && !saved.contains("sb_refresh") && !saved.contains("sb_email"));
        QCOMPARE(saved.value("speed").toDouble(), 0.5);
        DefaultsStore defaults(settingsPath());
        AccountStore store(defaults, config());
        QVERIFY(!store.signedIn());
        // Restarts and the sign-out never asked the backend anything.
        QCOMPARE(m_backend->connections, 1);
    }

    void blankFieldsSendNothingButSpacesArePasswords()
    {
        DefaultsStore defaults(settingsPath());
        AccountStore store(defaults, config());
        for (const auto& [email, password] : {std::pair<QString, QString>{"   \t ", "correct horse"},
                                              std::pair<QString, QString>{"ada@example.org", ""}}) {
            store.signIn(email, password);
            QCOMPARE(store.errorMessage(), "Renseigne ton email et ton mot de passe.");
            QVERIFY(!store.busy());
        }
        QVERIFY(!store.networkStarted());
        QCOMPARE(m_backend->connections, 0);

        store.signIn("ada@example.org", "   ");
        QVERIFY(!store.errorMessage()); // cleared when the request leaves
        QTRY_VERIFY(!store.busy());
        QCOMPARE(m_backend->requests.size(), 1);
        QCOMPARE(m_backend->requests.first().json().value("password").toString(), "   ");
        QCOMPARE(store.errorMessage(), kWrong);
    }

    // Refusals of both requests, each documented code, the English-only messages
    // of older servers, and what the table does not know.
    void refusalsAreShownInFrench_data()
    {
        QTest::addColumn<bool>("signUp");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("message");
        const QString rateLimit = "Trop de tentatives. Réessaie dans quelques minutes.";
        QTest::newRow("invalid_credentials")
            << false << 400
            << QByteArray(
                   R"({"code":400,"error_code":"invalid_credentials","msg":"Invalid login credentials"})")
            << kWrong;
        QTest::newRow("email_not_confirmed")
            << false << 400
            << QByteArray(R"({"code":400,"error_code":"email_not_confirmed","msg":"Email not confirmed"})")
            << "Ton email n'est pas encore confirmé : ouvre le lien reçu, puis connecte-toi.";
        QTest::newRow("old server, English only, on 200")
            << false << 200
            << QByteArray(R"({"error":"invalid_grant","error_description":"Invalid login credentials"})")
            << kWrong;
        QTest::newRow("newer API: code as text")
            << false << 429
            << QByteArray(R"({"code":"over_request_rate_limit","message":"Request rate limit"})")
            << rateLimit;
        QTest::newRow("unknown keeps the server's words")
            << false << 500 << QByteArray(R"({"error":"server_error"})")
            << "Le serveur a répondu : server_error";
        QTest::newRow("unknown code without words")
            << false << 400 << QByteArray(R"({"code":400,"error_code":"x"})") << "Le serveur a répondu : x";
        QTest::newRow("first present not text")
            << false << 400 << QByteArray(R"({"msg":{"a":1},"error":"later"})") << kWrong;
        QTest::newRow("token that is not text")
            << false << 200 << QByteArray(R"({"access_token":42,"msg":"no"})") << "Le serveur a répondu : no";
        QTest::newRow("nothing said") << false << 400 << QByteArray(R"({"x":1})") << kWrong;

        QTest::newRow("sign-up: user_already_exists")
            << true << 422
            << QByteArray(
                   R"({"code":422,"error_code":"user_already_exists","msg":"User already registered"})")
            << "Un compte existe déjà avec cet email : connecte-toi.";
        QTest::newRow("sign-up: weak_password with its reasons")
            << true << 422
            << QByteArray(R"({"code":422,"error_code":"weak_password","msg":"Password should be at least 8 )"
                          R"(characters.","weak_password":{"reasons":["length","pwned"]}})")
            << "Mot de passe trop faible : il est trop court ; il figure dans des fuites de mots de passe "
               "connues.";
        QTest::newRow("sign-up: weak password, old server")
            << true << 422 << QByteArray(R"({"code":422,"msg":"Password should be at least 6 characters"})")
            << "Mot de passe trop faible.";
        QTest::newRow("sign-up: over_email_send_rate_limit")
            << true << 429
            << QByteArray(R"({"code":429,"error_code":"over_email_send_rate_limit","msg":"rate limit"})")
            << "Trop d'emails envoyés à cette adresse. Réessaie dans quelques minutes.";
        QTest::newRow("sign-up: over_request_rate_limit")
            << true << 429 << QByteArray(R"({"code":429,"error_code":"over_request_rate_limit","msg":"r"})")
            << rateLimit;
        QTest::newRow("sign-up: signup_disabled")
            << true << 422
            << QByteArray(R"({"code":422,"error_code":"signup_disabled","msg":"Signups not allowed"})")
            << "Les inscriptions sont fermées pour le moment.";
        QTest::newRow("sign-up: email_not_confirmed")
            << true << 400 << QByteArray(R"({"error_code":"email_not_confirmed","msg":"x"})")
            << "Ton email n'est pas encore confirmé : ouvre le lien reçu, puis connecte-toi.";
        QTest::newRow("sign-up: invalid_credentials")
            << true << 400 << QByteArray(R"({"error_code":"invalid_credentials","msg":"x"})") << kWrong;
        // Refusals that look like an account at first glance are refusals.
        QTest::newRow("sign-up: refusal on 200 with an email")
            << true << 200
            << QByteArray(R"({"email":"new@example.org","msg":"Database error saving new user"})")
            << "Le serveur a répondu : Database error saving new user";
        QTest::newRow("sign-up: neither a user nor a refusal")
            << true << 200 << QByteArray(R"({"email":"new@example.org"})") << kInvalid;
    }

    void refusalsAreShownInFrench()
    {
        QFETCH(bool, signUp);
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(QString, message);
        m_backend->handler = [&](const BackendRequest&) { return BackendResponse{status, body}; };
        DefaultsStore defaults(settingsPath());
        AccountStore store(defaults, config());
        if (signUp)
            store.signUp("ada@example.org", "pw");
        else
            store.signIn("ada@example.org", "pw");
        QTRY_VERIFY(!store.busy());
        QCOMPARE(store.errorMessage(), message);
        QVERIFY(!store.signedIn());
        QVERIFY(!defaults.contains("sb_access"));
    }

    void signUpSignsInOrAsksForConfirmation()
    {
        DefaultsStore defaults(settingsPath());
        AccountStore store(defaults, config());
        // The hosted backend wants the address confirmed first and answers with
        // the new user; newer versions nest it beside an empty session.
        store.signUp("new@example.org", "pw");
        QTRY_VERIFY(!store.busy());
        QCOMPARE(m_backend->requests.last().target, "/auth/v1/signup");
        QCOMPARE(store.errorMessage(), "Compte créé ! Confirme ton email, puis connecte-toi.");
        QVERIFY(!store.signedIn());
        m_backend->handler = [&](const BackendRequest&) {
            return LoopbackBackend::reply(
                200, {{"user", QJsonObject{{"id", "7d2e"}, {"email", "new@example.org"}}}, {"session", {}}});
        };
        store.clearErrorMessage();
        store.signUp("new@example.org", "pw");
        QTRY_VERIFY(!store.busy());
        QCOMPARE(store.errorMessage(), "Compte créé ! Confirme ton email, puis connecte-toi.");

        // A backend that confirms by itself hands out the session at once.
        m_backend->handler = [&](const BackendRequest&) {
            return LoopbackBackend::reply(
                201, {{"access_token", "tok-new"}, {"user", QJsonObject{{"email", "new@example.org"}}}});
        };
        store.signUp("new@example.org", "pw");
        QTRY_VERIFY(!store.busy());
        QVERIFY(store.signedIn());
        QVERIFY(!store.errorMessage());
        QCOMPARE(store.email(), "new@example.org");
        QCOMPARE(defaults.value("sb_access").toString(), "tok-new");
        QVERIFY(!defaults.contains("sb_refresh"));
    }

    void unusableRepliesAreReported_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        QTest::newRow("not JSON") << "html" << kInvalid;
        QTest::newRow("JSON array") << "array" << kInvalid;
        QTest::newRow("empty body") << "empty" << kInvalid;
        QTest::newRow("5 MiB announced") << "huge" << kInvalid;
        QTest::newRow("5 MiB unannounced") << "huge-unannounced" << kInvalid;
        QTest::newRow("never answers") << "silent"
                                       << "La requête a expiré.";
        QTest::newRow("closed port") << "closed"
                                     << "Impossible de se connecter au serveur.";
    }

    void unusableRepliesAreReported()
    {
        QFETCH(QString, kind);
        QFETCH(QString, message);
        m_backend->handler = [&](const BackendRequest&) -> BackendResponse {
            if (kind == "html")
                return {502, "<html><body>Bad gateway</body></html>"};
            if (kind == "array")
                return {200, "[{\"access_token\":\"x\"}]"};
            if (kind == "empty")
                return {200, QByteArray()};
            if (kind.startsWith("huge")) {
                // A reply that would sign in if it were read whole.
                QByteArray body =
                    "{\"access_token\":\"x\",\"pad\":\"" + QByteArray(5 * 1024 * 1024, 'a') + "\"}";
                return {200, body, false, kind == "huge"};
            }
            return {200, QByteArray(), true};
        };
        SupabaseConfig target = config();
        if (kind == "closed") {
            QTcpServer probe;
            QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
            target = SupabaseConfig::fromValues(QStringLiteral("http://127.0.0.1:%1").arg(probe.serverPort()),
                                                LoopbackBackend::anonKey());
        }
        DefaultsStore defaults(settingsPath());
        AccountStore store(defaults, target);
        store.setTransferTimeout(400);
        store.signIn("ada@example.org", "pw");
        QTRY_VERIFY_WITH_TIMEOUT(!store.busy(), 10000);
        QCOMPARE(store.errorMessage(), message);
        QVERIFY(!store.signedIn());
    }

    // The PKCE round trip: the challenge is the S256 of a fresh verifier, the
    // callback's code is exchanged once with that verifier, and a code cannot be
    // used twice, neither by the backend nor by us.
    void googleSignInExchangesItsCodeOnce()
    {
        DefaultsStore defaults(settingsPath());
        AccountStore store(defaults, config());
        QList<QUrl> opened;
        bool browserWorks = true;
        store.setUrlOpener([&](const QUrl& url) {
            opened.append(url);
            return browserWorks;
        });

        store.signInWithGoogle();
        QCOMPARE(opened.size(), 1);
        QCOMPARE(opened.first().adjusted(QUrl::RemoveQuery).toString(),
                 m_backend->url() + "/auth/v1/authorize");
        QCOMPARE(queryItem(opened.first(), "provider"), "google");
        QCOMPARE(queryItem(opened.first(), "redirect_to"), "nivora://auth-callback");
        QCOMPARE(queryItem(opened.first(), "code_challenge_method"), "s256");
        const QString challenge = queryItem(opened.first(), "code_challenge");
        QVERIFY(store.googleSignInPending());
        QVERIFY(!store.networkStarted());

        const QString code = m_backend->issueCode(challenge);
        QVERIFY(store.handleCallbackUrl("nivora://auth-callback?code=" + code));
        QTRY_VERIFY(store.signedIn());
        QVERIFY(!store.googleSignInPending());
        QCOMPARE(m_backend->requests.size(), 1);
        const BackendRequest exchange = m_backend->requests.first();
        QCOMPARE(exchange.method, "POST");
        QCOMPARE(exchange.target, "/auth/v1/token?grant_type=pkce");
        QCOMPARE(exchange.headers.value("apikey"), LoopbackBackend::anonKey().toUtf8());
        QCOMPARE(exchange.json().value("auth_code").toString(), code);
        const QByteArray verifier = exchange.json().value("code_verifier").toString().toLatin1();
        // 32 random bytes in base64url, and the challenge is its SHA-256.
        QCOMPARE(QByteArray::fromBase64(verifier, QByteArray::Base64UrlEncoding).size(), 32);
        QCOMPARE(verifier.size(), 43);
        QCOMPARE(QCryptographicHash::hash(verifier, QCryptographicHash::Sha256)
                     .toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals),
                 challenge.toLatin1());
        // The e-mail comes with the exchange's reply: nothing more is asked.
        QCOMPARE(store.email(), m_backend->email);
        QCOMPARE(defaults.value("sb_access").toString(), m_backend->accessToken);
        QCOMPARE(defaults.value("sb_refresh").toString(), m_backend->refreshToken);
        QCOMPARE(defaults.value("sb_email").toString(), m_backend->email);

        // The same code again: the backend no longer knows it, and we do not
        // even ask, the attempt being over.
        QCOMPARE(m_backend->handler(exchange).status, 404);
        {
            LogCapture log;
            QVERIFY(!store.handleCallbackUrl("nivora://auth-callback?code=" + code));
            QCOMPARE(log.lines(), QStringList{ignored("no Google sign-in under way")});
        }
        QTest::qWait(50);
        QCOMPARE(m_backend->requests.size(), 1);

        // A second attempt has a verifier of its own; an exchange reply without
        // the user has the e-mail asked for with the new token.
        store.signOut();
        store.signInWithGoogle();
        const QString challenge2 = queryItem(opened.last(), "code_challenge");
        QVERIFY(challenge2 != challenge);
        m_backend->accessToken = "tok-second";
        m_backend->handler = [&](const BackendRequest& r) {
            BackendResponse response = m_backend->hosted(r);
            if (r.target.endsWith("grant_type=pkce")) {
                QJsonObject o = QJsonDocument::fromJson(response.body).object();
                o.remove("user");
                response.body = QJsonDocument(o).toJson();
            }
            return response;
        };
        QVERIFY(store.handleCallbackUrl("nivora://auth-callback/?code=" + m_backend->issueCode(challenge2)));
        QTRY_COMPARE(store.email(), m_backend->email);
        QVERIFY(store.signedIn());
        QCOMPARE(m_backend->requests.last().target, "/auth/v1/user");
        QCOMPARE(m_backend->requests.last().headers.value("authorization"), "Bearer tok-second");

        browserWorks = false;
        store.signOut();
        store.signInWithGoogle();
        QCOMPARE(store.errorMessage(), "Impossible d'ouvrir le navigateur.");
        QVERIFY(!store.googleSignInPending());
    }

    // Callbacks that are not the answer to our attempt: none of them signs in,
    // none uses the attempt up, and none is logged with any part of its address.
    void forgedCallbacksAreIgnored()
    {
        DefaultsStore defaults(settingsPath());
        AccountStore store(defaults, config());
        QUrl opened;
        store.setUrlOpener([&](const QUrl& url) {
            opened = url;
            return true;
        });
        LogCapture log;

        QVERIFY(!store.handleCallbackUrl("nivora://auth-callback?code=" + m_backend->issueCode("x")));
        store.signInWithGoogle();
        const QString challenge = queryItem(opened, "code_challenge");
        QVERIFY(!store.handleCallbackUrl("nivora://auth-callback#access_token=tok-forged&refresh_token=r"));
        QVERIFY(!store.handleCallbackUrl("nivora://auth-callback?code=code-1#access_token=tok-forged"));
        QVERIFY(!store.handleCallbackUrl("nivora://auth-callback?error=access_denied&error_description=No"));
        QVERIFY(!store.handleCallbackUrl("nivora://auth-callback?code=a&code=b"));
        QVERIFY(!store.handleCallbackUrl("nivora://elsewhere?code=forged-elsewhere"));
        QVERIFY(!store.networkStarted());
        // A code nobody issued, and one issued to someone else's challenge: the
        // backend refuses both, and the attempt stays open for the real code.
        QVERIFY(store.handleCallbackUrl("nivora://auth-callback?code=forged-unknown"));
        QVERIFY(store.handleCallbackUrl("nivora://auth-callback?code=" +
                                        m_backend->issueCode(PkcePair::challengeFor("someone-else"))));
        QTRY_COMPARE(log.count(ignored("code refused by the server")), 2);
        QVERIFY(!store.signedIn());
        QVERIFY(!defaults.contains("sb_access"));
        QVERIFY(store.googleSignInPending());
        QCOMPARE(m_backend->requests.last().json().value("code_verifier").toString().size(), 43);

        QVERIFY(store.handleCallbackUrl("nivora://auth-callback?code=" + m_backend->issueCode(challenge)));
        QTRY_VERIFY(store.signedIn());
        QVERIFY(!store.errorMessage());
        const QString session = defaults.value("sb_access").toString();
        QCOMPARE(session, m_backend->accessToken);
        // After the answer, even a valid code for the same challenge is nobody's.
        m_backend->accessToken = "tok-after";
        QVERIFY(!store.handleCallbackUrl("nivora://auth-callback?code=" + m_backend->issueCode(challenge)));
        QTest::qWait(50);
        QCOMPARE(defaults.value("sb_access").toString(), session);
        QCOMPARE(m_backend->requests.size(), 3);

        const QString none = ignored("no Google sign-in under way");
        const QStringList expected{none,
                                   ignored("a token in the address, a code was expected"),
                                   ignored("a token in the address, a code was expected"),
                                   ignored("no code"),
                                   ignored("no code"),
                                   "Nivora: unknown nivora:// address ignored",
                                   ignored("code refused by the server"),
                                   ignored("code refused by the server"),
                                   none};
        QCOMPARE(log.lines(), expected);
    }

    // A session kept from an earlier run whose access token has expired: the
    // refresh grant renews it, or its refusal signs out cleanly; the backend
    // being out of reach is no refusal.
    void expiredSessionIsRefreshedOnStart_data()
    {
        QTest::addColumn<qint64>("expiresIn");
        QTest::addColumn<QString>("refresh");
        QTest::addColumn<QString>("outcome");
        QTest::newRow("accepted") << qint64(-30) << "tok-refresh-9a7e"
                                  << "renewed";
        QTest::newRow("about to expire") << qint64(20) << "tok-refresh-9a7e"
                                         << "renewed";
        QTest::newRow("refused") << qint64(-30) << "tok-revoked"
                                 << "signed out";
        QTest::newRow("no refresh token") << qint64(-30) << ""
                                          << "signed out";
        QTest::newRow("still good") << qint64(3000) << "tok-refresh-9a7e"
                                    << "kept";
        QTest::newRow("backend out of reach") << qint64(-30) << "tok-refresh-9a7e"
                                              << "kept";
    }

    void expiredSessionIsRefreshedOnStart()
    {
        QFETCH(qint64, expiresIn);
        QFETCH(QString, refresh);
        QFETCH(QString, outcome);
        const QString access = LoopbackBackend::jwt(expiresIn);
        SupabaseConfig target = config();
        QTcpServer closed;
        if (QString(QTest::currentDataTag()) == "backend out of reach") {
            QVERIFY(closed.listen(QHostAddress::LocalHost, 0));
            target.url = QStringLiteral("http://127.0.0.1:%1").arg(closed.serverPort());
            closed.close();
        }
        DefaultsStore defaults(settingsPath());
        defaults.setValue("sb_access", access);
        if (!refresh.isEmpty())
            defaults.setValue("sb_refresh", refresh);
        defaults.setValue("sb_email", "ada@example.org");
        LogCapture log;
        AccountStore store(defaults, target);
        QVERIFY(store.signedIn());
        QVERIFY(!store.networkStarted());
        store.resumeSession();

        if (outcome == "renewed") {
            QTRY_COMPARE(defaults.value("sb_access").toString(), m_backend->accessToken);
            QVERIFY(m_backend->accessToken != access);
            QCOMPARE(m_backend->requests.size(), 1);
            QCOMPARE(m_backend->requests.first().target, "/auth/v1/token?grant_type=refresh_token");
            QCOMPARE(m_backend->requests.first().json(), (QJsonObject{{"refresh_token", refresh}}));
            QCOMPARE(defaults.value("sb_refresh").toString(), m_backend->refreshToken);
            QVERIFY(m_backend->refreshToken != refresh);
            QVERIFY(store.signedIn());
            QVERIFY(!store.errorMessage());
            // The renewed session is good for an hour: the next start sends nothing.
            AccountStore next(defaults, config());
            next.resumeSession();
            QVERIFY(!next.networkStarted());
        } else if (outcome == "signed out") {
            QTRY_VERIFY(!store.signedIn());
            QCOMPARE(store.errorMessage(), "Session expirée, reconnecte-toi.");
            QCOMPARE(store.email(), QString());
            for (const char* key : {"sb_access", "sb_refresh", "sb_email"})
                QVERIFY2(!defaults.contains(key), key);
        } else {
            if (expiresIn < 0)
                QTRY_COMPARE(log.count("Nivora: session not refreshed: the server did not answer"), 1);
            else
                QVERIFY(!store.networkStarted());
            QVERIFY(store.signedIn());
            QVERIFY(!store.errorMessage());
            QCOMPARE(defaults.value("sb_access").toString(), access);
            QCOMPARE(defaults.value("sb_refresh").toString(), refresh);
        }
        for (const QString& line : log.lines())
            QVERIFY2(!line.contains("tok-") && !line.contains(access), qPrintable(line));
    }

    // An expiry claim beyond any date is still read for what it means, without
    // overflowing: the far future keeps the session and sends nothing, the far
    // past renews it.
    void expiryClaimsBeyondAnyDate()
    {
        for (const double exp : {1.0e300, -1.0e300}) {
            const QByteArray payload =
                QJsonDocument(QJsonObject{{"sub", "0b6c"}, {"exp", exp}})
                    .toJson(QJsonDocument::Compact)
                    .toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals);
            const QString access =
                QStringLiteral("eyJhbGciOiJIUzI1NiJ9.") + QString::fromLatin1(payload) + ".c2ln";
            QFile::remove(settingsPath());
            DefaultsStore defaults(settingsPath());
            defaults.setValue("sb_access", access);
            defaults.setValue("sb_refresh", "tok-refresh-9a7e");
            AccountStore store(defaults, config());
            store.resumeSession();
            if (exp > 0) {
                QVERIFY(!store.networkStarted());
                QCOMPARE(defaults.value("sb_access").toString(), access);
            } else {
                QTRY_COMPARE(defaults.value("sb_access").toString(), m_backend->accessToken);
            }
            QVERIFY(store.signedIn());
        }
    }

    void configurationIsCheckedAndItsAbsenceSendsNothing_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("accepted");
        const QString key = LoopbackBackend::anonKey();
        QTest::newRow("https origin") << "https://abc.supabase.co" << key << "https://abc.supabase.co";
        QTest::newRow("trailing slash") << "https://abc.supabase.co/" << key << "https://abc.supabase.co";
        QTest::newRow("https with port")
            << "https://auth.example.org:8443" << key << "https://auth.example.org:8443";
        QTest::newRow("http loopback v4") << "http://127.0.0.1:54321" << key << "http://127.0.0.1:54321";
        QTest::newRow("http loopback v6") << "http://[::1]:8000" << key << "http://[::1]:8000";
        QTest::newRow("http localhost") << "http://localhost:9999" << key << "http://localhost:9999";
        QTest::newRow("http elsewhere") << "http://example.org" << key << "";
        QTest::newRow("http look-alike") << "http://127.0.0.1.example.org" << key << "";
        QTest::newRow("with a path") << "https://example.org/auth" << key << "";
        QTest::newRow("with credentials") << "https://u:p@example.org" << key << "";
        QTest::newRow("with a query") << "https://example.org?x=1" << key << "";
        QTest::newRow("other scheme") << "ftp://example.org" << key << "";
        QTest::newRow("no url") << "" << key << "";
        QTest::newRow("two segments") << "https://example.org"
                                      << "abc.def"
                                      << "";
        QTest::newRow("empty segment") << "https://example.org"
                                       << "abc..def"
                                       << "";
        QTest::newRow("base64 not url-safe") << "https://example.org"
                                             << "ab+c.de/f.ghi"
                                             << "";
        QTest::newRow("no key") << "https://example.org"
                                << ""
                                << "";
    }

    void configurationIsCheckedAndItsAbsenceSendsNothing()
    {
        QFETCH(QString, url);
        QFETCH(QString, key);
        QFETCH(QString, accepted);
        const SupabaseConfig config = SupabaseConfig::fromValues(url, key);
        QCOMPARE(config.url, accepted);
        QCOMPARE(config.isValid(), !accepted.isEmpty());
        if (config.isValid())
            return;

        DefaultsStore defaults(settingsPath());
        AccountStore store(defaults, config);
        QVERIFY(!store.configured());
        bool opened = false;
        store.setUrlOpener([&](const QUrl&) { return opened = true; });
        store.signIn("ada@example.org", "correct horse");
        store.signUp("ada@example.org", "correct horse");
        store.signInWithGoogle();
        QVERIFY(!opened);
        QVERIFY(!store.busy());
        QVERIFY(!store.networkStarted());
    }

    void environmentOverridesTheBuild()
    {
        qputenv("NIVORA_BACKEND_URL", m_backend->url().toUtf8() + "/");
        qputenv("NIVORA_BACKEND_ANON_KEY", LoopbackBackend::anonKey().toUtf8());
        QCOMPARE(SupabaseConfig::fromEnvironment().url, m_backend->url());
        qputenv("NIVORA_BACKEND_URL", "http://example.org");
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Nivora: account configuration refused"));
        QVERIFY(!SupabaseConfig::fromEnvironment().isValid());
        qunsetenv("NIVORA_BACKEND_URL");
        qunsetenv("NIVORA_BACKEND_ANON_KEY");
    }
};

QTEST_GUILESS_MAIN(TestAccountStore)
#include "tst_account_store.moc"
