// The shell's views in this process on the test display: the loading dots'
// phase, the popover's controls and closing rules, its preview's life, and the
// splash window's corners with and without a compositing manager.
#include "AccessibleWindows.h"
#include "app/AppDelegate.h"
#include "app/ControlCommands.h"
#include "app/LoadingDots.h"
#include "app/MenuBarView.h"
#include "app/PopoverWindow.h"
#include "app/PreviewCard.h"
#include "app/RoundIconButton.h"
#include "app/SplashView.h"
#include "app/SplashWindow.h"
#include "design/PillToggle.h"
#include "design/SketchButton.h"
#include "design/Theme.h"
#include "model/SceneCatalog.h"
#include "platform/CompositorWatcher.h"
#include "scene/ScenePreview.h"
#include "scene/WallpaperRenderer.h"
#include "state/AppState.h"
#include "state/MediaStatus.h"

#include <QAccessible>
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

using namespace nivora;

namespace {

// The topmost painted row within each dot's column: a raised dot reaches
// higher than the others by its lift plus half its growth.
QList<int> dotTops(LoadingDots& dots)
{
    const QImage image = dots.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    // The corner is background: the dots never reach it.
    const QRgb background = image.pixel(0, 0);
    QList<int> tops;
    for (int i = 0; i < LoadingDots::count; ++i) {
        const double rowWidth = LoadingDots::count * LoadingDots::dotSize + 2 * LoadingDots::spacing;
        const int centre = int((image.width() - rowWidth) / 2 +
                               i * (LoadingDots::dotSize + LoadingDots::spacing) + LoadingDots::dotSize / 2);
        int top = image.height();
        for (int y = 0; y < image.height() && top == image.height(); ++y) {
            for (int x = centre - 3; x <= centre + 3; ++x) {
                if (image.pixel(x, y) != background) {
                    top = y;
                    break;
                }
            }
        }
        tops.append(top);
    }
    return tops;
}

// A full-screen plain window to see through transparent corners.
class Backdrop : public QWidget
{
public:
    explicit Backdrop(const QColor& colour)
        : QWidget(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnBottomHint)
    {
        QPalette p = palette();
        p.setColor(QPalette::Window, colour);
        setPalette(p);
        setAutoFillBackground(true);
        setGeometry(QGuiApplication::primaryScreen()->geometry());
    }
};

QColor screenPixel(const QPoint& at)
{
    const QImage shot = QGuiApplication::primaryScreen()->grabWindow(0, at.x(), at.y(), 1, 1).toImage();
    return shot.isNull() ? QColor() : QColor(shot.pixel(0, 0));
}

bool near(const QColor& a, const QColor& b, int tolerance = 12)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

} // namespace

class TestShellViews : public QObject
{
    Q_OBJECT

public:
    static void initMain()
    {
        static QTemporaryDir config;
        qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
        WallpaperRenderer::configureApplication();
    }

private Q_SLOTS:
    void loadingDotsRaiseExactlyOne();
    void chevronsWrapAndToggleFollowsStore();
    void popoverClosingRules();
    void previewDrawsOnlyWhileShown();
    void splashCornersWithoutCompositor();
    void splashCornersWithCompositor();
};

void TestShellViews::loadingDotsRaiseExactlyOne()
{
    // Several instants of a frozen clock and the dot each one makes active.
    struct Instant
    {
        double seconds;
        int active;
    };
    const QList<Instant> instants{{10.0, 0}, {10.34, 1}, {10.67, 2},      {11.0, 0},
                                  {11.4, 1}, {-0.1, 2},  {788918400.5, 1}};
    LoadingDots dots;
    dots.resize(dots.sizeHint());
    double now = 0;
    dots.setClock([&now] { return now; });
    dots.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dots));
    for (const Instant& instant : instants) {
        now = instant.seconds;
        dots.setClock([&now] { return now; });
        QCOMPARE(LoadingDots::activeDot(instant.seconds), instant.active);
        QCOMPARE(dots.active(), instant.active);
        // Once the springs settle exactly one dot is up, and it is drawn higher.
        QTRY_VERIFY(std::abs(dots.raise(instant.active) - 1.0) < 0.01);
        for (int i = 0; i < LoadingDots::count; ++i) {
            if (i != instant.active)
                QTRY_VERIFY(std::abs(dots.raise(i)) < 0.01);
        }
        const QList<int> tops = dotTops(dots);
        int raised = 0;
        for (int i = 0; i < LoadingDots::count; ++i) {
            const int othersTop = tops.at((i + 1) % 3);
            if (tops.at(i) + 6 <= othersTop && tops.at(i) + 6 <= tops.at((i + 2) % 3))
                ++raised;
        }
        QVERIFY2(raised == 1,
                 qPrintable(QStringLiteral("tops %1 %2 %3").arg(tops[0]).arg(tops[1]).arg(tops[2])));
        QVERIFY2(tops.at(instant.active) == *std::min_element(tops.begin(), tops.end()), "wrong dot raised");
    }

    // Two views on the wall clock agree on the dot.
    LoadingDots a;
    LoadingDots b;
    a.show();
    b.show();
    bool compared = false;
    for (int attempt = 0; attempt < 5 && !compared; ++attempt) {
        const int before = LoadingDots::activeDot(LoadingDots::secondsSinceReferenceDate());
        a.setClock({});
        b.setClock({});
        // Retry when a step boundary fell in between.
        if (LoadingDots::activeDot(LoadingDots::secondsSinceReferenceDate()) != before)
            continue;
        QCOMPARE(a.active(), before);
        QCOMPARE(b.active(), before);
        compared = true;
    }
    QVERIFY(compared);
}

void TestShellViews::chevronsWrapAndToggleFollowsStore()
{
    AppState& state = AppState::shared();
    state.setSceneIndex(0);
    state.setIsRunning(true);
    int settingsOpened = 0;
    MenuBarView view(state, [&] { ++settingsOpened; }, {});
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    PreviewCard* card = view.previewCard();
    const qint64 last = availableScenes().size() - 1;
    QCOMPARE(last, 14);

    QTest::mouseClick(card->previousButton(), Qt::LeftButton);
    QCOMPARE(state.sceneIndex(), last);
    QCOMPARE(card->sceneName(), availableScenes().at(last).name);
    QTest::mouseClick(card->nextButton(), Qt::LeftButton);
    QCOMPARE(state.sceneIndex(), 0);
    QTest::mouseClick(card->nextButton(), Qt::LeftButton);
    QCOMPARE(state.sceneIndex(), 1);
    state.setSceneIndex(99);
    QCOMPARE(card->sceneName(), QStringLiteral("—"));
    state.setSceneIndex(0);

    // While the media plays a folder, next is its next file, as `ctl next`.
    QTemporaryDir album;
    state.setMediaPath(album.path());
    state.setWallpaperMode(WallpaperMode::Image);
    QSignalSpy nextFile(&MediaStatus::shared(), &MediaStatus::nextRequested);
    QTest::mouseClick(card->nextButton(), Qt::LeftButton);
    QCOMPARE(nextFile.size(), 1);
    QCOMPARE(state.sceneIndex(), 0);
    state.setWallpaperMode(WallpaperMode::Scene);
    QTest::mouseClick(card->nextButton(), Qt::LeftButton);
    QCOMPARE(nextFile.size(), 1);
    QCOMPARE(state.sceneIndex(), 1);
    state.setMediaPath(QString());
    state.setSceneIndex(0);

    // The switch writes the store and follows changes made elsewhere.
    QTest::mouseClick(view.runningToggle(), Qt::LeftButton);
    QCOMPARE(state.isRunning(), false);
    QCOMPARE(view.runningToggle()->subtitle(), QStringLiteral("En pause"));
    QCOMPARE(view.runningToggle()->symbol(), QStringLiteral("play.fill"));
    state.setIsRunning(true);
    QVERIFY(view.runningToggle()->isChecked());
    QCOMPARE(view.runningToggle()->subtitle(), QStringLiteral("Actif"));

    QTest::mouseClick(view.dashboardButton(), Qt::LeftButton);
    QCOMPARE(settingsOpened, 1);
}

void TestShellViews::popoverClosingRules()
{
    PopoverWindow popover(new QWidget);
    const QRect anchor(900, 2, 22, 22);

    popover.toggle(anchor);
    QVERIFY(QTest::qWaitForWindowExposed(&popover));
    QCOMPARE(popover.size(), QSize(300, 440));
    QTest::keyClick(&popover, Qt::Key_Escape);
    QTRY_VERIFY(!popover.isVisible());

    // A press outside closes it; the tray's toggle for that same click right
    // after leaves it closed; a later toggle opens it again.
    popover.toggle(anchor);
    QVERIFY(QTest::qWaitForWindowExposed(&popover));
    QTest::mousePress(&popover, Qt::LeftButton, {}, QPoint(-40, 200));
    QTRY_VERIFY(!popover.isVisible());
    popover.toggle(anchor);
    QVERIFY(!popover.isVisible());
    QTest::qWait(PopoverWindow::reopenGuardMs + 50);
    popover.toggle(anchor);
    QVERIFY(popover.isVisible());
    // A toggle while open closes it.
    popover.toggle(anchor);
    QVERIFY(!popover.isVisible());
    // And a toggle shortly after that close (not an outside click) reopens.
    popover.toggle(anchor);
    QVERIFY(popover.isVisible());
    popover.close();

    // Shown, it is in the application's accessibility tree, where a screen
    // reader looks; a press in another window of the application closes it
    // as a press outside.
    QWidget other;
    other.resize(200, 200);
    other.show();
    QVERIFY(QTest::qWaitForWindowExposed(&other));
    QTest::qWait(PopoverWindow::reopenGuardMs + 50);
    popover.toggle(anchor);
    QVERIFY(QTest::qWaitForWindowExposed(&popover));
    QVERIFY(nivora::testing::isAccessibleWindow(&popover));
    QTest::mousePress(other.windowHandle(), Qt::LeftButton, {}, QPoint(20, 20));
    QTRY_VERIFY(!popover.isVisible());
    popover.toggle(anchor);
    QVERIFY(!popover.isVisible());

    // `nivora ctl popover` right after a click outside closed the popover is
    // no echo of that click: it opens, as it answers.
    AppDelegate delegate;
    ControlCommands commands(AppState::shared(), &delegate, [] { return QJsonObject(); });
    QCOMPARE(commands.handle(QStringLiteral("popover"), {}).status, 0);
    PopoverWindow* shown = delegate.popover();
    QVERIFY(shown && QTest::qWaitForWindowExposed(shown));
    QTest::mousePress(shown, Qt::LeftButton, {}, QPoint(-40, 200));
    QTRY_VERIFY(!shown->isVisible());
    QCOMPARE(commands.handle(QStringLiteral("popover"), {}).status, 0);
    QVERIFY(shown->isVisible());
    QCOMPARE(commands.handle(QStringLiteral("popover"), {}).status, 0);
    QVERIFY(!shown->isVisible());
}

void TestShellViews::previewDrawsOnlyWhileShown()
{
    if (!ScenePreview::openGLAvailable())
        QFAIL("the test display has no OpenGL");
    AppState& state = AppState::shared();
    auto* view = new MenuBarView(state, {}, {});
    PopoverWindow popover(view);
    ScenePreview* preview = view->previewCard()->preview();
    QCOMPARE(preview->fps(), 30);
    QCOMPARE(preview->framesDrawn(), 0);

    popover.open(QRect());
    QVERIFY(QTest::qWaitForWindowExposed(&popover));
    QTRY_VERIFY(preview->framesDrawn() >= 5);
    popover.close();
    QTest::qWait(200);
    const qint64 afterClose = preview->framesDrawn();
    QTest::qWait(600);
    QCOMPARE(preview->framesDrawn(), afterClose);

    popover.open(QRect());
    QTRY_VERIFY(preview->framesDrawn() >= afterClose + 5);
    popover.close();
}

void TestShellViews::splashCornersWithoutCompositor()
{
    QVERIFY2(!CompositorWatcher::shared().active(), "a compositing manager already runs on the test display");
    const QColor backdropColour(0x20, 0x60, 0xC0);
    Backdrop backdrop(backdropColour);
    backdrop.show();
    QVERIFY(QTest::qWaitForWindowExposed(&backdrop));

    SplashWindow splash(CompositorWatcher::shared().active());
    QVERIFY(!splash.isComposited());
    splash.present();
    QVERIFY(QTest::qWaitForWindowExposed(&splash));
    QCOMPARE(splash.size(), QSize(SplashView::cardWidth, SplashView::cardHeight));
    const QPoint origin = splash.mapToGlobal(QPoint(0, 0));
    // Once the card shows on screen, its corners show the window below, not
    // black.
    QTRY_VERIFY(near(screenPixel(origin + QPoint(30, SplashView::cardHeight / 2)), Theme::paper()));
    QVERIFY2(near(screenPixel(origin + QPoint(2, 2)), backdropColour),
             qPrintable(screenPixel(origin + QPoint(2, 2)).name()));
    QVERIFY(near(screenPixel(origin + QPoint(SplashView::cardWidth - 3, SplashView::cardHeight - 3)),
                 backdropColour));

    // Without a compositor the fade is a wait of its length, then the window goes.
    QElapsedTimer fading;
    fading.start();
    bool done = false;
    splash.fadeOut([&] { done = true; });
    QVERIFY(splash.isVisible());
    QTRY_VERIFY(done);
    QVERIFY(fading.elapsed() >= SplashWindow::fadeMs - 20);
    QVERIFY(!splash.isVisible());
}

void TestShellViews::splashCornersWithCompositor()
{
    QProcess compositor;
    compositor.start(QStringLiteral("xcompmgr"), {});
    QVERIFY2(compositor.waitForStarted(), "xcompmgr is missing: run scripts/setup");
    auto stop = qScopeGuard([&] {
        compositor.terminate();
        compositor.waitForFinished(3000);
    });
    QTRY_VERIFY(CompositorWatcher::shared().active());

    const QColor backdropColour(0xC0, 0x40, 0x30);
    Backdrop backdrop(backdropColour);
    backdrop.show();
    QVERIFY(QTest::qWaitForWindowExposed(&backdrop));
    SplashWindow splash(CompositorWatcher::shared().active());
    QVERIFY(splash.isComposited());
    splash.present();
    QVERIFY(QTest::qWaitForWindowExposed(&splash));
    const QPoint card = splash.mapToGlobal(QPoint(SplashWindow::shadowMargin, SplashWindow::shadowMargin));
    // The corner is see-through: the backdrop shows there, darkened at most a
    // little by the shadow, and never black.
    QTRY_VERIFY(near(screenPixel(card + QPoint(30, SplashView::cardHeight / 2)), Theme::paper()));
    QVERIFY2(near(screenPixel(card + QPoint(1, 1)), backdropColour, 40),
             qPrintable(screenPixel(card + QPoint(1, 1)).name()));

    bool done = false;
    splash.fadeOut([&] { done = true; });
    QTest::qWait(SplashWindow::fadeMs / 2);
    QVERIFY(splash.windowOpacity() < 0.9 && splash.windowOpacity() > 0.1);
    QTRY_VERIFY(done);
    QVERIFY(!splash.isVisible());
}

QTEST_MAIN(TestShellViews)
#include "tst_shell_views.moc"
