// The Google sign-in of the real `nivora` binary, end to end: the browser is a
// recorder script found as xdg-open on PATH, the backend is a loopback server in
// this process, and the callback comes back through `nivora nivora://…` and through
// org.freedesktop.Application.Open on the session bus. Also: the callback never
// stays readable on a command line, and a kept session that has expired is renewed
// when the app starts.
#include "LoopbackBackend.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDir>
#include <QFile>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QUrlQuery>

namespace {

struct Run
{
    int status = -1;
    QString out;
    QString err;
};

QString binary()
{
    return qEnvironmentVariable("NIVORA_BINARY");
}

// Stands in for the running instance on the session bus: it takes the hand-over
// and, while the caller waits for the answer, reads the caller's command line.
class InstanceStandIn : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "app.nivora.Nivora.Control")

public:
    QStringList received;
    QByteArray callerCommandLine;

public Q_SLOTS:
    QStringList Call(const QString& command, const QStringList& args)
    {
        received = QStringList{command} + args;
        const uint pid = connection().interface()->servicePid(message().service()).value();
        QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(pid));
        if (cmdline.open(QIODevice::ReadOnly))
            callerCommandLine = cmdline.readAll();
        return {QStringLiteral("0"), QString()};
    }
};

} // namespace

class TestAccountEndToEnd : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_home;
    std::unique_ptr<LoopbackBackend> m_backend;
    std::unique_ptr<QProcess> m_app;
    QString m_appLog;
    bool m_configured = true;

    QString recordPath() const { return m_home->filePath("browser.log"); }
    QString settingsPath() const { return m_home->filePath("config/nivora/defaults.json"); }

    QProcessEnvironment env() const
    {
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        e.insert("XDG_CONFIG_HOME", m_home->filePath("config"));
        e.insert("XDG_DATA_HOME", m_home->filePath("data"));
        e.insert("PATH", m_home->filePath("bin") + ":" + e.value("PATH"));
        e.insert("BROWSER", m_home->filePath("bin/xdg-open"));
        e.insert("NIVORA_BACKEND_URL", m_configured ? m_backend->url() : QString());
        e.insert("NIVORA_BACKEND_ANON_KEY", LoopbackBackend::anonKey());
        return e;
    }

    // Waits while serving the backend: the app's requests come back into this process.
    Run run(const QStringList& args)
    {
        QProcess p;
        p.setProcessEnvironment(env());
        p.start(binary(), args);
        Run r;
        QDeadlineTimer deadline(20000);
        while (!p.waitForFinished(10)) {
            QCoreApplication::processEvents();
            if (deadline.hasExpired() || p.state() == QProcess::NotRunning)
                break;
        }
        if (p.state() != QProcess::NotRunning) {
            p.kill();
            p.waitForFinished();
            return r;
        }
        r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
        r.out = QString::fromUtf8(p.readAllStandardOutput()).trimmed();
        r.err = QString::fromUtf8(p.readAllStandardError()).trimmed();
        return r;
    }

    QJsonObject account()
    {
        const Run r = run({"ctl", "account"});
        return r.status == 0 ? QJsonDocument::fromJson(r.out.toUtf8()).object() : QJsonObject();
    }

    QJsonObject storedSettings() const
    {
        QFile f(settingsPath());
        return f.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(f.readAll()).object() : QJsonObject();
    }

    QStringList browserCalls() const
    {
        QFile f(recordPath());
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts);
    }

    void startApp()
    {
        m_app = std::make_unique<QProcess>();
        m_app->setProcessEnvironment(env());
        m_app->setProcessChannelMode(QProcess::MergedChannels);
        m_app->start(binary(), {});
        QVERIFY(m_app->waitForStarted());
        for (int i = 0; i < 200; ++i) {
            if (!account().isEmpty())
                return;
            QVERIFY(m_app->state() == QProcess::Running);
            QTest::qWait(100);
        }
        QFAIL("nivora did not answer on the session bus");
    }

    void stopApp()
    {
        if (!m_app)
            return;
        if (m_app->state() != QProcess::NotRunning) {
            m_app->terminate();
            if (!m_app->waitForFinished(10000)) {
                m_app->kill();
                m_app->waitForFinished();
            }
        }
        m_appLog += QString::fromUtf8(m_app->readAll());
        m_app.reset();
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY2(QFile::exists(binary()), "NIVORA_BINARY must name the built executable");
        QVERIFY2(QDBusConnection::sessionBus().isConnected(), "needs a session bus (scripts/with-display)");
        m_home = std::make_unique<QTemporaryDir>();
        m_backend = std::make_unique<LoopbackBackend>();
        m_backend->accessToken = "tok-e2e+secret";
        m_appLog.clear();
        m_configured = true;
        QVERIFY(QDir().mkpath(m_home->filePath("bin")));
        QFile recorder(m_home->filePath("bin/xdg-open"));
        QVERIFY(recorder.open(QIODevice::WriteOnly));
        recorder.write("#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" + recordPath().toUtf8() + "'\n");
        recorder.close();
        recorder.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void cleanup()
    {
        stopApp();
        if (QTest::currentTestFailed())
            qWarning().noquote() << "nivora output:" << m_appLog;
        m_backend.reset();
        m_home.reset();
    }

    void googleSignInThroughTheBrowserAndTheCallback()
    {
        startApp();
        QCOMPARE(account().value("configured").toBool(), true);

        // An address nobody asked for is dropped.
        QCOMPARE(run({"nivora://auth-callback?code=" + m_backend->issueCode("stray")}).status, 0);
        QCOMPARE(account().value("signedIn").toBool(), false);
        QVERIFY(!storedSettings().contains("sb_access"));

        QCOMPARE(run({"ctl", "account", "google"}).status, 0);
        QTRY_COMPARE_WITH_TIMEOUT(browserCalls().size(), 1, 10000);
        const QUrl authorize(browserCalls().first());
        QCOMPARE(authorize.adjusted(QUrl::RemoveQuery).toString(), m_backend->url() + "/auth/v1/authorize");
        const QUrlQuery query(authorize);
        QCOMPARE(query.queryItemValue("provider"), "google");
        QCOMPARE(query.queryItemValue("redirect_to", QUrl::FullyDecoded), "nivora://auth-callback");
        QCOMPARE(query.queryItemValue("code_challenge_method"), "s256");
        const QString challenge = query.queryItemValue("code_challenge");

        // A forged callback first does not spend the attempt.
        QCOMPARE(run({"nivora://auth-callback#access_token=tok-forged&refresh_token=tok-forged-r"}).status,
                 0);
        QCOMPARE(run({"nivora://auth-callback?code=" + m_backend->issueCode(challenge)}).status, 0);
        QJsonObject state;
        QTRY_VERIFY_WITH_TIMEOUT((state = account()).value("signedIn").toBool(), 10000);
        QCOMPARE(state.value("email").toString(), m_backend->email);
        QCOMPARE(state.value("errorMessage"), QJsonValue());
        QCOMPARE(m_backend->requests.last().target, "/auth/v1/token?grant_type=pkce");
        QCOMPARE(storedSettings().value("sb_access").toString(), "tok-e2e+secret");
        QCOMPARE(storedSettings().value("sb_refresh").toString(), m_backend->refreshToken);
        QCOMPARE(storedSettings().value("sb_email").toString(), m_backend->email);

        // A launcher that knows the entry is D-Bus activatable calls Open instead.
        QCOMPARE(run({"ctl", "account", "sign-out"}).status, 0);
        QCOMPARE(run({"ctl", "account", "google"}).status, 0);
        QTRY_COMPARE_WITH_TIMEOUT(browserCalls().size(), 2, 10000);
        const QString challenge2 = QUrlQuery(QUrl(browserCalls().last())).queryItemValue("code_challenge");
        QVERIFY(challenge2 != challenge);
        m_backend->accessToken = "tok-e2e-open";
        QDBusMessage open = QDBusMessage::createMethodCall("app.nivora.Nivora", "/app/nivora/Nivora",
                                                           "org.freedesktop.Application", "Open");
        open << QStringList{"nivora://auth-callback?code=" + m_backend->issueCode(challenge2)}
             << QVariantMap();
        const QDBusMessage answer = QDBusConnection::sessionBus().call(open);
        QVERIFY2(answer.type() == QDBusMessage::ReplyMessage, qPrintable(answer.errorMessage()));
        QTRY_COMPARE_WITH_TIMEOUT(storedSettings().value("sb_access").toString(), "tok-e2e-open", 10000);
        QCOMPARE(account().value("signedIn").toBool(), true);

        QCOMPARE(run({"ctl", "account", "sign-out"}).status, 0);
        QCOMPARE(account().value("signedIn").toBool(), false);
        QVERIFY(!storedSettings().contains("sb_access") && !storedSettings().contains("sb_email"));

        stopApp();
        // Nothing that could open the session reached the log or the browser.
        const QString seen = m_appLog + browserCalls().join('\n');
        for (const char* secret : {"tok-", "code-", "nivora://auth-callback?", "nivora://auth-callback#"})
            QVERIFY2(!seen.contains(QLatin1String(secret)), secret);
    }

    // The callback, code included, is off the command line of the process that
    // carries it before that process does anything else; without a running
    // instance it is refused and nothing starts.
    void callbackNeverStaysOnTheCommandLine()
    {
        QDBusConnection bus = QDBusConnection::sessionBus();
        InstanceStandIn standIn;
        QVERIFY(bus.registerObject("/app/nivora/Nivora", &standIn, QDBusConnection::ExportAllSlots));
        QVERIFY(bus.registerService("app.nivora.Nivora"));
        const QString url = "nivora://auth-callback?code=code-secret-4711";
        const Run handedOver = run({url});
        bus.unregisterService("app.nivora.Nivora");
        bus.unregisterObject("/app/nivora/Nivora");
        QCOMPARE(handedOver.status, 0);
        QCOMPARE(standIn.received, (QStringList{"open-url", url}));
        QVERIFY(standIn.callerCommandLine.startsWith(binary().toLocal8Bit()));
        QVERIFY2(!standIn.callerCommandLine.contains("secret") &&
                     !standIn.callerCommandLine.contains("nivora:"),
                 standIn.callerCommandLine.constData());

        const Run refused = run({url});
        QCOMPARE(refused.status, 1);
        QVERIFY2(refused.err.contains("aucune instance"), qPrintable(refused.err));
        QVERIFY(!refused.err.contains("secret"));
        // Nothing started: not even the settings were looked at.
        QVERIFY(!QFile::exists(m_home->filePath("config/nivora")));
    }

    void expiredSessionIsRenewedAtStart()
    {
        QVERIFY(QDir().mkpath(m_home->filePath("config/nivora")));
        QFile settings(settingsPath());
        QVERIFY(settings.open(QIODevice::WriteOnly));
        settings.write(QJsonDocument(QJsonObject{{"sb_access", LoopbackBackend::jwt(-120)},
                                                 {"sb_refresh", m_backend->refreshToken},
                                                 {"sb_email", m_backend->email}})
                           .toJson());
        settings.close();
        const QString spent = m_backend->refreshToken;
        startApp();
        QTRY_VERIFY_WITH_TIMEOUT(storedSettings().value("sb_refresh").toString() != spent, 10000);
        QCOMPARE(storedSettings().value("sb_access").toString(), m_backend->accessToken);
        QCOMPARE(storedSettings().value("sb_refresh").toString(), m_backend->refreshToken);
        const QJsonObject state = account();
        QCOMPARE(state.value("signedIn").toBool(), true);
        QCOMPARE(state.value("email").toString(), m_backend->email);
    }

    void unconfiguredBuildSendsNothing()
    {
        m_configured = false;
        startApp();
        const QJsonObject state = account();
        QCOMPARE(state.value("configured").toBool(), false);
        QCOMPARE(run({"ctl", "account", "google"}).status, 2);
        QCOMPARE(run({"ctl", "account", "bogus"}).status, 2);
        QCOMPARE(run({"ctl", "account", "sign-out", "extra"}).status, 2);
        QTest::qWait(300);
        QVERIFY(browserCalls().isEmpty());
        QCOMPARE(m_backend->connections, 0);
    }
};

QTEST_GUILESS_MAIN(TestAccountEndToEnd)
#include "tst_account_e2e.moc"
