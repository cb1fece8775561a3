// Runs the desktop wallpaper as the app does, for a benchmark script to measure
// from outside with procstat. Prints one JSON line when done.
//
//   bench_wallpaper [--mode scene|video|image] [--media PATH] [--fps N]
//                   [--quality Q] [--seconds S] [--paused] [--covered] [--rebuilds N]
//                   [--span]
//
// --paused pauses every render view once built (as a covering window or screen
// sleep would); --covered turns pause-on-fullscreen on and puts a fullscreen
// window over the wallpaper, so whatever the app pauses for it is measured as
// a user would see it; --rebuilds N rebuilds the wallpaper N times (by changing the
// quality setting) and reports the resident memory before and after; --span
// lays the video or image over every screen at once.
#include "desktop/DesktopRenderView.h"
#include "desktop/WallpaperController.h"
#include "media/HeifImagePlugin.h"
#include "media/VideoWallpaperView.h"
#include "platform/PlatformServices.h"
#include "scene/WallpaperRenderer.h"
#include "state/AppState.h"
#include "state/DefaultsStore.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QGuiApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRasterWindow>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdio>

using namespace nivora;

namespace {

double residentMiB()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : f.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return 0;
}

int openDescriptors()
{
    return int(
        QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size());
}

} // namespace

int main(int argc, char** argv)
{
    WallpaperRenderer::configureApplication();
    // HEIF and AVIF, as the app reads them.
    registerImageFormats();
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString mode = QStringLiteral("scene");
    QString mediaPath;
    int fps = 30;
    int quality = 1080;
    double seconds = 10;
    int rebuilds = 0;
    bool paused = false;
    bool covered = false;
    bool span = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const QString next = i + 1 < args.size() ? args[i + 1] : QString();
        if (a == QLatin1String("--mode"))
            mode = next, ++i;
        else if (a == QLatin1String("--media"))
            mediaPath = next, ++i;
        else if (a == QLatin1String("--fps"))
            fps = next.toInt(), ++i;
        else if (a == QLatin1String("--quality"))
            quality = next.toInt(), ++i;
        else if (a == QLatin1String("--seconds"))
            seconds = next.toDouble(), ++i;
        else if (a == QLatin1String("--rebuilds"))
            rebuilds = next.toInt(), ++i;
        else if (a == QLatin1String("--paused"))
            paused = true;
        else if (a == QLatin1String("--covered"))
            covered = true;
        else if (a == QLatin1String("--span"))
            span = true;
    }

    QTemporaryDir dir;
    DefaultsStore store(dir.filePath(QStringLiteral("defaults.json")));
    AppState state(store, false);
    state.setSaveDelayForTesting(60 * 60 * 1000);
    state.setFps(fps);
    state.setRenderQuality(quality);
    state.setBatterySaver(false);
    state.setWallpaperMode(mode == QLatin1String("video")   ? WallpaperMode::Video
                           : mode == QLatin1String("image") ? WallpaperMode::Image
                                                            : WallpaperMode::Scene);
    if (!mediaPath.isEmpty())
        state.setMediaPath(mediaPath);
    state.setPauseOnFullscreen(covered);
    state.setSpanScreens(span);

    PlatformServices& platform = PlatformServices::shared();
    WallpaperController controller(state, platform);
    controller.start();
    if (!QTest::qWaitFor([&] { return controller.windowCount() > 0; }, 10000)) {
        std::fprintf(stderr, "bench_wallpaper: no wallpaper window was built\n");
        return 1;
    }

    QJsonObject out;
    if (rebuilds > 0) {
        // Measured from the first rebuild on: the first one loads what every
        // later one reuses (shader programs, libraries, the X connection of
        // the presenter).
        double before = 0;
        int descriptorsBefore = 0;
        for (int i = 0; i <= rebuilds; ++i) {
            if (i == 1) {
                QTest::qWait(500);
                before = residentMiB();
                descriptorsBefore = openDescriptors();
            }
            const int target = controller.rebuildCount() + 1;
            state.setRenderQuality(quality + ((i + 1) % 2));
            if (!QTest::qWaitFor([&] { return controller.rebuildCount() >= target; }, 10000)) {
                std::fprintf(stderr, "bench_wallpaper: rebuild %d did not happen\n", i + 1);
                return 1;
            }
        }
        QTest::qWait(500);
        out.insert(QStringLiteral("rebuilds"), rebuilds);
        out.insert(QStringLiteral("rss_mb_before"), before);
        out.insert(QStringLiteral("rss_mb_after"), residentMiB());
        out.insert(QStringLiteral("fds_before"), descriptorsBefore);
        out.insert(QStringLiteral("fds_after"), openDescriptors());
    } else {
        if (paused) {
            for (DesktopRenderView* view : controller.renderViews())
                view->setPaused(true);
        }
        QRasterWindow cover;
        if (covered) {
            cover.showFullScreen();
            if (!QTest::qWaitForWindowExposed(&cover))
                std::fprintf(stderr, "bench_wallpaper: the covering window was not shown\n");
            // Leaves time for the window manager's state to reach the app.
            QTest::qWait(1000);
        }
        // Printed at once so that the script can attach procstat to a warm process.
        std::printf("ready\n");
        std::fflush(stdout);
        quint64 framesBefore = 0;
        for (DesktopRenderView* view : controller.renderViews())
            framesBefore += view->framesDelivered();
        for (VideoWallpaperView* view : controller.videoViews())
            framesBefore += view->framesDrawn();
        QElapsedTimer timer;
        timer.start();
        // A plain event loop: QTest::qWait would wake the main thread every few
        // milliseconds and spoil the wake-up count.
        QEventLoop loop;
        QTimer::singleShot(static_cast<int>(seconds * 1000), &loop, &QEventLoop::quit);
        loop.exec();
        quint64 framesAfter = 0;
        for (DesktopRenderView* view : controller.renderViews())
            framesAfter += view->framesDelivered();
        for (VideoWallpaperView* view : controller.videoViews())
            framesAfter += view->framesDrawn();
        const double elapsed = timer.elapsed() / 1000.0;
        out.insert(QStringLiteral("frames"), static_cast<qint64>(framesAfter - framesBefore));
        out.insert(QStringLiteral("delivered_fps"), (framesAfter - framesBefore) / elapsed);
        out.insert(QStringLiteral("status"), controller.statusJson());
    }
    out.insert(QStringLiteral("mode"), mode);
    out.insert(QStringLiteral("fps"), fps);
    out.insert(QStringLiteral("quality"), quality);
    out.insert(QStringLiteral("players"), static_cast<int>(controller.videoViews().size()));
    std::printf("%s\n", QJsonDocument(out).toJson(QJsonDocument::Compact).constData());
    return 0;
}
