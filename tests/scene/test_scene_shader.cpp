// Checks the scene shader on the GPU (Mesa's llvmpipe under the test display)
// against a CPU model of the same formulas, scene by scene.

#include "SceneReference.h"
#include "palettes/ColorHex.h"
#include "scene/AnimationClock.h"
#include "scene/OffscreenSceneRenderer.h"
#include "scene/WallpaperRenderer.h"

#include <QOpenGLContext>
#include <QOpenGLExtraFunctions>
#include <QTest>
#include <QThread>
#include <cmath>
#include <memory>

using namespace nivora;
namespace ref = nivora::reference;

namespace {

// Strongly contrasting colours, so that a wrong ramp position shows.
const QList<quint32> testHex = {0x1B2A49, 0xE94F37, 0xF6F7EB, 0x44BBA4, 0x393E41};

QList<RGBA> paletteFrom(const QList<quint32>& hex)
{
    QList<RGBA> palette;
    for (quint32 value : hex)
        palette.append(rgba(colorFromHex(value)));
    return palette;
}

struct Tuning
{
    float speed = 0.7f, intensity = 0.8f, scale = 0.3f, colorShift = 0.25f, sharpness = 0.6f;
};

Scalars scalarsFor(QSize size, int scene, float time, const Tuning& tuning)
{
    return WallpaperRenderer::makeScalars(size, time, tuning.speed, tuning.intensity, tuning.scale,
                                          tuning.colorShift, tuning.sharpness, scene);
}

QImage referenceImage(QSize size, int scene, float time, const Tuning& tuning, const QList<RGBA>& palette)
{
    ref::Inputs in;
    in.width = float(size.width());
    in.height = float(size.height());
    in.time = time;
    in.speed = tuning.speed;
    in.intensity = tuning.intensity;
    in.scale = tuning.scale;
    in.colorShift = tuning.colorShift;
    in.sharpness = tuning.sharpness;
    in.scene = scene;
    for (int k = 0; k < 5; ++k)
        in.c[size_t(k)] = {palette[k][0], palette[k][1], palette[k][2]};
    QImage image(size, QImage::Format_RGB32);
    auto channel = [](float v) { return int(std::lround(ref::clampf(v, 0.0f, 1.0f) * 255.0f)); };
    for (int row = 0; row < size.height(); ++row) {
        for (int x = 0; x < size.width(); ++x) {
            const ref::V3 c = ref::shade(in, float(x) + 0.5f, float(row) + 0.5f);
            image.setPixel(x, row, qRgb(channel(c.r), channel(c.g), channel(c.b)));
        }
    }
    return image;
}

// Share of pixels whose three channels all lie within `tolerance` of the
// other image's.
double matchingShare(const QImage& a, const QImage& b, int tolerance)
{
    if (a.size() != b.size() || a.isNull())
        return 0.0;
    qint64 matching = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            if (std::abs(qRed(p) - qRed(q)) <= tolerance && std::abs(qGreen(p) - qGreen(q)) <= tolerance &&
                std::abs(qBlue(p) - qBlue(q)) <= tolerance)
                ++matching;
        }
    }
    return double(matching) / double(qint64(a.width()) * a.height());
}

} // namespace

class TestSceneShader : public QObject
{
    Q_OBJECT

public:
    static void initMain() { WallpaperRenderer::configureApplication(); }

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void matchesReference_data();
    void matchesReference();
    void colorShiftIsPeriodic();
    void rampIsContinuousAcrossTheWrap();
    void vignetteDarkensOnlyTheCorners();
    void zeroDrawableRendersAsOnePixel();
    void speedZeroStillAnimates();
    void scalarsBlockMatchesTheRecord();
    void makeScalarsClampsSizeAndScene_data();
    void makeScalarsClampsSizeAndScene();
    void makeScalarsBoundsTheTuning();
    void animationClockIsSharedAndWraps();

private:
    std::unique_ptr<OffscreenSceneRenderer> m_renderer;
    QList<RGBA> m_palette;
};

void TestSceneShader::initTestCase()
{
    m_renderer = std::make_unique<OffscreenSceneRenderer>();
    QVERIFY2(m_renderer->isValid(), qPrintable(m_renderer->errorString()));
    m_palette = paletteFrom(testHex);
}

void TestSceneShader::cleanupTestCase()
{
    m_renderer.reset();
}

void TestSceneShader::matchesReference_data()
{
    QTest::addColumn<int>("scene");
    QTest::addColumn<float>("time");
    QTest::addColumn<QSize>("size");
    const QList<int> scenes = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, -1, 99};
    for (int scene : scenes) {
        for (float time : {0.0f, 3.7f, 250.3f}) {
            for (QSize size : {QSize(96, 54), QSize(40, 72)}) {
                QTest::addRow("scene %d, t=%g, %dx%d", scene, double(time), size.width(), size.height())
                    << scene << time << size;
            }
        }
    }
}

void TestSceneShader::matchesReference()
{
    QFETCH(int, scene);
    QFETCH(float, time);
    QFETCH(QSize, size);
    const Tuning tuning;
    const QImage gpu = m_renderer->render(size, scalarsFor(size, scene, time, tuning), m_palette);
    QVERIFY(!gpu.isNull());
    QCOMPARE(gpu.size(), size);
    const QImage cpu = referenceImage(size, scene, time, tuning, m_palette);
    const double share = matchingShare(gpu, cpu, 3);
    QVERIFY2(share >= 0.99, qPrintable(QStringLiteral("only %1 % of pixels match").arg(share * 100.0)));
}

void TestSceneShader::colorShiftIsPeriodic()
{
    const QSize size(64, 48);
    for (int scene = 0; scene < 15; ++scene) {
        Tuning zero;
        zero.colorShift = 0.0f;
        Tuning one = zero;
        one.colorShift = 1.0f;
        const QImage a = m_renderer->render(size, scalarsFor(size, scene, 12.5f, zero), m_palette);
        const QImage b = m_renderer->render(size, scalarsFor(size, scene, 12.5f, one), m_palette);
        const double share = matchingShare(a, b, 1);
        QVERIFY2(share >= 0.995,
                 qPrintable(QStringLiteral("scene %1: %2 % equal").arg(scene).arg(share * 100)));
    }
}

void TestSceneShader::rampIsContinuousAcrossTheWrap()
{
    // The swell scene runs the ramp three times up the screen. With white as
    // colour 0 and black as colour 4, a seam at the 4 -> 0 wrap (or at any
    // colour boundary) would jump by most of the range between two rows;
    // the smooth ramp moves at most a few levels per row at this height.
    const QList<RGBA> palette = paletteFrom({0xFFFFFF, 0xC0C0C0, 0x808080, 0x404040, 0x000000});
    const QSize size(8, 600);
    Tuning tuning;
    tuning.sharpness = 0.5f;
    for (float shift : {0.0f, 0.37f, 0.9f}) {
        tuning.colorShift = shift;
        const QImage image = m_renderer->render(size, scalarsFor(size, 6, 4.0f, tuning), palette);
        QVERIFY(!image.isNull());
        int largestStep = 0;
        for (int y = 1; y < size.height(); ++y)
            largestStep =
                std::max(largestStep, std::abs(qGreen(image.pixel(4, y)) - qGreen(image.pixel(4, y - 1))));
        QVERIFY2(largestStep <= 20, qPrintable(QStringLiteral("step of %1 levels").arg(largestStep)));
        // The ramp does visit both ends, so the check above is not vacuous.
        int darkest = 255;
        int brightest = 0;
        for (int y = 0; y < size.height(); ++y) {
            darkest = std::min(darkest, qGreen(image.pixel(4, y)));
            brightest = std::max(brightest, qGreen(image.pixel(4, y)));
        }
        QVERIFY(brightest - darkest > 150);
    }
}

void TestSceneShader::vignetteDarkensOnlyTheCorners()
{
    // One colour everywhere: the lava scene then paints it flat, and white
    // stays white through the contrast step, so only the vignette remains.
    const QList<RGBA> white = paletteFrom({0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF});
    const QSize size(81, 61);
    const QImage image = m_renderer->render(size, scalarsFor(size, 7, 1.0f, Tuning()), white);
    QVERIFY(!image.isNull());
    QCOMPARE(image.pixel(40, 30), qRgb(255, 255, 255));
    const QList<QPoint> corners = {{0, 0}, {80, 0}, {0, 60}, {80, 60}};
    for (const QPoint& corner : corners) {
        const int level = qRed(image.pixel(corner));
        QVERIFY2(level >= int(std::floor(0.82 * 255)) && level < 220, qPrintable(QString::number(level)));
    }
}

void TestSceneShader::zeroDrawableRendersAsOnePixel()
{
    const Scalars scalars = WallpaperRenderer::makeScalars(QSizeF(0, 0), 2.0f, 0.5, 0.6, 0.5, 0.0, 0.5, 3);
    QCOMPARE(scalars.resolution[0], 1.0f);
    QCOMPARE(scalars.resolution[1], 1.0f);
    const QImage gpu = m_renderer->render(QSize(1, 1), scalars, m_palette);
    Tuning defaults{0.5f, 0.6f, 0.5f, 0.0f, 0.5f};
    const QImage cpu = referenceImage(QSize(1, 1), 3, 2.0f, defaults, m_palette);
    QCOMPARE(matchingShare(gpu, cpu, 3), 1.0);
}

void TestSceneShader::speedZeroStillAnimates()
{
    const QSize size(48, 32);
    Tuning still;
    still.speed = 0.0f;
    for (int scene = 0; scene < 15; ++scene) {
        const QImage early = m_renderer->render(size, scalarsFor(size, scene, 0.0f, still), m_palette);
        const QImage late = m_renderer->render(size, scalarsFor(size, scene, 30.0f, still), m_palette);
        QVERIFY2(matchingShare(early, late, 2) < 0.95,
                 qPrintable(QStringLiteral("scene %1 stood still").arg(scene)));
        // And it moves at 0.15 x time: the frame at t = 30 with speed 0 is the
        // frame at t = 30 * 0.15 / (0.15 + 0.9) with speed 1.
        Tuning fast = still;
        fast.speed = 1.0f;
        const QImage same =
            m_renderer->render(size, scalarsFor(size, scene, 30.0f * 0.15f / 1.05f, fast), m_palette);
        QVERIFY2(matchingShare(late, same, 3) >= 0.99, qPrintable(QStringLiteral("scene %1").arg(scene)));
    }
}

void TestSceneShader::scalarsBlockMatchesTheRecord()
{
    // The record is uploaded byte for byte, so the GLSL block must put every
    // field where the C++ record has it.
    QVERIFY(m_renderer->makeCurrent());
    QOpenGLContext* context = m_renderer->context();
    const GLuint program = WallpaperRenderer::sharedProgram(context, WallpaperRenderer::defaultPixelFormat);
    QVERIFY(program != 0);
    QOpenGLExtraFunctions* gl = context->extraFunctions();
    const QList<QPair<const char*, GLint>> fields = {
        {"Scalars.resolution", GLint(offsetof(Scalars, resolution))},
        {"Scalars.time", GLint(offsetof(Scalars, time))},
        {"Scalars.speed", GLint(offsetof(Scalars, speed))},
        {"Scalars.intensity", GLint(offsetof(Scalars, intensity))},
        {"Scalars.scale", GLint(offsetof(Scalars, scale))},
        {"Scalars.colorShift", GLint(offsetof(Scalars, colorShift))},
        {"Scalars.sharpness", GLint(offsetof(Scalars, sharpness))},
        {"Scalars.scene", GLint(offsetof(Scalars, scene))},
        {"Scalars.offset", GLint(offsetof(Scalars, offset))},
        {"Palette.colors[0]", 0},
    };
    for (const auto& [name, expected] : fields) {
        GLuint index = GL_INVALID_INDEX;
        gl->glGetUniformIndices(program, 1, &name, &index);
        QVERIFY2(index != GL_INVALID_INDEX, name);
        GLint offset = -1;
        gl->glGetActiveUniformsiv(program, 1, &index, GL_UNIFORM_OFFSET, &offset);
        QCOMPARE(offset, expected);
    }
    const char* colours = "Palette.colors[0]";
    GLuint index = GL_INVALID_INDEX;
    gl->glGetUniformIndices(program, 1, &colours, &index);
    GLint stride = 0;
    gl->glGetActiveUniformsiv(program, 1, &index, GL_UNIFORM_ARRAY_STRIDE, &stride);
    QCOMPARE(stride, GLint(sizeof(RGBA)));
}

void TestSceneShader::makeScalarsClampsSizeAndScene_data()
{
    QTest::addColumn<QSizeF>("drawable");
    QTest::addColumn<qint64>("scene");
    QTest::addColumn<float>("width");
    QTest::addColumn<float>("height");
    QTest::addColumn<int>("expectedScene");
    QTest::newRow("zero") << QSizeF(0, 0) << qint64(4) << 1.0f << 1.0f << 4;
    QTest::newRow("below one") << QSizeF(0.5, 1.0) << qint64(0) << 1.0f << 1.0f << 0;
    QTest::newRow("negative") << QSizeF(-20, 300) << qint64(14) << 1.0f << 300.0f << 14;
    QTest::newRow("not a number") << QSizeF(qQNaN(), 10) << qint64(1) << 1.0f << 10.0f << 1;
    QTest::newRow("full hd") << QSizeF(1920, 1080) << qint64(13) << 1920.0f << 1080.0f << 13;
    QTest::newRow("scene above 32 bits")
        << QSizeF(2, 2) << (qint64(1) << 40) << 2.0f << 2.0f << std::numeric_limits<std::int32_t>::max();
    QTest::newRow("scene below 32 bits")
        << QSizeF(2, 2) << -(qint64(1) << 40) << 2.0f << 2.0f << std::numeric_limits<std::int32_t>::min();
}

void TestSceneShader::makeScalarsClampsSizeAndScene()
{
    QFETCH(QSizeF, drawable);
    QFETCH(qint64, scene);
    QFETCH(float, width);
    QFETCH(float, height);
    QFETCH(int, expectedScene);
    const Scalars s = WallpaperRenderer::makeScalars(drawable, 1.5f, 0.1, 0.2, 0.3, 0.4, 0.5, scene);
    QCOMPARE(s.resolution[0], width);
    QCOMPARE(s.resolution[1], height);
    QCOMPARE(s.scene, expectedScene);
    QCOMPARE(s.time, 1.5f);
    QCOMPARE(s.speed, 0.1f);
    QCOMPARE(s.sharpness, 0.5f);
    QCOMPARE(s.padding, 0);
}

// Whatever the settings hold, the shader gets finite tuning values in 0...1:
// a non-finite one becomes its default, others are clamped.
void TestSceneShader::makeScalarsBoundsTheTuning()
{
    const double inf = qInf();
    const Scalars big =
        WallpaperRenderer::makeScalars(QSizeF(8, 8), 1.0f, 1e300, -40, 7.5, 1.0000001, -inf, 2);
    QCOMPARE(big.speed, 1.0f);
    QCOMPARE(big.intensity, 0.0f);
    QCOMPARE(big.scale, 1.0f);
    QCOMPARE(big.colorShift, 1.0f);
    QCOMPARE(big.sharpness, 0.5f);
    const Scalars nan =
        WallpaperRenderer::makeScalars(QSizeF(8, 8), 1.0f, qQNaN(), qQNaN(), inf, qQNaN(), 0.25, 2);
    QCOMPARE(nan.speed, 0.5f);
    QCOMPARE(nan.intensity, 0.6f);
    QCOMPARE(nan.scale, 0.5f);
    QCOMPARE(nan.colorShift, 0.0f);
    QCOMPARE(nan.sharpness, 0.25f);

    // And what is drawn with the settings a hand-edited file can hold is a
    // picture, not black: the same as with the bounded values.
    const QSize size(48, 32);
    const QImage wild = m_renderer->render(
        size, WallpaperRenderer::makeScalars(QSizeF(size), 9.0f, 1e300, -40, 0.5, 0.0, 0.5, 4), m_palette);
    const QImage bounded = m_renderer->render(
        size, WallpaperRenderer::makeScalars(QSizeF(size), 9.0f, 1.0, 0.0, 0.5, 0.0, 0.5, 4), m_palette);
    QVERIFY(!wild.isNull());
    QCOMPARE(wild, bounded);
    QVERIFY(wild.pixel(24, 16) != qRgb(0, 0, 0));
}

void TestSceneShader::animationClockIsSharedAndWraps()
{
    const double epoch = WallpaperRenderer::epoch();
    double fromThread = 0.0;
    std::unique_ptr<QThread> thread(
        QThread::create([&fromThread] { fromThread = WallpaperRenderer::epoch(); }));
    thread->start();
    QVERIFY(thread->wait(5000));
    QCOMPARE(fromThread, epoch);

    QCOMPARE(WallpaperRenderer::wrapTime(100000.5), 0.5f);
    QCOMPARE(WallpaperRenderer::wrapTime(99999.5), 99999.5f);
    QCOMPARE(WallpaperRenderer::wrapTime(250000.25), 50000.25f);
    QCOMPARE(WallpaperRenderer::wrapTime(qInf()), 0.0f);

    // The running clock goes back to near zero every wrap period, on the
    // grid of periods counted from the epoch.
    WallpaperRenderer::pinAnimationTimeForTesting(100012.0);
    QCOMPARE(WallpaperRenderer::animationTime(), float(std::fmod(100012.0, AnimationClock::wrapPeriod)));
    WallpaperRenderer::pinAnimationTimeForTesting(std::nullopt);
    const float first = WallpaperRenderer::animationTime();
    QTest::qWait(30);
    QVERIFY(WallpaperRenderer::animationTime() > first);
}

QTEST_MAIN(TestSceneShader)
#include "test_scene_shader.moc"
