// The wallpaper on a Wayland compositor with the layer shell (a real headless
// sway): the backend is chosen, every output shows the scene `nivora render`
// draws for the same frame, images and videos fill the outputs, a fullscreen window pauses the view of its
// output only, an output added at run time gets its wallpaper, and a compositor without the layer shell
// leaves the desktop to X11.
#include "DesktopTestSupport.h"
#include "HeadlessSway.h"
#include "desktop/DesktopRenderView.h"
#include "media/ImageWallpaperView.h"
#include "media/VideoWallpaperView.h"
#include "scene/ScaledDrawable.h"
#include "scene/WallpaperRenderer.h"
#include "state/SettingsCodec.h"
#include "wlr-output-power-management-unstable-v1-client-protocol.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QScopeGuard>
#include <QTest>
#include <atomic>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>
#include <wayland-server.h>

using namespace nivora;
using namespace nivora::testing;

namespace {

// A Wayland server that offers shared memory and nothing else, so no layer
// shell: what GNOME's compositor looks like to the backend choice.
class CompositorWithoutLayerShell
{
public:
    explicit CompositorWithoutLayerShell(const QString& path) : m_path(path)
    {
        m_display = wl_display_create();
        wl_display_init_shm(m_display);
        const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray name = QFile::encodeName(path);
        qstrncpy(address.sun_path, name.constData(), sizeof(address.sun_path));
        if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
            listen(fd, 4) != 0 || wl_display_add_socket_fd(m_display, fd) != 0)
            return;
        m_ok = true;
        m_thread = std::thread([this] {
            wl_event_loop* loop = wl_display_get_event_loop(m_display);
            while (!m_stop.load()) {
                wl_event_loop_dispatch(loop, 50);
                wl_display_flush_clients(m_display);
            }
        });
    }
    ~CompositorWithoutLayerShell()
    {
        m_stop.store(true);
        if (m_thread.joinable())
            m_thread.join();
        wl_display_destroy_clients(m_display);
        wl_display_destroy(m_display);
        QFile::remove(m_path);
    }
    bool isListening() const { return m_ok; }

private:
    QString m_path;
    wl_display* m_display = nullptr;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    bool m_ok = false;
};

// A client of wlroots' output power protocol, as a blanking tool is: it asks
// for the power control of every output and counts the answers.
class OutputPowerClient
{
public:
    explicit OutputPowerClient(const QString& socket)
    {
        m_display = wl_display_connect(QFile::encodeName(socket).constData());
        if (!m_display)
            return;
        wl_registry* registry = wl_display_get_registry(m_display);
        wl_registry_add_listener(registry, &registryListener, this);
        wl_display_roundtrip(m_display);
        if (m_manager) {
            for (wl_output* output : std::as_const(m_outputs)) {
                auto* power = zwlr_output_power_manager_v1_get_output_power(m_manager, output);
                zwlr_output_power_v1_add_listener(power, &powerListener, this);
                m_powers.append(power);
            }
        }
        wl_display_roundtrip(m_display);
        wl_registry_destroy(registry);
    }
    ~OutputPowerClient()
    {
        for (zwlr_output_power_v1* power : std::as_const(m_powers))
            zwlr_output_power_v1_destroy(power);
        if (m_manager)
            zwlr_output_power_manager_v1_destroy(m_manager);
        for (wl_output* output : std::as_const(m_outputs))
            wl_output_destroy(output);
        if (m_display)
            wl_display_disconnect(m_display);
    }
    int outputs() const { return int(m_outputs.size()); }
    int modes() const { return m_modes; }
    int failed() const { return m_failed; }

private:
    static void onGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t)
    {
        auto* self = static_cast<OutputPowerClient*>(data);
        if (qstrcmp(interface, wl_output_interface.name) == 0)
            self->m_outputs.append(
                static_cast<wl_output*>(wl_registry_bind(registry, name, &wl_output_interface, 1)));
        else if (qstrcmp(interface, zwlr_output_power_manager_v1_interface.name) == 0)
            self->m_manager = static_cast<zwlr_output_power_manager_v1*>(
                wl_registry_bind(registry, name, &zwlr_output_power_manager_v1_interface, 1));
    }
    static void onGlobalRemove(void*, wl_registry*, uint32_t) {}
    static constexpr wl_registry_listener registryListener = {onGlobal, onGlobalRemove};
    static void onMode(void* data, zwlr_output_power_v1*, uint32_t)
    {
        ++static_cast<OutputPowerClient*>(data)->m_modes;
    }
    static void onFailed(void* data, zwlr_output_power_v1*)
    {
        ++static_cast<OutputPowerClient*>(data)->m_failed;
    }
    static constexpr zwlr_output_power_v1_listener powerListener = {onMode, onFailed};

    wl_display* m_display = nullptr;
    zwlr_output_power_manager_v1* m_manager = nullptr;
    QList<wl_output*> m_outputs;
    QList<zwlr_output_power_v1*> m_powers;
    int m_modes = 0;
    int m_failed = 0;
};

QString statusBackend(const QJsonObject& status)
{
    return status.value(QStringLiteral("backend")).toString();
}

} // namespace

class TestWaylandWallpaper : public QObject
{
    Q_OBJECT

    std::unique_ptr<HeadlessSway> m_sway;
    std::unique_ptr<TestSettings> m_settings;
    std::unique_ptr<PlatformServices> m_platform;
    std::unique_ptr<WallpaperController> m_controller;

    AppState& state() { return *m_settings->state; }

    // The platform services as the app makes them, on the test compositor.
    std::unique_ptr<PlatformServices> servicesOn(const QString& waylandDisplay)
    {
        return platformOn(waylandDisplay);
    }

    DesktopRenderView* viewOn(const QString& output) const
    {
        for (DesktopRenderView* view : m_controller->renderViews()) {
            if (view->displayID() == displayIdentifier(output))
                return view;
        }
        return nullptr;
    }

    bool startScene(int views)
    {
        m_platform = servicesOn(m_sway->socket());
        m_controller = std::make_unique<WallpaperController>(state(), *m_platform);
        m_controller->start();
        return QTest::qWaitFor([&] { return m_controller->renderViews().size() == views; }, 10000);
    }

    // Red above, blue below, far smaller than the outputs and of another
    // shape, as the wallpaper of every output.
    bool showRedOverBlue()
    {
        QImage image(64, 16, QImage::Format_RGB32);
        image.fill(Qt::red);
        for (int y = 8; y < 16; ++y)
            for (int x = 0; x < 64; ++x)
                image.setPixel(x, y, qRgb(0, 0, 255));
        const QString path = m_settings->dir.filePath(QStringLiteral("picture.png"));
        if (!image.save(path))
            return false;
        state().setMediaPath(path);
        state().setWallpaperMode(WallpaperMode::Image);
        m_platform = servicesOn(m_sway->socket());
        m_controller = std::make_unique<WallpaperController>(state(), *m_platform);
        m_controller->start();
        return true;
    }

    static bool framesAdvance(DesktopRenderView* view, int timeoutMs = 10000)
    {
        const quint64 before = view->framesDelivered();
        return QTest::qWaitFor([&] { return view->framesDelivered() > before + 1; }, timeoutMs);
    }

    // Whether the view on `output` draws frames, following the view that
    // replaces it while the compositor settles its outputs.
    bool drawsOn(const QString& output, int timeoutMs = 10000) const
    {
        const DesktopRenderView* view = nullptr;
        quint64 since = 0;
        return QTest::qWaitFor(
            [&] {
                const DesktopRenderView* now = viewOn(output);
                if (now != view) {
                    view = now;
                    since = now ? now->framesDelivered() : 0;
                    return false;
                }
                return now && now->framesDelivered() > since + 1;
            },
            timeoutMs);
    }

    QImage referenceRender(double seconds, QSize size)
    {
        return testing::referenceRender(state(), seconds, size,
                                        m_settings->dir.filePath(QStringLiteral("reference.png")));
    }

private Q_SLOTS:
    void initTestCase()
    {
        if (!HeadlessSway::isInstalled())
            QSKIP("sway, swaymsg and grim are needed (scripts/setup installs them)");
        m_sway = std::make_unique<HeadlessSway>();
        QVERIFY2(m_sway->start(), qPrintable(m_sway->error()));
    }

    void cleanupTestCase() { m_sway.reset(); }

    void init()
    {
        m_settings = std::make_unique<TestSettings>();
        state().setFps(10);
        state().setRenderQuality(1280);
        state().setPauseOnFullscreen(true);
    }

    void cleanup()
    {
        m_controller.reset();
        m_platform.reset();
        m_settings.reset();
        WallpaperRenderer::pinAnimationTimeForTesting(std::nullopt);
    }

    void layerShellIsChosenWithTheOutputs()
    {
        m_platform = servicesOn(m_sway->socket());
        QCOMPARE(m_platform->backend, QStringLiteral("wayland-layer-shell"));
        QVERIFY(m_platform->makeDesktopSurface);
        const QList<ScreenInfo> screens = m_platform->screens->screens();
        QCOMPARE(screens.size(), 2);
        QCOMPARE(screens[0].name, QStringLiteral("HEADLESS-1"));
        QCOMPARE(screens[0].frame.size(), QSize(1280, 720));
        QCOMPARE(screens[1].name, QStringLiteral("HEADLESS-2"));
        QCOMPARE(screens[1].frame, QRect(1280, 0, 800, 600)); // the layout, from xdg-output
        QCOMPARE(screens[1].displayID, displayIdentifier(QStringLiteral("HEADLESS-2")));
        // wl_output gives millihertz: sway's headless outputs run at 60 Hz.
        QCOMPARE(screens[0].refreshRate, 60.0);
    }

    // Runs before any scene of this process: a picture is shown without the
    // OpenGL driver and without a copy of it kept in the process; an output
    // that changes size shows it again; a scene then follows, the driver
    // loaded only then.
    void imageNeedsNoOpenGLAndASceneCanFollow()
    {
        QVERIFY(!WallpaperRenderer::hasShareContext());
        QVERIFY(showRedOverBlue());
        QTRY_COMPARE_WITH_TIMEOUT(m_controller->imageViews().size(), 2, 10000);
        auto showsPicture = [&](const QString& output, QSize size) {
            return QTest::qWaitFor(
                [&] {
                    const QImage shown = m_sway->grab(output);
                    if (shown.size() != size)
                        return false;
                    const QColor top = averageColor(shown, QRect(0, 0, size.width(), size.height() / 2 - 20));
                    const QColor bottom = averageColor(
                        shown, QRect(0, size.height() / 2 + 20, size.width(), size.height() / 2 - 20));
                    return top.red() > 240 && top.blue() < 15 && bottom.blue() > 240 && bottom.red() < 15;
                },
                10000);
        };
        QVERIFY(showsPicture(QStringLiteral("HEADLESS-1"), QSize(1280, 720)));
        QVERIFY(showsPicture(QStringLiteral("HEADLESS-2"), QSize(800, 600)));
        QVERIFY(!WallpaperRenderer::hasShareContext());
        // The compositor holds the only copy: no decoded frame, no buffer.
        for (ImageWallpaperView* view : m_controller->imageViews())
            QVERIFY(view->currentFrame().isNull());
        QFile maps(QStringLiteral("/proc/self/maps"));
        QVERIFY(maps.open(QIODevice::ReadOnly));
        QVERIFY(!maps.readAll().contains("nivora-wallpaper"));

        // A new size for one output: the picture is read again and fills it.
        auto restore = qScopeGuard([&] { m_sway->msg({"output", "HEADLESS-2", "mode", "800x600"}); });
        m_sway->msg({"output", "HEADLESS-2", "mode", "1024x768"});
        QVERIFY(showsPicture(QStringLiteral("HEADLESS-2"), QSize(1024, 768)));
        QVERIFY(showsPicture(QStringLiteral("HEADLESS-1"), QSize(1280, 720)));
        restore.dismiss();
        m_sway->msg({"output", "HEADLESS-2", "mode", "800x600"});
        QTRY_VERIFY_WITH_TIMEOUT(
            m_controller->displaySignature().join(QLatin1Char(' ')).contains(QStringLiteral(",800,600")),
            10000);

        state().setWallpaperMode(WallpaperMode::Scene);
        QTRY_COMPARE_WITH_TIMEOUT(m_controller->renderViews().size(), 2, 10000);
        QVERIFY(WallpaperRenderer::hasShareContext());
        for (const QString& output : {QStringLiteral("HEADLESS-1"), QStringLiteral("HEADLESS-2")}) {
            DesktopRenderView* view = viewOn(output);
            QVERIFY2(view && framesAdvance(view), qPrintable(output));
            const QColor c = averageColor(m_sway->grab(output), QRect(0, 0, 200, 100));
            QVERIFY2(!(c.red() > 240 && c.green() < 15 && c.blue() < 15), qPrintable(output + c.name()));
        }
    }

    // Outputs of different sizes, one following the main picture and one with
    // a picture of its own; giving the second a scene of its own leaves the
    // first output's view as it is.
    void eachOutputShowsItsOwnSource()
    {
        QImage green(16, 16, QImage::Format_RGB32);
        green.fill(qRgb(0, 255, 0));
        const QString path = m_settings->dir.filePath(QStringLiteral("green.png"));
        QVERIFY(green.save(path));
        const QString own = QStringLiteral("HEADLESS-2");
        QVERIFY(!SettingsCodec::applyToScreen(state(), own, QStringLiteral("wallpaperMode"), "image"));
        QVERIFY(!SettingsCodec::applyToScreen(state(), own, QStringLiteral("mediaPath"), path));
        QVERIFY(showRedOverBlue());
        QTRY_COMPARE_WITH_TIMEOUT(m_controller->imageViews().size(), 2, 10000);
        const auto shows = [&](const QString& output, QSize size, auto test) {
            return QTest::qWaitFor(
                [&] {
                    const QImage shown = m_sway->grab(output);
                    if (shown.size() != size)
                        return false;
                    return test(averageColor(shown, QRect(0, 0, size.width(), size.height() / 2 - 20)),
                                averageColor(shown, QRect(0, size.height() / 2 + 20, size.width(),
                                                          size.height() / 2 - 20)));
                },
                10000);
        };
        const auto redOverBlue = [](const QColor& top, const QColor& bottom) {
            return top.red() > 240 && top.blue() < 15 && bottom.blue() > 240 && bottom.red() < 15;
        };
        const auto allGreen = [](const QColor& top, const QColor& bottom) {
            return top.green() > 240 && top.red() < 15 && bottom.green() > 240 && bottom.blue() < 15;
        };
        QVERIFY(shows(QStringLiteral("HEADLESS-1"), QSize(1280, 720), redOverBlue));
        QVERIFY(shows(own, QSize(800, 600), allGreen));

        const QList<ImageWallpaperView*> views = m_controller->imageViews();
        QVERIFY(!SettingsCodec::applyToScreen(state(), own, QStringLiteral("wallpaperMode"), "scene"));
        QTRY_COMPARE_WITH_TIMEOUT(m_controller->renderViews().size(), 1, 10000);
        QVERIFY(viewOn(own));
        QVERIFY(framesAdvance(viewOn(own)));
        QCOMPARE(m_controller->imageViews().size(), 1);
        QVERIFY(views.contains(m_controller->imageViews().first()));
        QVERIFY(
            shows(own, QSize(800, 600), [](const QColor& top, const QColor&) { return top.green() < 240; }));
        QVERIFY(shows(QStringLiteral("HEADLESS-1"), QSize(1280, 720), redOverBlue));
    }

    // One picture across two outputs, the second at scale 2: the compositor
    // lays outputs out in logical units, the surfaces have twice the pixels
    // on one of them, and the picture must still run on across the seam. The
    // picture is a ramp the size of the desktop (red across, green down), so
    // each pixel says where in the picture it was taken from.
    void spanningAcrossOutputsOfMixedScale_data()
    {
        QTest::addColumn<bool>("video");
        QTest::addColumn<bool>("egl");
        QTest::newRow("image") << false << false;
        QTest::newRow("video") << true << false;
        QTest::newRow("video through EGL") << true << true;
    }
    void spanningAcrossOutputsOfMixedScale()
    {
        QFETCH(bool, video);
        QFETCH(bool, egl);
        if (egl)
            ScaledDrawable::setForcedPathForTesting(ScaledDrawable::ForcedPath::Gpu);
        auto unforce = qScopeGuard([] { ScaledDrawable::setForcedPathForTesting(std::nullopt); });
        m_sway->msg({"output", "HEADLESS-2", "scale", "2"});
        auto restore = qScopeGuard([&] { m_sway->msg({"output", "HEADLESS-2", "scale", "1"}); });
        const QSize desktop(1280 + 400, 720);
        QImage ramp(desktop, QImage::Format_RGB32);
        for (int y = 0; y < ramp.height(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(ramp.scanLine(y));
            for (int x = 0; x < ramp.width(); ++x)
                row[x] = qRgb(x * 255 / (desktop.width() - 1), y * 255 / (desktop.height() - 1), 128);
        }
        QString path = m_settings->dir.filePath(QStringLiteral("ramp.png"));
        QVERIFY(ramp.save(path));
        if (video) {
            const QString clip = m_settings->dir.filePath(QStringLiteral("ramp.mkv"));
            QProcess ffmpeg;
            ffmpeg.start(QStringLiteral("ffmpeg"),
                         {"-loglevel", "error", "-y", "-loop", "1", "-i", path, "-t", "1", "-r", "10", "-c:v",
                          "libx264rgb", "-qp", "0", "-pix_fmt", "bgr24", clip});
            QVERIFY(ffmpeg.waitForFinished(60000) && ffmpeg.exitCode() == 0);
            path = clip;
        }
        state().setSpanScreens(true);
        state().setMediaPath(path);
        state().setWallpaperMode(video ? WallpaperMode::Video : WallpaperMode::Image);
        m_platform = servicesOn(m_sway->socket());
        m_controller = std::make_unique<WallpaperController>(state(), *m_platform);
        m_controller->start();
        QTRY_COMPARE_WITH_TIMEOUT(m_controller->windowCount(), 2, 10000);

        // Until both outputs show the picture at their own pixel size.
        QImage left, right;
        QVERIFY(QTest::qWaitFor(
            [&] {
                left = m_sway->grab(QStringLiteral("HEADLESS-1")).convertToFormat(QImage::Format_RGB32);
                right = m_sway->grab(QStringLiteral("HEADLESS-2")).convertToFormat(QImage::Format_RGB32);
                return left.size() == QSize(1280, 720) && right.size() == QSize(800, 600) &&
                       qBlue(left.pixel(640, 360)) > 100 && qBlue(right.pixel(400, 300)) > 100;
            },
            15000));
        // Drawn losslessly in RGB, the video has the picture's own values.
        const int tolerance = 4;
        for (int y = 20; y < 300; y += 20) {
            // The last logical column of the first output against the first of
            // the second, which is two pixels wide there.
            const QRgb a = left.pixel(1279, y);
            const QRgb b = right.pixel(1, 2 * y);
            QVERIFY2(
                std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance,
                qPrintable(
                    QStringLiteral("row %1: %2 against %3").arg(y).arg(QColor(a).name(), QColor(b).name())));
        }
        // Each output shows its own part of the picture: the first starts at
        // its left edge, the second ends at its right edge, halfway down.
        QVERIFY(qRed(left.pixel(1, 360)) <= tolerance);
        QVERIFY(qRed(right.pixel(798, 300)) >= 255 - tolerance);
        QVERIFY(std::abs(qGreen(right.pixel(400, 598)) - 299 * 255 / 719) <= tolerance);
        if (video) {
            QCOMPARE(m_controller->videoViews().size(), 1);
            QCOMPARE(m_controller->videoViews().first()->path(),
                     egl ? QStringLiteral("gpu-video") : QStringLiteral("software-video"));
        }
    }

    void everyOutputShowsTheScene()
    {
        const double seconds = 51.5;
        WallpaperRenderer::pinAnimationTimeForTesting(seconds);
        state().setSceneIndex(4);
        state().setColorShift(0.3);
        QVERIFY(startScene(2));
        QCOMPARE(statusBackend(m_controller->statusJson()), QStringLiteral("wayland-layer-shell"));
        QVERIFY(m_controller->windows().isEmpty()); // no X or Qt window on the desktop
        for (const QString& output : {QStringLiteral("HEADLESS-1"), QStringLiteral("HEADLESS-2")}) {
            DesktopRenderView* view = viewOn(output);
            QVERIFY2(view, qPrintable(output));
            QVERIFY2(framesAdvance(view), qPrintable(output));
            const QImage shown = m_sway->grab(output);
            QCOMPARE(shown.size(), view->pixelSize());
            const QImage expected = referenceRender(seconds, view->pixelSize());
            QVERIFY(!expected.isNull());
            const double diff = meanDifference(shown, expected);
            QVERIFY2(diff < 1.5, qPrintable(QStringLiteral("%1: mean difference %2").arg(output).arg(diff)));
            // Right way up: the top and bottom bands differ as the reference's do.
            QVERIFY(averageColor(shown, QRect(0, 0, shown.width(), 40)) !=
                    averageColor(shown, QRect(0, shown.height() - 40, shown.width(), 40)));
        }
    }

    void smallerDrawableIsScaledByTheCompositor()
    {
        state().setRenderQuality(480);
        QVERIFY(startScene(2));
        DesktopRenderView* view = viewOn(QStringLiteral("HEADLESS-1"));
        QVERIFY(view);
        QCOMPARE(view->pixelSize(), QSize(480, 270));
        QVERIFY(framesAdvance(view));
        const QImage shown = m_sway->grab(QStringLiteral("HEADLESS-1"));
        QCOMPARE(shown.size(), QSize(1280, 720));
        // The whole output is covered: no corner is left black.
        for (const QRect& corner : {QRect(0, 0, 20, 20), QRect(1260, 700, 20, 20)}) {
            const QColor c = averageColor(shown, corner);
            QVERIFY2(c.red() + c.green() + c.blue() > 30, qPrintable(c.name()));
        }
    }

    void imageIsStretchedOverEveryOutput()
    {
        // The compositor stretches it, the right way up.
        QVERIFY(showRedOverBlue());
        QTRY_COMPARE_WITH_TIMEOUT(m_controller->imageViews().size(), 2, 10000);
        for (const QString& output : {QStringLiteral("HEADLESS-1"), QStringLiteral("HEADLESS-2")}) {
            QImage shown;
            QVERIFY(QTest::qWaitFor(
                [&] {
                    shown = m_sway->grab(output);
                    return !shown.isNull() && qRed(shown.pixel(10, 10)) > 200;
                },
                10000));
            const QColor top = averageColor(shown, QRect(0, 0, shown.width(), shown.height() / 2 - 20));
            const QColor bottom = averageColor(
                shown, QRect(0, shown.height() / 2 + 20, shown.width(), shown.height() / 2 - 20));
            QVERIFY2(top.red() > 240 && top.blue() < 15, qPrintable(output + top.name()));
            QVERIFY2(bottom.blue() > 240 && bottom.red() < 15, qPrintable(output + bottom.name()));
        }
        const QJsonArray windows = m_controller->statusJson().value(QStringLiteral("windows")).toArray();
        QCOMPARE(windows.size(), 2);
        QCOMPARE(windows[0].toObject().value(QStringLiteral("mode")).toString(), QStringLiteral("image"));
        QCOMPARE(windows[0].toObject().value(QStringLiteral("pixelSize")).toObject().value("width").toInt(),
                 1280);

        // A folder's picture gives way to the next over a fade (drawn out
        // here so that it is caught): a frame of both is shown on the way
        // (not a cut, nor the compositor's grey between two surfaces), then
        // the new picture alone, and nothing is drawn after it.
        QDir album(m_settings->dir.filePath(QStringLiteral("album")));
        QVERIFY(album.mkpath(QStringLiteral(".")));
        for (const auto& [name, colour] : {std::pair{"1.png", Qt::red}, std::pair{"2.png", Qt::blue}}) {
            QImage solid(64, 36, QImage::Format_RGB32);
            solid.fill(colour);
            QVERIFY(solid.save(album.filePath(QLatin1String(name))));
        }
        m_controller->setSlideFadeForTesting(6000);
        state().setMediaPath(album.path());
        const auto middle = [&] {
            const QImage shot = m_sway->grab(QStringLiteral("HEADLESS-1"));
            return shot.isNull() ? QColor(Qt::black)
                                 : averageColor(shot, QRect(shot.width() / 4, shot.height() / 4,
                                                            shot.width() / 2, shot.height() / 2));
        };
        const auto shows = [&](int red, int blue) {
            const QColor c = middle();
            return std::abs(c.red() - red) < 15 && std::abs(c.blue() - blue) < 15;
        };
        QTRY_VERIFY_WITH_TIMEOUT(shows(255, 0), 10000);
        QVERIFY(m_controller->nextSlide());
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                const QColor c = middle();
                return c.red() > 30 && c.red() < 225 && c.blue() > 30 && c.blue() < 225 && c.green() < 20;
            }(),
            6000);
        QTRY_VERIFY_WITH_TIMEOUT(shows(0, 255), 10000);
        QCOMPARE(m_controller->imageViews().size(), 2);
        for (ImageWallpaperView* view : m_controller->imageViews())
            QTRY_VERIFY(!view->isFading());

        // An animation comes over it the same way, playing as it comes.
        QProcess ffmpeg;
        ffmpeg.start(QStringLiteral("ffmpeg"),
                     {"-loglevel", "error", "-y", "-f", "lavfi", "-i",
                      "color=c=red:s=64x36:r=5:d=2,hue=H=t*2*PI/2", album.filePath(QStringLiteral("3.gif"))});
        QVERIFY(ffmpeg.waitForFinished(60000) && ffmpeg.exitCode() == 0);
        QVERIFY(m_controller->nextSlide());
        QTRY_COMPARE(m_controller->slideShown(album.path()), album.filePath(QStringLiteral("3.gif")));
        QTRY_COMPARE(m_controller->imageViews().size(), 2);
        ImageWallpaperView* anim = m_controller->imageViews().first();
        QVERIFY(anim->isAnimated() && anim->isFading());
        const int frames = anim->framesShown();
        QTRY_VERIFY_WITH_TIMEOUT(!shows(0, 255) && anim->isFading(), 5000);
        QVERIFY(anim->framesShown() > frames);
        QTRY_VERIFY_WITH_TIMEOUT(!anim->isFading(), 10000);
        // And gives way to the next picture over a fade of its own.
        m_controller->setSlideFadeForTesting(1000);
        QVERIFY(m_controller->nextSlide());
        QTRY_COMPARE(m_controller->slideShown(album.path()), album.filePath(QStringLiteral("1.png")));
        QTRY_COMPARE(m_controller->imageViews().size(), 2);
        QVERIFY(m_controller->imageViews().first()->isFading());
        QTRY_VERIFY_WITH_TIMEOUT(shows(255, 0), 10000);
        for (ImageWallpaperView* view : m_controller->imageViews())
            QTRY_VERIFY(!view->isFading());
        // Its buffers go with the fade: the compositor holds the picture
        // shown, and the process only the one the next fade starts from.
        QFile maps(QStringLiteral("/proc/self/maps"));
        QVERIFY(maps.open(QIODevice::ReadOnly));
        QVERIFY(!maps.readAll().contains("nivora-wallpaper"));
    }

    // Through shared memory, and through mpv's OpenGL renderer in the
    // surfaces' EGL context: the video plays on both outputs, loops, and
    // stops drawing while paused.
    void videoPlaysOnEveryOutput_data()
    {
        QTest::addColumn<bool>("egl");
        QTest::newRow("shared memory") << false;
        QTest::newRow("EGL") << true;
    }
    void videoPlaysOnEveryOutput()
    {
        QFETCH(bool, egl);
        if (egl)
            ScaledDrawable::setForcedPathForTesting(ScaledDrawable::ForcedPath::Gpu);
        auto unforce = qScopeGuard([] { ScaledDrawable::setForcedPathForTesting(std::nullopt); });
        const QString clip = m_settings->dir.filePath(QStringLiteral("clip.mp4"));
        QProcess ffmpeg;
        ffmpeg.start(QStringLiteral("ffmpeg"), {"-loglevel", "error", "-y", "-f", "lavfi", "-i",
                                                "testsrc2=size=320x240:rate=30:duration=3", "-c:v", "libx264",
                                                "-pix_fmt", "yuv420p", clip});
        QVERIFY(ffmpeg.waitForFinished(60000) && ffmpeg.exitCode() == 0);
        // Turned as a phone's video is: its frames reach the compositor from
        // libmpv's software renderer, which must get them upright.
        const QString phone = m_settings->dir.filePath(QStringLiteral("phone.mp4"));
        ffmpeg.start(QStringLiteral("ffmpeg"), {"-loglevel", "error", "-y", "-i", clip, "-c", "copy",
                                                "-metadata:s:v:0", "rotate=90", phone});
        QVERIFY(ffmpeg.waitForFinished(60000) && ffmpeg.exitCode() == 0);
        state().setMediaPath(phone);
        state().setWallpaperMode(WallpaperMode::Video);
        m_platform = servicesOn(m_sway->socket());
        m_controller = std::make_unique<WallpaperController>(state(), *m_platform);
        m_controller->start();
        // Both outputs show the one file: one player serves them.
        QTRY_COMPARE_WITH_TIMEOUT(m_controller->windowCount(), 2, 10000);
        QTRY_COMPARE_WITH_TIMEOUT(m_controller->videoViews().size(), 1, 10000);
        for (VideoWallpaperView* video : m_controller->videoViews())
            QTRY_VERIFY_WITH_TIMEOUT(video->framesDrawn() > 10, 15000);
        for (const QString& output : {QStringLiteral("HEADLESS-1"), QStringLiteral("HEADLESS-2")}) {
            const QImage shown = m_sway->grab(output);
            QVERIFY(!shown.isNull());
            // The test pattern, cropped to fill: colourful across the output.
            const QColor left = averageColor(shown, QRect(0, 0, shown.width() / 4, shown.height()));
            const QColor right =
                averageColor(shown, QRect(shown.width() * 3 / 4, 0, shown.width() / 4, shown.height()));
            QVERIFY2(left != right && left.value() > 30 && right.value() > 30,
                     qPrintable(output + left.name() + right.name()));
        }
        const QJsonArray windows = m_controller->statusJson().value(QStringLiteral("windows")).toArray();
        QCOMPARE(windows[0].toObject().value(QStringLiteral("mode")).toString(), QStringLiteral("video"));
        QCOMPARE(windows[0].toObject().value(QStringLiteral("paused")).toBool(), false);
        for (const QJsonValue& w : windows)
            QCOMPARE(w.toObject().value(QStringLiteral("path")).toString(),
                     egl ? QStringLiteral("gpu-video") : QStringLiteral("software-video"));

        // More frames than the three-second clip holds: it started again.
        VideoWallpaperView* video = m_controller->videoViews().first();
        QTRY_VERIFY_WITH_TIMEOUT(video->framesDrawn() > 100, 20000);
        video->pause();
        QTest::qWait(200);
        const quint64 held = video->framesDrawn();
        QTest::qWait(500);
        QCOMPARE(video->framesDrawn(), held);
        video->play();
        QTRY_VERIFY_WITH_TIMEOUT(video->framesDrawn() > held + 5, 10000);

        // Another video takes over from the frame shown: the pattern stays
        // until the red clip's first frame, never black nor the
        // compositor's own background between them.
        const QString red = m_settings->dir.filePath(QStringLiteral("red.mp4"));
        ffmpeg.start(QStringLiteral("ffmpeg"), {"-loglevel", "error", "-y", "-f", "lavfi", "-i",
                                                "color=red:size=320x240:rate=30:duration=3", "-c:v",
                                                "libx264", "-pix_fmt", "yuv420p", red});
        QVERIFY(ffmpeg.waitForFinished(60000) && ffmpeg.exitCode() == 0);
        state().setMediaPath(red);
        QElapsedTimer waited;
        waited.start();
        bool sawRed = false;
        while (!sawRed && waited.elapsed() < 15000) {
            const QImage shown = m_sway->grab(QStringLiteral("HEADLESS-1"));
            QVERIFY(!shown.isNull());
            const QColor all = averageColor(shown, shown.rect());
            sawRed = all.red() > 200 && all.green() < 40 && all.blue() < 40;
            const QColor left = averageColor(shown, QRect(0, 0, shown.width() / 4, shown.height()));
            const QColor right =
                averageColor(shown, QRect(shown.width() * 3 / 4, 0, shown.width() / 4, shown.height()));
            QVERIFY2(sawRed || (left != right && left.value() > 30 && right.value() > 30),
                     qPrintable(all.name()));
            QTest::qWait(10);
        }
        QVERIFY(sawRed);
        QTRY_COMPARE(m_controller->windowsGoing(), 0);
    }

    // Through shared memory, and through EGL, whose swaps must stop too: a
    // swap that waited for a frame callback would wait forever there.
    // With "pause on fullscreen" off too: the compositor asks for no frames
    // of a surface nothing shows, and the status must not claim it runs.
    void fullscreenWindowPausesOnlyItsOutput_data()
    {
        QTest::addColumn<bool>("egl");
        QTest::addColumn<bool>("pauseOnFullscreen");
        QTest::newRow("shared memory") << false << true;
        QTest::newRow("EGL") << true << true;
        QTest::newRow("shared memory, pause on fullscreen off") << false << false;
    }
    void fullscreenWindowPausesOnlyItsOutput()
    {
        QFETCH(bool, egl);
        QFETCH(bool, pauseOnFullscreen);
        state().setPauseOnFullscreen(pauseOnFullscreen);
        ScaledDrawable::setForcedPathForTesting(egl ? ScaledDrawable::ForcedPath::Gpu
                                                    : ScaledDrawable::ForcedPath::Readback);
        auto unforce = qScopeGuard([] { ScaledDrawable::setForcedPathForTesting(std::nullopt); });
        QVERIFY(startScene(2));
        QCOMPARE(viewOn(QStringLiteral("HEADLESS-1"))->path(),
                 egl ? QStringLiteral("gpu") : QStringLiteral("readback"));
        DesktopRenderView* covered = viewOn(QStringLiteral("HEADLESS-1"));
        DesktopRenderView* other = viewOn(QStringLiteral("HEADLESS-2"));
        QVERIFY(covered && other);
        QVERIFY(framesAdvance(covered));

        m_sway->msg({QStringLiteral("focus output HEADLESS-1")});
        QProcess foot;
        auto stopFoot = qScopeGuard([&] {
            foot.kill();
            foot.waitForFinished(5000);
        });
        QVERIFY(m_sway->startFoot(foot));
        // A tiled window leaves the wallpaper running.
        QVERIFY(framesAdvance(covered));
        m_sway->msg({QStringLiteral("[app_id=nivora-test-foot] fullscreen enable")});

        QTRY_VERIFY_WITH_TIMEOUT(covered->isPaused(), 10000);
        QVERIFY(!covered->isDisplayLinkRunning());
        const QJsonArray windows = m_controller->statusJson().value(QStringLiteral("windows")).toArray();
        bool reported = false;
        for (const QJsonValue& w : windows) {
            if (w.toObject().value(QStringLiteral("screen")).toString() == QLatin1String("HEADLESS-1"))
                reported = w.toObject()
                               .value(QStringLiteral("pausedBy"))
                               .toArray()
                               .contains(QStringLiteral("covered"));
        }
        QVERIFY(reported);
        // No frames on the covered output while the other goes on.
        const quint64 held = covered->framesDelivered();
        QVERIFY(framesAdvance(other));
        QTest::qWait(300);
        QCOMPARE(covered->framesDelivered(), held);
        QVERIFY(!other->isPaused());

        // The window leaves: the compositor shows the surface again and the
        // view goes on.
        stopFoot.dismiss();
        foot.kill();
        foot.waitForFinished(5000);
        QTRY_VERIFY_WITH_TIMEOUT(!covered->isPaused(), 10000);
        QVERIFY(framesAdvance(covered));
    }

    // Scenes drawn through EGL on the backend's own connection, forced on this
    // machine's llvmpipe as NIVORA_RENDER_PATH=gpu forces them: status says so,
    // the outputs show what the shared-memory route shows for the same frame,
    // one program serves both outputs, the drawable follows a new size and
    // the output a new mode, and an output unplugged takes only its own view
    // along. (fullscreenWindowPausesOnlyItsOutput covers EGL too.)
    void scenesThroughEglDrawLikeSharedMemory()
    {
        const double seconds = 51.5;
        WallpaperRenderer::pinAnimationTimeForTesting(seconds);
        state().setSceneIndex(4);
        state().setColorShift(0.3);
        auto unforce = qScopeGuard([] { ScaledDrawable::setForcedPathForTesting(std::nullopt); });
        const QString first = QStringLiteral("HEADLESS-1");
        const QString second = QStringLiteral("HEADLESS-2");
        const auto paths = [&] {
            QStringList found;
            for (const QJsonValue& w : m_controller->statusJson().value(QStringLiteral("windows")).toArray())
                found << w.toObject().value(QStringLiteral("path")).toString();
            return found;
        };
        const auto shots = [&] {
            QHash<QString, QImage> taken;
            for (const QString& output : {first, second}) {
                DesktopRenderView* view = viewOn(output);
                if (view && framesAdvance(view))
                    taken.insert(output, m_sway->grab(output));
            }
            return taken;
        };

        ScaledDrawable::setForcedPathForTesting(ScaledDrawable::ForcedPath::Readback);
        QVERIFY(startScene(2));
        QCOMPARE(paths(), QStringList({QStringLiteral("readback"), QStringLiteral("readback")}));
        const QHash<QString, QImage> shared = shots();
        QCOMPARE(shared.size(), 2);
        m_controller.reset();
        m_platform.reset();

        ScaledDrawable::setForcedPathForTesting(ScaledDrawable::ForcedPath::Gpu);
        const int compiled = WallpaperRenderer::cacheCounters().compilations;
        QVERIFY(startScene(2));
        QCOMPARE(paths(), QStringList({QStringLiteral("gpu"), QStringLiteral("gpu")}));
        const QHash<QString, QImage> egl = shots();
        QCOMPARE(egl.size(), 2);
        QCOMPARE(WallpaperRenderer::cacheCounters().compilations, compiled + 1);
        for (const QString& output : {first, second}) {
            const QImage& shown = egl[output];
            QCOMPARE(shown.size(), viewOn(output)->pixelSize());
            const double diff = meanDifference(shown, shared[output]);
            QVERIFY2(diff < 1.0, qPrintable(QStringLiteral("%1: mean difference %2").arg(output).arg(diff)));
            // Right way up, as shared memory shows it.
            const QRect top(0, 0, shown.width(), 40);
            QVERIFY(averageColor(shown, top) != averageColor(shown, top.translated(0, shown.height() - 40)));
        }

        // A smaller drawable: the EGL window shrinks and the compositor scales it to fill the output.
        DesktopRenderView* view = viewOn(second);
        view->setPixelSize(QSize(400, 300));
        QTRY_COMPARE_WITH_TIMEOUT(view->lastScalars().resolution[0], 400.0f, 10000);
        QVERIFY(framesAdvance(view));
        const QImage scaled = m_sway->grab(second);
        QCOMPARE(scaled.size(), QSize(800, 600));
        const QImage small = referenceRender(seconds, QSize(400, 300));
        const double scaledDiff =
            meanDifference(scaled, small.scaled(800, 600, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        QVERIFY2(scaledDiff < 3.0, qPrintable(QString::number(scaledDiff)));

        // A new mode for the output: its wallpaper is drawn at the new size.
        auto restoreMode = qScopeGuard([&] { m_sway->msg({"output", second, "mode", "800x600"}); });
        m_sway->msg({"output", second, "mode", "1024x768"});
        QTRY_VERIFY_WITH_TIMEOUT(viewOn(second) && viewOn(second)->pixelSize() == QSize(1024, 768), 10000);
        QVERIFY(framesAdvance(viewOn(second)));
        const QImage larger = m_sway->grab(second);
        const double largerDiff = meanDifference(larger, referenceRender(seconds, QSize(1024, 768)));
        QVERIFY2(largerDiff < 1.5, qPrintable(QString::number(largerDiff)));
        restoreMode.dismiss();
        m_sway->msg({"output", second, "mode", "800x600"});
        QTRY_VERIFY_WITH_TIMEOUT(viewOn(second) && viewOn(second)->pixelSize() == QSize(800, 600), 10000);

        // An output unplugged (sway's headless outputs cannot go, a nested
        // sway's can): its view and EGL surface go while the other output
        // goes on drawing.
        m_controller.reset();
        m_platform.reset();
        HeadlessSway nested;
        QVERIFY2(nested.startNestedIn(*m_sway), qPrintable(nested.error()));
        auto stopFirst = qScopeGuard([&] {
            m_controller.reset();
            m_platform.reset();
        });
        m_platform = servicesOn(nested.socket());
        m_controller = std::make_unique<WallpaperController>(state(), *m_platform);
        m_controller->start();
        QTRY_COMPARE_WITH_TIMEOUT(m_controller->renderViews().size(), 2, 10000);
        QCOMPARE(paths(), QStringList({QStringLiteral("gpu"), QStringLiteral("gpu")}));
        QVERIFY(drawsOn(QStringLiteral("WL-2")));
        QVERIFY(nested.unplug(QStringLiteral("WL-2")));
        QTRY_COMPARE_WITH_TIMEOUT(m_controller->renderViews().size(), 1, 10000);
        QVERIFY(!viewOn(QStringLiteral("WL-2")));
        QVERIFY(drawsOn(QStringLiteral("WL-1")));
        QCOMPARE(paths(), QStringList({QStringLiteral("gpu")}));
    }

    void outputAddedAtRunTimeGetsItsWallpaper()
    {
        QVERIFY(startScene(2));
        const int rebuilds = m_controller->rebuildCount();
        DesktopRenderView* first = viewOn(QStringLiteral("HEADLESS-1"));
        m_sway->msg({QStringLiteral("create_output")});
        QTRY_COMPARE_WITH_TIMEOUT(m_controller->renderViews().size(), 3, 10000);
        QVERIFY(m_controller->rebuildCount() > rebuilds);
        // Only the new output's wallpaper was built.
        QCOMPARE(viewOn(QStringLiteral("HEADLESS-1")), first);
        QString added;
        for (const ScreenInfo& s : m_platform->screens->screens()) {
            if (s.name != QLatin1String("HEADLESS-1") && s.name != QLatin1String("HEADLESS-2"))
                added = s.name;
        }
        QVERIFY(!added.isEmpty());
        DesktopRenderView* view = viewOn(added);
        QVERIFY(view);
        QVERIFY(framesAdvance(view));
        const QImage shown = m_sway->grab(added);
        QVERIFY(!shown.isNull());
        QVERIFY(averageColor(shown, QRect(0, 0, 50, 50)) !=
                averageColor(shown, QRect(shown.width() / 2, shown.height() / 2, 50, 50)));

        // An output switched off and on again: the compositor closed its
        // surface, and a new one is made although nothing else changed.
        auto restore = qScopeGuard([&] { m_sway->msg({"output", "HEADLESS-2", "enable"}); });
        m_sway->msg({"output", "HEADLESS-2", "disable"});
        QTest::qWait(500);
        restore.dismiss();
        m_sway->msg({"output", "HEADLESS-2", "enable"});
        QVERIFY(QTest::qWaitFor(
            [&] {
                return viewOn(QStringLiteral("HEADLESS-2")) &&
                       framesAdvance(viewOn(QStringLiteral("HEADLESS-2")), 500);
            },
            10000));
    }

    // The real binary on the compositor: `nivora ctl status` names the
    // backend and lists one wallpaper per output drawing frames, whether the
    // toolkit's own windows go through XWayland or to the compositor itself
    // (a session without X: the dashboard is then one of its windows).
    void appNamesTheBackendInStatus_data()
    {
        QTest::addColumn<QString>("platform");
        QTest::addColumn<QString>("renderPath");
        QTest::addColumn<QString>("path");
        QTest::newRow("toolkit on X11") << QStringLiteral("xcb") << QString() << QStringLiteral("readback");
        QTest::newRow("toolkit on Wayland")
            << QStringLiteral("wayland") << QString() << QStringLiteral("readback");
        QTest::newRow("toolkit on Wayland, EGL forced")
            << QStringLiteral("wayland") << QStringLiteral("gpu") << QStringLiteral("gpu");
    }
    void appNamesTheBackendInStatus()
    {
        QFETCH(QString, platform);
        QFETCH(QString, renderPath);
        QFETCH(QString, path);
        QTemporaryDir home;
        QProcessEnvironment env = m_sway->clientEnvironment();
        if (!renderPath.isEmpty())
            env.insert(QStringLiteral("NIVORA_RENDER_PATH"), renderPath);
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
        if (platform == QLatin1String("wayland"))
            env.remove(QStringLiteral("DISPLAY"));
        auto ctl = [&](const QStringList& args) {
            QProcess p;
            p.setProcessEnvironment(env);
            p.start(qEnvironmentVariable("NIVORA_BINARY"), QStringList{QStringLiteral("ctl")} + args);
            if (!p.waitForFinished(20000)) {
                p.kill();
                p.waitForFinished();
                return QJsonObject();
            }
            return QJsonDocument::fromJson(p.readAllStandardOutput()).object();
        };
        QProcess app;
        app.setProcessEnvironment(env);
        app.start(qEnvironmentVariable("NIVORA_BINARY"), {});
        QVERIFY(app.waitForStarted());
        auto stop = qScopeGuard([&] {
            app.terminate();
            if (!app.waitForFinished(10000)) {
                app.kill();
                app.waitForFinished();
            }
        });
        QJsonObject status;
        QVERIFY2(QTest::qWaitFor(
                     [&] {
                         status = ctl({QStringLiteral("status")});
                         return status.value(QStringLiteral("windows")).toArray().size() >= 2;
                     },
                     30000),
                 app.readAllStandardError().constData());
        QCOMPARE(statusBackend(status), QStringLiteral("wayland-layer-shell"));
        QStringList screens;
        for (const QJsonValue& w : status.value(QStringLiteral("windows")).toArray())
            screens << w.toObject().value(QStringLiteral("screen")).toString();
        QVERIFY2(screens.contains(QStringLiteral("HEADLESS-1")) &&
                     screens.contains(QStringLiteral("HEADLESS-2")),
                 qPrintable(screens.join(QLatin1Char(','))));
        QVERIFY2(QTest::qWaitFor(
                     [&] {
                         const QJsonArray windows =
                             ctl({QStringLiteral("status")}).value(QStringLiteral("windows")).toArray();
                         return !windows.isEmpty() &&
                                windows[0].toObject().value(QStringLiteral("measuredFPS")).toDouble() > 1.0;
                     },
                     15000),
                 "no frames measured");
        // Frames reach the compositor through shared memory unless EGL is
        // forced (this machine's OpenGL is llvmpipe), and status says which.
        for (const QJsonValue& w : ctl({QStringLiteral("status")}).value(QStringLiteral("windows")).toArray())
            QCOMPARE(w.toObject().value(QStringLiteral("path")).toString(), path);
        // A widget turned on shows on the desktop: the light card at its
        // default place, on a surface of its own rather than as a window.
        const QRect card(1000 + 20, 30 + 20, 250 - 40, 150 - 40);
        QProcess set;
        set.setProcessEnvironment(env);
        set.start(qEnvironmentVariable("NIVORA_BINARY"),
                  {QStringLiteral("ctl"), QStringLiteral("set"), QStringLiteral("enabledWidgets"),
                   QStringLiteral("[\"clock\"]")});
        QVERIFY(set.waitForFinished(20000) && set.exitCode() == 0);
        QVERIFY2(QTest::qWaitFor(
                     [&] {
                         const QImage shot = m_sway->grab(QStringLiteral("HEADLESS-1"));
                         const QColor c = averageColor(shot, card);
                         return c.value() > 200 && c.saturation() < 60;
                     },
                     15000),
                 "no widget card on the desktop");
        QVERIFY(!m_sway->msg({"-t", "get_tree"}).contains(QStringLiteral("Horloge")));
        if (platform == QLatin1String("wayland")) {
            // The dashboard opened on first start is an ordinary window of the
            // compositor.
            QVERIFY(QTest::qWaitFor(
                [&] {
                    return m_sway->msg({"-t", "get_tree"}).contains(QStringLiteral("app.nivora.Nivora"));
                },
                15000));
        }
    }

    // The compositor goes away under a running wallpaper (the session ends,
    // or it crashes): the views stop, nothing is left drawing, no crash.
    // Through EGL too, whose swaps on a connection that is gone must not
    // block the render threads.
    void compositorGoingAwayStopsTheWallpaper_data()
    {
        QTest::addColumn<bool>("egl");
        QTest::newRow("shared memory") << false;
        QTest::newRow("EGL") << true;
    }
    void compositorGoingAwayStopsTheWallpaper()
    {
        QFETCH(bool, egl);
        if (egl)
            ScaledDrawable::setForcedPathForTesting(ScaledDrawable::ForcedPath::Gpu);
        auto unforce = qScopeGuard([] { ScaledDrawable::setForcedPathForTesting(std::nullopt); });
        HeadlessSway own;
        QVERIFY2(own.start(), qPrintable(own.error()));
        m_platform = servicesOn(own.socket());
        m_controller = std::make_unique<WallpaperController>(state(), *m_platform);
        m_controller->start();
        QTRY_COMPARE_WITH_TIMEOUT(m_controller->renderViews().size(), 2, 10000);
        QVERIFY(framesAdvance(m_controller->renderViews().first()));
        QCOMPARE(m_controller->renderViews().first()->path(),
                 egl ? QStringLiteral("gpu") : QStringLiteral("readback"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("lost the connection")));
        own.stop();
        QTRY_COMPARE_WITH_TIMEOUT(m_controller->renderViews().size(), 0, 10000);
        QVERIFY(m_controller->isActive()); // ready for the screens to come back
    }

    // Another client (a blanking tool such as wlopm) can still take control
    // of every output's power while the wallpaper runs: the compositor gives
    // that control to one client only.
    void outputPowerIsLeftToOtherClients()
    {
        m_platform = servicesOn(m_sway->socket());
        const int outputs = int(m_platform->screens->screens().size());
        m_controller = std::make_unique<WallpaperController>(state(), *m_platform);
        m_controller->start();
        QTRY_COMPARE_WITH_TIMEOUT(int(m_controller->renderViews().size()), outputs, 10000);
        QVERIFY(framesAdvance(m_controller->renderViews().first()));
        OutputPowerClient tool(m_sway->socket());
        QCOMPARE(tool.outputs(), outputs);
        QCOMPARE(tool.failed(), 0);
        QCOMPARE(tool.modes(), outputs);
    }

    // A compositor that takes the connection but never answers (hung, or
    // stopped in a debugger) must not freeze start-up: after a bounded wait
    // the desktop goes to X11.
    void compositorThatNeverAnswersFallsBackToX11()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("wayland-silent"));
        const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        auto closeSocket = qScopeGuard([fd] { close(fd); });
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        qstrncpy(address.sun_path, QFile::encodeName(path).constData(), sizeof(address.sun_path));
        QVERIFY(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0 && listen(fd, 4) == 0);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("did not answer within")));
        QTest::ignoreMessage(QtInfoMsg,
                             QRegularExpression(QStringLiteral("cannot be reached; the desktop uses X11")));
        QElapsedTimer timer;
        timer.start();
        m_platform = servicesOn(path);
        QVERIFY2(timer.elapsed() < 15000, qPrintable(QString::number(timer.elapsed())));
        QCOMPARE(m_platform->backend, QStringLiteral("x11"));
    }

    void compositorWithoutLayerShellFallsBackToX11()
    {
        QTemporaryDir dir;
        CompositorWithoutLayerShell fake(dir.filePath(QStringLiteral("wayland-fake")));
        QVERIFY(fake.isListening());
        QTest::ignoreMessage(QtInfoMsg,
                             QRegularExpression(QStringLiteral("no layer shell; the desktop uses X11")));
        m_platform = servicesOn(dir.filePath(QStringLiteral("wayland-fake")));
        QCOMPARE(m_platform->backend, QStringLiteral("x11"));
        QVERIFY(!m_platform->makeDesktopSurface);
        QVERIFY(m_platform->windowHints); // the X11 desktop window hints
        // The screens are the X display's.
        QCOMPARE(m_platform->screens->screens().size(), QGuiApplication::screens().size());
        m_controller = std::make_unique<WallpaperController>(state(), *m_platform);
        m_controller->start();
        QTRY_COMPARE_WITH_TIMEOUT(m_controller->renderViews().size(), QGuiApplication::screens().size(),
                                  10000);
        QVERIFY(m_controller->renderViews().first()->window());
        QCOMPARE(statusBackend(m_controller->statusJson()), QStringLiteral("x11"));
    }
};

int main(int argc, char** argv)
{
    WallpaperRenderer::configureApplication();
    QGuiApplication app(argc, argv);
    TestWaylandWallpaper test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_wayland_wallpaper.moc"
