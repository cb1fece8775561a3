// Starts the real `nivora` binary on the test display and session bus and drives
// it through `nivora ctl`, as a user or a script would.
#include "XdoSearch.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <csignal>

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

} // namespace

class TestAppEndToEnd : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_home;
    std::unique_ptr<QProcess> m_app;
    QString m_renderPath;
    QString m_language;

    QProcessEnvironment env() const
    {
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        if (!m_language.isEmpty()) {
            for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"})
                e.remove(QString::fromLatin1(name));
            e.insert("LANGUAGE", m_language);
        }
        e.insert("XDG_CONFIG_HOME", m_home->filePath("config"));
        e.insert("XDG_DATA_HOME", m_home->filePath("data"));
        if (!m_renderPath.isEmpty())
            e.insert("NIVORA_RENDER_PATH", m_renderPath);
        return e;
    }

    QString settingsPath() const { return m_home->filePath("config/nivora/defaults.json"); }

    Run run(const QStringList& args, int timeoutMs = 20000)
    {
        QProcess p;
        p.setProcessEnvironment(env());
        p.start(binary(), args);
        Run r;
        if (!p.waitForFinished(timeoutMs)) {
            p.kill();
            p.waitForFinished();
            r.err = QStringLiteral("timed out");
            return r;
        }
        r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
        r.out = QString::fromUtf8(p.readAllStandardOutput()).trimmed();
        r.err = QString::fromUtf8(p.readAllStandardError()).trimmed();
        return r;
    }

    Run ctl(const QStringList& args) { return run(QStringList{"ctl"} + args); }

    void startApp(const QStringList& args = {})
    {
        m_app = std::make_unique<QProcess>();
        m_app->setProcessEnvironment(env());
        m_app->setProcessChannelMode(QProcess::SeparateChannels);
        m_app->start(binary(), args);
        QVERIFY(m_app->waitForStarted());
        // Ready once it answers on the bus.
        for (int i = 0; i < 200; ++i) {
            if (ctl({"get", "fps"}).status == 0)
                return;
            QVERIFY2(m_app->state() == QProcess::Running, m_app->readAllStandardError().constData());
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
        m_app.reset();
    }

    // The visible top-level windows titled "Nivora" on the test display.
    static QStringList dashboardWindows()
    {
        return xdoSearch(
            {QStringLiteral("--onlyvisible"), QStringLiteral("--name"), QStringLiteral("^Nivora$")});
    }

    // The mean red, green and blue of the screen's bottom-left corner (away
    // from the dashboard), 0 to 1; empty when it cannot be taken.
    static QList<double> cornerColor()
    {
        QProcess shot;
        shot.start(QStringLiteral("import"), {"-window", "root", "-crop", "240x160+0+900", "-format",
                                              "%[fx:mean.r] %[fx:mean.g] %[fx:mean.b]", "info:"});
        if (!shot.waitForFinished(20000))
            return {};
        QList<double> rgb;
        for (const QString& figure : QString::fromUtf8(shot.readAllStandardOutput()).split(' '))
            rgb << figure.toDouble();
        return rgb.size() == 3 ? rgb : QList<double>();
    }

    bool writeSettings(const QJsonObject& settings) const
    {
        QDir().mkpath(QFileInfo(settingsPath()).absolutePath());
        QFile f(settingsPath());
        return f.open(QIODevice::WriteOnly) && f.write(QJsonDocument(settings).toJson()) > 0;
    }

    QJsonObject storedSettings() const
    {
        QFile f(settingsPath());
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QJsonDocument::fromJson(f.readAll()).object();
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY2(QFile::exists(binary()), "NIVORA_BINARY must name the built executable");
        m_home = std::make_unique<QTemporaryDir>();
    }

    void cleanup()
    {
        // What the app said is the first thing to read when a case fails.
        if (QTest::currentTestFailed() && m_app)
            qWarning().noquote() << "nivora stderr:" << m_app->readAllStandardError();
        stopApp();
        m_renderPath.clear();
        m_language.clear();
        m_home.reset();
    }

    void commandLineRefusals()
    {
        QCOMPARE(run({"--bogus"}).status, 2);
        QCOMPARE(ctl({"frobnicate"}).status, 2);
        QCOMPARE(ctl({"set", "fps"}).status, 2);
        QCOMPARE(ctl({"get", "fps", "extra"}).status, 2);
        QCOMPARE(ctl({}).status, 2);
        const Run version = run({"--version"});
        QCOMPARE(version.status, 0);
        QVERIFY(version.out.startsWith("nivora "));
    }

    void noInstanceGivesStatusOne()
    {
        const Run r = ctl({"get"});
        QCOMPARE(r.status, 1);
        QVERIFY(!r.err.isEmpty());
        QCOMPARE(ctl({"quit"}).status, 1);
    }

    void getAndSet()
    {
        startApp();
        const Run all = ctl({"get"});
        QCOMPARE(all.status, 0);
        const QJsonObject o = QJsonDocument::fromJson(all.out.toUtf8()).object();
        QCOMPARE(o.size(), 28);
        QCOMPARE(o.value("wallpaperMode").toString(), QStringLiteral("scene"));
        QCOMPARE(o.value("mediaPath").toString("<absent>"), QString(""));
        QCOMPARE(o.value("paletteHex").toArray().size(), 5);
        QVERIFY(o.value("launchAtLogin").isBool());
        QVERIFY(o.value("enabledDisplays").isArray());

        QCOMPARE(ctl({"get", "fps"}).out, QStringLiteral("30"));
        QCOMPARE(ctl({"set", "fps", "60"}).status, 0);
        QCOMPARE(ctl({"get", "fps"}).out, QStringLiteral("60"));
        QCOMPARE(ctl({"set", "wallpaperMode", "\"image\""}).status, 0);
        QCOMPARE(ctl({"get", "wallpaperMode"}).out, QStringLiteral("\"image\""));
        QCOMPARE(ctl({"set", "enabledWidgets", "[\"month\",\"clock\"]"}).status, 0);
        QCOMPARE(ctl({"get", "enabledWidgets"}).out, QStringLiteral("[\"clock\",\"month\"]"));
        QCOMPARE(ctl({"previous"}).status, 0);
        QCOMPARE(ctl({"get", "sceneIndex"}).out, QStringLiteral("14"));
        QCOMPARE(ctl({"next"}).status, 0);
        QCOMPARE(ctl({"get", "sceneIndex"}).out, QStringLiteral("0"));

        struct Refusal
        {
            QStringList args;
            QString mention;
        };
        const QList<Refusal> refusals{
            {{"set", "fps", "45"}, "fps"},
            {{"set", "renderQuality", "900"}, "renderQuality"},
            {{"set", "sceneIndex", "15"}, "sceneIndex"},
            {{"set", "wallpaperMode", "\"Scene\""}, "wallpaperMode"},
            {{"set", "paletteHex", "[1,2,3,4]"}, "paletteHex"},
            {{"set", "speed", "NaN"}, "speed"},
            {{"set", "speed", "nan"}, "speed"},
            {{"set", "speed", "1e999"}, "speed"},
            {{"set", "speed", "1e300"}, "speed"},
            {{"set", "speed", "-0.5"}, "speed"},
            {{"set", "speed", "1.5"}, "speed"},
            {{"set", "intensity", "2"}, "0 à 1"},
            {{"set", "isRunning", "\"yes\""}, "isRunning"},
            {{"set", "fps", "{"}, "fps"},
            {{"set", "mediaPath", "\"/nonexistent/clip.mp4\""}, "mediaPath: fichier introuvable"},
            {{"set", "volume", "3"}, "volume"},
            {{"get", "volume"}, "volume"},
        };
        const QString before = ctl({"get"}).out;
        for (const Refusal& r : refusals) {
            const Run result = ctl(r.args);
            QVERIFY2(result.status == 2, qPrintable(r.args.join(' ')));
            QVERIFY2(result.err.contains(r.mention), qPrintable(result.err));
        }
        QCOMPARE(ctl({"get"}).out, before);
    }

    // `nivora ctl` and the instance answer in the system's language, and in
    // the one the `language` setting chooses once it is set, both ways.
    void ctlSpeaksTheChosenLanguage_data()
    {
        QTest::addColumn<QString>("system");
        QTest::addColumn<QString>("other");
        QTest::newRow("English system") << QStringLiteral("en") << QStringLiteral("fr");
        QTest::newRow("French system") << QStringLiteral("fr") << QStringLiteral("en");
    }

    void ctlSpeaksTheChosenLanguage()
    {
        QFETCH(QString, system);
        QFETCH(QString, other);
        struct Texts
        {
            QString help, unknownCommand, noInstance, unknownKey, refusedLanguage;
        };
        const QMap<QString, Texts> texts{
            {"en",
             {"usage: nivora ctl COMMAND", "nivora ctl: unknown command “frobnicate”",
              "nivora ctl: no running instance of Nivora",
              "nivora ctl: unknown key “noSuchKey”; keys: isRunning",
              "language: allowed values: \"auto\", \"fr\", \"en\""}},
            {"fr",
             {"usage : nivora ctl COMMANDE", "nivora ctl: commande inconnue « frobnicate »",
              "nivora ctl: aucune instance de Nivora en cours",
              "nivora ctl: clé inconnue « noSuchKey » ; clés : isRunning",
              "language: valeurs permises : \"auto\", \"fr\", \"en\""}},
        };
        m_language = system;
        const Texts own = texts.value(system);
        const Texts chosen = texts.value(other);

        const Run help = ctl({"--help"});
        QCOMPARE(help.status, 0);
        QVERIFY2(help.out.startsWith(own.help), qPrintable(help.out));
        const Run unknown = ctl({"frobnicate"});
        QCOMPARE(unknown.status, 2);
        QVERIFY2(unknown.err.startsWith(own.unknownCommand), qPrintable(unknown.err));
        const Run alone = ctl({"get"});
        QCOMPARE(alone.status, 1);
        QCOMPARE(alone.err, own.noInstance);

        startApp();
        const Run key = ctl({"get", "noSuchKey"});
        QCOMPARE(key.status, 2);
        QVERIFY2(key.err.startsWith(own.unknownKey), qPrintable(key.err));
        const Run german = ctl({"set", "language", "\"de\""});
        QCOMPARE(german.status, 2);
        QVERIFY2(german.err.contains(own.refusedLanguage), qPrintable(german.err));
        QCOMPARE(ctl({"get", "language"}).out, QStringLiteral("\"auto\""));

        // The setting wins over the system, in the instance at once and in
        // `nivora ctl` once it is saved.
        QCOMPARE(ctl({"set", "language", QStringLiteral("\"%1\"").arg(other)}).status, 0);
        QVERIFY2(ctl({"get", "noSuchKey"}).err.startsWith(chosen.unknownKey),
                 qPrintable(ctl({"get", "noSuchKey"}).err));
        QTRY_COMPARE_WITH_TIMEOUT(storedSettings().value("language").toString(), other, 5000);
        QVERIFY(ctl({"--help"}).out.startsWith(chosen.help));
        QVERIFY(ctl({"frobnicate"}).err.startsWith(chosen.unknownCommand));
        // "auto" gives the system's language back.
        QCOMPARE(ctl({"set", "language", "\"auto\""}).status, 0);
        QVERIFY(ctl({"get", "noSuchKey"}).err.startsWith(own.unknownKey));
    }

    // One screen's own values through `ctl`, checked like the main ones, seen
    // in `status` and the settings file, and dropped again with `reset`.
    void screenOfItsOwn()
    {
        const auto xrandr = [](const QString& line) {
            QProcess::execute(QStringLiteral("sh"), {QStringLiteral("-c"), line});
        };
        auto restore = qScopeGuard([&] {
            xrandr(QStringLiteral("xrandr --delmonitor right >/dev/null 2>&1; "
                                  "xrandr --delmonitor left >/dev/null 2>&1; true"));
        });
        xrandr(QStringLiteral("xrandr --setmonitor left 960/254x1080/286+0+0 screen"));
        xrandr(QStringLiteral("xrandr --setmonitor right 960/254x1080/286+960+0 none"));
        startApp();
        const auto windows = [&] {
            QMap<QString, QJsonObject> byScreen;
            const QJsonObject status = QJsonDocument::fromJson(ctl({"status"}).out.toUtf8()).object();
            for (const QJsonValue& w : status.value("windows").toArray())
                byScreen.insert(w.toObject().value("screen").toString(), w.toObject());
            return byScreen;
        };
        QTRY_COMPARE_WITH_TIMEOUT(windows().size(), 2, 10000);

        QCOMPARE(ctl({"set", "--screen", "right", "sceneIndex", "15"}).status, 2);
        QCOMPARE(ctl({"set", "--screen", "right", "fps", "60"}).status, 2);
        QCOMPARE(ctl({"set", "--screen", "nowhere", "sceneIndex", "3"}).status, 2);
        QCOMPARE(ctl({"set", "--screen", "right", "sceneIndex"}).status, 2);
        QCOMPARE(ctl({"reset"}).status, 2);
        QCOMPARE(ctl({"get", "screenOverrides"}).out, QStringLiteral("{}"));

        QCOMPARE(ctl({"set", "--screen", "right", "sceneIndex", "9"}).status, 0);
        QCOMPARE(ctl({"set", "--screen", "right", "paletteName", "\"Corail\""}).status, 0);
        QCOMPARE(ctl({"get", "--screen", "right", "sceneIndex"}).out, QStringLiteral("9"));
        QCOMPARE(ctl({"get", "--screen", "left", "sceneIndex"}).out, QStringLiteral("0"));
        QCOMPARE(ctl({"get", "sceneIndex"}).out, QStringLiteral("0"));
        QJsonObject right = windows().value("right").value("source").toObject();
        QCOMPARE(right.value("followsMain").toBool(), false);
        QCOMPARE(right.value("sceneIndex").toInteger(), 9);
        QCOMPARE(right.value("paletteName").toString(), QStringLiteral("Corail"));
        QCOMPARE(windows().value("left").value("source").toObject().value("followsMain").toBool(), true);

        QCOMPARE(ctl({"quit"}).status, 0);
        QVERIFY(m_app->waitForFinished(10000));
        QCOMPARE(storedSettings()
                     .value("screenOverrides")
                     .toObject()
                     .value("right")
                     .toObject()
                     .value("sceneIndex")
                     .toInteger(),
                 9);
        startApp();
        QCOMPARE(ctl({"get", "--screen", "right", "sceneIndex"}).out, QStringLiteral("9"));
        QCOMPARE(ctl({"reset", "--screen", "right"}).status, 0);
        QCOMPARE(ctl({"get", "--screen", "right", "sceneIndex"}).out, QStringLiteral("0"));
        QTRY_VERIFY(windows().value("right").value("source").toObject().value("followsMain").toBool());
    }

    void pendingChangeSurvivesQuit()
    {
        startApp();
        QCOMPARE(ctl({"set", "speed", "0.9"}).status, 0);
        QCOMPARE(ctl({"quit"}).status, 0);
        QVERIFY(m_app->waitForFinished(10000));
        QCOMPARE(m_app->exitCode(), 0);
        QCOMPARE(storedSettings().value("speed").toDouble(), 0.9);
    }

    void pendingChangeSurvivesSignals_data()
    {
        QTest::addColumn<int>("signalNumber");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGINT") << int(SIGINT);
    }

    void pendingChangeSurvivesSignals()
    {
        QFETCH(int, signalNumber);
        startApp();
        QCOMPARE(ctl({"set", "colorShift", "0.25"}).status, 0);
        ::kill(static_cast<pid_t>(m_app->processId()), signalNumber);
        QVERIFY(m_app->waitForFinished(10000));
        QCOMPARE(m_app->exitCode(), 0);
        QCOMPARE(storedSettings().value("colorShift").toDouble(), 0.25);
    }

    void settingsPersistAcrossLaunches()
    {
        startApp();
        QCOMPARE(ctl({"set", "paletteName", "\"Lavande\""}).status, 0);
        QCOMPARE(ctl({"set", "autopilotMinutes", "15"}).status, 0);
        QCOMPARE(ctl({"quit"}).status, 0);
        QVERIFY(m_app->waitForFinished(10000));
        startApp();
        QCOMPARE(ctl({"get", "paletteName"}).out, QStringLiteral("\"Lavande\""));
        QCOMPARE(ctl({"get", "autopilotMinutes"}).out, QStringLiteral("15"));
        QCOMPARE(ctl({"get", "paletteHex"}).out,
                 QStringLiteral("[15591414,13747433,11771355,9795021,6765239]"));
    }

    void secondLaunchHandsOver()
    {
        startApp();
        const Run second = run({}, 15000);
        QVERIFY2(second.status == 0, qPrintable(second.err));
        QTest::qWait(300);
        QVERIFY(m_app->state() == QProcess::Running);
        // The running instance shows its dashboard: one window, whatever opens it.
        QTRY_COMPARE_WITH_TIMEOUT(dashboardWindows().size(), 1, 10000);
        QCOMPARE(run({}, 15000).status, 0);
        QCOMPARE(ctl({"dashboard"}).status, 0);
        QCOMPARE(ctl({"dashboard", "about"}).status, 0);
        QTest::qWait(500);
        QCOMPARE(dashboardWindows().size(), 1);
        QVERIFY(m_app->state() == QProcess::Running);

        const Run refused = ctl({"dashboard", "réglages"});
        QCOMPARE(refused.status, 2);
        QVERIFY2(refused.err.contains("scenes") && refused.err.contains("account"), qPrintable(refused.err));
    }

    // A value no control can set, written into the file by hand: the app
    // keeps it as it is in the file, and still draws a scene with it bounded.
    void outOfRangeTuningStillShowsAScene()
    {
        QDir().mkpath(QFileInfo(settingsPath()).absolutePath());
        const QByteArray written =
            "{\"isRunning\": true, \"speed\": 1e300, \"intensity\": -40, \"renderQuality\": 720, "
            "\"fps\": 30, \"sceneIndex\": 4}";
        {
            QFile f(settingsPath());
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(written);
        }
        startApp();
        QCOMPARE(ctl({"get", "speed"}).out, QStringLiteral("1e+300"));
        QTest::qWait(3000); // the splash has gone and frames have been drawn
        // The bottom-left corner of the screen, away from the dashboard.
        QProcess shot;
        shot.start(QStringLiteral("import"),
                   {"-window", "root", "-crop", "240x160+0+900", "-colorspace", "Gray", "-format",
                    "%[fx:mean] %[fx:standard_deviation]", "info:"});
        QVERIFY(shot.waitForFinished(20000));
        const QStringList figures = QString::fromUtf8(shot.readAllStandardOutput()).split(' ');
        QCOMPARE(figures.size(), 2);
        const double mean = figures[0].toDouble();
        const double spread = figures[1].toDouble();
        QVERIFY2(mean > 0.03 && spread > 0.002,
                 qPrintable(QStringLiteral("mean %1, deviation %2").arg(mean).arg(spread)));
        // Loading did not rewrite the file for it.
        QFile f(settingsPath());
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), written);
    }

    // A file whose opening takes the process down (here a stand-in for a
    // decoder that aborts) must not take down every later start too: the
    // next start shows the scene and keeps the user's choice, until another
    // file is chosen.
    void mediaThatCrashedIsSetAside()
    {
        const QString clip = m_home->filePath("clip.mp4");
        QCOMPARE(QProcess::execute("ffmpeg", {"-loglevel", "error", "-y", "-f", "lavfi", "-i",
                                              "color=c=red:s=320x240:r=10:d=1", "-c:v", "mpeg4", clip}),
                 0);
        QVERIFY(writeSettings(
            {{"isRunning", true}, {"speed", 0.5}, {"wallpaperMode", "video"}, {"mediaPath", clip}}));
        QProcess crashing;
        QProcessEnvironment e = env();
        e.insert("NIVORA_TEST_ABORT_OPENING_MEDIA", "1");
        crashing.setProcessEnvironment(e);
        crashing.start(binary(), {"--autostart"});
        QVERIFY(crashing.waitForFinished(60000));
        QCOMPARE(crashing.exitStatus(), QProcess::CrashExit);

        for (int run = 0; run < 2; ++run) {
            startApp();
            QTRY_VERIFY_WITH_TIMEOUT(ctl({"status"}).out.contains("\"windows\""), 10000);
            const QJsonObject status = QJsonDocument::fromJson(ctl({"status"}).out.toUtf8()).object();
            QCOMPARE(status.value("crashedMedia").toString(), clip);
            const QJsonArray windows = status.value("windows").toArray();
            QVERIFY(!windows.isEmpty());
            for (const QJsonValue& w : windows)
                QCOMPARE(w.toObject().value("mode").toString(), QStringLiteral("scene"));
            QCOMPARE(ctl({"get", "mediaPath"}).out, QString("\"" + clip + "\""));
            QCOMPARE(ctl({"get", "wallpaperMode"}).out, QStringLiteral("\"video\""));
            // Still set aside at the next start, until another file is chosen.
            QCOMPARE(ctl({"quit"}).status, 0);
            QVERIFY(m_app->waitForFinished(10000));
        }

        // Another file is tried, and once it shows the crash is forgotten.
        const QString other = m_home->filePath("other.mp4");
        QVERIFY(QFile::copy(clip, other));
        startApp();
        QCOMPARE(ctl({"set", "mediaPath", QString("\"" + other + "\"")}).status, 0);
        QTRY_VERIFY_WITH_TIMEOUT(ctl({"status"}).out.contains("\"mode\": \"video\""), 20000);
        QVERIFY(!ctl({"status"}).out.contains("crashedMedia"));
        QTRY_VERIFY_WITH_TIMEOUT(!QFile::exists(m_home->filePath("config/nivora/media-opening")), 20000);
    }

    void corruptSettingsAreKeptAside()
    {
        QDir().mkpath(QFileInfo(settingsPath()).absolutePath());
        {
            QFile f(settingsPath());
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("{\"speed\": 0.7, oops");
        }
        startApp();
        QCOMPARE(ctl({"get", "speed"}).out, QStringLiteral("0.5"));
        const QStringList aside = QDir(QFileInfo(settingsPath()).absolutePath())
                                      .entryList({"defaults.json.corrupt-*"}, QDir::Files);
        QCOMPARE(aside.size(), 1);
        QFile kept(QFileInfo(settingsPath()).absolutePath() + "/" + aside.first());
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), QByteArray("{\"speed\": 0.7, oops"));
        // The app still saves normally.
        QCOMPARE(ctl({"set", "speed", "0.6"}).status, 0);
        QCOMPARE(ctl({"quit"}).status, 0);
        QVERIFY(m_app->waitForFinished(10000));
        QCOMPARE(storedSettings().value("speed").toDouble(), 0.6);
    }

    // Each route frames can take to the screen, forced as a developer would
    // on any machine: `status` names the one that runs, and the desktop keeps
    // changing through it (a scene moves, a video plays and loops).
    void renderPathCanBeForced_data()
    {
        QTest::addColumn<QString>("forced");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("path");
        QTest::newRow("scene, OpenGL") << "gpu"
                                       << "scene"
                                       << "gpu";
        QTest::newRow("scene, read back") << "readback"
                                          << "scene"
                                          << "readback";
        QTest::newRow("video, OpenGL") << "gpu"
                                       << "video"
                                       << "gpu-video";
        QTest::newRow("video, processor") << "readback"
                                          << "video"
                                          << "software-video";
    }
    void renderPathCanBeForced()
    {
        QFETCH(QString, forced);
        QFETCH(QString, mode);
        QFETCH(QString, path);
        // A clip whose colour turns all the way round the hue circle in its
        // one second, so that any two moments of it differ.
        const QString clip = m_home->filePath("hues.mp4");
        QCOMPARE(QProcess::execute("ffmpeg", {"-loglevel", "error", "-y", "-f", "lavfi", "-i",
                                              "color=c=red:s=320x240:r=20:d=1,hue=h=t*360", "-c:v", "mpeg4",
                                              "-q:v", "2", clip}),
                 0);
        QVERIFY(writeSettings({{"isRunning", true},
                               {"speed", 1.0},
                               {"wallpaperMode", mode},
                               {"mediaPath", mode == "video" ? clip : QString()}}));
        m_renderPath = forced;
        startApp({"--autostart"});
        // The first wallpaper window as `status` lists it.
        const auto firstWindow = [&] {
            return QJsonDocument::fromJson(ctl({"status"}).out.toUtf8())
                .object()
                .value("windows")
                .toArray()
                .at(0)
                .toObject();
        };
        QJsonObject window;
        QVERIFY2(QTest::qWaitFor(
                     [&] {
                         window = firstWindow();
                         return window.value("mode").toString() == mode &&
                                window.value("path").toString() == path;
                     },
                     20000),
                 qPrintable(QJsonDocument(window).toJson()));
        if (mode == "video") {
            // No graphics card here: nothing decodes on one.
            QVERIFY2(window.contains("hwdec"), "hwdec is reported");
            const QString hwdec = window.value("hwdec").toString();
            QVERIFY2(hwdec.isEmpty() || hwdec == "no", qPrintable(hwdec));
        }
        QTRY_VERIFY_WITH_TIMEOUT(firstWindow().value("measuredFPS").toDouble() > 1.0, 10000);
        QCOMPARE(firstWindow().value("path").toString(), path);
        const QList<double> first = cornerColor();
        QCOMPARE(first.size(), 3);
        QVERIFY2(std::max({first[0], first[1], first[2]}) > 0.05, "something is drawn");
        // A scene changes too slowly in one corner to tell; its frames are counted above.
        if (mode == "scene")
            return;
        bool changed = false;
        for (int i = 0; i < 10 && !changed; ++i) {
            QTest::qWait(300);
            const QList<double> next = cornerColor();
            QCOMPARE(next.size(), 3);
            for (int c = 0; c < 3; ++c)
                changed = changed || std::abs(next[c] - first[c]) > 0.1;
        }
        QVERIFY2(changed, "the video does not play");
    }

    // Every line the app logs is marked as Nivora's: its own, and Qt's with
    // their category (here the platform plugin's debug lines, turned on).
    void everyLogLineIsNivoras()
    {
        QDir().mkpath(QFileInfo(settingsPath()).absolutePath());
        {
            QFile f(settingsPath());
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("not json");
        }
        QProcess p;
        QProcessEnvironment e = env();
        e.insert("QT_LOGGING_RULES", "qt.qpa.*.debug=true");
        e.insert("NIVORA_REPORT_READY", "exit");
        p.setProcessEnvironment(e);
        p.start(binary(), {"--autostart"});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), 0);
        const QStringList lines = QString::fromUtf8(p.readAllStandardError()).split('\n', Qt::SkipEmptyParts);
        int ours = 0;
        int qts = 0;
        for (const QString& line : lines) {
            if (line.startsWith(QLatin1String("nivora: ready ")))
                continue;
            QVERIFY2(line.startsWith(QLatin1String("Nivora: ")), qPrintable(line));
            ours += line.startsWith(QStringLiteral("Nivora: unreadable settings")) ? 1 : 0;
            qts += line.startsWith(QLatin1String("Nivora: qt.qpa.")) ? 1 : 0;
        }
        QVERIFY2(ours == 1 && qts > 0,
                 qPrintable(lines.filter(QRegularExpression("^(?!Nivora: qt)")).join('\n')));
    }
};

QTEST_GUILESS_MAIN(TestAppEndToEnd)
#include "tst_app_e2e.moc"
