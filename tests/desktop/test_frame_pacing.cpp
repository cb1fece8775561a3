// Frame pacing, display links, screen identity and the controller's sizing and
// frame-rate rules: the parts of the desktop wallpaper that are pure logic.
#include "desktop/FramePacer.h"
#include "desktop/FrameRateMeter.h"
#include "desktop/WallpaperController.h"
#include "platform/ScreenInfo.h"
#include "platform/ThreadedDisplayLink.h"
#include "platform/fake/FakeDisplayLink.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <atomic>
#include <thread>

using namespace nivora;

class TestFramePacing : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void divisor_data()
    {
        QTest::addColumn<int>("refresh");
        QTest::addColumn<int>("fps");
        QTest::addColumn<int>("expected");
        QTest::newRow("60 Hz at 24 fps") << 60 << 24 << 3; // 2.5 rounds away from zero
        QTest::newRow("120 Hz at 30 fps") << 120 << 30 << 4;
        QTest::newRow("60 Hz at 120 fps") << 60 << 120 << 1;
        QTest::newRow("60 Hz at 60 fps") << 60 << 60 << 1;
        QTest::newRow("60 Hz at 30 fps") << 60 << 30 << 2;
        QTest::newRow("fps 0 counts as 1") << 60 << 0 << 60;
        QTest::newRow("negative fps counts as 1") << 60 << -5 << 60;
        QTest::newRow("refresh 0 counts as 1") << 0 << 30 << 1;
        QTest::newRow("144 Hz at 60 fps") << 144 << 60 << 2;
        QTest::newRow("75 Hz at 30 fps") << 75 << 30 << 3; // 2.5 again
    }
    void divisor()
    {
        QFETCH(int, refresh);
        QFETCH(int, fps);
        QFETCH(int, expected);
        QCOMPARE(FramePacer::divisor(refresh, fps), expected);
    }

    void nominalRefreshRate_data()
    {
        QTest::addColumn<double>("hertz");
        QTest::addColumn<int>("expected");
        QTest::newRow("59.94") << 59.94 << 60;
        QTest::newRow("143.9") << 143.9 << 144;
        QTest::newRow("zero means unknown") << 0.0 << 60;
        QTest::newRow("1 Hz or less is not believed") << 1.0 << 60;
        QTest::newRow("not a number") << qQNaN() << 60;
    }
    void nominalRefreshRate()
    {
        QFETCH(double, hertz);
        QFETCH(int, expected);
        QCOMPARE(FramePacer::nominalRefreshRate(hertz), expected);
    }

    void targetBelowOneIsStoredAsOne()
    {
        FramePacer pacer(0, 60);
        QCOMPARE(pacer.targetFPS(), 1);
        pacer.setTargetFPS(-3);
        QCOMPARE(pacer.targetFPS(), 1);
        int frames = 0;
        for (int i = 0; i < 120; ++i) {
            if (pacer.tick()) {
                ++frames;
                pacer.frameStarted();
            }
        }
        QCOMPARE(frames, 2); // one frame per second of 60 Hz ticks
    }

    void framesFollowTheDivisor()
    {
        FramePacer pacer(24, 60);
        QList<int> drawnAt;
        for (int i = 1; i <= 12; ++i) {
            if (pacer.tick()) {
                drawnAt << i;
                pacer.frameStarted();
            }
        }
        QCOMPARE(drawnAt, (QList<int>{3, 6, 9, 12}));
    }

    void ticksWhileInFlightAreNotCounted()
    {
        FramePacer pacer(30, 60); // divisor 2
        QVERIFY(!pacer.tick());
        QVERIFY(pacer.tick()); // frame 1 starts
        QVERIFY(pacer.isInFlight());
        const qint64 counted = pacer.frameCounter();
        for (int i = 0; i < 5; ++i)
            QVERIFY(!pacer.tick()); // dropped: still rendering
        QCOMPARE(pacer.frameCounter(), counted);
        pacer.frameStarted();
        QVERIFY(!pacer.tick());
        QVERIFY(pacer.tick());
    }

    void aFrameWaitsWhileAnotherIsDrawn()
    {
        // The render thread takes frame 1 up at once and needs longer than a
        // frame period for it: the ticks meanwhile still count, frame 2 is
        // asked for on time, and only then are ticks dropped until the render
        // thread takes frame 2 up.
        FramePacer pacer(30, 60); // divisor 2
        QVERIFY(!pacer.tick());
        QVERIFY(pacer.tick()); // frame 1 asked for
        pacer.frameStarted();  // and taken up; still being drawn
        QVERIFY(!pacer.isInFlight());
        QVERIFY(!pacer.tick());
        QVERIFY(pacer.tick()); // frame 2 asked for while frame 1 is drawn
        const qint64 counted = pacer.frameCounter();
        QVERIFY(!pacer.tick()); // dropped: frame 2 waits
        QVERIFY(!pacer.tick());
        QCOMPARE(pacer.frameCounter(), counted);
        pacer.frameStarted();
        QVERIFY(!pacer.tick());
        QVERIFY(pacer.tick());
    }

    void aLinkSleepingBetweenFramesWakesOncePerFrame()
    {
        // The link sleeps as many refreshes as the pacer asks. Frame 1 is
        // taken up late, after the tick of frame 2 was due: that tick is
        // dropped, and the link sleeps a whole divisor again rather than
        // waking at each refresh until the frame is taken up. Frames stay on
        // the divisor's grid.
        FramePacer pacer(20, 60); // divisor 3
        QList<int> wakes;
        QList<int> frames;
        int refresh = 0;
        int asked = 1;
        int takenUpAt = -1;
        while (refresh < 15) {
            refresh += asked;
            if (pacer.isInFlight() && refresh >= takenUpAt)
                pacer.frameStarted();
            wakes << refresh;
            if (pacer.tick(asked)) {
                frames << refresh;
                takenUpAt = frames.size() == 1 ? refresh + 4 : refresh;
            }
            asked = pacer.refreshesToNextFrame();
        }
        QCOMPARE(frames, (QList<int>{3, 9, 12, 15}));
        QCOMPARE(wakes, (QList<int>{1, 3, 6, 9, 12, 15}));
    }

    void ticksWhilePausedAreNotCountedAndResumeIsPrompt()
    {
        FramePacer pacer(20, 60); // divisor 3
        QVERIFY(!pacer.tick());   // counter 1
        pacer.setPaused(true);
        for (int i = 0; i < 10; ++i)
            QVERIFY(!pacer.tick());
        QCOMPARE(pacer.frameCounter(), 1);
        pacer.setPaused(false);
        int waited = 0;
        while (!pacer.tick())
            ++waited;
        QVERIFY2(waited < 3, "the first frame after resuming comes within one divisor of ticks");
    }

    void fakeLinkDoesNotTickWhileStopped()
    {
        FakeDisplayLink link(60);
        int calls = 0;
        link.setTickHandler([&calls] { ++calls; });
        QVERIFY(!link.tick());
        link.start();
        QVERIFY(link.tick());
        link.stop();
        QVERIFY(!link.tick());
        QCOMPARE(calls, 1);
    }

    void threadedLinkTicksOnANamedThreadAndStopsCompletely()
    {
        ThreadedDisplayLink link(200.0, QStringLiteral("nv-vsync-7"));
        std::atomic<int> calls{0};
        std::atomic<bool> sawName{false};
        link.setTickHandler([&] {
            char name[32] = {};
            pthread_getname_np(pthread_self(), name, sizeof name);
            if (QByteArray(name) == "nv-vsync-7")
                sawName = true;
            ++calls;
        });
        QCOMPARE(link.refreshRate(), 200.0);
        QVERIFY(link.start());
        QTRY_VERIFY_WITH_TIMEOUT(calls.load() >= 10, 5000);
        QVERIFY(sawName.load());
        link.stop();
        QVERIFY(!link.isRunning());
        const int afterStop = calls.load();
        QTest::qWait(100);
        QCOMPARE(calls.load(), afterStop);
        // And it starts again.
        link.start();
        QTRY_VERIFY_WITH_TIMEOUT(calls.load() > afterStop, 5000);
    }

    void threadedLinkStopsPromptlyAtLowRates()
    {
        // A 1.1 Hz link sleeps most of a second between ticks; stop() must wake
        // it rather than wait for the deadline.
        ThreadedDisplayLink link(1.1, QStringLiteral("nv-vsync-slow"));
        link.setTickHandler([] {});
        link.start();
        QElapsedTimer timer;
        timer.start();
        link.stop();
        QVERIFY(timer.elapsed() < 800);
    }

    void meterCountsFramesInTheWindow()
    {
        FrameRateMeter meter(2.0);
        for (int i = 0; i < 60; ++i)
            meter.record(100.0 + i / 30.0); // 30 fps for two seconds
        QCOMPARE(meter.rate(102.0), 30.0);
        QCOMPARE(meter.rate(110.0), 0.0);
        QCOMPARE(meter.total(), 60ull);
    }

    void displayIdentifierIsStable()
    {
        QCOMPARE(displayIdentifier(QString()), 0u);
        QCOMPARE(displayIdentifier(QStringLiteral("DP-1")), displayIdentifier(QStringLiteral("DP-1")));
        QVERIFY(displayIdentifier(QStringLiteral("DP-1")) != displayIdentifier(QStringLiteral("DP-2")));
        QVERIFY(displayIdentifier(QStringLiteral("screen")) != 0u);
        // Pinned so that stored display sets stay valid across versions.
        QCOMPARE(displayIdentifier(QStringLiteral("a")), 0xe40c292cu);
    }

    void signature()
    {
        ScreenInfo a;
        a.displayID = 1;
        a.frame = QRect(0, 0, 1512, 982);
        ScreenInfo b;
        b.displayID = 2;
        b.frame = QRect(1512, -100, 1920, 1080);
        QCOMPARE(displaySignature({a}), QStringList{QStringLiteral("1|0,0,1512,982")});
        QCOMPARE(displaySignature({a, b}),
                 (QStringList{QStringLiteral("1|0,0,1512,982"), QStringLiteral("2|1512,-100,1920,1080")}));
        QVERIFY(displaySignature({a, b}) != displaySignature({b, a}));
    }

    void pixelSize_data()
    {
        QTest::addColumn<QSizeF>("screen");
        QTest::addColumn<qint64>("quality");
        QTest::addColumn<QSize>("expected");
        QTest::newRow("720") << QSizeF(1512, 982) << qint64(720) << QSize(720, 468);
        QTest::newRow("1080") << QSizeF(1512, 982) << qint64(1080) << QSize(1080, 701);
        QTest::newRow("1440") << QSizeF(1512, 982) << qint64(1440) << QSize(1440, 935);
        QTest::newRow("1920 capped at the screen") << QSizeF(1512, 982) << qint64(1920) << QSize(1512, 982);
        QTest::newRow("below 480 counts as 480") << QSizeF(1920, 1080) << qint64(100) << QSize(480, 270);
        QTest::newRow("negative quality") << QSizeF(1920, 1080) << qint64(-1) << QSize(480, 270);
        QTest::newRow("tiny screen") << QSizeF(10, 10) << qint64(1080) << QSize(16, 16);
        QTest::newRow("portrait") << QSizeF(1080, 1920) << qint64(960) << QSize(540, 960);
        QTest::newRow("empty screen") << QSizeF(0, 0) << qint64(1080) << QSize(16, 16);
    }
    void pixelSize()
    {
        QFETCH(QSizeF, screen);
        QFETCH(qint64, quality);
        QFETCH(QSize, expected);
        QCOMPARE(WallpaperController::pixelSize(screen, quality), expected);
    }

    void effectiveFPS_data()
    {
        QTest::addColumn<qint64>("fps");
        QTest::addColumn<bool>("saver");
        QTest::addColumn<bool>("lowPower");
        QTest::addColumn<qint64>("expected");
        QTest::newRow("saver and low power: 60 runs at 30") << qint64(60) << true << true << qint64(30);
        QTest::newRow("saver and low power: 24 stays") << qint64(24) << true << true << qint64(24);
        QTest::newRow("saver and low power: 30 stays") << qint64(30) << true << true << qint64(30);
        QTest::newRow("saver without low power") << qint64(60) << true << false << qint64(60);
        QTest::newRow("low power without saver") << qint64(60) << false << true << qint64(60);
    }
    void effectiveFPS()
    {
        QFETCH(qint64, fps);
        QFETCH(bool, saver);
        QFETCH(bool, lowPower);
        QFETCH(qint64, expected);
        QCOMPARE(WallpaperController::effectiveFPS(fps, saver, lowPower), expected);
    }
};

QTEST_GUILESS_MAIN(TestFramePacing)
#include "test_frame_pacing.moc"
