// The wallpaper and the widgets on KDE's compositor (a real kwin_wayland,
// nested in the X display with two outputs): the layer shell is chosen, each
// output gets a view that draws, an output that goes away at run time takes
// its view with it, and a widget's buttons and dragging work with KWin's own
// pointer handling, which differs from wlroots' during a drag.
#include "DesktopTestSupport.h"
#include "NestedKWin.h"
#include "desktop/DesktopRenderView.h"
#include "platform/wayland/WaylandWidgetSurface.h"
#include "widgets/DesktopWidgetController.h"
#include "widgets/TimerFaceView.h"
#include "widgets/WidgetWindow.h"

#include <QApplication>
#include <QJsonArray>
#include <QTest>
#include <algorithm>

using namespace nivora;
using namespace nivora::testing;

class TestWaylandKWin : public QObject
{
    Q_OBJECT

    std::unique_ptr<NestedKWin> m_kwin;
    std::unique_ptr<TestSettings> m_settings;
    std::unique_ptr<PlatformServices> m_platform;
    std::unique_ptr<WallpaperController> m_wallpaper;
    std::unique_ptr<DesktopWidgetController> m_widgets;

    AppState& state() { return *m_settings->state; }

    // True once there are `count` views and each has drawn a few frames.
    // KWin may reconfigure its outputs while starting, which closes the
    // surfaces and rebuilds the views, so they are looked up afresh each time.
    bool viewsDraw(int count) const
    {
        return QTest::qWaitFor(
            [&] {
                const QList<DesktopRenderView*> views = m_wallpaper->renderViews();
                return views.size() == count &&
                       std::all_of(views.begin(), views.end(), [](DesktopRenderView* v) {
                           return v->framesDelivered() > 2 && v->pixelSize() == NestedKWin::outputSize;
                       });
            },
            15000);
    }

private Q_SLOTS:
    void init()
    {
        if (!NestedKWin::isInstalled())
            QSKIP("kwin_wayland, xdotool and wmctrl are needed (scripts/setup installs them)");
        // Each case gets a fresh compositor: one of them unplugs an output.
        m_kwin = std::make_unique<NestedKWin>();
        QVERIFY2(m_kwin->start(), qPrintable(m_kwin->error()));
        m_settings = std::make_unique<TestSettings>();
        state().setFps(10);
        state().setRenderQuality(1280);
        m_platform = platformOn(m_kwin->socket());
    }

    void cleanup()
    {
        m_widgets.reset();
        m_wallpaper.reset();
        m_platform.reset();
        m_settings.reset();
        m_kwin.reset();
    }

    void sceneOnEveryOutputAndAnOutputUnplugged()
    {
        QCOMPARE(m_platform->backend, QStringLiteral("wayland-layer-shell"));
        QCOMPARE(m_platform->screens->screens().size(), 2);
        m_wallpaper = std::make_unique<WallpaperController>(state(), *m_platform);
        m_wallpaper->start();
        QVERIFY(viewsDraw(2));

        // The second monitor goes away: its view goes, the first goes on.
        const int rebuilds = m_wallpaper->rebuildCount();
        QVERIFY(m_kwin->unplug(1));
        QTRY_COMPARE_WITH_TIMEOUT(m_platform->screens->screens().size(), 1, 10000);
        QVERIFY(viewsDraw(1));
        QVERIFY(m_wallpaper->rebuildCount() > rebuilds);
        QCOMPARE(m_wallpaper->renderViews().first()->displayID(),
                 m_platform->screens->screens().first().displayID);
    }

    void widgetButtonsAndDrag()
    {
        QImage red(32, 32, QImage::Format_RGB32);
        red.fill(Qt::red);
        const QString path = m_settings->dir.filePath(QStringLiteral("red.png"));
        QVERIFY(red.save(path));
        state().setMediaPath(path);
        state().setWallpaperMode(WallpaperMode::Image);
        m_wallpaper = std::make_unique<WallpaperController>(state(), *m_platform);
        m_wallpaper->start();
        m_widgets = std::make_unique<DesktopWidgetController>(state());
        m_widgets->usePlatform(*m_platform);
        m_widgets->start();
        state().setEnabledWidgets({QStringLiteral("stopwatch")});
        WidgetWindow* window = nullptr;
        QVERIFY(QTest::qWaitFor(
            [&] {
                window = m_widgets->window(QStringLiteral("stopwatch"));
                auto* surface = window ? qobject_cast<WaylandWidgetSurface*>(window->surface()) : nullptr;
                return surface && surface->isMapped();
            },
            10000));
        QCOMPARE(window->geometry().right() + 1, NestedKWin::outputSize.width() - 30);

        auto* face = qobject_cast<TimerFaceView*>(window->face());
        QVERIFY(face);
        const QPoint start = window->pos();
        const auto buttonAt = [&] {
            return window->pos() + face->mapTo(window, face->buttonRects().at(0).center().toPoint());
        };
        QVERIFY(m_kwin->click(0, buttonAt()));
        QTRY_VERIFY_WITH_TIMEOUT(face->model().running(), 5000);
        QVERIFY(m_kwin->click(0, buttonAt()));
        QTRY_VERIFY_WITH_TIMEOUT(!face->model().running(), 5000);
        QCOMPARE(window->pos(), start);

        // Dragged by the card, in small steps as a hand does.
        const QPoint grab = window->pos() + QPoint(window->width() - 20, 8);
        QList<QStringList> drag{
            {QStringLiteral("mousemove"), QString::number(grab.x()), QString::number(grab.y())},
            {QStringLiteral("mousedown"), QStringLiteral("1")}};
        for (int i = 1; i <= 10; ++i) {
            const QPoint at = grab + QPoint(-25 * i, -20 * i);
            drag.append({QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y())});
        }
        drag.append({QStringLiteral("mouseup"), QStringLiteral("1")});
        QVERIFY(m_kwin->pointer(0, drag));
        QTRY_COMPARE_WITH_TIMEOUT(window->pos(), start + QPoint(-250, -200), 5000);
        const QJsonArray record{double(window->x()),
                                double(NestedKWin::outputSize.height() - window->y() - window->height())};
        QTRY_COMPARE_WITH_TIMEOUT(state().store().value(QStringLiteral("widgetpos_stopwatch")).toArray(),
                                  record, 5000);
        // The compositor placed the surface there too: its button takes
        // clicks where it is now drawn.
        QVERIFY(m_kwin->click(0, buttonAt()));
        QTRY_VERIFY_WITH_TIMEOUT(face->model().running(), 5000);
    }
};

int main(int argc, char** argv)
{
    WidgetWindow::configureApplication();
    QApplication app(argc, argv);
    TestWaylandKWin test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_wayland_kwin.moc"
