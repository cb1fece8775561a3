// Wallpaper windows on a real X server with openbox: window type and states,
// stacking, one window per screen, enabled displays, screen hot-plug, running
// on and off, the autopilot and the status report.
#include "DesktopTestSupport.h"
#include "desktop/DesktopRenderView.h"
#include "scene/WallpaperRenderer.h"
#include "state/SettingsCodec.h"

#include <QJsonArray>
#include <QRasterWindow>
#include <QSignalSpy>
#include <QTest>

using namespace nivora;
using namespace nivora::testing;

class TestWallpaperWindows : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestSettings> m_settings;
    std::unique_ptr<PlatformServices> m_platform;
    std::unique_ptr<WallpaperController> m_controller;

    AppState& state() { return *m_settings->state; }

    void startController()
    {
        m_controller = std::make_unique<WallpaperController>(state(), *m_platform);
        m_controller->start();
        QTRY_VERIFY(m_controller->isActive());
    }

    void setMonitors(const QStringList& script, int expectedScreens)
    {
        for (const QString& line : script)
            QProcess::execute(QStringLiteral("sh"), {QStringLiteral("-c"), line});
        QTRY_COMPARE_WITH_TIMEOUT(QGuiApplication::screens().size(), expectedScreens, 10000);
    }

private Q_SLOTS:
    void init()
    {
        m_settings = std::make_unique<TestSettings>();
        m_platform = PlatformServices::createDefault();
        // Light frames keep the software renderer from starving the test.
        state().setRenderQuality(480);
        state().setFps(10);
    }

    void cleanup()
    {
        m_controller.reset();
        m_platform.reset();
        m_settings.reset();
        QProcess::execute(
            QStringLiteral("sh"),
            {QStringLiteral("-c"), QStringLiteral("xrandr --delmonitor right >/dev/null 2>&1; "
                                                  "xrandr --delmonitor left >/dev/null 2>&1; true")});
        QTRY_COMPARE_WITH_TIMEOUT(QGuiApplication::screens().size(), 1, 10000);
    }

    void oneDesktopWindowPerScreen()
    {
        startController();
        QCOMPARE(m_controller->windowCount(), 1);
        WallpaperWindow* window = m_controller->windows().first();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QCOMPARE(window->geometry(), QGuiApplication::primaryScreen()->geometry());

        QVERIFY2(xprop(window, QStringLiteral("_NET_WM_WINDOW_TYPE"))
                     .contains(QLatin1String("_NET_WM_WINDOW_TYPE_DESKTOP")),
                 qPrintable(xprop(window, QStringLiteral("_NET_WM_WINDOW_TYPE"))));
        const QString states = xprop(window, QStringLiteral("_NET_WM_STATE"));
        // Sticky: on every workspace. Openbox has no sticky state and keeps the
        // all-workspaces desktop number instead; a window manager that knows the
        // state must show it.
        const QString supported =
            run(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTED")});
        if (supported.contains(QLatin1String("_NET_WM_STATE_STICKY")))
            QVERIFY2(states.contains(QLatin1String("_NET_WM_STATE_STICKY")), qPrintable(states));
        QVERIFY2(states.contains(QLatin1String("_NET_WM_STATE_SKIP_TASKBAR")), qPrintable(states));
        QVERIFY2(states.contains(QLatin1String("_NET_WM_STATE_SKIP_PAGER")), qPrintable(states));
        QVERIFY(xprop(window, QStringLiteral("_NET_WM_DESKTOP")).contains(QLatin1String("4294967295")));
        // Never focusable, transparent to the pointer.
        QVERIFY(window->flags().testFlag(Qt::WindowTransparentForInput));
        QVERIFY(window->flags().testFlag(Qt::WindowDoesNotAcceptFocus));
        QVERIFY(xprop(window, QStringLiteral("WM_HINTS")).contains(QLatin1String("False")));

        // Its render thread and display-link thread carry their names.
        QCOMPARE(countThreads(QStringLiteral("nv-render-")), 1);
        QCOMPARE(countThreads(QStringLiteral("nv-vsync-")), 1);
    }

    void ordinaryWindowStaysAbove()
    {
        startController();
        QRasterWindow ordinary;
        ordinary.setGeometry(100, 100, 300, 200);
        ordinary.show();
        QVERIFY(QTest::qWaitForWindowExposed(&ordinary));
        // Rebuilding creates a new wallpaper window after the ordinary one; it
        // must still go below it.
        state().setRenderQuality(600);
        QTRY_COMPARE(m_controller->rebuildCount(), 2);
        const quint64 wallpaper = m_controller->windows().first()->winId();
        QTRY_VERIFY(stackingOrder().contains(wallpaper));
        QTRY_VERIFY(stackingOrder().contains(ordinary.winId()));
        const QList<quint64> order = stackingOrder();
        QVERIFY2(order.indexOf(wallpaper) < order.indexOf(ordinary.winId()), "the wallpaper is below");
        QVERIFY(ordinary.isActive() || !m_controller->windows().first()->isActive());
    }

    void twoScreensAndEnabledDisplays()
    {
        setMonitors({QStringLiteral("xrandr --setmonitor left 960/254x1080/286+0+0 screen"),
                     QStringLiteral("xrandr --setmonitor right 960/254x1080/286+960+0 none")},
                    2);
        const QList<ScreenInfo> screens = m_platform->screens->screens();
        QCOMPARE(screens.size(), 2);
        QVERIFY(screens[0].displayID != screens[1].displayID);
        QVERIFY(screens[0].displayID != 0 && screens[1].displayID != 0);

        startController();
        QCOMPARE(m_controller->windowCount(), 2);

        const ScreenInfo second = screens[1];
        state().setEnabledDisplays({second.displayID});
        QTRY_COMPARE(m_controller->rebuildCount(), 2);
        QCOMPARE(m_controller->windowCount(), 1);
        QCOMPARE(m_controller->windows().first()->geometry(), second.frame);
        QCOMPARE(m_controller->windows().first()->screenInfo().displayID, second.displayID);

        // An identifier no screen has: no window anywhere, and no fault.
        state().setEnabledDisplays({12345u});
        QTRY_COMPARE(m_controller->rebuildCount(), 3);
        QCOMPARE(m_controller->windowCount(), 0);

        state().setEnabledDisplays({});
        QTRY_COMPARE(m_controller->rebuildCount(), 4);
        QCOMPARE(m_controller->windowCount(), 2);
    }

    void hotPlugRebuildsButAnUnchangedSignatureDoesNot()
    {
        startController();
        QCOMPARE(m_controller->windowCount(), 1);
        const int before = m_controller->rebuildCount();

        // A screens notification that changes nothing: no rebuild.
        Q_EMIT m_platform->screens->screensChanged();
        QTest::qWait(200);
        QCOMPARE(m_controller->rebuildCount(), before);

        setMonitors({QStringLiteral("xrandr --setmonitor left 960/254x1080/286+0+0 screen"),
                     QStringLiteral("xrandr --setmonitor right 960/254x1080/286+960+0 none")},
                    2);
        QTRY_COMPARE_WITH_TIMEOUT(m_controller->windowCount(), 2, 10000);
        QVERIFY(m_controller->rebuildCount() > before);
        QCOMPARE(m_controller->displaySignature().size(), 2);

        setMonitors({QStringLiteral("xrandr --delmonitor right"), QStringLiteral("xrandr --delmonitor left")},
                    1);
        QTRY_COMPARE_WITH_TIMEOUT(m_controller->windowCount(), 1, 10000);
        QCOMPARE(m_controller->windows().first()->geometry(), QGuiApplication::primaryScreen()->geometry());
    }

    // A screen with a source of its own shows it beside one that follows the
    // main settings. Changing one screen's values, or plugging a screen out
    // and in again, builds no other screen's window again, and the screen's
    // own source comes back with it.
    void eachScreenKeepsItsOwnSource()
    {
        setMonitors({QStringLiteral("xrandr --setmonitor left 960/254x1080/286+0+0 screen"),
                     QStringLiteral("xrandr --setmonitor right 960/254x1080/286+960+0 none")},
                    2);
        const QList<ScreenInfo> screens = m_platform->screens->screens();
        QCOMPARE(screens.size(), 2);
        const ScreenInfo left = screens[0].frame.x() == 0 ? screens[0] : screens[1];
        const ScreenInfo right = screens[0].frame.x() == 0 ? screens[1] : screens[0];
        QImage green(32, 32, QImage::Format_RGB32);
        green.fill(qRgb(0, 255, 0));
        const QString path = m_settings->dir.filePath(QStringLiteral("green.png"));
        QVERIFY(green.save(path));
        QVERIFY(!SettingsCodec::applyToScreen(state(), right.name, QStringLiteral("wallpaperMode"), "image"));
        QVERIFY(!SettingsCodec::applyToScreen(state(), right.name, QStringLiteral("mediaPath"), path));

        startController();
        QCOMPARE(m_controller->windowCount(), 2);
        QCOMPARE(m_controller->imageViews().size(), 1);
        QCOMPARE(m_controller->renderViews().size(), 1);
        DesktopRenderView* leftView = m_controller->renderViews().first();
        QCOMPARE(leftView->displayID(), left.displayID);
        const auto isGreen = [](QRgb c) { return qGreen(c) > 240 && qRed(c) < 15 && qBlue(c) < 15; };
        const QPoint middle(480, 540);
        QTRY_VERIFY_WITH_TIMEOUT(isGreen(captureScreen(right.frame).pixel(middle)), 10000);
        QTRY_VERIFY(leftView->framesDelivered() > 1);
        QVERIFY(!isGreen(captureScreen(left.frame).pixel(middle)));
        for (const QJsonValue& w : m_controller->statusJson().value(QStringLiteral("windows")).toArray()) {
            const QJsonObject source = w.toObject().value(QStringLiteral("source")).toObject();
            const bool isRight = w.toObject().value(QStringLiteral("screen")).toString() == right.name;
            QCOMPARE(source.value(QStringLiteral("followsMain")).toBool(), !isRight);
            QCOMPARE(source.value(QStringLiteral("wallpaperMode")).toString(),
                     isRight ? QStringLiteral("image") : QStringLiteral("scene"));
        }

        // A scene value of its own reaches the running view.
        const int rebuilds = m_controller->rebuildCount();
        QVERIFY(!SettingsCodec::applyToScreen(state(), left.name, QStringLiteral("sceneIndex"), 9));
        QTRY_COMPARE(leftView->params().scene, 9);
        QTRY_VERIFY(m_controller->rebuildCount() > rebuilds);
        QCOMPARE(m_controller->renderViews(), QList<DesktopRenderView*>{leftView});
        QCOMPARE(state().sceneIndex(), 0);

        // Out and in again: the other screen's view goes on drawing.
        setMonitors({QStringLiteral("xrandr --delmonitor right")}, 1);
        QTRY_COMPARE_WITH_TIMEOUT(m_controller->windowCount(), 1, 10000);
        QCOMPARE(m_controller->renderViews(), QList<DesktopRenderView*>{leftView});
        QVERIFY(state().screenOverrides().contains(right.name));
        setMonitors({QStringLiteral("xrandr --setmonitor right 960/254x1080/286+960+0 none")}, 2);
        QTRY_COMPARE_WITH_TIMEOUT(m_controller->imageViews().size(), 1, 10000);
        QCOMPARE(m_controller->renderViews(), QList<DesktopRenderView*>{leftView});
        QCOMPARE(leftView->params().scene, 9);
        QTRY_VERIFY_WITH_TIMEOUT(isGreen(captureScreen(right.frame).pixel(middle)), 10000);
    }

    void runningOffRemovesEverything()
    {
        startController();
        QCOMPARE(m_controller->windowCount(), 1);
        QVERIFY(m_platform->activity.isHeld());
        state().setIsRunning(false);
        QTRY_VERIFY(!m_controller->isActive());
        QCOMPARE(m_controller->windowCount(), 0);
        QVERIFY(!m_platform->activity.isHeld());
        QTRY_COMPARE(countThreads(QStringLiteral("nv-render-")), 0);
        QCOMPARE(countThreads(QStringLiteral("nv-vsync-")), 0);

        // Changes while inactive wait for the next activation.
        state().setRenderQuality(720);
        QTest::qWait(100);
        QCOMPARE(m_controller->windowCount(), 0);

        state().setIsRunning(true);
        QTRY_COMPARE(m_controller->windowCount(), 1);
        QCOMPARE(countThreads(QStringLiteral("nv-render-")), 1);
        QCOMPARE(m_controller->renderViews().first()->pixelSize(), QSize(720, 405));
    }

    void autopilotWalksTheScenesAndWraps()
    {
        state().setAutopilot(true);
        state().setAutopilotMinutes(0);
        startController();
        QVERIFY(m_controller->isAutopilotRunning());
        QCOMPARE(m_controller->autopilotInterval(), 60 * 1000); // 0 minutes count as 1

        m_controller->setAutopilotIntervalForTesting(50);
        state().setSceneIndex(13);
        QTRY_COMPARE(state().sceneIndex(), qint64(14));
        QTRY_COMPARE(state().sceneIndex(), qint64(0));
        QTRY_COMPARE(state().sceneIndex(), qint64(1));

        // The render views follow the scene through their snapshot.
        QTRY_COMPARE(m_controller->renderViews().first()->params().scene, state().sceneIndex());

        // Video mode stops the timer (through the rebuild), scene mode restarts it.
        state().setWallpaperMode(WallpaperMode::Video);
        QTRY_VERIFY(!m_controller->isAutopilotRunning());
        const qint64 frozen = state().sceneIndex();
        QTest::qWait(200);
        QCOMPARE(state().sceneIndex(), frozen);
        state().setWallpaperMode(WallpaperMode::Scene);
        QTRY_VERIFY(m_controller->isAutopilotRunning());

        state().setAutopilot(false);
        QTRY_VERIFY(!m_controller->isAutopilotRunning());
    }

    void statusReportsEachWindow()
    {
        state().setFps(24);
        startController();
        QTRY_VERIFY(m_controller->renderViews().first()->framesDelivered() > 0);
        const QJsonObject status = m_controller->statusJson();
        QCOMPARE(status.value(QStringLiteral("active")).toBool(), true);
        QCOMPARE(status.value(QStringLiteral("autopilot")).toBool(), false);
        const QJsonArray windows = status.value(QStringLiteral("windows")).toArray();
        QCOMPARE(windows.size(), 1);
        const QJsonObject w = windows.first().toObject();
        QScreen* screen = QGuiApplication::primaryScreen();
        QCOMPARE(w.value(QStringLiteral("screen")).toString(), screen->name());
        QCOMPARE(w.value(QStringLiteral("displayID")).toInteger(), qint64(displayIdentifier(screen->name())));
        QCOMPARE(w.value(QStringLiteral("geometry")).toObject().value(QStringLiteral("width")).toInt(),
                 screen->geometry().width());
        QCOMPARE(w.value(QStringLiteral("mode")).toString(), QStringLiteral("scene"));
        QCOMPARE(w.value(QStringLiteral("pixelSize")).toObject().value(QStringLiteral("width")).toInt(), 480);
        QCOMPARE(w.value(QStringLiteral("targetFPS")).toInt(), 24);
        QVERIFY(w.value(QStringLiteral("measuredFPS")).toDouble() > 0.0);
        QCOMPARE(w.value(QStringLiteral("paused")).toBool(), false);
    }
};

int main(int argc, char** argv)
{
    WallpaperRenderer::configureApplication();
    QGuiApplication app(argc, argv);
    TestWallpaperWindows test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_wallpaper_windows.moc"
