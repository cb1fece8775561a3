#include "state/DefaultsStore.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QTest>
#include <limits>
#include <sys/stat.h>

using namespace nivora;

namespace {

QString writeFile(const QString& path, const QByteArray& data)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(data);
    return path;
}

QStringList capturedWarnings;
void captureHandler(QtMsgType type, const QMessageLogContext&, const QString& msg)
{
    if (type == QtWarningMsg)
        capturedWarnings.append(msg);
}

} // namespace

class TestDefaultsStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void standardPathFollowsXdg()
    {
        qputenv("XDG_CONFIG_HOME", "/tmp/somewhere");
        QCOMPARE(DefaultsStore::standardPath(), QStringLiteral("/tmp/somewhere/nivora/defaults.json"));
        // A relative XDG_CONFIG_HOME is invalid by the basedir rules and ignored.
        qputenv("XDG_CONFIG_HOME", "relative/dir");
        QCOMPARE(DefaultsStore::standardPath(),
                 QDir::homePath() + QStringLiteral("/.config/nivora/defaults.json"));
        qunsetenv("XDG_CONFIG_HOME");
        QCOMPARE(DefaultsStore::standardPath(),
                 QDir::homePath() + QStringLiteral("/.config/nivora/defaults.json"));
    }

    void coercions_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<bool>("asBool");
        QTest::addColumn<qint64>("asInt");
        QTest::addColumn<double>("asDouble");
        QTest::addColumn<QString>("asString"); // "<none>" when no string

        QTest::newRow("absent") << QByteArray() << false << qint64(0) << 0.0 << "<none>";
        QTest::newRow("true") << QByteArray("true") << true << qint64(1) << 1.0 << "<none>";
        QTest::newRow("integer") << QByteArray("45") << true << qint64(45) << 45.0 << "45";
        QTest::newRow("fraction truncates") << QByteArray("-2.75") << true << qint64(-2) << -2.75 << "-2.75";
        QTest::newRow("zero") << QByteArray("0") << false << qint64(0) << 0.0 << "0";
        QTest::newRow("numeric text") << QByteArray("\"12\"") << true << qint64(12) << 12.0 << "12";
        QTest::newRow("word") << QByteArray("\"abc\"") << false << qint64(0) << 0.0 << "abc";
        QTest::newRow("yes") << QByteArray("\"YES\"") << true << qint64(0) << 0.0 << "YES";
        QTest::newRow("huge saturates") << QByteArray("1e300") << true << std::numeric_limits<qint64>::max()
                                        << 1e300 << "1.0000000000000001e+300";
        QTest::newRow("list") << QByteArray("[1,2]") << false << qint64(0) << 0.0 << "<none>";
        QTest::newRow("null") << QByteArray("null") << false << qint64(0) << 0.0 << "<none>";
    }

    void coercions()
    {
        QFETCH(QByteArray, json);
        QFETCH(bool, asBool);
        QFETCH(qint64, asInt);
        QFETCH(double, asDouble);
        QFETCH(QString, asString);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("defaults.json"));
        writeFile(path, json.isEmpty() ? QByteArray("{}") : "{\"k\": " + json + "}");
        DefaultsStore store(path);
        QCOMPARE(store.boolValue(QStringLiteral("k")), asBool);
        QCOMPARE(store.integerValue(QStringLiteral("k")), asInt);
        QCOMPARE(store.doubleValue(QStringLiteral("k")), asDouble);
        const auto s = store.stringValue(QStringLiteral("k"));
        QCOMPARE(s.value_or(QStringLiteral("<none>")), asString);
    }

    void writesCreateDirectoryWithPrivateMode()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("a/b/nivora/defaults.json"));
        DefaultsStore store(path);
        QVERIFY(!QFile::exists(path)); // nothing written by merely opening
        store.setValue(QStringLiteral("speed"), 0.7);
        QVERIFY(store.lastWriteSucceeded());
        struct stat st
        {
        };
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &st), 0);
        QCOMPARE(st.st_mode & 0777, 0600u);
        // Only the settings file remains: the atomic replace leaves no temporary behind.
        QCOMPARE(QDir(QFileInfo(path).absolutePath()).entryList(QDir::Files), QStringList{"defaults.json"});

        DefaultsStore reread(path);
        QCOMPARE(reread.doubleValue(QStringLiteral("speed")), 0.7);
    }

    void keepsForeignKeysAcrossWrites()
    {
        QTemporaryDir dir;
        const QString path = writeFile(dir.filePath(QStringLiteral("defaults.json")),
                                       "{\"sb_email\": \"a@b.c\", \"widgetpos_clock\": [1, 2]}");
        DefaultsStore store(path);
        store.setValues(QJsonObject{{QStringLiteral("fps"), 60}, {QStringLiteral("isRunning"), false}});
        DefaultsStore reread(path);
        QCOMPARE(reread.stringValue(QStringLiteral("sb_email")).value(), QStringLiteral("a@b.c"));
        QCOMPARE(reread.value(QStringLiteral("widgetpos_clock")).toArray().size(), 2);
        QCOMPARE(reread.integerValue(QStringLiteral("fps")), qint64(60));
        store.remove(QStringLiteral("sb_email"));
        QVERIFY(!DefaultsStore(path).contains(QStringLiteral("sb_email")));
    }

    void corruptFileIsMovedAsideNeverLost_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("not json") << QByteArray("{\"speed\": 0.5,,, garbage");
        QTest::newRow("array") << QByteArray("[1, 2, 3]");
        QTest::newRow("binary") << QByteArray("\x00\xff\xfe\x01", 4);
        QTest::newRow("empty") << QByteArray("");
    }

    void corruptFileIsMovedAsideNeverLost()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        const QString path = writeFile(dir.filePath(QStringLiteral("defaults.json")), content);
        // An earlier rescue with the same timestamp must not be overwritten.
        capturedWarnings.clear();
        auto previous = qInstallMessageHandler(captureHandler);
        DefaultsStore first(path);
        writeFile(path, content);
        DefaultsStore second(path);
        qInstallMessageHandler(previous);

        QCOMPARE(capturedWarnings.size(), 2);
        QVERIFY(capturedWarnings.first().startsWith(QStringLiteral("Nivora: ")));
        QVERIFY(first.values().isEmpty());
        QVERIFY(!first.movedAsidePath().isEmpty());
        QVERIFY(first.movedAsidePath() != second.movedAsidePath());
        for (const QString& aside : {first.movedAsidePath(), second.movedAsidePath()}) {
            QVERIFY(QFileInfo(aside).fileName().startsWith(QStringLiteral("defaults.json.corrupt-")));
            QFile f(aside);
            QVERIFY(f.open(QIODevice::ReadOnly));
            QCOMPARE(f.readAll(), content);
        }
        // The store works normally afterwards.
        second.setValue(QStringLiteral("fps"), 60);
        QCOMPARE(DefaultsStore(path).integerValue(QStringLiteral("fps")), qint64(60));
    }

    void unwritableLocationLogsOnceAndKeepsValues()
    {
        QTemporaryDir dir;
        // A file where the directory should be: creating the directory fails even for root.
        writeFile(dir.filePath(QStringLiteral("nivora")), "not a directory");
        DefaultsStore store(dir.filePath(QStringLiteral("nivora/defaults.json")));
        capturedWarnings.clear();
        auto previous = qInstallMessageHandler(captureHandler);
        store.setValue(QStringLiteral("fps"), 60);
        store.setValue(QStringLiteral("fps"), 120);
        store.setValue(QStringLiteral("speed"), 0.2);
        qInstallMessageHandler(previous);
        QCOMPARE(capturedWarnings.size(), 1);
        QVERIFY(capturedWarnings.first().startsWith(QStringLiteral("Nivora: ")));
        QVERIFY(!store.lastWriteSucceeded());
        QCOMPARE(store.integerValue(QStringLiteral("fps")), qint64(120));
        QCOMPARE(store.doubleValue(QStringLiteral("speed")), 0.2);
    }
};

QTEST_GUILESS_MAIN(TestDefaultsStore)
#include "tst_defaultsstore.moc"
