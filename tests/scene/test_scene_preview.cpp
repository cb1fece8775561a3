// The live preview and the program cache it shares with the desktop views,
// on the real GL of the test display.

#include "desktop/DesktopRenderView.h"
#include "platform/fake/FakeDisplayLink.h"
#include "scene/AnimationClock.h"
#include "scene/OffscreenSceneRenderer.h"
#include "scene/ScenePreview.h"
#include "scene/WallpaperRenderer.h"
#include "scene/WallpaperWindow.h"
#include "state/AppState.h"
#include "state/DefaultsStore.h"

#include <QHBoxLayout>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QWidget>
#include <atomic>
#include <memory>

using namespace nivora;

namespace {

const QString failureLine = QStringLiteral("Nivora: OpenGL indisponible ou shader invalide");
constexpr GLenum rgb8 = 0x8051;

std::atomic<int> failureLines{0};
QtMessageHandler previousHandler = nullptr;

void countingHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message == failureLine)
        ++failureLines;
    if (previousHandler)
        previousHandler(type, context, message);
}

// A stand-in for a desktop render view: its own context in the process's share
// group, used on the thread it lives on.
struct ViewContext
{
    std::unique_ptr<QOffscreenSurface> surface;
    std::unique_ptr<QOpenGLContext> context;

    ViewContext()
    {
        context = std::make_unique<QOpenGLContext>();
        context->setFormat(WallpaperRenderer::surfaceFormat());
        context->setShareContext(WallpaperRenderer::shareContext());
        context->create();
        surface = std::make_unique<QOffscreenSurface>();
        surface->setFormat(context->format());
        surface->create();
    }

    GLuint sceneProgramFor(GLenum pixelFormat, std::int32_t scene)
    {
        if (!context->makeCurrent(surface.get()))
            return 0;
        const GLuint program = WallpaperRenderer::sceneProgram(context.get(), pixelFormat, scene);
        context->doneCurrent();
        return program;
    }

    // The program a view would get, asked on `thread` (the main thread when null).
    GLuint programFor(GLenum pixelFormat, QThread* thread = nullptr)
    {
        GLuint program = 0;
        auto ask = [&] {
            if (!context->makeCurrent(surface.get()))
                return;
            if (auto renderer = WallpaperRenderer::create(context.get(), pixelFormat))
                program = renderer->program();
            context->doneCurrent();
        };
        if (!thread) {
            ask();
            return program;
        }
        context->moveToThread(thread);
        QMetaObject::invokeMethod(
            context.get(),
            [&] {
                ask();
                context->moveToThread(QCoreApplication::instance()->thread());
            },
            Qt::BlockingQueuedConnection);
        return program;
    }
};

const char* const brokenSource = "this is not a shader";

// Both stages compile, but the varying types disagree, so linking fails.
const char* const unlinkableSource = R"(
#ifdef NIVORA_VERTEX_STAGE
out vec3 shade;
void main() { shade = vec3(1.0); gl_Position = vec4(0.0, 0.0, 0.0, 1.0); }
#endif
#ifdef NIVORA_FRAGMENT_STAGE
in vec4 shade;
out vec4 colour;
void main() { colour = shade; }
#endif
)";

} // namespace

class TestScenePreview : public QObject
{
    Q_OBJECT

public:
    static void initMain()
    {
        // The previews read the settings store; keep it away from the user's.
        static QTemporaryDir config;
        qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
        WallpaperRenderer::configureApplication();
    }

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void previewsAndViewsCompileOnce();
    void previewDrawsTheCurrentScene();
    void previewAndDesktopKeepThePhaseAcrossSpeedChanges();
    void fpsSetsTheFrameInterval_data();
    void fpsSetsTheFrameInterval();
    void sceneProgramsAreSharedPerScene();
    void brokenShaderLogsOncePerPreview();
    void failedLinkIsNotCached();

private:
    std::unique_ptr<QWidget> m_window;
};

void TestScenePreview::initTestCase()
{
    previousHandler = qInstallMessageHandler(countingHandler);
    QVERIFY(WallpaperRenderer::shareContext());
}

void TestScenePreview::cleanup()
{
    m_window.reset();
    WallpaperRenderer::setShaderSourceForTesting(nullptr);
    WallpaperRenderer::pinAnimationTimeForTesting(std::nullopt);
    failureLines = 0;
}

void TestScenePreview::previewsAndViewsCompileOnce()
{
    WallpaperRenderer::setShaderSourceForTesting(nullptr);
    m_window = std::make_unique<QWidget>();
    auto* layout = new QHBoxLayout(m_window.get());
    auto* first = new ScenePreview();
    auto* second = new ScenePreview(12);
    layout->addWidget(first);
    layout->addWidget(second);
    m_window->resize(200, 80);
    m_window->show();
    QTRY_VERIFY(first->framesDrawn() > 0 && second->framesDrawn() > 0);

    ViewContext views[3];
    QThread renderThread;
    renderThread.start();
    const GLuint a = views[0].programFor(rgb8);
    const GLuint b = views[1].programFor(rgb8);
    const GLuint c = views[2].programFor(rgb8, &renderThread);
    const GLuint rgba = views[0].programFor(WallpaperRenderer::defaultPixelFormat);
    renderThread.quit();
    renderThread.wait();

    QVERIFY(a != 0);
    QCOMPARE(b, a);
    QCOMPARE(c, a);
    QVERIFY(rgba != 0 && rgba != a);
    const WallpaperRenderer::CacheCounters counters = WallpaperRenderer::cacheCounters();
    QCOMPARE(counters.compilations, 1);
    QCOMPARE(counters.links, 2); // one per colour format
    // Both previews show the same scene: its own program is built once.
    QCOMPARE(counters.specialisations, 1);
    QCOMPARE(failureLines.load(), 0);
}

void TestScenePreview::sceneProgramsAreSharedPerScene()
{
    WallpaperRenderer::setShaderSourceForTesting(nullptr);
    ViewContext views[2];
    const GLuint shared = views[0].programFor(WallpaperRenderer::defaultPixelFormat);
    QVERIFY(shared != 0);
    const GLuint five = views[0].sceneProgramFor(WallpaperRenderer::defaultPixelFormat, 5);
    QVERIFY(five != 0 && five != shared);
    QCOMPARE(views[1].sceneProgramFor(WallpaperRenderer::defaultPixelFormat, 5), five);
    // Every number outside the catalog draws snow, so it shares snow's program.
    const GLuint snow = views[0].sceneProgramFor(WallpaperRenderer::defaultPixelFormat, 14);
    QVERIFY(snow != 0 && snow != five);
    QCOMPARE(views[1].sceneProgramFor(WallpaperRenderer::defaultPixelFormat, -1), snow);
    QCOMPARE(views[1].sceneProgramFor(WallpaperRenderer::defaultPixelFormat, 99), snow);
    const WallpaperRenderer::CacheCounters counters = WallpaperRenderer::cacheCounters();
    QCOMPARE(counters.compilations, 1);
    QCOMPARE(counters.specialisations, 2);
    QCOMPARE(counters.sceneLinks, 2);
}

void TestScenePreview::previewDrawsTheCurrentScene()
{
    AppState& state = AppState::shared();
    state.setSceneIndex(9);
    state.setSpeed(0.8);
    state.setIntensity(0.9);
    state.setColorShift(0.3);
    WallpaperRenderer::pinAnimationTimeForTesting(42.0);

    m_window = std::make_unique<QWidget>();
    auto* preview = new ScenePreview(30, m_window.get());
    preview->setFixedSize(64, 48);
    m_window->resize(64, 48);
    m_window->show();
    QTRY_VERIFY(preview->framesDrawn() > 0);
    const QImage shown = preview->grabFrame().convertToFormat(QImage::Format_RGB32);
    const QSize pixels = shown.size();
    QCOMPARE(pixels, QSize(64, 48) * preview->devicePixelRatio());
    // Nothing stays current on the main thread between frames: the preview's
    // offscreen surface is remade when a monitor goes, and a destroyed drawable
    // left current crashed the next context made for the desktop.
    QCOMPARE(QOpenGLContext::currentContext(), nullptr);

    OffscreenSceneRenderer offscreen;
    QVERIFY(offscreen.isValid());
    const Scalars scalars = WallpaperRenderer::scalarsFromState(state, pixels, 42.0f);
    QCOMPARE(scalars.scene, 9);
    const QImage expected = offscreen.render(pixels, scalars, state.paletteRGBACache());
    QCOMPARE(shown, expected);

    // What reaches the screen is that frame too: the window composes the GL
    // surface with the core-profile contexts the process uses.
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QTRY_VERIFY([&] {
        const QImage screen = m_window->screen()->grabWindow(m_window->winId()).toImage();
        const QPoint centre(32, 24);
        if (!screen.valid(centre))
            return false;
        const QColor seen = screen.pixelColor(centre);
        const QColor wanted = expected.pixelColor(QPoint(centre * preview->devicePixelRatio()));
        return std::abs(seen.red() - wanted.red()) <= 2 && std::abs(seen.green() - wanted.green()) <= 2 &&
               std::abs(seen.blue() - wanted.blue()) <= 2;
    }());

    // A change in the store shows on the next frame, with no snapshot in between.
    state.setSceneIndex(2);
    const QImage changed = preview->grabFrame().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(changed, offscreen.render(pixels, WallpaperRenderer::scalarsFromState(state, pixels, 42.0f),
                                       state.paletteRGBACache()));
    QVERIFY(changed != shown);
}

void TestScenePreview::fpsSetsTheFrameInterval_data()
{
    QTest::addColumn<int>("fps");
    QTest::addColumn<int>("interval");
    QTest::newRow("60") << 60 << 17;
    QTest::newRow("24") << 24 << 42;
    QTest::newRow("1") << 1 << 1000;
    QTest::newRow("0 counts as 1") << 0 << 1000;
    QTest::newRow("negative counts as 1") << -5 << 1000;
    QTest::newRow("above 1000") << 5000 << 1;
}

void TestScenePreview::fpsSetsTheFrameInterval()
{
    QFETCH(int, fps);
    QFETCH(int, interval);
    ScenePreview preview;
    QCOMPARE(preview.fps(), 30);
    QCOMPARE(preview.frameInterval(), 33);
    preview.setFPS(fps);
    QCOMPARE(preview.fps(), fps);
    QCOMPARE(preview.frameInterval(), interval);
}

void TestScenePreview::brokenShaderLogsOncePerPreview()
{
    WallpaperRenderer::setShaderSourceForTesting(brokenSource);
    m_window = std::make_unique<QWidget>();
    auto* layout = new QHBoxLayout(m_window.get());
    auto* first = new ScenePreview();
    auto* second = new ScenePreview();
    layout->addWidget(first);
    layout->addWidget(second);
    m_window->resize(200, 80);
    m_window->show();
    QVERIFY(first->hasSurface() && second->hasSurface());
    QTRY_COMPARE(failureLines.load(), 2);
    QVERIFY(!first->hasRenderer());
    QVERIFY(!second->hasRenderer());
    // Let several frame periods pass: the previews stay blank and quiet.
    QTest::qWait(150);
    QCOMPARE(failureLines.load(), 2);
    QCOMPARE(first->framesDrawn(), 0);
    const QImage blank = first->grabFrame();
    QCOMPARE(blank.pixelColor(blank.width() / 2, blank.height() / 2).rgb(),
             first->palette().color(QPalette::Window).rgb());
    // The failed compilation is remembered for the share group.
    QCOMPARE(WallpaperRenderer::cacheCounters().compilations, 1);

    // A third preview is a new attempt: one more line, still no recompilation.
    auto* third = new ScenePreview();
    layout->addWidget(third);
    QTRY_COMPARE(failureLines.load(), 3);
    QCOMPARE(WallpaperRenderer::cacheCounters().compilations, 1);
}

void TestScenePreview::failedLinkIsNotCached()
{
    WallpaperRenderer::setShaderSourceForTesting(unlinkableSource);
    ViewContext view;
    for (int attempt = 0; attempt < 3; ++attempt)
        QCOMPARE(view.programFor(WallpaperRenderer::defaultPixelFormat), GLuint(0));
    const WallpaperRenderer::CacheCounters counters = WallpaperRenderer::cacheCounters();
    QCOMPARE(counters.compilations, 1);
    QCOMPARE(counters.links, 3);
}

// A preview and a desktop view draw the phase of the shared clock: the same at
// the same instant, and continuous when the speed changes an hour in.
void TestScenePreview::previewAndDesktopKeepThePhaseAcrossSpeedChanges()
{
    QTemporaryDir dir;
    DefaultsStore store(dir.filePath(QStringLiteral("defaults.json")));
    AppState state(store, false);
    state.setSaveDelayForTesting(60 * 60 * 1000);
    state.setSpeed(0.5);
    double seconds = 3600.0;
    WallpaperRenderer::pinAnimationTimeForTesting(seconds);
    const double epoch = WallpaperRenderer::epoch();
    AnimationClock::shared().setTimeSourceForTesting([&seconds, epoch] { return epoch + seconds; });

    m_window = std::make_unique<QWidget>();
    auto* preview = new ScenePreview(1, m_window.get(), &state);
    preview->setFixedSize(32, 24);
    m_window->resize(32, 24);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));

    ScreenInfo screen;
    screen.name = QStringLiteral("fake");
    screen.frame = QRect(0, 0, 64, 36);
    WallpaperWindow window(screen, WallpaperWindow::Surface::OpenGL, nullptr);
    window.showWallpaper();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto owned = std::make_unique<FakeDisplayLink>(60.0);
    FakeDisplayLink* link = owned.get();
    auto view = DesktopRenderView::create(&window, 1, QSize(64, 36), 60, std::move(owned), state, 8);
    QVERIFY(view);

    const double frame = 1.0 / 60.0;
    QList<float> phases;
    auto drawBoth = [&] {
        const quint64 before = view->framesDelivered();
        link->tick();
        QTRY_COMPARE(view->framesDelivered(), before + 1);
        preview->grabFrame();
        const Scalars desktop = view->lastScalars();
        const Scalars shown = preview->lastScalars();
        QCOMPARE(shown.time, desktop.time);
        QCOMPARE(shown.speed, desktop.speed);
        phases << AnimationClock::shaderPhase(desktop.time, desktop.speed);
        seconds += frame;
    };
    for (int i = 0; i < 3; ++i)
        drawBoth();
    state.setSpeed(0.9);
    QCoreApplication::processEvents(); // the view's copy of the settings
    for (int i = 0; i < 3; ++i)
        drawBoth();
    QCOMPARE(view->lastScalars().speed, 0.9f);

    const float before = frame * (0.15f + 0.5f * 0.9f);
    const float after = frame * (0.15f + 0.9f * 0.9f);
    for (int i = 1; i < phases.size(); ++i) {
        const float step = phases[i] - phases[i - 1];
        // The change comes between the third and the fourth frame's instants.
        const float nominal = i <= 3 ? before : after;
        QVERIFY2(std::fabs(step - nominal) < nominal * 0.01f,
                 qPrintable(QStringLiteral("step %1: %2, nominal %3").arg(i).arg(step).arg(nominal)));
    }
    view.reset();
    // Both go before the settings and the seconds they read.
    m_window.reset();
    WallpaperRenderer::pinAnimationTimeForTesting(std::nullopt);
}

QTEST_MAIN(TestScenePreview)
#include "test_scene_preview.moc"
