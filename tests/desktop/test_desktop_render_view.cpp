// The animated scene on the desktop: what is on screen matches `nivora render`
// of the same frame, settings reach the view, and pausing (by hand, by a
// covering window, by screen sleep) stops the display link and the frames.
#include "DesktopTestSupport.h"
#include "desktop/DesktopRenderView.h"
#include "platform/fake/FakeDisplayLink.h"
#include "scene/ScaledDrawable.h"
#include "scene/WallpaperRenderer.h"

#include <QRasterWindow>
#include <QScopeGuard>
#include <QTest>

using namespace nivora;
using namespace nivora::testing;

class TestDesktopRenderView : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestSettings> m_settings;
    std::unique_ptr<PlatformServices> m_platform;
    std::unique_ptr<WallpaperController> m_controller;

    AppState& state() { return *m_settings->state; }

    DesktopRenderView* startScene()
    {
        m_controller = std::make_unique<WallpaperController>(state(), *m_platform);
        m_controller->start();
        if (!QTest::qWaitFor([this] { return m_controller->renderViews().size() == 1; }))
            return nullptr;
        DesktopRenderView* view = m_controller->renderViews().first();
        if (!QTest::qWaitForWindowExposed(view->window()))
            return nullptr;
        return view;
    }

    static bool framesAdvance(DesktopRenderView* view, int timeoutMs = 5000)
    {
        const quint64 before = view->framesDelivered();
        return QTest::qWaitFor([&] { return view->framesDelivered() > before + 1; }, timeoutMs);
    }

    static bool framesStay(DesktopRenderView* view, int ms = 400)
    {
        QTest::qWait(50); // a frame already in flight may still land
        const quint64 before = view->framesDelivered();
        QTest::qWait(ms);
        return view->framesDelivered() == before;
    }

    QImage referenceRender(double seconds, QSize size)
    {
        return testing::referenceRender(state(), seconds, size,
                                        m_settings->dir.filePath(QStringLiteral("reference.png")));
    }

private Q_SLOTS:
    void init()
    {
        m_settings = std::make_unique<TestSettings>();
        m_platform = PlatformServices::createDefault();
        state().setFps(10);
        state().setRenderQuality(480);
    }

    void cleanup()
    {
        m_controller.reset();
        m_platform.reset();
        m_settings.reset();
        WallpaperRenderer::pinAnimationTimeForTesting(std::nullopt);
    }

    void screenShowsTheScene_data()
    {
        QTest::addColumn<int>("scene");
        QTest::addColumn<qint64>("quality");
        QTest::addColumn<double>("tolerance");
        QTest::addColumn<bool>("serverScaling");
        // At full size the window holds exactly the rendered pixels; at a lower
        // quality the drawable is scaled up (by the X server on this software
        // renderer, or by OpenGL), so it is compared at its own size.
        QTest::newRow("plasma, full size") << 4 << qint64(1920) << 1.5 << true;
        QTest::newRow("snow, full size") << 14 << qint64(1920) << 1.5 << true;
        QTest::newRow("aurora, 480 drawable, scaled by X") << 1 << qint64(480) << 4.0 << true;
        QTest::newRow("aurora, 480 drawable, scaled by OpenGL") << 1 << qint64(480) << 4.0 << false;
        QTest::newRow("flux, 1080 drawable, scaled by X") << 3 << qint64(1080) << 4.0 << true;
    }
    void screenShowsTheScene()
    {
        QFETCH(int, scene);
        QFETCH(qint64, quality);
        QFETCH(double, tolerance);
        QFETCH(bool, serverScaling);
        ScaledDrawable::setServerScalingAllowedForTesting(serverScaling);
        auto restore = qScopeGuard([] { ScaledDrawable::setServerScalingAllowedForTesting(true); });
        const double seconds = 37.25;
        WallpaperRenderer::pinAnimationTimeForTesting(seconds);
        state().setSceneIndex(scene);
        state().setSpeed(0.7);
        state().setColorShift(0.2);
        state().setRenderQuality(quality);
        state().setFps(5);
        DesktopRenderView* view = startScene();
        QVERIFY(view);
        QVERIFY(framesAdvance(view, 20000));

        const QSize drawable = view->pixelSize();
        const bool scaled =
            drawable != view->window()->geometry().size() * view->window()->devicePixelRatio();
        QCOMPARE(view->scalesOnServer(), scaled && serverScaling);
        QImage shown = captureScreen(view->window()->geometry());
        if (shown.size() != drawable)
            shown = shown.scaled(drawable, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const QImage expected = referenceRender(seconds, drawable);
        QVERIFY(!expected.isNull());
        const double diff = meanDifference(shown, expected);
        QVERIFY2(diff < tolerance, qPrintable(QStringLiteral("mean difference %1").arg(diff)));
        // And the image is not trivially uniform.
        QVERIFY(averageColor(shown, QRect(0, 0, 50, 50)) !=
                averageColor(shown, QRect(drawable.width() / 2, drawable.height() / 2, 50, 50)));
    }

    void framesFollowTheDisplayLinkTicks()
    {
        // A view driven by a fake link: every tick is delivered by hand, so the
        // frames can be counted against the divisor exactly.
        ScreenInfo screen;
        screen.name = QStringLiteral("fake");
        screen.frame = QRect(0, 0, 320, 180);
        WallpaperWindow window(screen, WallpaperWindow::Surface::OpenGL, nullptr);
        window.showWallpaper();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto owned = std::make_unique<FakeDisplayLink>(60.0);
        FakeDisplayLink* link = owned.get();
        auto view = DesktopRenderView::create(&window, 7, QSize(64, 36), 20, std::move(owned), state(), 9);
        QVERIFY(view);
        QCOMPARE(view->refreshRate(), 60);
        QVERIFY(link->isRunning());

        // 60 Hz at 20 fps: every third tick draws.
        for (int round = 1; round <= 3; ++round) {
            QVERIFY(link->tick());
            QVERIFY(link->tick());
            QTest::qWait(20);
            QCOMPARE(view->framesDelivered(), quint64(round - 1));
            QVERIFY(link->tick());
            QTRY_COMPARE(view->framesDelivered(), quint64(round));
        }

        // Paused: the link is stopped, so no tick arrives at all.
        view->setPaused(true);
        QVERIFY(!link->isRunning());
        QVERIFY(!link->tick());
        view->setPaused(false);
        QVERIFY(link->isRunning());
        QVERIFY(link->tick());
        QVERIFY(link->tick());
        QVERIFY(link->tick());
        QTRY_COMPARE(view->framesDelivered(), quint64(4));

        view->stop();
        QVERIFY(!link->isRunning());
        QVERIFY(!link->tick());
        view.reset();
    }

    void settingsReachTheViewOnTheNextTurn()
    {
        DesktopRenderView* view = startScene();
        QVERIFY(view);
        QCOMPARE(view->params().palette, state().paletteRGBACache());
        QList<QColor> colors = state().paletteColors();
        colors[0] = QColor(255, 0, 0);
        state().setPaletteColors(colors);
        state().setSpeed(0.25);
        QVERIFY(view->params().speed != 0.25f); // not before the main loop turns
        QTRY_COMPARE(view->params().speed, 0.25f);
        QCOMPARE(view->params().palette, state().paletteRGBACache());
        QCOMPARE(view->params().palette.first()[0], 1.0f);
    }

    void pausingStopsTheDisplayLink()
    {
        DesktopRenderView* view = startScene();
        QVERIFY(view);
        QVERIFY(framesAdvance(view));
        QVERIFY(view->isDisplayLinkRunning());
        view->setPaused(true);
        QVERIFY(!view->isDisplayLinkRunning());
        QVERIFY(framesStay(view));
        view->setPaused(false);
        QVERIFY(view->isDisplayLinkRunning());
        QVERIFY(framesAdvance(view));

        // The frame rate changes in place.
        view->setFPS(0);
        QCOMPARE(view->targetFPS(), 1);
        view->setFPS(20);
        QCOMPARE(view->targetFPS(), 20);
    }

    void coveringWindowPausesWhenAsked()
    {
        state().setPauseOnFullscreen(true);
        DesktopRenderView* view = startScene();
        QVERIFY(view);
        QVERIFY(framesAdvance(view));

        QRasterWindow cover;
        cover.showFullScreen();
        QVERIFY(QTest::qWaitForWindowExposed(&cover));
        QTRY_VERIFY_WITH_TIMEOUT(view->isPaused(), 5000);
        QVERIFY(!view->isDisplayLinkRunning());
        QVERIFY(framesStay(view));

        cover.hide();
        QTRY_VERIFY_WITH_TIMEOUT(!view->isPaused(), 5000);
        QVERIFY(framesAdvance(view));

        // A maximised window covers too.
        QRasterWindow maximised;
        maximised.showMaximized();
        QVERIFY(QTest::qWaitForWindowExposed(&maximised));
        QTRY_VERIFY_WITH_TIMEOUT(view->isPaused(), 5000);

        // Turning the setting off resumes at once.
        state().setPauseOnFullscreen(false);
        QTRY_VERIFY(!view->isPaused());
        QVERIFY(framesAdvance(view));
        maximised.hide();
    }

    void coveringWindowIsIgnoredByDefault()
    {
        DesktopRenderView* view = startScene();
        QVERIFY(view);
        QRasterWindow cover;
        cover.showFullScreen();
        QVERIFY(QTest::qWaitForWindowExposed(&cover));
        QTest::qWait(300);
        QVERIFY(!view->isPaused());
    }

    void screenSleepAndWake_data()
    {
        QTest::addColumn<QString>("sleep");
        QTest::addColumn<QString>("wake");
        QTest::newRow("freedesktop screen saver")
            << QStringLiteral("dbus-send --session --type=signal /org/freedesktop/ScreenSaver "
                              "org.freedesktop.ScreenSaver.ActiveChanged boolean:true")
            << QStringLiteral("dbus-send --session --type=signal /org/freedesktop/ScreenSaver "
                              "org.freedesktop.ScreenSaver.ActiveChanged boolean:false");
        QTest::newRow("gnome screen saver")
            << QStringLiteral("dbus-send --session --type=signal /org/gnome/ScreenSaver "
                              "org.gnome.ScreenSaver.ActiveChanged boolean:true")
            << QStringLiteral("dbus-send --session --type=signal /org/gnome/ScreenSaver "
                              "org.gnome.ScreenSaver.ActiveChanged boolean:false");
        QTest::newRow("X screen saver")
            << QStringLiteral("xset s activate") << QStringLiteral("xset s reset");
    }
    void screenSleepAndWake()
    {
        QFETCH(QString, sleep);
        QFETCH(QString, wake);
        DesktopRenderView* view = startScene();
        QVERIFY(view);
        QVERIFY(framesAdvance(view));

        QCOMPARE(QProcess::execute(QStringLiteral("sh"), {QStringLiteral("-c"), sleep}), 0);
        QTRY_VERIFY_WITH_TIMEOUT(view->isPaused(), 5000);
        QVERIFY(!view->isDisplayLinkRunning());
        QVERIFY(framesStay(view));
        QTRY_COMPARE_WITH_TIMEOUT(view->measuredFPS(), 0.0, 5000);

        QCOMPARE(QProcess::execute(QStringLiteral("sh"), {QStringLiteral("-c"), wake}), 0);
        QTRY_VERIFY_WITH_TIMEOUT(!view->isPaused(), 5000);
        QVERIFY(framesAdvance(view));
    }

    void wakingWhileInactiveResumesNothing()
    {
        const QString sleep = QStringLiteral("dbus-send --session --type=signal /org/freedesktop/ScreenSaver "
                                             "org.freedesktop.ScreenSaver.ActiveChanged boolean:%1");
        DesktopRenderView* view = startScene();
        QVERIFY(view);
        QProcess::execute(QStringLiteral("sh"), {QStringLiteral("-c"), sleep.arg(QStringLiteral("true"))});
        QTRY_VERIFY_WITH_TIMEOUT(m_platform->sleep->isAsleep(), 5000);
        QTRY_VERIFY(view->isPaused());

        state().setIsRunning(false);
        QTRY_COMPARE(m_controller->windowCount(), 0);
        QProcess::execute(QStringLiteral("sh"), {QStringLiteral("-c"), sleep.arg(QStringLiteral("false"))});
        QTRY_VERIFY_WITH_TIMEOUT(!m_platform->sleep->isAsleep(), 5000);
        QTest::qWait(100);
        QCOMPARE(m_controller->windowCount(), 0);

        // Asleep at activation: the views are built paused.
        QProcess::execute(QStringLiteral("sh"), {QStringLiteral("-c"), sleep.arg(QStringLiteral("true"))});
        QTRY_VERIFY_WITH_TIMEOUT(m_platform->sleep->isAsleep(), 5000);
        state().setIsRunning(true);
        QTRY_COMPARE(m_controller->renderViews().size(), 1);
        QVERIFY(m_controller->renderViews().first()->isPaused());
        QVERIFY(!m_controller->renderViews().first()->isDisplayLinkRunning());
        QProcess::execute(QStringLiteral("sh"), {QStringLiteral("-c"), sleep.arg(QStringLiteral("false"))});
        QTRY_VERIFY_WITH_TIMEOUT(!m_controller->renderViews().first()->isPaused(), 5000);
    }
};

int main(int argc, char** argv)
{
    WallpaperRenderer::configureApplication();
    QGuiApplication app(argc, argv);
    TestDesktopRenderView test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_desktop_render_view.moc"
