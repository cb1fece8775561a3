// The X server scaling a small frame up to a window: orientation, byte order,
// smooth scaling without dark edges, and refusals that leave nothing behind.
#include "DesktopTestSupport.h"
#include "platform/x11/X11ScaledPresenter.h"

#include <QTest>
#include <cstring>

using namespace nivora;
using namespace nivora::testing;

namespace {

constexpr QSize windowSize(400, 200);
constexpr QSize imageSize(40, 20);

// The colour the picture should show at image pixel (x, y), y from the top:
// four quadrants, so that a flip or a swap of red and blue shows.
QRgb quadrant(int x, int y)
{
    const bool left = x < imageSize.width() / 2;
    const bool top = y < imageSize.height() / 2;
    if (top)
        return left ? qRgb(230, 20, 20) : qRgb(20, 20, 230);
    return left ? qRgb(20, 200, 40) : qRgb(240, 240, 240);
}

// Writes the quadrants the way glReadPixels would: bottom row first.
void fillFrame(uchar* memory, X11ScaledPresenter::PixelOrder order)
{
    for (int row = 0; row < imageSize.height(); ++row) {
        const int y = imageSize.height() - 1 - row;
        uchar* line = memory + row * imageSize.width() * 4;
        for (int x = 0; x < imageSize.width(); ++x) {
            const QRgb c = quadrant(x, y);
            const bool bgrx = order == X11ScaledPresenter::PixelOrder::BGRX;
            line[x * 4 + 0] = uchar(bgrx ? qBlue(c) : qRed(c));
            line[x * 4 + 1] = uchar(qGreen(c));
            line[x * 4 + 2] = uchar(bgrx ? qRed(c) : qBlue(c));
            line[x * 4 + 3] = 0;
        }
    }
}

bool near(QRgb a, QRgb b, int tolerance = 3)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

QString describe(QRgb c)
{
    return QStringLiteral("(%1, %2, %3)").arg(qRed(c)).arg(qGreen(c)).arg(qBlue(c));
}

std::unique_ptr<WallpaperWindow> makeWindow()
{
    ScreenInfo screen;
    screen.name = QStringLiteral("test");
    screen.frame = QRect(QPoint(0, 0), windowSize);
    auto window = std::make_unique<WallpaperWindow>(screen, WallpaperWindow::Surface::OpenGL, nullptr);
    window->showWallpaper();
    return window;
}

} // namespace

class TestScaledPresenter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fillsTheWindowScaledAndUpright_data()
    {
        QTest::addColumn<X11ScaledPresenter::PixelOrder>("order");
        QTest::newRow("BGRX") << X11ScaledPresenter::PixelOrder::BGRX;
        QTest::newRow("RGBX") << X11ScaledPresenter::PixelOrder::RGBX;
    }
    void fillsTheWindowScaledAndUpright()
    {
        QFETCH(X11ScaledPresenter::PixelOrder, order);
        auto window = makeWindow();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        auto presenter = X11ScaledPresenter::create(quint32(window->winId()), windowSize, imageSize, order);
        if (!presenter && order == X11ScaledPresenter::PixelOrder::RGBX)
            QSKIP("this X server has no 24-bit format in RGBX byte order");
        QVERIFY(presenter);
        QCOMPARE(presenter->imageSize(), imageSize);

        // Twice through the same memory: the second frame waits for the
        // server to be done with the first.
        for (int frame = 0; frame < 2; ++frame) {
            uchar* memory = presenter->beginFrame();
            QVERIFY(memory);
            fillFrame(memory, order);
            QVERIFY(presenter->present());
        }
        QVERIFY(presenter->beginFrame()); // the last frame has been taken

        const QImage shown = captureScreen(QRect(QPoint(0, 0), windowSize));
        QCOMPARE(shown.size(), windowSize);
        // Quadrant centres, and the very corners: the border pixels are
        // padded, not blended with black.
        const struct
        {
            QPoint at;
            QRgb expected;
        } probes[] = {
            {{100, 50}, quadrant(0, 0)},    {{300, 50}, quadrant(39, 0)},   {{100, 150}, quadrant(0, 19)},
            {{300, 150}, quadrant(39, 19)}, {{0, 0}, quadrant(0, 0)},       {{399, 0}, quadrant(39, 0)},
            {{0, 199}, quadrant(0, 19)},    {{399, 199}, quadrant(39, 19)},
        };
        for (const auto& probe : probes) {
            const QRgb got = shown.pixel(probe.at);
            QVERIFY2(near(got, probe.expected),
                     qPrintable(QStringLiteral("at (%1, %2): %3, expected %4")
                                    .arg(probe.at.x())
                                    .arg(probe.at.y())
                                    .arg(describe(got), describe(probe.expected))));
        }
        // Scaled smoothly: right at the seam between red and blue both show.
        const QRgb seam = shown.pixel(199, 50);
        QVERIFY2(qRed(seam) > 80 && qBlue(seam) > 80, qPrintable(describe(seam)));
    }

    void refusesWhatItCannotDrawTo()
    {
        QVERIFY(!X11ScaledPresenter::create(0, windowSize, imageSize));
        QVERIFY(!X11ScaledPresenter::create(0x1fffffe, windowSize, imageSize)); // no such window
        auto window = makeWindow();
        const auto id = quint32(window->winId());
        QVERIFY(!X11ScaledPresenter::create(id, QSize(), imageSize));
        QVERIFY(!X11ScaledPresenter::create(id, windowSize, QSize(0, 10)));
        QVERIFY(!X11ScaledPresenter::create(id, windowSize, QSize(100000, 10)));
    }

    void windowGoingAwayIsReportedNotFatal()
    {
        auto window = makeWindow();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        auto presenter = X11ScaledPresenter::create(quint32(window->winId()), windowSize, imageSize);
        QVERIFY(presenter);
        window.reset();
        QTest::qWait(100); // the destruction reaches the server
        bool failed = false;
        for (int frame = 0; frame < 3 && !failed; ++frame) {
            uchar* memory = presenter->beginFrame();
            if (!memory) {
                failed = true;
                break;
            }
            std::memset(memory, 0x40, size_t(imageSize.width() * imageSize.height() * 4));
            failed = !presenter->present();
        }
        QVERIFY(failed);
        presenter.reset(); // frees what is left without tripping over the dead window
    }
};

QTEST_MAIN(TestScaledPresenter)
#include "test_scaled_presenter.moc"
