// AccountStore against a loopback server that answers as the hosted backend does.
#include "LoopbackBackend.h"
#include "account/AccountStore.h"
#include "state/DefaultsStore.h"

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
        QCOMPARE(store.errorMessage(), "Invalid login credentials");
    }

    void refusalsShowTheirOwnWords_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("message");
        const QString fallback = "Email ou mot de passe incorrect.";
        QTest::newRow("msg first") << 400
                                   << QByteArray("{\"message\":\"m\",\"msg\":\"Invalid login credentials\"}")
                                   << "Invalid login credentials";
        QTest::newRow("error_description on 200")
            << 200
            << QByteArray("{\"error\":\"invalid_grant\",\"error_description\":\"Email not confirmed\"}")
            << "Email not confirmed";
        QTest::newRow("error on 500") << 500 << QByteArray("{\"error\":\"server_error\"}") << "server_error";
        QTest::newRow("message on 429")
            << 429 << QByteArray("{\"message\":\"Too many requests\"}") << "Too many requests";
        QTest::newRow("none of them") << 400 << QByteArray("{\"code\":400,\"error_code\":\"x\"}") << fallback;
        QTest::newRow("first present not text")
            << 400 << QByteArray("{\"msg\":{\"a\":1},\"error\":\"later\"}") << fallback;
        QTest::newRow("token that is not text")
            << 200 << QByteArray("{\"access_token\":42,\"msg\":\"no\"}") << "no";
    }

    void refusalsShowTheirOwnWords()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(QString, message);
        m_backend->handler = [&](const BackendRequest&) { return BackendResponse{status, body}; };
        DefaultsStore defaults(settingsPath());
        AccountStore store(defaults, config());
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
        // The default backend wants the address confirmed first, and says so in
        // members that must not be mistaken for a refusal.
        m_backend->handler = [&](const BackendRequest& r) {
            return LoopbackBackend::reply(200, {{"email", r.json().value("email")}, {"msg", "confirm"}});
        };
        store.signUp("new@example.org", "pw");
        QTRY_VERIFY(!store.busy());
        QCOMPARE(m_backend->requests.last().target, "/auth/v1/signup");
        QCOMPARE(store.errorMessage(), "Compte créé ! Confirme ton email, puis connecte-toi.");
        QVERIFY(!store.signedIn());

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

    void googleCallbackOnlyAnswersOurOwnAttempt()
    {
        DefaultsStore defaults(settingsPath());
        AccountStore store(defaults, config());
        QList<QUrl> opened;
        bool browserWorks = true;
        store.setUrlOpener([&](const QUrl& url) {
            opened.append(url);
            return browserWorks;
        });
        m_backend->accessToken = "a+b";

        QTest::ignoreMessage(QtInfoMsg, "Nivora: retour de connexion Google ignoré : aucune connexion Google "
                                        "en cours");
        store.handleCallbackUrl("nivora://auth-callback#access_token=a%2Bb");
        QVERIFY(!store.signedIn());

        store.signInWithGoogle();
        QCOMPARE(opened.size(), 1);
        QCOMPARE(opened.first().adjusted(QUrl::RemoveQuery).toString(),
                 m_backend->url() + "/auth/v1/authorize");
        const QList<std::pair<QString, QString>> items{{"provider", "google"},
                                                       {"redirect_to", "nivora://auth-callback"}};
        QCOMPARE(QUrlQuery(opened.first()).queryItems(QUrl::FullyDecoded), items);
        QVERIFY(store.googleSignInPending());

        // Empty pieces, pieces without a value and broken escapes are tolerated;
        // a later name wins.
        store.handleCallbackUrl(
            "nivora://auth-callback#&&access_token=old&expires_in=&=x&access_token=a%2Bb&refresh_token=r%zz");
        QVERIFY(store.signedIn());
        QVERIFY(!store.googleSignInPending());
        QCOMPARE(defaults.value("sb_access").toString(), "a+b");
        QCOMPARE(defaults.value("sb_refresh").toString(), "r%zz");
        QTRY_COMPARE(store.email(), "ada@example.org");
        QCOMPARE(defaults.value("sb_email").toString(), "ada@example.org");
        QCOMPARE(m_backend->requests.last().target, "/auth/v1/user");
        QCOMPARE(m_backend->requests.last().headers.value("authorization"), "Bearer a+b");

        // The same answer a second time is not an attempt of ours any more.
        QTest::ignoreMessage(QtInfoMsg, "Nivora: retour de connexion Google ignoré : aucune connexion Google "
                                        "en cours");
        store.handleCallbackUrl("nivora://auth-callback#access_token=other");
        QCOMPARE(defaults.value("sb_access").toString(), "a+b");

        store.signOut();
        store.signInWithGoogle();
        store.handleCallbackUrl("nivora://auth-callback#error=access_denied&error_description=Denied");
        QCOMPARE(store.errorMessage(), "Échec de la connexion Google.");
        QVERIFY(!store.signedIn());
        QVERIFY(!store.googleSignInPending());

        browserWorks = false;
        store.signInWithGoogle();
        QCOMPARE(store.errorMessage(), "Impossible d'ouvrir le navigateur.");
        QVERIFY(!store.googleSignInPending());
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
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Nivora: configuration du compte refusée"));
        QVERIFY(!SupabaseConfig::fromEnvironment().isValid());
        qunsetenv("NIVORA_BACKEND_URL");
        qunsetenv("NIVORA_BACKEND_ANON_KEY");
    }
};

QTEST_GUILESS_MAIN(TestAccountStore)
#include "tst_account_store.moc"
