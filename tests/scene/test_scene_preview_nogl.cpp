// A preview on a platform without OpenGL: blank, one log line, no crash.

#include "scene/ScenePreview.h"
#include "scene/WallpaperRenderer.h"

#include <QTemporaryDir>
#include <QTest>
#include <atomic>

using namespace nivora;

namespace {

std::atomic<int> failureLines{0};
QtMessageHandler previousHandler = nullptr;

void countingHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message == QLatin1String("Nivora: OpenGL indisponible ou shader invalide"))
        ++failureLines;
    if (previousHandler)
        previousHandler(type, context, message);
}

} // namespace

class TestScenePreviewWithoutGL : public QObject
{
    Q_OBJECT

public:
    static void initMain()
    {
        static QTemporaryDir config;
        qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
        // Qt's offscreen platform makes no GL contexts when there is no X
        // display to borrow one from.
        qunsetenv("DISPLAY");
        qunsetenv("WAYLAND_DISPLAY");
        WallpaperRenderer::configureApplication();
    }

private Q_SLOTS:
    void staysBlankAndLogsOnce();
};

void TestScenePreviewWithoutGL::staysBlankAndLogsOnce()
{
    previousHandler = qInstallMessageHandler(countingHandler);
    for (int attempt = 1; attempt <= 2; ++attempt) {
        ScenePreview preview;
        preview.resize(120, 80);
        preview.show();
        QTRY_COMPARE(failureLines.load(), attempt);
        // Frames keep being asked for; none is drawn and nothing more is logged.
        QTest::qWait(120);
        QCOMPARE(failureLines.load(), attempt);
        QVERIFY(!preview.hasSurface());
        QVERIFY(!preview.hasRenderer());
        QCOMPARE(preview.framesDrawn(), 0);
        QVERIFY(preview.grabFrame().isNull());
    }
    qInstallMessageHandler(previousHandler);
}

QTEST_MAIN(TestScenePreviewWithoutGL)
#include "test_scene_preview_nogl.moc"
