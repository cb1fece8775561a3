// Video and image wallpapers with media made here by ffmpeg and QImage: how
// they fill the screen, looping, silence, animation, screen sleep, and every
// kind of bad file.
#include "DesktopTestSupport.h"
#include "app/ControlCommands.h"
#include "desktop/DesktopRenderView.h"
#include "media/HeifImagePlugin.h"
#include "media/ImageWallpaperView.h"
#include "media/SoftwareVideoRenderer.h"
#include "media/VideoWallpaperView.h"
#include "scene/ScaledDrawable.h"
#include "scene/WallpaperRenderer.h"
#include "state/MediaStatus.h"

#include <QElapsedTimer>
#include <QImageReader>
#include <QImageWriter>
#include <QJsonArray>
#include <QMutex>
#include <QPainter>
#include <QRasterWindow>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <algorithm>
#include <tuple>

using namespace nivora;
using namespace nivora::testing;

namespace {

quint32 crc32(const QByteArray& data)
{
    quint32 crc = 0xFFFFFFFFu;
    for (const char byte : data) {
        crc ^= static_cast<quint8>(byte);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

QByteArray bigEndian(quint32 v)
{
    QByteArray out(4, '\0');
    out[0] = char(v >> 24);
    out[1] = char(v >> 16);
    out[2] = char(v >> 8);
    out[3] = char(v);
    return out;
}

QByteArray pngChunk(const QByteArray& type, const QByteArray& data)
{
    return bigEndian(quint32(data.size())) + type + data + bigEndian(crc32(type + data));
}

// A small PNG whose header claims 40000 × 40000 pixels (6.4 GB decoded).
QByteArray hugePng()
{
    QByteArray ihdr = bigEndian(40000) + bigEndian(40000);
    ihdr += char(8); // bit depth
    ihdr += char(6); // RGBA
    ihdr += QByteArray(3, '\0');
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + pngChunk("IHDR", ihdr) +
           pngChunk("IDAT", QByteArray(64, 'x')) + pngChunk("IEND", {});
}

QAtomicInt g_refusalLines = 0;
QtMessageHandler g_previousHandler = nullptr;

void countRefusals(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.startsWith(QStringLiteral("Nivora: media refused")))
        g_refusalLines.ref();
    if (g_previousHandler)
        g_previousHandler(type, context, message);
}

QtMessageHandler g_previousUnreadableHandler = nullptr;
QAtomicInt g_unreadableLines;
void countUnreadable(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.startsWith(QLatin1String("Nivora: unreadable file")))
        g_unreadableLines.fetchAndAddRelaxed(1);
    if (g_previousUnreadableHandler)
        g_previousUnreadableHandler(type, context, message);
}

bool isBlack(const QColor& c)
{
    return c.red() < 16 && c.green() < 16 && c.blue() < 16;
}

bool near(const QColor& c, const QColor& expected, int tolerance = 60)
{
    return std::abs(c.red() - expected.red()) <= tolerance &&
           std::abs(c.green() - expected.green()) <= tolerance &&
           std::abs(c.blue() - expected.blue()) <= tolerance;
}

// Both ways of drawing: put on the window by the X server from our memory
// (what this software renderer uses), and by OpenGL (what a GPU uses).
void addScalingWays()
{
    QTest::addColumn<bool>("serverScaling");
    QTest::newRow("scaled by X") << true;
    QTest::newRow("scaled by OpenGL") << false;
}

} // namespace

class TestMediaWallpaper : public QObject
{
    Q_OBJECT

    QTemporaryDir m_media;
    std::unique_ptr<TestSettings> m_settings;
    std::unique_ptr<PlatformServices> m_platform;
    std::unique_ptr<WallpaperController> m_controller;

    AppState& state() { return *m_settings->state; }
    QString media(const QString& name) const { return m_media.filePath(name); }

    bool ffmpeg(const QStringList& args)
    {
        return QProcess::execute(
                   QStringLiteral("ffmpeg"),
                   QStringList{QStringLiteral("-loglevel"), QStringLiteral("error"), QStringLiteral("-y")} +
                       args) == 0;
    }

    void start(WallpaperMode mode, const QString& path)
    {
        state().setWallpaperMode(mode);
        state().setMediaPath(path);
        m_controller = std::make_unique<WallpaperController>(state(), *m_platform);
        m_controller->start();
        QTRY_VERIFY(m_controller->isActive());
    }

    // Starts a video wallpaper drawn one way or the other (cleanup() allows
    // the X server's way again); its one view.
    VideoWallpaperView* startVideo(const QString& clip, bool serverScaling)
    {
        ScaledDrawable::setServerScalingAllowedForTesting(serverScaling);
        start(WallpaperMode::Video, media(clip));
        return m_controller->videoViews().size() == 1 ? m_controller->videoViews().first() : nullptr;
    }

    static bool libmpvMapped()
    {
        QFile maps(QStringLiteral("/proc/self/maps"));
        return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("/libmpv.so");
    }

    QImage screenImage() { return captureScreen(QGuiApplication::primaryScreen()->geometry()); }
    // Every screen's part of the display at once.
    QImage desktopImage() { return captureScreen(QGuiApplication::primaryScreen()->virtualGeometry()); }

    // Splits the display into monitors (xrandr lines), or back into one with
    // none; waits for Qt to see `expectedScreens`.
    void setMonitors(const QStringList& script, int expectedScreens)
    {
        for (const QString& line : script)
            QProcess::execute(QStringLiteral("sh"), {QStringLiteral("-c"), line});
        QTRY_COMPARE_WITH_TIMEOUT(QGuiApplication::screens().size(), expectedScreens, 10000);
    }
    void removeMonitors()
    {
        setMonitors({QStringLiteral("xrandr --delmonitor right >/dev/null 2>&1; "
                                    "xrandr --delmonitor middle >/dev/null 2>&1; "
                                    "xrandr --delmonitor left >/dev/null 2>&1; true")},
                    1);
    }

    // Shows `kind` ("video", "image" or "scene") of `file` until its frames
    // come, then the whole display.
    QImage showAndCapture(const QString& kind, const QString& file)
    {
        m_controller.reset();
        const WallpaperMode mode = kind == QLatin1String("image")   ? WallpaperMode::Image
                                   : kind == QLatin1String("scene") ? WallpaperMode::Scene
                                                                    : WallpaperMode::Video;
        start(mode, file.isEmpty() ? QString() : media(file));
        if (mode == WallpaperMode::Scene &&
            !QTest::qWaitFor(
                [&] {
                    const QList<DesktopRenderView*> views = m_controller->renderViews();
                    return !views.isEmpty() &&
                           std::all_of(views.begin(), views.end(),
                                       [](DesktopRenderView* v) { return v->framesDelivered() > 2; });
                },
                20000))
            return {};
        if (kind == QLatin1String("video")) {
            if (!QTest::qWaitFor(
                    [&] {
                        return m_controller->videoViews().size() == 1 &&
                               m_controller->videoViews().first()->framesDrawn() > 3;
                    },
                    20000))
                return {};
        }
        // Frames go to the server from another thread, and a screen change
        // may still bring new windows: what these callers show stands still
        // (a pinned scene, a still picture), so the desktop is taken once two
        // looks in a row agree.
        QImage last = desktopImage();
        for (int look = 0; look < 40; ++look) {
            QTest::qWait(300);
            QImage now = desktopImage();
            if (now == last)
                return now;
            last = std::move(now);
        }
        return last;
    }

    static void setScreensAsleep(bool asleep)
    {
        QProcess::execute(QStringLiteral("dbus-send"),
                          {QStringLiteral("--session"), QStringLiteral("--type=signal"),
                           QStringLiteral("/org/freedesktop/ScreenSaver"),
                           QStringLiteral("org.freedesktop.ScreenSaver.ActiveChanged"),
                           asleep ? QStringLiteral("boolean:true") : QStringLiteral("boolean:false")});
    }

    // The reasons the status gives for the first window's pause.
    QStringList pausedBy() const
    {
        const QJsonArray windows = m_controller->statusJson().value(QStringLiteral("windows")).toArray();
        QStringList out;
        for (const QJsonValue& v : windows.first().toObject().value(QStringLiteral("pausedBy")).toArray())
            out << v.toString();
        return out;
    }

    // Whatever the first window shows has been told to pause, and for a video
    // the player itself says so.
    bool contentPaused() const
    {
        if (!m_controller->renderViews().isEmpty()) {
            DesktopRenderView* view = m_controller->renderViews().first();
            return view->isPaused() && !view->isDisplayLinkRunning();
        }
        if (!m_controller->videoViews().isEmpty()) {
            VideoWallpaperView* video = m_controller->videoViews().first();
            return video->isPaused() && video->property("pause") == QLatin1String("yes");
        }
        return m_controller->imageViews().first()->isPaused();
    }

    // Frames drawn or decoded so far, and where the video is.
    QString progress() const
    {
        if (!m_controller->renderViews().isEmpty())
            return QString::number(m_controller->renderViews().first()->framesDelivered());
        if (!m_controller->videoViews().isEmpty()) {
            VideoWallpaperView* video = m_controller->videoViews().first();
            return QStringLiteral("%1 at %2").arg(video->framesDrawn()).arg(video->property("time-pos"));
        }
        return QString::number(m_controller->imageViews().first()->framesShown());
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_media.isValid());
        const QString stripes = QStringLiteral("drawbox=x=%1:y=%2:w=%3:h=%4:color=%5:t=fill");
        // Wide: red, green, blue columns under a white band at the top; with a
        // sound track that must never play. The same picture larger than the
        // screen, to be scaled down.
        for (const int k : {1, 5}) {
            QVERIFY(ffmpeg(
                {QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
                 QStringLiteral("color=c=red:s=%1x%2:r=10:d=1,").arg(640 * k).arg(240 * k) +
                     stripes.arg(213 * k).arg(0).arg(214 * k).arg(240 * k).arg(QStringLiteral("lime")) +
                     QLatin1Char(',') +
                     stripes.arg(427 * k).arg(0).arg(213 * k).arg(240 * k).arg(QStringLiteral("blue")) +
                     QLatin1Char(',') +
                     stripes.arg(0).arg(0).arg(640 * k).arg(24 * k).arg(QStringLiteral("white")),
                 QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
                 QStringLiteral("sine=frequency=440:duration=1"), QStringLiteral("-c:v"),
                 QStringLiteral("mpeg4"), QStringLiteral("-q:v"), QStringLiteral("2"), QStringLiteral("-c:a"),
                 QStringLiteral("aac"), QStringLiteral("-shortest"),
                 media(k == 1 ? QStringLiteral("wide.mp4") : QStringLiteral("wide-large.mp4"))}));
        }
        // Tall: red, green, blue rows.
        QVERIFY(ffmpeg({QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
                        QStringLiteral("color=c=red:s=240x640:r=10:d=1,") +
                            stripes.arg(0).arg(213).arg(240).arg(214).arg(QStringLiteral("lime")) +
                            QLatin1Char(',') +
                            stripes.arg(0).arg(427).arg(240).arg(213).arg(QStringLiteral("blue")),
                        QStringLiteral("-c:v"), QStringLiteral("mpeg4"), QStringLiteral("-q:v"),
                        QStringLiteral("2"), media(QStringLiteral("tall.mp4"))}));
        // Animated: a red square whose hue turns with every frame, under a
        // white band.
        QVERIFY(ffmpeg({QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
                        QStringLiteral("color=c=red:s=64x64:r=5:d=2,hue=H=t*2*PI/2,") +
                            stripes.arg(0).arg(0).arg(64).arg(16).arg(QStringLiteral("white")),
                        media(QStringLiteral("anim.gif"))}));

        QImage portrait(300, 600, QImage::Format_RGB32);
        {
            QPainter p(&portrait);
            p.fillRect(0, 0, 300, 300, QColor(255, 0, 0));
            p.fillRect(0, 300, 300, 300, QColor(0, 0, 255));
        }
        QVERIFY(portrait.save(media(QStringLiteral("portrait.png"))));

        QDir(m_media.path()).mkdir(QStringLiteral("folder"));
        QFile(media(QStringLiteral("empty.png"))).open(QIODevice::WriteOnly);
        QFile(media(QStringLiteral("empty.mp4"))).open(QIODevice::WriteOnly);
        auto write = [](const QString& path, const QByteArray& data) {
            QFile f(path);
            return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
        };
        QVERIFY(write(media(QStringLiteral("notes.png")), "this is not an image at all\n"));
        QVERIFY(write(media(QStringLiteral("notes.mp4")), "this is not a video at all\n"));
        // Phone videos: frames stored turned, with the display rotation that
        // turns them back (as a phone records them; libmpv turns a stream by
        // (360 - tag) clockwise). Upright they show red and green side by side
        // over blue. Portrait for a quarter turn, landscape for a half turn.
        for (const int tag : {90, 180, 270}) {
            const bool portrait = tag != 180;
            const int w = portrait ? 360 : 640;
            const int h = portrait ? 640 : 360;
            const QString turn = tag == 90    ? QStringLiteral("transpose=clock")
                                 : tag == 180 ? QStringLiteral("hflip,vflip")
                                              : QStringLiteral("transpose=cclock");
            const QString stored = media(QStringLiteral("stored-%1.mp4").arg(tag));
            QVERIFY(ffmpeg({QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
                            QStringLiteral("color=c=blue:s=%1x%2:r=10:d=1,").arg(w).arg(h) +
                                stripes.arg(0).arg(0).arg(w / 2).arg(h / 2).arg(QStringLiteral("red")) +
                                QLatin1Char(',') +
                                stripes.arg(w / 2).arg(0).arg(w / 2).arg(h / 2).arg(QStringLiteral("lime")) +
                                QLatin1Char(',') + turn,
                            QStringLiteral("-c:v"), QStringLiteral("libx264"), QStringLiteral("-pix_fmt"),
                            QStringLiteral("yuv420p"), stored}));
            QVERIFY(ffmpeg({QStringLiteral("-i"), stored, QStringLiteral("-c"), QStringLiteral("copy"),
                            QStringLiteral("-metadata:s:v:0"), QStringLiteral("rotate=%1").arg(tag),
                            media(QStringLiteral("phone-%1.mp4").arg(tag))}));
        }
        // An odd size, then another size in the same stream.
        for (const auto& [name, size, colour, format] : {std::tuple{"odd.ts", "321x181", "red", "yuv444p"},
                                                         std::tuple{"even.ts", "640x360", "blue", "yuv420p"}})
            QVERIFY(ffmpeg(
                {QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
                 QStringLiteral("color=c=%1:s=%2:r=10:d=1").arg(QLatin1String(colour), QLatin1String(size)),
                 QStringLiteral("-c:v"), QStringLiteral("libx264"), QStringLiteral("-pix_fmt"),
                 QLatin1String(format), QStringLiteral("-f"), QStringLiteral("mpegts"),
                 media(QLatin1String(name))}));
        {
            QFile odd(media(QStringLiteral("odd.ts")));
            QFile even(media(QStringLiteral("even.ts")));
            QVERIFY(odd.open(QIODevice::ReadOnly) && even.open(QIODevice::ReadOnly));
            QFile mixed(media(QStringLiteral("resized.ts")));
            QVERIFY(mixed.open(QIODevice::WriteOnly));
            mixed.write(odd.readAll() + even.readAll());
        }
        QFile png(media(QStringLiteral("portrait.png")));
        QVERIFY(png.open(QIODevice::ReadOnly));
        QVERIFY(write(media(QStringLiteral("truncated.png")), png.read(80)));
        QFile mp4(media(QStringLiteral("wide.mp4")));
        QVERIFY(mp4.open(QIODevice::ReadOnly));
        QVERIFY(write(media(QStringLiteral("truncated.mp4")), mp4.read(600)));
        QVERIFY(write(media(QStringLiteral("huge.png")), hugePng()));
    }

    void init()
    {
        m_settings = std::make_unique<TestSettings>();
        m_platform = PlatformServices::createDefault();
    }

    void cleanup()
    {
        ScaledDrawable::setServerScalingAllowedForTesting(true);
        m_controller.reset();
        m_platform.reset();
        m_settings.reset();
    }

    // A clip smaller than the screen is scaled up, a larger one down.
    void wideVideoFillsTheScreenCropped_data()
    {
        QTest::addColumn<bool>("serverScaling");
        QTest::addColumn<QString>("clip");
        for (const bool server : {true, false}) {
            for (const char* clip : {"wide.mp4", "wide-large.mp4"})
                QTest::addRow("%s, %s", clip, server ? "through X" : "OpenGL")
                    << server << QString::fromLatin1(clip);
        }
    }
    void wideVideoFillsTheScreenCropped()
    {
        QFETCH(bool, serverScaling);
        QFETCH(QString, clip);
        ScaledDrawable::setServerScalingAllowedForTesting(serverScaling);
        auto restore = qScopeGuard([] { ScaledDrawable::setServerScalingAllowedForTesting(true); });
        start(WallpaperMode::Video, media(clip));
        QCOMPARE(m_controller->videoViews().size(), 1);
        VideoWallpaperView* video = m_controller->videoViews().first();
        QTRY_VERIFY_WITH_TIMEOUT(video->hasVideo(), 20000);
        // Height filled: no letterbox rows; sides cropped: a red strip at the left
        // and a blue one at the right, each about a sixth of the screen.
        QImage shot;
        QTRY_VERIFY_WITH_TIMEOUT(
            near(averageColor(shot = screenImage(), QRect(900, 500, 100, 80)), QColor(0, 255, 0)), 20000);
        QVERIFY2(near(averageColor(shot, QRect(20, 500, 300, 80)), QColor(255, 0, 0)), "left strip is red");
        QVERIFY2(near(averageColor(shot, QRect(1600, 500, 300, 80)), QColor(0, 0, 255)),
                 "right strip is blue");
        QVERIFY2(!isBlack(averageColor(shot, QRect(600, 0, 600, 6))), "top row is filled");
        QVERIFY2(!isBlack(averageColor(shot, QRect(600, 1074, 600, 6))), "bottom row is filled");
        // Without cropping the green column would start a third of the way in.
        QVERIFY(!near(averageColor(shot, QRect(660, 500, 40, 80)), QColor(255, 0, 0)));
        // Upright: the white band is at the top of the screen, a tenth of it.
        QVERIFY2(near(averageColor(shot, QRect(600, 10, 600, 80)), QColor(255, 255, 255)),
                 "white band on top");
        QVERIFY(!near(averageColor(shot, QRect(600, 990, 600, 80)), QColor(255, 255, 255)));
        QCOMPARE(video->scalesOnServer(), serverScaling);

        // Once playing, the pointer goes through the window.
        QTRY_VERIFY(m_controller->windows().first()->flags().testFlag(Qt::WindowTransparentForInput));

        // Silent: the sound track is not selected and no audio output exists.
        QCOMPARE(video->property("aid"), QStringLiteral("no"));
        QVERIFY(video->property("current-ao").isEmpty());
        QCOMPARE(video->property("loop-file"), QStringLiteral("inf"));
        QCOMPARE(video->property("panscan"), QStringLiteral("1.000000"));
        // The file and nothing it refers to.
        QCOMPARE(video->property("access-references"), QStringLiteral("no"));
        QCOMPARE(video->property("load-unsafe-playlists"), QStringLiteral("no"));
        QVERIFY(video->property("stream-lavf-o").contains(QLatin1String("protocol_whitelist=file")));
    }

    // Should the X server stop taking our frames, OpenGL takes over and the
    // video goes on.
    void videoFallsBackToOpenGL()
    {
        start(WallpaperMode::Video, media(QStringLiteral("wide.mp4")));
        QCOMPARE(m_controller->videoViews().size(), 1);
        VideoWallpaperView* video = m_controller->videoViews().first();
        QTRY_VERIFY_WITH_TIMEOUT(video->framesDrawn() > 2, 20000);
        QVERIFY(video->scalesOnServer());

        QTest::ignoreMessage(
            QtWarningMsg,
            "Nivora: video: the X server no longer takes the frames; OpenGL draws them from now on");
        SoftwareVideoRenderer::setPresentsFailForTesting(true);
        auto restore = qScopeGuard([] { SoftwareVideoRenderer::setPresentsFailForTesting(false); });
        QTRY_VERIFY_WITH_TIMEOUT(!video->scalesOnServer(), 10000);
        QTRY_COMPARE(countThreads(QStringLiteral("nv-video")), 0);
        // Frames keep coming, now through OpenGL, and the screen shows them.
        const quint64 drawn = video->framesDrawn();
        QTRY_VERIFY_WITH_TIMEOUT(video->framesDrawn() > drawn + 5, 10000);
        QImage shot;
        QTRY_VERIFY_WITH_TIMEOUT(
            near(averageColor(shot = screenImage(), QRect(900, 500, 100, 80)), QColor(0, 255, 0)), 10000);
        QVERIFY(near(averageColor(shot, QRect(20, 500, 300, 80)), QColor(255, 0, 0)));
    }

    void tallVideoFillsTheScreenCropped_data() { addScalingWays(); }
    void tallVideoFillsTheScreenCropped()
    {
        QFETCH(bool, serverScaling);
        ScaledDrawable::setServerScalingAllowedForTesting(serverScaling);
        auto restore = qScopeGuard([] { ScaledDrawable::setServerScalingAllowedForTesting(true); });
        start(WallpaperMode::Video, media(QStringLiteral("tall.mp4")));
        QCOMPARE(m_controller->videoViews().size(), 1);
        QTRY_VERIFY_WITH_TIMEOUT(m_controller->videoViews().first()->hasVideo(), 20000);
        // Width filled, top and bottom cropped: only the middle (green) row shows.
        QImage shot;
        QTRY_VERIFY_WITH_TIMEOUT(
            near(averageColor(shot = screenImage(), QRect(900, 500, 100, 80)), QColor(0, 255, 0)), 20000);
        QVERIFY2(near(averageColor(shot, QRect(0, 400, 8, 200)), QColor(0, 255, 0)), "left edge is filled");
        QVERIFY2(near(averageColor(shot, QRect(1912, 400, 8, 200)), QColor(0, 255, 0)),
                 "right edge is filled");
        QVERIFY2(near(averageColor(shot, QRect(600, 2, 600, 8)), QColor(0, 255, 0)), "top is cropped");
    }

    // A phone's video, turned by its display rotation, plays upright and
    // fills the screen; so do odd sizes and a size that changes mid-stream.
    void phoneVideosPlayUpright_data()
    {
        QTest::addColumn<bool>("serverScaling");
        QTest::addColumn<int>("rotation");
        for (const bool server : {true, false}) {
            for (const int rotation : {90, 180, 270})
                QTest::addRow("turned %d, %s", rotation, server ? "through X" : "OpenGL")
                    << server << rotation;
        }
    }
    void phoneVideosPlayUpright()
    {
        QFETCH(bool, serverScaling);
        QFETCH(int, rotation);
        VideoWallpaperView* video = startVideo(QStringLiteral("phone-%1.mp4").arg(rotation), serverScaling);
        QVERIFY(video);
        QTRY_VERIFY_WITH_TIMEOUT(video->framesDrawn() > 5, 20000);
        QCOMPARE(video->scalesOnServer(), serverScaling);
        // Red and green side by side above, blue below; filled to the edges.
        QImage shot;
        QTRY_VERIFY_WITH_TIMEOUT(
            near(averageColor(shot = screenImage(), QRect(200, 200, 200, 100)), QColor(255, 0, 0)), 20000);
        QVERIFY2(near(averageColor(shot, QRect(1500, 200, 200, 100)), QColor(0, 255, 0)),
                 "top right is green");
        QVERIFY2(near(averageColor(shot, QRect(800, 850, 300, 100)), QColor(0, 0, 255)), "bottom is blue");
        QVERIFY2(near(averageColor(shot, QRect(0, 200, 6, 100)), QColor(255, 0, 0)), "left edge is filled");
        QVERIFY2(near(averageColor(shot, QRect(1914, 200, 6, 100)), QColor(0, 255, 0)),
                 "right edge is filled");
        QVERIFY2(near(averageColor(shot, QRect(800, 1074, 300, 6)), QColor(0, 0, 255)),
                 "bottom row is filled");
        // Still playing: the process and the player are alive.
        const quint64 drawn = video->framesDrawn();
        QTRY_VERIFY_WITH_TIMEOUT(video->framesDrawn() > drawn + 3, 10000);
    }

    void sizeChangeMidStream_data() { addScalingWays(); }
    void sizeChangeMidStream()
    {
        QFETCH(bool, serverScaling);
        QVERIFY(startVideo(QStringLiteral("resized.ts"), serverScaling));
        // The odd-sized part, then the other one, each filling the screen.
        const QRect corner(0, 0, 40, 40);
        QTRY_VERIFY_WITH_TIMEOUT(near(averageColor(screenImage(), corner), QColor(255, 0, 0)), 20000);
        QTRY_VERIFY_WITH_TIMEOUT(near(averageColor(screenImage(), corner), QColor(0, 0, 255)), 20000);
    }

    void videoLoopsAndPausesWithTheScreens()
    {
        start(WallpaperMode::Video, media(QStringLiteral("wide.mp4")));
        VideoWallpaperView* video = m_controller->videoViews().first();
        // A one-second clip: the position comes back to the start.
        double highest = 0;
        const bool looped = QTest::qWaitFor(
            [&] {
                const double t = video->property("time-pos").toDouble();
                if (t > highest)
                    highest = t;
                return highest > 0.6 && t < 0.3 && !video->property("time-pos").isEmpty();
            },
            20000);
        QVERIFY2(looped, qPrintable(QStringLiteral("highest position %1").arg(highest)));
        QVERIFY(m_controller->windowCount() == 1);

        QProcess::execute(QStringLiteral("dbus-send"),
                          {QStringLiteral("--session"), QStringLiteral("--type=signal"),
                           QStringLiteral("/org/freedesktop/ScreenSaver"),
                           QStringLiteral("org.freedesktop.ScreenSaver.ActiveChanged"),
                           QStringLiteral("boolean:true")});
        QTRY_COMPARE_WITH_TIMEOUT(video->property("pause"), QStringLiteral("yes"), 5000);
        const double frozen = video->property("time-pos").toDouble();
        QTest::qWait(400);
        QCOMPARE(video->property("time-pos").toDouble(), frozen);
        QProcess::execute(QStringLiteral("dbus-send"),
                          {QStringLiteral("--session"), QStringLiteral("--type=signal"),
                           QStringLiteral("/org/freedesktop/ScreenSaver"),
                           QStringLiteral("org.freedesktop.ScreenSaver.ActiveChanged"),
                           QStringLiteral("boolean:false")});
        QTRY_COMPARE_WITH_TIMEOUT(video->property("pause"), QStringLiteral("no"), 5000);
    }

    // HDR as phones record it (HLG) and as films come (PQ), of a mid blue:
    // shown blue, not clipped to a glaring cyan.
    void hdrVideoKeepsItsColours_data()
    {
        QTest::addColumn<QString>("transfer");
        QTest::addColumn<bool>("serverScaling");
        QTest::newRow("HLG, through X") << "arib-std-b67" << true;
        QTest::newRow("PQ, through X") << "smpte2084" << true;
        QTest::newRow("HLG, OpenGL") << "arib-std-b67" << false;
    }
    void hdrVideoKeepsItsColours()
    {
        QFETCH(QString, transfer);
        QFETCH(bool, serverScaling);
        ScaledDrawable::setServerScalingAllowedForTesting(serverScaling);
        auto restore = qScopeGuard([] { ScaledDrawable::setServerScalingAllowedForTesting(true); });
        const QString clip = media(transfer + QStringLiteral(".mkv"));
        if (!QFile::exists(clip))
            QVERIFY(ffmpeg({"-f", "lavfi", "-i", "color=c=0x3050a0:s=640x360:r=30:d=1", "-vf",
                            "zscale=t=" + transfer +
                                ":p=bt2020:m=bt2020nc:r=tv:tin=bt709:pin=bt709:min=bt709:npl=1000,"
                                "format=yuv420p10le",
                            "-c:v", "libx265", "-x265-params",
                            "colorprim=bt2020:transfer=" + transfer + ":colormatrix=bt2020nc:log-level=error",
                            clip}));
        start(WallpaperMode::Video, clip);
        QTRY_VERIFY_WITH_TIMEOUT(m_controller->videoViews().first()->framesDrawn() > 5, 20000);
        QColor shown;
        QTRY_VERIFY2_WITH_TIMEOUT(
            [&] {
                shown = averageColor(screenImage(), QRect(860, 440, 200, 200));
                return shown.blue() > shown.green() && shown.green() > shown.red() && shown.red() < 130 &&
                       shown.green() < 200 && shown.blue() > 90;
            }(),
            qPrintable(shown.name()), 10000);
    }

    // A clip far shorter than a second goes round and round with no black
    // frame between passes. Its first frame is red, which counts the passes.
    // (How long a frame is held at the loop point is measured in bench/.)
    void shortClipLoopsWithoutBlackFrames()
    {
        const QString clip = media(QStringLiteral("blink.mkv"));
        if (!QFile::exists(clip))
            QVERIFY(ffmpeg({"-f", "lavfi", "-i", "testsrc2=s=320x180:r=30:d=0.2", "-vf",
                            "drawbox=x=0:y=0:w=iw:h=ih:color=red:t=fill:enable='eq(n,0)'", "-c:v", "libx264",
                            "-pix_fmt", "yuv420p", clip}));
        struct Passes
        {
            QMutex mutex;
            int count = 0;
            int black = 0;
            bool lastRed = false;
        } passes;
        SoftwareVideoRenderer::setFrameObserverForTesting(
            [](void* data, const unsigned char* pixels, QSize size) {
                int red = 0, black = 0;
                for (const QPoint& at :
                     {QPoint(1, 1), QPoint(2, 2), QPoint(3, 1), QPoint(1, 3), QPoint(3, 3)}) {
                    const unsigned char* p = pixels + (qsizetype(size.height() * at.y() / 4) * size.width() +
                                                       size.width() * at.x() / 4) *
                                                          4;
                    red += p[2] > 180 && p[1] < 80 && p[0] < 80;
                    black += p[2] < 16 && p[1] < 16 && p[0] < 16;
                }
                auto* seen = static_cast<Passes*>(data);
                QMutexLocker lock(&seen->mutex);
                seen->count += red == 5 && !seen->lastRed;
                seen->black += black == 5 && seen->count > 0;
                seen->lastRed = red == 5;
            },
            &passes);
        auto stop = qScopeGuard([] { SoftwareVideoRenderer::setFrameObserverForTesting(nullptr, nullptr); });
        start(WallpaperMode::Video, clip);
        const QJsonObject window =
            m_controller->statusJson().value(QStringLiteral("windows")).toArray().first().toObject();
        if (window.value(QStringLiteral("path")).toString() != QLatin1String("software-video"))
            QSKIP("frames are watched where they are converted on the processor");
        QVERIFY2(QTest::qWaitFor(
                     [&] {
                         QMutexLocker lock(&passes.mutex);
                         return passes.count > 25;
                     },
                     30000),
                 qPrintable(QStringLiteral("%1 passes").arg(passes.count)));
        QMutexLocker lock(&passes.mutex);
        QCOMPARE(passes.black, 0);
    }

    // Screen sleep and a covering window are two reasons to pause, and the
    // wallpaper stays paused while either holds, whatever it shows.
    void pauseReasonsAddUp_data()
    {
        QTest::addColumn<WallpaperMode>("mode");
        QTest::addColumn<QString>("file");
        QTest::newRow("scene") << WallpaperMode::Scene << QString();
        QTest::newRow("video") << WallpaperMode::Video << QStringLiteral("wide.mp4");
        QTest::newRow("animated GIF") << WallpaperMode::Image << QStringLiteral("anim.gif");
    }
    void pauseReasonsAddUp()
    {
        QFETCH(WallpaperMode, mode);
        QFETCH(QString, file);
        state().setPauseOnFullscreen(true);
        state().setRenderQuality(480);
        state().setFps(10);
        start(mode, file.isNull() ? QString() : media(file));
        QCOMPARE(m_controller->windowCount(), 1);
        QVERIFY(QTest::qWaitForWindowExposed(m_controller->windows().first()));
        // Running: frames come.
        QString before = progress();
        QTRY_VERIFY_WITH_TIMEOUT(progress() != before, 20000);
        QVERIFY(!contentPaused());

        // Asleep while covered, then awake: still covered, still paused.
        QRasterWindow cover;
        cover.showFullScreen();
        QVERIFY(QTest::qWaitForWindowExposed(&cover));
        QTRY_VERIFY_WITH_TIMEOUT(contentPaused(), 5000);
        QCOMPARE(pausedBy(), QStringList{QStringLiteral("covered")});
        setScreensAsleep(true);
        QTRY_VERIFY_WITH_TIMEOUT(m_platform->sleep->isAsleep(), 5000);
        QTRY_COMPARE(pausedBy(), (QStringList{QStringLiteral("asleep"), QStringLiteral("covered")}));
        setScreensAsleep(false);
        QTRY_VERIFY_WITH_TIMEOUT(!m_platform->sleep->isAsleep(), 5000);
        QTRY_COMPARE(pausedBy(), QStringList{QStringLiteral("covered")});
        QVERIFY(contentPaused());

        // Uncovered while asleep: still paused, and nothing moves on screen.
        setScreensAsleep(true);
        QTRY_COMPARE_WITH_TIMEOUT(pausedBy().size(), 2, 5000);
        cover.hide();
        QTRY_COMPARE_WITH_TIMEOUT(pausedBy(), QStringList{QStringLiteral("asleep")}, 5000);
        QVERIFY(contentPaused());
        // Once the window shows its held frame again after being uncovered,
        // the screen stays as it is.
        QImage held = screenImage();
        const auto settled = [&] {
            QTest::qWait(250);
            const QImage now = screenImage();
            const bool same = meanDifference(now, held) == 0.0;
            held = now;
            return same;
        };
        QTRY_VERIFY_WITH_TIMEOUT(settled(), 10000);
        before = progress();
        QTest::qWait(1000);
        QCOMPARE(progress(), before);
        QCOMPARE(meanDifference(screenImage(), held), 0.0);

        // The switch turned off while asleep drops only the covered reason.
        cover.showFullScreen();
        QVERIFY(QTest::qWaitForWindowExposed(&cover));
        QTRY_COMPARE_WITH_TIMEOUT(pausedBy().size(), 2, 5000);
        state().setPauseOnFullscreen(false);
        QTRY_COMPARE(pausedBy(), QStringList{QStringLiteral("asleep")});
        QVERIFY(contentPaused());

        // Awake, with the switch off: the covered screen plays again, going
        // on from where it was held.
        setScreensAsleep(false);
        QTRY_VERIFY_WITH_TIMEOUT(!contentPaused(), 5000);
        QVERIFY(pausedBy().isEmpty());
        before = progress();
        QTRY_VERIFY_WITH_TIMEOUT(progress() != before, 10000);
        cover.hide();
    }

    void portraitImageIsStretched()
    {
        start(WallpaperMode::Image, media(QStringLiteral("portrait.png")));
        QCOMPARE(m_controller->imageViews().size(), 1);
        QVERIFY(QTest::qWaitForWindowExposed(m_controller->windows().first()));
        QImage shot;
        QTRY_VERIFY(near(averageColor(shot = screenImage(), QRect(5, 200, 10, 100)), QColor(255, 0, 0), 10));
        // Stretched, not letterboxed: the colours reach both side edges.
        QVERIFY(near(averageColor(shot, QRect(1905, 200, 10, 100)), QColor(255, 0, 0), 10));
        QVERIFY(near(averageColor(shot, QRect(5, 800, 10, 100)), QColor(0, 0, 255), 10));
        QVERIFY(near(averageColor(shot, QRect(1905, 800, 10, 100)), QColor(0, 0, 255), 10));
        QVERIFY(!m_controller->imageViews().first()->isAnimated());
    }

    void animatedImageChangesFrames_data() { addScalingWays(); }
    void animatedImageChangesFrames()
    {
        QFETCH(bool, serverScaling);
        ScaledDrawable::setServerScalingAllowedForTesting(serverScaling);
        auto restore = qScopeGuard([] { ScaledDrawable::setServerScalingAllowedForTesting(true); });
        start(WallpaperMode::Image, media(QStringLiteral("anim.gif")));
        QCOMPARE(m_controller->imageViews().size(), 1);
        ImageWallpaperView* image = m_controller->imageViews().first();
        QVERIFY(image->isAnimated());
        QVERIFY(QTest::qWaitForWindowExposed(m_controller->windows().first()));
        QTRY_VERIFY(image->framesShown() >= 4);
        // The screen itself shows several of the colours.
        QSet<int> hues;
        const bool enough = QTest::qWaitFor(
            [&] {
                const QColor c = averageColor(captureScreen(QRect(900, 500, 64, 64)), QRect(0, 0, 64, 64));
                if (c.hsvSaturation() > 100)
                    hues.insert(c.hsvHue() / 30);
                return hues.size() >= 3;
            },
            10000);
        QVERIFY2(enough, qPrintable(QStringLiteral("%1 hues seen").arg(hues.size())));
        // Stretched and upright: the band covers the top quarter of the screen.
        const QImage shot = screenImage();
        QVERIFY(near(averageColor(shot, QRect(0, 20, 1920, 200)), QColor(255, 255, 255), 10));
        QVERIFY(averageColor(shot, QRect(0, 300, 1920, 700)).hsvSaturation() > 100);
        QCOMPARE(image->scalesOnServer(), serverScaling);
    }

    // No path: no window, the desktop's own picture shows. A file that went
    // away, or a folder: the scene rather than a black desktop. A file that
    // is there but cannot be shown: the scene takes its place and says so.
    void badMedia_data()
    {
        QTest::addColumn<WallpaperMode>("mode");
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("present");
        QTest::newRow("image: no path") << WallpaperMode::Image << QString() << false;
        QTest::newRow("image: missing file") << WallpaperMode::Image << QStringLiteral("gone.png") << false;
        QTest::newRow("image: a directory") << WallpaperMode::Image << QStringLiteral("folder") << false;
        QTest::newRow("image: empty file") << WallpaperMode::Image << QStringLiteral("empty.png") << true;
        QTest::newRow("image: not an image") << WallpaperMode::Image << QStringLiteral("notes.png") << true;
        QTest::newRow("image: truncated") << WallpaperMode::Image << QStringLiteral("truncated.png") << true;
        QTest::newRow("image: 40000 x 40000 header")
            << WallpaperMode::Image << QStringLiteral("huge.png") << true;
        QTest::newRow("video: no path") << WallpaperMode::Video << QString() << false;
        QTest::newRow("video: missing file") << WallpaperMode::Video << QStringLiteral("gone.mp4") << false;
        QTest::newRow("video: a directory") << WallpaperMode::Video << QStringLiteral("folder") << false;
        QTest::newRow("video: empty file") << WallpaperMode::Video << QStringLiteral("empty.mp4") << true;
        QTest::newRow("video: not a video") << WallpaperMode::Video << QStringLiteral("notes.mp4") << true;
        QTest::newRow("video: truncated") << WallpaperMode::Video << QStringLiteral("truncated.mp4") << true;
    }
    void badMedia()
    {
        QFETCH(WallpaperMode, mode);
        QFETCH(QString, file);
        QFETCH(bool, present);
        const qint64 memoryBefore = memoryInUseKiB();
        const QString path = file.isNull() ? QString() : media(file);
        g_unreadableLines = 0;
        g_previousUnreadableHandler = qInstallMessageHandler(countUnreadable);
        auto restore = qScopeGuard([] { qInstallMessageHandler(g_previousUnreadableHandler); });
        start(mode, path);
        if (!present) {
            QCOMPARE(m_controller->windowCount(), path.isEmpty() ? 0 : 1);
            QCOMPARE(m_controller->renderViews().size(), path.isEmpty() ? 0 : 1);
            QVERIFY(MediaStatus::shared().unreadablePath().isEmpty());
        } else {
            // A video is known to be unplayable once its player has tried.
            QTRY_COMPARE_WITH_TIMEOUT(m_controller->renderViews().size(), 1, 10000);
            QCOMPARE(m_controller->windowCount(), 1);
            QCOMPARE(MediaStatus::shared().unreadablePath(), path);
            QCOMPARE(m_controller->statusJson().value(QStringLiteral("unreadableMedia")).toString(), path);
            QVERIFY(QTest::qWaitForWindowExposed(m_controller->windows().first()));
            QTRY_VERIFY(!isBlack(averageColor(screenImage(), QRect(0, 0, 1920, 1080))));
            // Said once, and the settings keep the user's choice.
            QCOMPARE(g_unreadableLines.loadRelaxed(), 1);
            QCOMPARE(state().wallpaperMode(), mode);
            QCOMPARE(state().mediaPath(), path);
        }
        QVERIFY2(memoryInUseKiB() - memoryBefore < 64 * 1024, "memory stays bounded");

        // A good file afterwards brings the wallpaper back.
        state().setMediaPath(media(mode == WallpaperMode::Image ? QStringLiteral("portrait.png")
                                                                : QStringLiteral("wide.mp4")));
        QTRY_COMPARE(m_controller->windowCount(), 1);
        if (mode == WallpaperMode::Image)
            QTRY_COMPARE(m_controller->imageViews().size(), 1);
        else
            QTRY_COMPARE(m_controller->videoViews().size(), 1);
        QVERIFY(MediaStatus::shared().unreadablePath().isEmpty());
    }

    // Photos as cameras and phones make them: 48 megapixels, turned by their
    // EXIF orientation, HEIC and AVIF. Each fills the screen upright, decoded
    // at the screen's size rather than its own.
    void photosAsPhonesMakeThem_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QRect>("blueOnScreen");
        // Blue in the top-left quarter of a red picture, unless turned.
        const QRect topLeft(40, 40, 400, 200);
        QTest::newRow("48 MP JPEG") << QStringLiteral("phone48.jpg") << topLeft;
        QTest::newRow("JPEG turned by EXIF") << QStringLiteral("turned.jpg") << QRect(1480, 40, 400, 200);
        QTest::newRow("HEIC") << QStringLiteral("photo.heic") << topLeft;
        QTest::newRow("AVIF") << QStringLiteral("photo.avif") << topLeft;
    }
    void photosAsPhonesMakeThem()
    {
        QFETCH(QString, file);
        QFETCH(QRect, blueOnScreen);
        const QString path = media(file);
        const QString quarter =
            QStringLiteral("color=red:s=%1x%2,drawbox=x=0:y=0:w=%3:h=%4:color=blue:t=fill");
        if (file == QLatin1String("phone48.jpg")) {
            QVERIFY(ffmpeg({"-f", "lavfi", "-i", quarter.arg(8000).arg(6000).arg(4000).arg(3000), "-frames:v",
                            "1", "-q:v", "5", path}));
        } else if (file == QLatin1String("turned.jpg")) {
            // Stored on its side; the orientation tag turns it a quarter
            // clockwise, which brings the blue corner to the top right.
            QImage sideways(2000, 3000, QImage::Format_RGB32);
            sideways.fill(Qt::red);
            QPainter(&sideways).fillRect(QRect(0, 0, 1000, 1500), Qt::blue);
            QImageWriter writer(path, "jpeg");
            writer.setTransformation(QImageIOHandler::TransformationRotate90);
            QVERIFY(writer.write(sideways));
        } else {
            const QString png = media(QStringLiteral("quarter.png"));
            QVERIFY(ffmpeg(
                {"-f", "lavfi", "-i", quarter.arg(640).arg(480).arg(320).arg(240), "-frames:v", "1", png}));
            if (file.endsWith(QLatin1String(".heic")))
                QCOMPARE(QProcess::execute(QStringLiteral("heif-enc"), {"-q", "80", png, "-o", path}), 0);
            else
                QVERIFY(ffmpeg({"-i", png, "-c:v", "libaom-av1", "-still-picture", "1", path}));
        }
        QImageReader probe(path);
        QVERIFY2(probe.canRead(), qPrintable(probe.errorString()));
        start(WallpaperMode::Image, path);
        QCOMPARE(m_controller->imageViews().size(), 1);
        QVERIFY(MediaStatus::shared().unreadablePath().isEmpty());
        const QSize screenPixels =
            m_controller->windows().first()->size() * m_controller->windows().first()->devicePixelRatio();
        QCOMPARE(m_controller->imageViews().first()->currentFrame().size(), screenPixels);
        QVERIFY(QTest::qWaitForWindowExposed(m_controller->windows().first()));
        QImage shot;
        QTRY_VERIFY(near(averageColor(shot = screenImage(), blueOnScreen), QColor(0, 0, 255), 40));
        const QRect opposite(1920 - blueOnScreen.right() - 1, 1080 - blueOnScreen.bottom() - 1,
                             blueOnScreen.width(), blueOnScreen.height());
        QVERIFY(near(averageColor(shot, opposite), QColor(255, 0, 0), 40));
    }

    // A playlist, whatever its name, or an address: the player is never asked
    // to open it, so nothing reaches the server it names; one log line says so,
    // and the scene shows rather than a black desktop.
    void playlistsAndAddressesAreRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("content");
        const QString url = QStringLiteral("http://127.0.0.1:%1/clip.mp4");
        QTest::newRow("m3u") << "list.m3u" << QStringLiteral("#EXTM3U\n%1\n").arg(url);
        QTest::newRow("m3u without header") << "plain.m3u" << QStringLiteral("%1\n").arg(url);
        QTest::newRow("pls") << "list.pls"
                             << QStringLiteral("[playlist]\nFile1=%1\nNumberOfEntries=1\n").arg(url);
        QTest::newRow("edl") << "list.edl" << QStringLiteral("# mpv EDL v0\n%1,0,1\n").arg(url);
        QTest::newRow("cue")
            << "sheet.cue"
            << QStringLiteral("FILE \"%1\" WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n").arg(url);
        QTest::newRow("HLS named .mp4")
            << "stream.mp4"
            << QStringLiteral("#EXTM3U\n#EXT-X-TARGETDURATION:1\n#EXTINF:1.0,\n%1\n#EXT-X-ENDLIST\n")
                   .arg(url);
        QTest::newRow("address") << QString() << url;
    }
    void playlistsAndAddressesAreRefused()
    {
        QFETCH(QString, name);
        QFETCH(QString, content);
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        int connections = 0;
        connect(&server, &QTcpServer::newConnection, this, [&] {
            while (QTcpSocket* socket = server.nextPendingConnection()) {
                ++connections;
                socket->deleteLater();
            }
        });
        content = content.arg(server.serverPort());
        QString path = content.trimmed();
        if (!name.isEmpty()) {
            path = media(name);
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content.toUtf8());
        }
        g_refusalLines = 0;
        g_previousHandler = qInstallMessageHandler(countRefusals);
        auto restore = qScopeGuard([] { qInstallMessageHandler(g_previousHandler); });
        start(WallpaperMode::Video, path);
        QCOMPARE(m_controller->windowCount(), 1);
        QCOMPARE(m_controller->renderViews().size(), 1);
        QVERIFY(m_controller->videoViews().isEmpty());
        QTest::qWait(1500);
        QCOMPARE(connections, 0);
        QCOMPARE(g_refusalLines.loadRelaxed(), 1);
        // The player itself refuses it too.
        WallpaperWindow window(m_platform->screens->screens().first(), WallpaperWindow::Surface::OpenGL,
                               nullptr);
        QVERIFY(!VideoWallpaperView::create(path, &window));
        QCOMPARE(connections, 0);

        // A video file afterwards plays.
        state().setMediaPath(media(QStringLiteral("wide.mp4")));
        QTRY_COMPARE(m_controller->windowCount(), 1);
    }

    void fileDeletedWhileShown()
    {
        const QString copy = media(QStringLiteral("copy.mp4"));
        QFile::remove(copy);
        QVERIFY(QFile::copy(media(QStringLiteral("wide.mp4")), copy));
        start(WallpaperMode::Video, copy);
        QCOMPARE(m_controller->windowCount(), 1);
        QTRY_VERIFY_WITH_TIMEOUT(m_controller->videoViews().first()->hasVideo(), 20000);
        QVERIFY(QFile::remove(copy));
        QTest::qWait(1500); // keeps looping over the open file, no fault
        QCOMPARE(m_controller->windowCount(), 1);

        // The next rebuild finds no file: the scene, not a black desktop.
        state().setRenderQuality(state().renderQuality() + 1);
        QTRY_COMPARE(m_controller->renderViews().size(), 1);
        QCOMPARE(m_controller->windowCount(), 1);
        state().setMediaPath(media(QStringLiteral("tall.mp4")));
        QTRY_COMPARE(m_controller->videoViews().size(), 1);
    }

    // A still chosen in video mode is decoded once and shown as an image,
    // where a player would redraw it every second; a clip still plays.
    void stillInVideoModeIsAStill()
    {
        start(WallpaperMode::Video, media(QStringLiteral("portrait.png")));
        QCOMPARE(m_controller->videoViews().size(), 0);
        QCOMPARE(m_controller->imageViews().size(), 1);
        QVERIFY(!m_controller->imageViews().first()->isAnimated());
        QVERIFY(QTest::qWaitForWindowExposed(m_controller->windows().first()));
        QTRY_VERIFY(near(averageColor(screenImage(), QRect(40, 40, 400, 300)), QColor(255, 0, 0), 40));
        state().setMediaPath(media(QStringLiteral("wide.mp4")));
        QTRY_COMPARE(m_controller->videoViews().size(), 1);
        QCOMPARE(m_controller->imageViews().size(), 0);
    }

    // Two screens showing the same file share one player: one decoder, one
    // conversion thread, and each screen shows the video cropped to its own
    // shape; spanning, the two screens show the two halves.
    void twoScreensShareOnePlayer_data() { addScalingWays(); }
    void twoScreensShareOnePlayer()
    {
        QFETCH(bool, serverScaling);
        ScaledDrawable::setServerScalingAllowedForTesting(serverScaling);
        auto restore = qScopeGuard([this] { removeMonitors(); });
        VideoWallpaperView* single = startVideo(QStringLiteral("wide.mp4"), serverScaling);
        QVERIFY(single);
        QTRY_VERIFY_WITH_TIMEOUT(single->framesDrawn() > 3, 20000);
        const int mpvThreadsForOne = countThreads(QStringLiteral("mpv"));
        m_controller.reset();
        QTRY_COMPARE(countThreads(QStringLiteral("mpv")), 0);

        setMonitors({QStringLiteral("xrandr --setmonitor left 960/254x1080/286+0+0 screen"),
                     QStringLiteral("xrandr --setmonitor right 960/254x1080/286+960+0 none")},
                    2);
        start(WallpaperMode::Video, media(QStringLiteral("wide.mp4")));
        QCOMPARE(m_controller->windowCount(), 2);
        QCOMPARE(m_controller->videoViews().size(), 1);
        VideoWallpaperView* video = m_controller->videoViews().first();
        QCOMPARE(video->targetCount(), 2);
        QTRY_VERIFY_WITH_TIMEOUT(video->framesDrawn() > 3, 20000);
        QCOMPARE(countThreads(QStringLiteral("mpv")), mpvThreadsForOne);
        QCOMPARE(countThreads(QStringLiteral("nv-video")), serverScaling ? 1 : 0);
        // A 8:3 video on a narrow screen fills its height: only the green
        // middle column shows, on each screen.
        QImage shot;
        QTRY_VERIFY_WITH_TIMEOUT(
            near(averageColor(shot = desktopImage(), QRect(1400, 500, 100, 80)), QColor(0, 255, 0)), 20000);
        for (const int x : {20, 460, 900, 980, 1420, 1860})
            QVERIFY2(near(averageColor(shot, QRect(x, 500, 40, 80)), QColor(0, 255, 0)),
                     qPrintable(QString::number(x)));
        // Frames are rendered once for both screens.
        const quint64 drawn = video->framesDrawn();
        QTest::qWait(1000);
        QVERIFY2(video->framesDrawn() - drawn <= 14, "a 10 fps clip is rendered about 10 times a second");

        // Spanning: the video fills the box around both screens, red at the
        // far left, blue at the far right, each screen its half.
        state().setSpanScreens(true);
        QTRY_VERIFY_WITH_TIMEOUT(m_controller->videoViews().size() == 1 &&
                                     m_controller->videoViews().first()->framesDrawn() > 3,
                                 20000);
        QTRY_VERIFY_WITH_TIMEOUT(
            near(averageColor(shot = desktopImage(), QRect(20, 500, 200, 80)), QColor(255, 0, 0)), 20000);
        QVERIFY2(near(averageColor(shot, QRect(1700, 500, 200, 80)), QColor(0, 0, 255)), "right end is blue");
        QVERIFY2(near(averageColor(shot, QRect(900, 500, 120, 80)), QColor(0, 255, 0)), "seam is green");
        QCOMPARE(m_controller->videoViews().first()->targetCount(), 2);
    }

    // One picture across screens of different sizes and positions matches,
    // on both sides of every seam, the same picture shown whole on one
    // screen: each screen shows exactly its part.
    void spanningSeamsAreContinuous_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("serverScaling");
        QTest::addColumn<bool>("threeScreens");
        QTest::newRow("video through X") << "video"
                                         << "pattern.mkv" << true << false;
        QTest::newRow("video through OpenGL") << "video"
                                              << "pattern.mkv" << false << false;
        QTest::newRow("image") << "image"
                               << "pattern.png" << true << false;
        QTest::newRow("scene") << "scene"
                               << "" << true << false;
        // One player for three screens of three sizes, two seams.
        QTest::newRow("video on three screens") << "video"
                                                << "pattern.mkv" << true << true;
    }
    void spanningSeamsAreContinuous()
    {
        QFETCH(QString, kind);
        QFETCH(QString, file);
        QFETCH(bool, serverScaling);
        QFETCH(bool, threeScreens);
        ScaledDrawable::setServerScalingAllowedForTesting(serverScaling);
        auto restore = qScopeGuard([this] { removeMonitors(); });
        if (!QFile::exists(media(QStringLiteral("pattern.png")))) {
            // Diagonal stripes of strong colours, smaller than the screen so
            // that every part is scaled: any shift at a seam shows.
            QImage pattern(1280, 720, QImage::Format_RGB32);
            const QRgb colours[] = {qRgb(255, 0, 0),   qRgb(0, 200, 0), qRgb(0, 0, 255),
                                    qRgb(255, 255, 0), qRgb(0, 0, 0),   qRgb(255, 255, 255)};
            for (int y = 0; y < pattern.height(); ++y) {
                auto* row = reinterpret_cast<QRgb*>(pattern.scanLine(y));
                for (int x = 0; x < pattern.width(); ++x)
                    row[x] = colours[((x + 2 * y) / 10) % 6];
            }
            QVERIFY(pattern.save(media(QStringLiteral("pattern.png"))));
            QVERIFY(ffmpeg({QStringLiteral("-loop"), QStringLiteral("1"), QStringLiteral("-i"),
                            media(QStringLiteral("pattern.png")), QStringLiteral("-t"), QStringLiteral("1"),
                            QStringLiteral("-r"), QStringLiteral("10"), QStringLiteral("-c:v"),
                            QStringLiteral("libx264"), QStringLiteral("-qp"), QStringLiteral("0"),
                            QStringLiteral("-pix_fmt"), QStringLiteral("yuv444p"),
                            media(QStringLiteral("pattern.mkv"))}));
        }
        state().setSpanScreens(true);
        // A scene stands still at one moment and is drawn at every screen's
        // own size.
        state().setRenderQuality(1920);
        state().setSceneIndex(0);
        WallpaperRenderer::pinAnimationTimeForTesting(12.5);
        auto unpin = qScopeGuard([] { WallpaperRenderer::pinAnimationTimeForTesting(std::nullopt); });
        const QImage whole = showAndCapture(kind, file);
        QVERIFY(!whole.isNull());

        // A tall screen on the left and a smaller one on the right, lower down;
        // or three screens, the middle one shorter and lower.
        struct Seam
        {
            int x;
            QRect rows; // the rows both sides of the seam show
        };
        QList<Seam> seams;
        QRect smaller;
        if (threeScreens) {
            setMonitors({QStringLiteral("xrandr --setmonitor left 800/212x1080/286+0+0 screen"),
                         QStringLiteral("xrandr --setmonitor middle 640/169x720/190+800+180 none"),
                         QStringLiteral("xrandr --setmonitor right 480/127x1080/286+1440+0 none")},
                        3);
            seams = {{800, QRect(0, 180, 1, 720)}, {1440, QRect(0, 180, 1, 720)}};
            smaller = QRect(800, 180, 640, 720);
        } else {
            setMonitors({QStringLiteral("xrandr --setmonitor left 1200/318x1080/286+0+0 screen"),
                         QStringLiteral("xrandr --setmonitor right 720/190x600/159+1200+240 none")},
                        2);
            seams = {{1200, QRect(0, 240, 1, 600)}};
            smaller = QRect(1200, 240, 720, 600);
        }
        const QImage split = showAndCapture(kind, file);
        QVERIFY(!split.isNull());
        QCOMPARE(m_controller->windowCount(), threeScreens ? 3 : 2);
        if (kind == QLatin1String("video"))
            QCOMPARE(m_controller->videoViews().size(), 1);

        for (const Seam& seam : std::as_const(seams)) {
            auto column = [&](const QImage& image, int x) { return image.copy(seam.rows.translated(x, 0)); };
            // The stripes tell columns apart: a few pixels over, a column
            // differs. (A scene is smooth; its whole screen is compared below.)
            if (kind != QLatin1String("scene"))
                QVERIFY(meanDifference(column(whole, seam.x - 1), column(whole, seam.x + 5)) > 40);
            for (const int x : {seam.x - 2, seam.x - 1, seam.x, seam.x + 1}) {
                double best = 255;
                for (const int shift : {-1, 0, 1})
                    best = std::min(best, meanDifference(column(split, x), column(whole, x + shift)));
                QVERIFY2(best < 12, qPrintable(QStringLiteral("column %1 differs by %2").arg(x).arg(best)));
            }
        }
        // The smaller screen shows the picture's part under it, not a picture
        // of its own.
        QVERIFY(meanDifference(split.copy(smaller), whole.copy(smaller)) < 12);
        // The left screen's bottom edge is not a seam but its own frame: its
        // last rows are the picture's.
        QVERIFY(meanDifference(split.copy(0, 1070, seams.first().x, 10),
                               whole.copy(0, 1070, seams.first().x, 10)) < 12);
    }

    // A folder plays its files in turn: a picture for slideMinutes (the
    // clock faked), the next at once on `nivora ctl next`, a file that
    // cannot be read stepped over, files removed while shown passed by at
    // once, and an emptied folder leaves the scene, never a black desktop,
    // until a file comes back.
    void folderPlaysItsFilesInTurn()
    {
        QTemporaryDir tmp;
        QDir folder(tmp.path());
        const auto picture = [&folder](const QString& name, const QColor& colour) {
            QImage image(320, 180, QImage::Format_RGB32);
            image.fill(colour);
            return image.save(folder.filePath(name), "PNG");
        };
        QVERIFY(picture(QStringLiteral("1-red.png"), Qt::red));
        QVERIFY(picture(QStringLiteral("2-blue.png"), Qt::blue));
        QVERIFY(
            QFile::copy(media(QStringLiteral("wide.mp4")), folder.filePath(QStringLiteral("3-clip.mp4"))));
        QVERIFY(
            QFile::copy(media(QStringLiteral("notes.png")), folder.filePath(QStringLiteral("0-notes.png"))));
        QVERIFY(QFile::copy(media(QStringLiteral("portrait.png")),
                            folder.filePath(QStringLiteral("read-me.txt"))));
        const QString path = tmp.path();
        const QRect middle(760, 400, 400, 280);
        ControlCommands ctl(state(), nullptr, [] { return QJsonObject(); });
        state().setSceneIndex(3);
        state().setSlideMinutes(7);

        start(WallpaperMode::Image, path);
        QCOMPARE(m_controller->slideShown(path), folder.filePath(QStringLiteral("1-red.png")));
        QCOMPARE(m_controller->imageViews().size(), 1);
        QCOMPARE(m_controller->slideInterval(path), 7 * 60 * 1000);
        QCOMPARE(m_controller->statusJson()
                     .value(QStringLiteral("windows"))
                     .toArray()
                     .first()
                     .toObject()
                     .value(QStringLiteral("media"))
                     .toString(),
                 folder.filePath(QStringLiteral("1-red.png")));
        QVERIFY(QTest::qWaitForWindowExposed(m_controller->windows().first()));
        QTRY_VERIFY(near(averageColor(screenImage(), middle), QColor(255, 0, 0), 20));

        // Its time is up: the next picture, given its own time.
        m_controller->expireSlidesForTesting();
        QTRY_COMPARE(m_controller->slideShown(path), folder.filePath(QStringLiteral("2-blue.png")));
        QTRY_VERIFY(near(averageColor(screenImage(), middle), QColor(0, 0, 255), 20));
        QCOMPARE(m_controller->slideInterval(path), 7 * 60 * 1000);

        // `ctl next` goes on to the video, which plays, and leaves the scene be.
        QCOMPARE(ctl.handle(QStringLiteral("next"), {}).status, 0);
        QTRY_COMPARE(m_controller->videoViews().size(), 1);
        QCOMPARE(m_controller->slideShown(path), folder.filePath(QStringLiteral("3-clip.mp4")));
        QTRY_VERIFY_WITH_TIMEOUT(m_controller->videoViews().first()->framesDrawn() > 2, 20000);
        QCOMPARE(state().sceneIndex(), 3);

        // Removed while the video plays: the red picture never comes; then
        // the blue one goes while it is shown, and the next file comes at
        // once, its time not waited for.
        QVERIFY(folder.remove(QStringLiteral("1-red.png")));
        QVERIFY(m_controller->nextSlide());
        QTRY_COMPARE(m_controller->slideShown(path), folder.filePath(QStringLiteral("2-blue.png")));
        QTRY_COMPARE(m_controller->imageViews().size(), 1);
        QVERIFY(folder.remove(QStringLiteral("2-blue.png")));
        QTRY_COMPARE(m_controller->slideShown(path), folder.filePath(QStringLiteral("3-clip.mp4")));
        QTRY_COMPARE(m_controller->videoViews().size(), 1);

        // Emptied while the video plays: the scene at once.
        for (const QString& name : folder.entryList(QDir::Files))
            QVERIFY(folder.remove(name));
        QTRY_COMPARE(m_controller->renderViews().size(), 1);
        QCOMPARE(m_controller->windowCount(), 1);
        QCOMPARE(m_controller->slideShown(path), QString());
        QVERIFY(QTest::qWaitForWindowExposed(m_controller->windows().first()));
        QTRY_VERIFY(!isBlack(averageColor(screenImage(), QRect(0, 0, 1920, 1080))));
        QCOMPARE(state().mediaPath(), path);

        // The empty folder is still looked at when its time is up (where it
        // cannot be watched), but a file dropped in shows without waiting.
        QVERIFY(m_controller->slideInterval(path) > 0);
        QVERIFY(picture(QStringLiteral("4-green.png"), Qt::green));
        QTRY_COMPARE(m_controller->imageViews().size(), 1);
        QCOMPARE(m_controller->slideShown(path), folder.filePath(QStringLiteral("4-green.png")));
        QTRY_VERIFY(near(averageColor(screenImage(), middle), QColor(0, 255, 0), 20));

        // One picture gives way to the next over a fade, drawn from the one
        // shown before (its length drawn out here, so that it is seen).
        m_controller->setSlideFadeForTesting(10 * 60 * 1000);
        QVERIFY(picture(QStringLiteral("5-yellow.png"), Qt::yellow));
        m_controller->expireSlidesForTesting();
        QTRY_COMPARE(m_controller->slideShown(path), folder.filePath(QStringLiteral("5-yellow.png")));
        QTRY_COMPARE(m_controller->imageViews().size(), 1);
        QVERIFY(m_controller->imageViews().first()->isFading());
        QTest::qWait(300);
        QVERIFY(near(averageColor(screenImage(), middle), QColor(0, 255, 0), 20));
        // An animation comes over the picture too, playing as it does.
        QVERIFY(
            QFile::copy(media(QStringLiteral("anim.gif")), folder.filePath(QStringLiteral("6-anim.gif"))));
        m_controller->expireSlidesForTesting();
        QTRY_COMPARE(m_controller->slideShown(path), folder.filePath(QStringLiteral("6-anim.gif")));
        QTRY_COMPARE(m_controller->imageViews().size(), 1);
        ImageWallpaperView* anim = m_controller->imageViews().first();
        QVERIFY(anim->isAnimated());
        QVERIFY(anim->isFading());
        const int frames = anim->framesShown();
        QTest::qWait(600);
        QVERIFY(anim->framesShown() > frames);
        QVERIFY(near(averageColor(screenImage(), middle), QColor(255, 255, 0), 20));
        m_controller->setSlideFadeForTesting(1000);

        // In scene mode `ctl next` steps the scene as before.
        state().setWallpaperMode(WallpaperMode::Scene);
        QCOMPARE(ctl.handle(QStringLiteral("next"), {}).status, 0);
        QCOMPARE(state().sceneIndex(), 4);
        QTRY_COMPARE(m_controller->renderViews().size(), 1);
        QCOMPARE(m_controller->slideInterval(path), -1);
    }

    // A folder's video whose time is up plays its pass to the last frame:
    // not cut short, and not begun again before the next file comes; the
    // next video takes over from that frame with no black between them.
    void folderVideoEndsOnItsLastFrame_data() { addScalingWays(); }
    void folderVideoEndsOnItsLastFrame()
    {
        QFETCH(bool, serverScaling);
        ScaledDrawable::setServerScalingAllowedForTesting(serverScaling);
        QTemporaryDir tmp;
        QDir folder(tmp.path());
        // Red, then green for its last half second.
        QVERIFY(ffmpeg({QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
                        QStringLiteral("color=red:s=320x180:r=30:d=3"), QStringLiteral("-vf"),
                        QStringLiteral("drawbox=color=green:t=fill:enable='gte(n,75)'"),
                        QStringLiteral("-c:v"), QStringLiteral("libx264"), QStringLiteral("-pix_fmt"),
                        QStringLiteral("yuv420p"), folder.filePath(QStringLiteral("1-clip.mp4"))}));
        QVERIFY(ffmpeg({QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
                        QStringLiteral("color=blue:s=320x180:r=30:d=3"), QStringLiteral("-c:v"),
                        QStringLiteral("libx264"), QStringLiteral("-pix_fmt"), QStringLiteral("yuv420p"),
                        folder.filePath(QStringLiteral("2-blue.mp4"))}));
        const QString clip = folder.filePath(QStringLiteral("1-clip.mp4"));
        const QRect middle(760, 400, 400, 280);

        start(WallpaperMode::Video, tmp.path());
        QCOMPARE(m_controller->slideShown(tmp.path()), clip);
        QTRY_COMPARE(m_controller->videoViews().size(), 1);
        VideoWallpaperView* video = m_controller->videoViews().first();
        QTRY_VERIFY_WITH_TIMEOUT(video->framesDrawn() > 2 && video->property("time-pos").toDouble() < 1.5,
                                 20000);
        m_controller->expireSlidesForTesting();
        QTest::qWait(200);
        QCOMPARE(m_controller->slideShown(tmp.path()), clip);

        bool sawGreen = false;
        QColor last;
        QElapsedTimer waited;
        waited.start();
        while (m_controller->slideShown(tmp.path()) == clip && waited.elapsed() < 15000) {
            const QColor shown = averageColor(screenImage(), middle);
            if (m_controller->slideShown(tmp.path()) != clip)
                break;
            last = shown;
            sawGreen = sawGreen || near(shown, QColor(0, 128, 0), 40);
            QTest::qWait(20);
        }
        QCOMPARE(m_controller->slideShown(tmp.path()), folder.filePath(QStringLiteral("2-blue.mp4")));
        QVERIFY2(sawGreen, "the pass was cut before its last frames");
        QVERIFY2(near(last, QColor(0, 128, 0), 40), qPrintable(last.name()));
        // The last frame stays until the next video's first one.
        waited.restart();
        while (waited.elapsed() < 15000) {
            const QColor shown = averageColor(screenImage(), middle);
            if (near(shown, QColor(0, 0, 255), 30))
                break;
            QVERIFY2(near(shown, QColor(0, 128, 0), 40), qPrintable(shown.name()));
            QTest::qWait(10);
        }
        // At that first frame, not once the wait for it ran out (3 s).
        QVERIFY2(waited.elapsed() < 2500, qPrintable(QString::number(waited.elapsed())));
        QTRY_VERIFY(near(averageColor(screenImage(), middle), QColor(0, 0, 255), 30));
        // The one it took over from is gone with its window and player.
        QTRY_COMPARE(m_controller->windowsGoing(), 0);
        QTRY_COMPARE(countThreads(QStringLiteral("nv-video")), serverScaling ? 1 : 0);

        // Alone in its folder, the video follows itself and goes on playing.
        QVERIFY(folder.remove(QStringLiteral("2-blue.mp4")));
        QTRY_COMPARE(m_controller->slideShown(tmp.path()), clip);
        QTRY_COMPARE(m_controller->videoViews().size(), 1);
        video = m_controller->videoViews().first();
        QTRY_VERIFY_WITH_TIMEOUT(video->framesDrawn() > 2 && video->property("time-pos").toDouble() < 1.5,
                                 20000);
        QSignalSpy ended(video, &VideoWallpaperView::passEnded);
        m_controller->expireSlidesForTesting();
        QVERIFY(ended.wait(10000));
        QTRY_COMPARE(m_controller->videoViews().size(), 1);
        QCOMPARE(m_controller->videoViews().first(), video);
        const quint64 drawn = video->framesDrawn();
        QTRY_VERIFY(video->framesDrawn() > drawn + 30);
    }

    void teardownReleasesThePlayers_data() { addScalingWays(); }
    void teardownReleasesThePlayers()
    {
        QFETCH(bool, serverScaling);
        ScaledDrawable::setServerScalingAllowedForTesting(serverScaling);
        auto restore = qScopeGuard([] { ScaledDrawable::setServerScalingAllowedForTesting(true); });
        start(WallpaperMode::Video, media(QStringLiteral("wide.mp4")));
        QCOMPARE(m_controller->videoViews().size(), 1);
        VideoWallpaperView* video = m_controller->videoViews().first();
        QTRY_VERIFY_WITH_TIMEOUT(video->framesDrawn() > 2, 20000);
        // Frames converted on the processor are drawn on a thread of their own.
        QCOMPARE(countThreads(QStringLiteral("nv-video")), serverScaling ? 1 : 0);
        state().setIsRunning(false);
        QTRY_COMPARE(m_controller->windowCount(), 0);
        QCOMPARE(m_controller->videoViews().size(), 0);
        // mpv's threads, and ours, end with the player.
        QTRY_COMPARE(countThreads(QStringLiteral("mpv")), 0);
        QCOMPARE(countThreads(QStringLiteral("nv-video")), 0);
        // And libmpv's code leaves the process a little later; the next
        // video maps it again and plays.
        QTRY_VERIFY_WITH_TIMEOUT(!libmpvMapped(), 10000);
        state().setIsRunning(true);
        QTRY_COMPARE(m_controller->videoViews().size(), 1);
        QVERIFY(libmpvMapped());
        QTRY_VERIFY_WITH_TIMEOUT(m_controller->videoViews().first()->framesDrawn() > 2, 20000);
    }
};

int main(int argc, char** argv)
{
    WallpaperRenderer::configureApplication();
    registerImageFormats();
    QGuiApplication app(argc, argv);
    TestMediaWallpaper test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_media_wallpaper.moc"
