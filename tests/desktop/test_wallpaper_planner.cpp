// What each screen's wallpaper is to be, worked out without a display: where
// it lies, the canvas media is laid over, the size a scene is drawn at, and
// which wallpapers a change of the settings or the screens lets stay.
#include "desktop/WallpaperPlanner.h"

#include <QTest>
#include <cmath>

using namespace nivora;
using Request = WallpaperPlanner::Request;
using Settings = WallpaperPlanner::Settings;

Q_DECLARE_METATYPE(WallpaperPlanner::Request)
Q_DECLARE_METATYPE(WallpaperPlanner::Settings)

namespace {

Request request(int output, QRect frame, WallpaperMode mode = WallpaperMode::Scene, const QString& path = {},
                double scale = 1.0)
{
    Request r;
    r.screen.name = QStringLiteral("DP-%1").arg(output);
    r.screen.displayID = displayIdentifier(r.screen.name);
    r.screen.frame = frame;
    r.scale = scale;
    r.mode = mode;
    r.shown = mode;
    r.mediaPath = path;
    return r;
}

// A playlist or an address, which the player must not open.
Request refused(Request r)
{
    r.shown = WallpaperMode::Scene;
    return r;
}

// An image the scene stands in for.
Request unreadable(Request r)
{
    r.shown = WallpaperMode::Scene;
    return r;
}

Settings settings(qint64 quality, bool span = false, bool x11 = true)
{
    Settings s;
    s.renderQuality = quality;
    s.spanScreens = span;
    s.deviceLayout = x11;
    s.scaledPixels = x11;
    return s;
}

bool near(const QRectF& a, const QRectF& b)
{
    const auto same = [](double x, double y) { return std::abs(x - y) < 1e-9; };
    return a.isNull() == b.isNull() && same(a.x(), b.x()) && same(a.y(), b.y()) &&
           same(a.width(), b.width()) && same(a.height(), b.height());
}

const QRect left(0, 0, 1920, 1080);
const QRect right(1920, 0, 1920, 1080);

} // namespace

class TestWallpaperPlanner : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void layout_data()
    {
        QTest::addColumn<QList<Request>>("requests");
        QTest::addColumn<Settings>("settings");
        QTest::addColumn<QRect>("span");
        QTest::addColumn<QList<QRect>>("frames");
        QTest::addColumn<QList<QRectF>>("sceneCanvases");
        QTest::addColumn<QList<QRectF>>("imageParts");
        QTest::addColumn<QList<QSize>>("pixelSizes");

        const QRectF whole(0, 0, 1, 1);
        QTest::newRow("one screen, drawn at the quality")
            << QList<Request>{request(1, QRect(0, 0, 2560, 1440))} << settings(1080) << QRect()
            << QList<QRect>{QRect(0, 0, 2560, 1440)} << QList<QRectF>{whole} << QList<QRectF>{QRectF()}
            << QList<QSize>{QSize(1080, 608)};
        QTest::newRow("two screens, each its own canvas")
            << QList<Request>{request(1, left, WallpaperMode::Image, "/p.png"),
                              request(2, right, WallpaperMode::Image, "/p.png")}
            << settings(1920) << QRect() << QList<QRect>{left, right} << QList<QRectF>{whole, whole}
            << QList<QRectF>{QRectF(), QRectF()} << QList<QSize>{QSize(1920, 1080), QSize(1920, 1080)};
        QTest::newRow("two screens spanned by one canvas")
            << QList<Request>{request(1, left, WallpaperMode::Image, "/p.png"),
                              request(2, right, WallpaperMode::Image, "/p.png")}
            << settings(1920, true) << QRect(0, 0, 3840, 1080) << QList<QRect>{left, right}
            << QList<QRectF>{QRectF(0, 0, 2, 1), QRectF(-1, 0, 2, 1)}
            << QList<QRectF>{QRectF(0, 0, 0.5, 1), QRectF(0.5, 0, 0.5, 1)}
            << QList<QSize>{QSize(1920, 1080), QSize(1920, 1080)};
        QTest::newRow("X11 lays a scaled screen out in device pixels")
            << QList<Request>{request(1, QRect(0, 0, 1280, 720), WallpaperMode::Scene, {}, 2.0)}
            << settings(4000) << QRect() << QList<QRect>{QRect(0, 0, 2560, 1440)} << QList<QRectF>{whole}
            << QList<QRectF>{QRectF()} << QList<QSize>{QSize(2560, 1440)};
        QTest::newRow("a desktop surface keeps logical units, the compositor scales")
            << QList<Request>{request(1, QRect(0, 0, 1280, 720), WallpaperMode::Scene, {}, 2.0)}
            << settings(4000, false, false) << QRect() << QList<QRect>{QRect(0, 0, 1280, 720)}
            << QList<QRectF>{whole} << QList<QRectF>{QRectF()} << QList<QSize>{QSize(1280, 720)};
        QTest::newRow("a scaled and a plain screen spanned in device pixels")
            << QList<Request>{request(1, QRect(0, 0, 1280, 720), WallpaperMode::Video, "/v.mp4", 2.0),
                              request(2, QRect(2560, 0, 1920, 1080), WallpaperMode::Video, "/v.mp4")}
            << settings(4000, true) << QRect(0, 0, 4480, 1440)
            << QList<QRect>{QRect(0, 0, 2560, 1440), QRect(2560, 0, 1920, 1080)}
            << QList<QRectF>{QRectF(0, 0, 1.75, 1), QRectF(-4.0 / 3, 0, 7.0 / 3, 4.0 / 3)}
            << QList<QRectF>{QRectF(0, 0, 2560.0 / 4480, 1), QRectF(2560.0 / 4480, 0, 1920.0 / 4480, 0.75)}
            << QList<QSize>{QSize(2560, 1440), QSize(1920, 1080)};
        QTest::newRow("a refused video shows the scene across the span")
            << QList<Request>{refused(request(1, left, WallpaperMode::Video, "/list.m3u")), request(2, right)}
            << settings(1920, true) << QRect(0, 0, 3840, 1080) << QList<QRect>{left, right}
            << QList<QRectF>{QRectF(0, 0, 2, 1), QRectF(-1, 0, 2, 1)}
            << QList<QRectF>{QRectF(0, 0, 0.5, 1), QRectF(0.5, 0, 0.5, 1)}
            << QList<QSize>{QSize(1920, 1080), QSize(1920, 1080)};
    }
    void layout()
    {
        QFETCH(QList<Request>, requests);
        QFETCH(Settings, settings);
        QFETCH(QRect, span);
        QFETCH(QList<QRect>, frames);
        QFETCH(QList<QRectF>, sceneCanvases);
        QFETCH(QList<QRectF>, imageParts);
        QFETCH(QList<QSize>, pixelSizes);

        const WallpaperPlanner::Plan plan = WallpaperPlanner::plan(requests, settings);
        QCOMPARE(plan.spanCanvas, span);
        QCOMPARE(plan.screens.size(), frames.size());
        for (qsizetype i = 0; i < frames.size(); ++i) {
            const WallpaperPlanner::Screen& s = plan.screens[i];
            QCOMPARE(s.frame, frames[i]);
            QCOMPARE(s.mediaCanvas, span.isEmpty() ? frames[i] : span);
            QVERIFY2(near(s.sceneCanvas, sceneCanvases[i]),
                     qPrintable(QStringLiteral("scene canvas %1").arg(i)));
            QVERIFY2(near(s.imagePart, imageParts[i]), qPrintable(QStringLiteral("image part %1").arg(i)));
            QCOMPARE(s.pixelSize, pixelSizes[i]);
        }
    }

    void keeping_data()
    {
        QTest::addColumn<QList<Request>>("before");
        QTest::addColumn<Settings>("beforeSettings");
        QTest::addColumn<QList<Request>>("after");
        QTest::addColumn<Settings>("afterSettings");
        // Whether the screens were built as the scene in place of what they
        // asked for, their file having failed to decode.
        QTest::addColumn<bool>("fellBack");
        QTest::addColumn<QList<int>>("kept");
        QTest::addColumn<QList<int>>("awaitingVideo");

        const Request sceneA = request(1, left);
        const Request sceneB = request(2, right);
        const Request videoA = request(1, left, WallpaperMode::Video, "/v.mp4");
        const Request videoB = request(2, right, WallpaperMode::Video, "/v.mp4");
        const Request imageA = request(1, left, WallpaperMode::Image, "/p.png");
        const Request imageB = request(2, right, WallpaperMode::Image, "/p.png");
        const Settings q = settings(1080);
        QTest::newRow("nothing changed, everything kept")
            << QList<Request>{videoA, imageB} << q << QList<Request>{videoA, imageB} << q << false
            << QList<int>{0, 1} << QList<int>{};
        QTest::newRow("a scene's file is no reason to build it again")
            << QList<Request>{sceneA} << q
            << QList<Request>{request(1, left, WallpaperMode::Scene, "/other.png")} << q << false
            << QList<int>{0} << QList<int>{};
        QTest::newRow("a new quality builds every screen again")
            << QList<Request>{sceneA, imageB} << q << QList<Request>{sceneA, imageB} << settings(1440)
            << false << QList<int>{-1, -1} << QList<int>{};
        QTest::newRow("a screen moved is built again, the other kept")
            << QList<Request>{sceneA, sceneB} << q
            << QList<Request>{sceneA, request(2, right.translated(0, 100))} << q << false << QList<int>{0, -1}
            << QList<int>{};
        QTest::newRow("another picture on one screen keeps the other")
            << QList<Request>{imageA, imageB} << q
            << QList<Request>{imageA, request(2, right, WallpaperMode::Image, "/q.png")} << q << false
            << QList<int>{0, -1} << QList<int>{};
        QTest::newRow("a screen leaving a shared video takes the player's group with it")
            << QList<Request>{videoA, videoB} << q << QList<Request>{videoA, imageB} << q << false
            << QList<int>{-1, -1} << QList<int>{0};
        QTest::newRow("a screen joining a video builds its player again")
            << QList<Request>{videoA, imageB} << q << QList<Request>{videoA, videoB} << q << false
            << QList<int>{-1, -1} << QList<int>{0, 1};
        QTest::newRow("a screen added to a spanning wallpaper lays out the others again")
            << QList<Request>{imageA} << settings(1080, true) << QList<Request>{imageA, imageB}
            << settings(1080, true) << false << QList<int>{-1, -1} << QList<int>{};
        QTest::newRow("a screen added to separate wallpapers leaves the others")
            << QList<Request>{imageA} << q << QList<Request>{imageA, imageB} << q << false
            << QList<int>{0, -1} << QList<int>{};
        QTest::newRow("the scene standing in for a broken picture is kept while it stays broken")
            << QList<Request>{imageA} << q << QList<Request>{unreadable(imageA)} << q << true << QList<int>{0}
            << QList<int>{};
        QTest::newRow("two screens with the same key are not both given one wallpaper")
            << QList<Request>{sceneA} << q << QList<Request>{sceneA, sceneA} << q << false
            << QList<int>{0, -1} << QList<int>{};
    }
    void keeping()
    {
        QFETCH(QList<Request>, before);
        QFETCH(Settings, beforeSettings);
        QFETCH(QList<Request>, after);
        QFETCH(Settings, afterSettings);
        QFETCH(bool, fellBack);
        QFETCH(QList<int>, kept);
        QFETCH(QList<int>, awaitingVideo);

        QStringList built;
        for (const WallpaperPlanner::Screen& s : WallpaperPlanner::plan(before, beforeSettings).screens)
            built.append(fellBack ? s.sceneKey : s.key);
        const WallpaperPlanner::Plan plan = WallpaperPlanner::plan(after, afterSettings);
        const QList<int> keptAt = WallpaperPlanner::keep(plan, built);
        QCOMPARE(keptAt, kept);
        QSet<QString> awaiting;
        for (int i : awaitingVideo)
            awaiting.insert(displaySignatureEntry(after[i].screen));
        QCOMPARE(WallpaperPlanner::awaitingVideo(plan, keptAt), awaiting);
    }

    void enabledScreens_data()
    {
        QTest::addColumn<QList<quint32>>("enabled");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("none named: every screen") << QList<quint32>{} << QStringList{"DP-1", "DP-2"};
        QTest::newRow("one named") << QList<quint32>{displayIdentifier("DP-2")} << QStringList{"DP-2"};
        QTest::newRow("only a screen no longer there")
            << QList<quint32>{displayIdentifier("HDMI-1")} << QStringList{};
    }
    void enabledScreens()
    {
        QFETCH(QList<quint32>, enabled);
        QFETCH(QStringList, shown);
        const QList<ScreenInfo> screens{request(1, left).screen, request(2, right).screen};
        QStringList names;
        for (const ScreenInfo& s :
             WallpaperPlanner::enabledScreens(screens, QSet<quint32>(enabled.begin(), enabled.end())))
            names.append(s.name);
        QCOMPARE(names, shown);
    }
};

QTEST_GUILESS_MAIN(TestWallpaperPlanner)
#include "test_wallpaper_planner.moc"
