// `nivora render` end to end: the real binary, its PNG and its refusals.

#include "palettes/ColorHex.h"
#include "palettes/WallpaperPalette.h"
#include "scene/OffscreenSceneRenderer.h"
#include "scene/WallpaperRenderer.h"

#include <QFile>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace nivora;

namespace {

struct Run
{
    int exitCode = -1;
    QString errors;
};

Run runRender(const QStringList& args,
              const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(qEnvironmentVariable("NIVORA_BINARY"), QStringList{QStringLiteral("render")} + args);
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    Run run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    run.errors = QString::fromUtf8(process.readAllStandardError());
    return run;
}

QList<RGBA> paletteOf(const QList<QColor>& colours)
{
    QList<RGBA> palette;
    for (const QColor& colour : colours)
        palette.append(rgba(colour));
    return palette;
}

} // namespace

class TestRenderCommand : public QObject
{
    Q_OBJECT

public:
    static void initMain() { WallpaperRenderer::configureApplication(); }

private Q_SLOTS:
    void initTestCase();
    void writesTheSameFrameAsTheDesktopProgram_data();
    void writesTheSameFrameAsTheDesktopProgram();
    void refusesBadInput_data();
    void refusesBadInput();
    void saysHowToRunWithoutADisplay();

private:
    QTemporaryDir m_dir;
};

void TestRenderCommand::initTestCase()
{
    QVERIFY(QFile::exists(qEnvironmentVariable("NIVORA_BINARY")));
    QVERIFY(m_dir.isValid());
}

void TestRenderCommand::writesTheSameFrameAsTheDesktopProgram_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<Scalars>("scalars");
    QTest::addColumn<QList<RGBA>>("palette");

    const QList<RGBA> silverSage =
        paletteOf(WallpaperPalette::preset(QStringLiteral("Silver Sage"))->colors());
    QTest::newRow("defaults") << QStringList{"--scene", "4", "--time", "12", "--size", "320x180"}
                              << QSize(320, 180)
                              << WallpaperRenderer::makeScalars(QSize(320, 180), 12.0f, 0.5, 0.6, 0.5, 0.0,
                                                                0.5, 4)
                              << silverSage;

    const WallpaperPalette* dusk = WallpaperPalette::preset(QStringLiteral("Crépuscule"));
    QVERIFY(dusk);
    QTest::newRow("every option, tall")
        << QStringList{"--scene",       "14",  "--time",      "7.25", "--size",    "90x160",
                       "--speed",       "0.9", "--intensity", "1",    "--scale",   "0.2",
                       "--color-shift", "0.4", "--sharpness", "0",    "--palette", "Crépuscule"}
        << QSize(90, 160)
        << WallpaperRenderer::makeScalars(QSize(90, 160), 7.25f, 0.9, 1.0, 0.2, 0.4, 0.0, 14)
        << paletteOf(dusk->colors());

    QList<RGBA> custom;
    for (quint32 hex : {0x112233u, 0xFF8800u, 0x00FF00u, 0xABCDEFu, 0x000000u})
        custom.append(rgba(colorFromHex(hex)));
    QTest::newRow("custom colours, wrapped time")
        << QStringList{"--scene", "0",       "--time",   "100003",
                       "--size",  "200x100", "--colors", "112233,FF8800,#00ff00,ABCDEF,000000"}
        << QSize(200, 100)
        << WallpaperRenderer::makeScalars(QSize(200, 100), 3.0f, 0.5, 0.6, 0.5, 0.0, 0.5, 0) << custom;
}

void TestRenderCommand::writesTheSameFrameAsTheDesktopProgram()
{
    QFETCH(QStringList, options);
    QFETCH(QSize, size);
    QFETCH(Scalars, scalars);
    QFETCH(QList<RGBA>, palette);

    const QString output = m_dir.filePath(QStringLiteral("%1.png").arg(QTest::currentDataTag()));
    const Run run = runRender(options + QStringList{"--output", output});
    QVERIFY2(run.exitCode == 0, qPrintable(run.errors));

    QImageReader reader(output);
    QCOMPARE(reader.format(), QByteArray("png"));
    const QImage written = reader.read().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(written.size(), size);

    OffscreenSceneRenderer renderer;
    QVERIFY2(renderer.isValid(), qPrintable(renderer.errorString()));
    const QImage expected = renderer.render(size, scalars, palette);
    QCOMPARE(written, expected);
}

void TestRenderCommand::refusesBadInput_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("mentions");
    const QStringList base{"--scene", "3", "--time", "1", "--size", "64x32"};
    auto without = [&](const QString& option) {
        QStringList copy = base;
        const qsizetype at = copy.indexOf(option);
        copy.remove(at, 2);
        return copy;
    };
    auto with = [&](const QString& option, const QString& value) {
        QStringList copy = base;
        const qsizetype at = copy.indexOf(option);
        if (at >= 0)
            copy[at + 1] = value;
        else
            copy << option << value;
        return copy;
    };
    QTest::newRow("no scene") << without("--scene") << "--scene";
    QTest::newRow("no time") << without("--time") << "--time";
    QTest::newRow("no size") << without("--size") << "--size";
    QTest::newRow("scene 15") << with("--scene", "15") << "--scene";
    QTest::newRow("scene -1") << with("--scene", "-1") << "--scene";
    QTest::newRow("scene not a number") << with("--scene", "two") << "--scene";
    QTest::newRow("time not a number") << with("--time", "nan") << "--time";
    QTest::newRow("negative time") << with("--time", "-4") << "--time";
    QTest::newRow("zero width") << with("--size", "0x32") << "--size";
    QTest::newRow("too tall") << with("--size", "64x8193") << "--size";
    QTest::newRow("size without x") << with("--size", "64") << "--size";
    QTest::newRow("speed above 1") << with("--speed", "1.5") << "--speed";
    QTest::newRow("intensity text") << with("--intensity", "high") << "--intensity";
    QTest::newRow("sharpness infinite") << with("--sharpness", "inf") << "--sharpness";
    QTest::newRow("unknown palette") << with("--palette", "Nulle part") << "Nulle part";
    QTest::newRow("palette and colors")
        << with("--palette", "Silver Sage") + QStringList{"--colors", "000000,000000,000000,000000,000000"}
        << "--colors";
    QTest::newRow("four colours") << with("--colors", "000000,111111,222222,333333") << "--colors";
    QTest::newRow("bad hex") << with("--colors", "00000G,111111,222222,333333,444444") << "--colors";
    QTest::newRow("unknown option") << with("--frobnicate", "1") << "frobnicate";
    QTest::newRow("repeated option") << base + QStringList{"--scene", "4"} << "--scene";
}

void TestRenderCommand::refusesBadInput()
{
    QFETCH(QStringList, options);
    QFETCH(QString, mentions);
    const QString output = m_dir.filePath(QStringLiteral("refused.png"));
    const Run run = runRender(options + QStringList{"--output", output});
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.errors.contains(mentions), qPrintable(run.errors));
    QVERIFY(!QFile::exists(output));
}

void TestRenderCommand::saysHowToRunWithoutADisplay()
{
    const QStringList options{"--scene", "3", "--time", "1", "--size", "64x32", "--output"};

    // Unwritable targets are refused like bad input, and nothing is left behind.
    const QString missingDir = m_dir.filePath(QStringLiteral("missing/frame.png"));
    Run run = runRender(options + QStringList{missingDir});
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.errors.contains(QStringLiteral("cannot write")), qPrintable(run.errors));
    run = runRender(options + QStringList{m_dir.path()});
    QCOMPARE(run.exitCode, 2);

    QProcessEnvironment bare = QProcessEnvironment::systemEnvironment();
    bare.remove(QStringLiteral("DISPLAY"));
    bare.remove(QStringLiteral("WAYLAND_DISPLAY"));
    bare.remove(QStringLiteral("QT_QPA_PLATFORM"));
    const QString output = m_dir.filePath(QStringLiteral("headless.png"));
    run = runRender(options + QStringList{output}, bare);
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.errors.contains(QStringLiteral("xvfb-run")), qPrintable(run.errors));
    QVERIFY(!QFile::exists(output));
}

QTEST_MAIN(TestRenderCommand)
#include "test_render_command.moc"
