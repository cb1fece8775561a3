#include "icons/FolderPattern.h"
#include "icons/PatternDraw.h"

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace nivora;

namespace {

struct Result
{
    int status = -1;
    QString out;
    QString err;
};

Result runPattern(const QStringList& args)
{
    QProcess process;
    process.start(qEnvironmentVariable("NIVORA_BINARY"), QStringList{QStringLiteral("pattern")} + args);
    Result result;
    if (!process.waitForFinished(120000))
        return result;
    result.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

} // namespace

class TestPatternCommand : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(QFile::exists(qEnvironmentVariable("NIVORA_BINARY")), "NIVORA_BINARY is not built");
        QVERIFY(m_dir.isValid());
    }

    void writesPngOfRequestedSize_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("size");
        QTest::newRow("smallest") << QStringLiteral("Pois") << 1;
        QTest::newRow("accented name") << QStringLiteral("Étoiles") << 82;
        QTest::newRow("apostrophe") << QStringLiteral("Nid d'abeille") << 300;
        QTest::newRow("largest") << QStringLiteral("Rayures") << 4096;
    }

    void writesPngOfRequestedSize()
    {
        QFETCH(QString, name);
        QFETCH(int, size);
        const QString file = m_dir.filePath(QStringLiteral("out-%1.png").arg(size));
        const Result result = runPattern(
            {name, QStringLiteral("--size"), QString::number(size), QStringLiteral("--output"), file});
        QVERIFY2(result.status == 0, qPrintable(result.err));

        QImageReader reader(file);
        QCOMPARE(reader.format(), QByteArray("png"));
        const QImage written = reader.read();
        QCOMPARE(written.size(), QSize(size, size));

        // The file holds exactly the pattern as painted in-process: the 512-unit
        // canvas scaled to the requested size.
        if (size <= 300) {
            const FolderPattern* pattern = nullptr;
            for (const FolderPattern& p : FolderPattern::all()) {
                if (p.name() == name)
                    pattern = &p;
            }
            QVERIFY(pattern);
            QImage expected(size, size, QImage::Format_ARGB32_Premultiplied);
            expected.fill(Qt::transparent);
            QPainter painter(&expected);
            painter.scale(size / 512.0, size / 512.0);
            PatternDraw::render(*pattern, painter, QSizeF(512, 512));
            painter.end();
            QCOMPARE(written.convertToFormat(QImage::Format_ARGB32),
                     expected.convertToFormat(QImage::Format_ARGB32));
        }
    }

    void refusesBadInput_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        const QString out = QStringLiteral("%1/refused.png");
        QTest::newRow("unknown name")
            << QStringList{"Paisley", "--size", "64", "--output", out} << QStringLiteral("Mosaïque océan");
        QTest::newRow("size zero") << QStringList{"Pois", "--size", "0", "--output", out}
                                   << QStringLiteral("size");
        QTest::newRow("size too large")
            << QStringList{"Pois", "--size", "4097", "--output", out} << QStringLiteral("size");
        QTest::newRow("size with unit")
            << QStringList{"Pois", "--size", "64px", "--output", out} << QStringLiteral("size");
        QTest::newRow("negative size")
            << QStringList{"Pois", "--size=-5", "--output", out} << QStringLiteral("size");
        QTest::newRow("no size") << QStringList{"Pois", "--output", out} << QStringLiteral("--size");
        QTest::newRow("no output") << QStringList{"Pois", "--size", "64"} << QStringLiteral("--output");
        QTest::newRow("no name") << QStringList{"--size", "64", "--output", out} << QStringLiteral("name");
        QTest::newRow("unknown option")
            << QStringList{"Pois", "--size", "64", "--colour", "red", "--output", out}
            << QStringLiteral("colour");
        QTest::newRow("missing directory")
            << QStringList{"Pois", "--size", "64", "--output", "%1/missing/dir/out.png"}
            << QStringLiteral("cannot write");
        QTest::newRow("output is a directory")
            << QStringList{"Pois", "--size", "64", "--output", "%1"} << QStringLiteral("cannot write");
    }

    void refusesBadInput()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        for (QString& arg : args)
            arg = arg.replace(QStringLiteral("%1"), m_dir.path());
        const Result result = runPattern(args);
        QCOMPARE(result.status, 2);
        QVERIFY2(result.err.contains(message), qPrintable(result.err));
        QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("refused.png"))));
    }

    // A failed run leaves an existing file as it was.
    void failureKeepsExistingFile()
    {
        const QString file = m_dir.filePath(QStringLiteral("keep.png"));
        QFile existing(file);
        QVERIFY(existing.open(QIODevice::WriteOnly));
        existing.write("previous");
        existing.close();
        const Result result = runPattern({QStringLiteral("Pois"), QStringLiteral("--size"),
                                          QStringLiteral("9999"), QStringLiteral("--output"), file});
        QCOMPARE(result.status, 2);
        QVERIFY(existing.open(QIODevice::ReadOnly));
        QCOMPARE(existing.readAll(), QByteArray("previous"));
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestPatternCommand)
#include "tst_pattern_command.moc"
