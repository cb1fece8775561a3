// Desktop widgets on a Wayland compositor with the layer shell (a real headless
// sway): a widget shows above the wallpaper and below ordinary windows, its
// buttons take clicks of a real pointer, a drag moves it and stores where it
// was dropped, and widgets keep clear of the zones panels reserve.
#include "DesktopTestSupport.h"
#include "HeadlessSway.h"
#include "platform/WidgetSurface.h"
#include "platform/wayland/WaylandConnection.h"
#include "platform/wayland/WaylandWidgetSurface.h"
#include "widgets/DesktopWidgetController.h"
#include "widgets/TimerFaceView.h"
#include "widgets/WidgetWindow.h"
#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>
#include <algorithm>
#include <linux/input-event-codes.h>
#include <wayland-client.h>

using namespace nivora;
using namespace nivora::testing;

namespace {

// A pointer the compositor believes in, driven through wlroots' virtual
// pointer from a connection of its own. Positions are in the compositor's
// layout.
class VirtualPointer
{
public:
    VirtualPointer(const QString& socket, QSize layout) : m_layout(layout)
    {
        m_display = connectClient(socket, &registryListener, this);
        if (!m_display)
            return;
        if (m_manager)
            m_pointer = zwlr_virtual_pointer_manager_v1_create_virtual_pointer(m_manager, nullptr);
        wl_display_roundtrip(m_display);
    }
    ~VirtualPointer()
    {
        if (m_pointer)
            zwlr_virtual_pointer_v1_destroy(m_pointer);
        if (m_manager)
            zwlr_virtual_pointer_manager_v1_destroy(m_manager);
        if (m_display)
            wl_display_disconnect(m_display);
    }
    bool isValid() const { return m_pointer != nullptr; }

    // Each step is sent at once; the wait lets the application under test,
    // which runs in this process, read what the compositor made of it.
    void moveTo(QPoint at)
    {
        zwlr_virtual_pointer_v1_motion_absolute(m_pointer, time(), quint32(at.x()), quint32(at.y()),
                                                quint32(m_layout.width()), quint32(m_layout.height()));
        send();
    }
    void button(bool pressed)
    {
        zwlr_virtual_pointer_v1_button(m_pointer, time(), BTN_LEFT,
                                       pressed ? WL_POINTER_BUTTON_STATE_PRESSED
                                               : WL_POINTER_BUTTON_STATE_RELEASED);
        send();
    }
    void click(QPoint at)
    {
        moveTo(at);
        button(true);
        button(false);
    }

private:
    static void onGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t)
    {
        if (qstrcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0)
            static_cast<VirtualPointer*>(data)->m_manager = static_cast<zwlr_virtual_pointer_manager_v1*>(
                wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1));
    }
    static void onGlobalRemove(void*, wl_registry*, uint32_t) {}
    static constexpr wl_registry_listener registryListener = {onGlobal, onGlobalRemove};

    quint32 time() { return m_time += 16; }
    void send()
    {
        zwlr_virtual_pointer_v1_frame(m_pointer);
        wl_display_roundtrip(m_display);
        QTest::qWait(60);
    }

    QSize m_layout;
    wl_display* m_display = nullptr;
    zwlr_virtual_pointer_manager_v1* m_manager = nullptr;
    zwlr_virtual_pointer_v1* m_pointer = nullptr;
    quint32 m_time = 0;
};

} // namespace

class TestWaylandWidgets : public QObject
{
    Q_OBJECT

    std::unique_ptr<HeadlessSway> m_sway;
    std::unique_ptr<TestSettings> m_settings;
    std::unique_ptr<PlatformServices> m_platform;
    std::unique_ptr<WallpaperController> m_wallpaper;
    std::unique_ptr<DesktopWidgetController> m_widgets;
    std::unique_ptr<VirtualPointer> m_pointer;

    AppState& state() { return *m_settings->state; }

    // A red wallpaper on every output and the widget `identifier` on the
    // desktop; the widget's window once its surface is on screen.
    WidgetWindow* showWidget(const QString& identifier)
    {
        QImage red(32, 32, QImage::Format_RGB32);
        red.fill(Qt::red);
        const QString path = m_settings->dir.filePath(QStringLiteral("red.png"));
        if (!red.save(path))
            return nullptr;
        state().setMediaPath(path);
        state().setWallpaperMode(WallpaperMode::Image);
        m_wallpaper = std::make_unique<WallpaperController>(state(), *m_platform);
        m_wallpaper->start();
        m_widgets = std::make_unique<DesktopWidgetController>(state());
        m_widgets->usePlatform(*m_platform);
        m_widgets->start();
        state().setEnabledWidgets({identifier});
        WidgetWindow* window = nullptr;
        const bool shown = QTest::qWaitFor(
            [&] {
                window = m_widgets->window(identifier);
                auto* surface = window ? qobject_cast<WaylandWidgetSurface*>(window->surface()) : nullptr;
                return surface && surface->isMapped();
            },
            10000);
        if (!shown)
            qWarning() << "no widget on screen:" << window << (window ? window->surface() : nullptr)
                       << (window ? window->isVisible() : false) << m_widgets->identifiers();
        return shown ? window : nullptr;
    }

    // The part of the output's screenshot the widget covers, inset so that
    // the card's rounded corners (the wallpaper shows there) are left out.
    QImage onScreen(WidgetWindow* window, const QString& output = QStringLiteral("HEADLESS-1"))
    {
        const QImage shot = m_sway->grab(output);
        return shot.copy(window->geometry().adjusted(16, 16, -16, -16));
    }
    static QImage drawn(WidgetWindow* window)
    {
        QImage image(window->size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::red); // what the wallpaper shows through
        window->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        return image.convertToFormat(QImage::Format_RGB32)
            .copy(QRect(QPoint(), window->size()).adjusted(16, 16, -16, -16));
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
        m_platform =
            platformOn(m_sway->socket(), m_sway->clientEnvironment().value(QStringLiteral("SWAYSOCK")));
        QVERIFY(m_platform->makeWidgetSurface);
        // The layout: 1280x720 at the origin, 800x600 to its right.
        m_pointer = std::make_unique<VirtualPointer>(m_sway->socket(), QSize(2080, 720));
        QVERIFY(m_pointer->isValid());
    }

    void cleanup()
    {
        m_pointer.reset();
        m_widgets.reset();
        m_wallpaper.reset();
        m_platform.reset();
        m_settings.reset();
    }

    void widgetIsAboveTheWallpaperAndBelowWindows()
    {
        WidgetWindow* window = showWidget(QStringLiteral("clock"));
        QVERIFY(window);
        // Placed by the default rule on the first output of the layout.
        QCOMPARE(window->geometry().right() + 1, 1280 - 30);
        QCOMPARE(window->geometry().top(), 30);
        QCOMPARE(qobject_cast<WaylandWidgetSurface*>(window->surface())->outputName(),
                 QStringLiteral("HEADLESS-1"));
        // The face, over the wallpaper.
        QImage shown;
        const QImage expected = drawn(window);
        QVERIFY2(QTest::qWaitFor(
                     [&] {
                         shown = onScreen(window);
                         return meanDifference(shown, expected) < 3.0;
                     },
                     10000),
                 qPrintable(QStringLiteral("mean difference %1").arg(meanDifference(shown, expected))));
        QVERIFY(averageColor(shown, shown.rect()) != QColor(Qt::red));

        // An ordinary window on that output covers it.
        m_sway->msg({QStringLiteral("focus output HEADLESS-1")});
        QProcess foot;
        auto stopFoot = qScopeGuard([&] {
            foot.kill();
            foot.waitForFinished(5000);
        });
        QVERIFY(m_sway->startFoot(foot));
        QVERIFY(QTest::qWaitFor(
            [&] {
                const QImage shot = m_sway->grab(QStringLiteral("HEADLESS-1"));
                const QImage under = shot.copy(window->geometry().adjusted(16, 16, -16, -16));
                // The terminal's own background: the same at the widget's
                // place as in an empty part of the terminal far from it.
                const QImage elsewhere = shot.copy(QRect(QPoint(200, 400), under.size()));
                return meanDifference(under, elsewhere) < 2.0 && meanDifference(under, expected) > 20.0;
            },
            10000));
        stopFoot.dismiss();
        foot.kill();
        foot.waitForFinished(5000);
        QVERIFY(QTest::qWaitFor([&] { return meanDifference(onScreen(window), expected) < 3.0; }, 10000));
    }

    // Clicks on the bare desktop, and on the transparent corner of a widget,
    // reach no surface of the application; clicks on the card do.
    void onlyTheCardTakesThePointer()
    {
        WidgetWindow* window = showWidget(QStringLiteral("clock"));
        QVERIFY(window);
        auto* connection = qobject_cast<WaylandConnection*>(m_platform->connection.get());
        QVERIFY(connection);
        const quint64 before = connection->pointerEnterCount();
        m_pointer->click(QPoint(200, 500));             // the wallpaper
        m_pointer->click(QPoint(1500, 300));            // the other output's wallpaper
        m_pointer->click(window->pos() + QPoint(1, 1)); // outside the card's rounded corner
        QTest::qWait(200);
        QCOMPARE(connection->pointerEnterCount(), before);
        m_pointer->click(window->geometry().center());
        QTRY_VERIFY_WITH_TIMEOUT(connection->pointerEnterCount() > before, 5000);
    }

    void buttonsTakeClicksAndDragMovesAndRecords()
    {
        WidgetWindow* window = showWidget(QStringLiteral("stopwatch"));
        QVERIFY(window);
        auto* face = qobject_cast<TimerFaceView*>(window->face());
        QVERIFY(face);
        const QPoint start = window->pos();
        const auto buttonAt = [&](int button) {
            return window->pos() + face->mapTo(window, face->buttonRects().at(button).center().toPoint());
        };

        m_pointer->click(buttonAt(0));
        QTRY_VERIFY_WITH_TIMEOUT(face->model().running(), 5000);
        m_pointer->click(buttonAt(0));
        QTRY_VERIFY_WITH_TIMEOUT(!face->model().running(), 5000);
        QCOMPARE(window->pos(), start); // a click on a button does not move it
        QVERIFY(!state().store().contains(QStringLiteral("widgetpos_stopwatch")));

        // A drag by the card, away from the buttons.
        const QPoint grab = window->pos() + QPoint(window->width() - 20, 8);
        m_pointer->moveTo(grab);
        m_pointer->button(true);
        for (int i = 1; i <= 10; ++i)
            m_pointer->moveTo(grab + QPoint(-20 * i, 10 * i));
        m_pointer->button(false);
        QTRY_COMPARE_WITH_TIMEOUT(window->pos(), start + QPoint(-200, 100), 5000);
        // Stored as on X11: the bottom-left corner, y up from the bottom of
        // the primary (here the first) output.
        const QJsonArray expected{double(window->x()), double(720 - window->y() - window->height())};
        QTRY_COMPARE_WITH_TIMEOUT(state().store().value(QStringLiteral("widgetpos_stopwatch")).toArray(),
                                  expected, 5000);
        // The surface went with it.
        const QImage face0 = drawn(window);
        QVERIFY(QTest::qWaitFor([&] { return meanDifference(onScreen(window), face0) < 3.0; }, 10000));
        // And the buttons are where they are drawn now.
        m_pointer->click(buttonAt(0));
        QTRY_VERIFY_WITH_TIMEOUT(face->model().running(), 5000);

        // Dragged onto the other output, it ends up on a surface there.
        const QPoint again = window->pos() + QPoint(window->width() - 20, 8);
        m_pointer->moveTo(again);
        m_pointer->button(true);
        for (int i = 1; i <= 8; ++i)
            m_pointer->moveTo(again + QPoint(100 * i, -40 * i));
        m_pointer->button(false);
        QTRY_COMPARE_WITH_TIMEOUT(window->pos(), start + QPoint(-200 + 800, 100 - 320), 5000);
        auto* surface = qobject_cast<WaylandWidgetSurface*>(window->surface());
        QTRY_COMPARE_WITH_TIMEOUT(surface->outputName(), QStringLiteral("HEADLESS-2"), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(surface->isMapped(), 5000);
        const QRect onSecond = window->geometry().translated(-1280, 0).adjusted(16, 16, -16, -16);
        QVERIFY(QTest::qWaitFor(
            [&] {
                const QImage shot = m_sway->grab(QStringLiteral("HEADLESS-2"));
                return meanDifference(shot.copy(onSecond), drawn(window)) < 3.0;
            },
            10000));
    }

    // The output under a widget goes away: the widget comes back on the
    // remaining output, placed as if never moved, with its face shown at once
    // although the face (the date) does not repaint until the next day. Its
    // record is kept for when the output returns.
    void widgetOfAVanishedOutputComesBackShowingItsFace()
    {
        HeadlessSway nested;
        QVERIFY2(nested.startNestedIn(*m_sway), qPrintable(nested.error()));
        std::unique_ptr<PlatformServices> platform = platformOn(nested.socket());
        QList<ScreenInfo> layout;
        QVERIFY(QTest::qWaitFor(
            [&] {
                layout = platform->screens->screens();
                return layout.size() == 2 && layout.at(1).name == QLatin1String("WL-2");
            },
            10000));
        DesktopWidgetController widgets(state());
        widgets.usePlatform(*platform);
        widgets.start();
        state().setEnabledWidgets({QStringLiteral("date")});
        WidgetWindow* window = nullptr;
        WaylandWidgetSurface* surface = nullptr;
        QVERIFY(QTest::qWaitFor(
            [&] {
                window = widgets.window(QStringLiteral("date"));
                surface = window ? qobject_cast<WaylandWidgetSurface*>(window->surface()) : nullptr;
                return surface && surface->isMapped();
            },
            10000));
        const QPoint defaultPlace = window->pos();
        QVERIFY(layout.at(0).frame.contains(window->geometry()));
        // Dragged there: only a drag's moves are kept.
        QTest::mousePress(window, Qt::LeftButton, {}, QPoint(20, 20));
        window->move(layout.at(1).frame.topLeft() + QPoint(40, 40));
        QTest::mouseRelease(window, Qt::LeftButton, {}, QPoint(20, 20));
        QTRY_COMPARE_WITH_TIMEOUT(surface->outputName(), QStringLiteral("WL-2"), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(surface->isMapped(), 5000);
        widgets.flushPendingMoves();
        const QJsonValue record = state().store().value(QStringLiteral("widgetpos_date"));
        QVERIFY(record.isArray());

        QVERIFY(nested.unplug(QStringLiteral("WL-2")));
        QTRY_COMPARE_WITH_TIMEOUT(window->pos(), defaultPlace, 10000);
        QTRY_COMPARE_WITH_TIMEOUT(surface->outputName(), QStringLiteral("WL-1"), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(surface->isMapped(), 5000);
        const QImage expected = drawn(window);
        const QRect place =
            window->geometry().translated(-layout.at(0).frame.topLeft()).adjusted(16, 16, -16, -16);
        double difference = -1;
        QVERIFY2(QTest::qWaitFor(
                     [&] {
                         difference =
                             meanDifference(nested.grab(QStringLiteral("WL-1")).copy(place), expected);
                         return difference >= 0 && difference < 3.0;
                     },
                     10000),
                 qPrintable(QStringLiteral("mean difference %1").arg(difference)));
        widgets.flushPendingMoves();
        QCOMPARE(state().store().value(QStringLiteral("widgetpos_date")), record);
    }

    // Widgets keep out of the zones bars reserve (swaybar, a layer-shell
    // panel): a widget never moved goes below a top bar, and a bar that comes
    // later moves the widget it covers and no other.
    void widgetsKeepClearOfBars()
    {
        HeadlessSway own;
        QVERIFY2(own.start("bar {\n id upper\n position top\n}\n"
                           "bar {\n id lower\n position bottom\n mode invisible\n}\n"),
                 qPrintable(own.error()));
        // sway's own word on the area its bars leave: the workspace's
        // rectangle (no gaps are configured).
        auto swayArea = [&own](const QString& output) {
            const QJsonArray workspaces =
                QJsonDocument::fromJson(
                    own.msg({QStringLiteral("-t"), QStringLiteral("get_workspaces")}).toUtf8())
                    .array();
            for (const QJsonValue& w : workspaces) {
                if (w[QStringLiteral("output")].toString() != output)
                    continue;
                const QJsonObject r = w[QStringLiteral("rect")].toObject();
                return QRect(r[QStringLiteral("x")].toInt(), r[QStringLiteral("y")].toInt(),
                             r[QStringLiteral("width")].toInt(), r[QStringLiteral("height")].toInt());
            }
            return QRect();
        };
        QVERIFY(QTest::qWaitFor([&] { return swayArea(QStringLiteral("HEADLESS-1")).top() > 0; }, 10000));
        std::unique_ptr<PlatformServices> platform =
            platformOn(own.socket(), own.clientEnvironment().value(QStringLiteral("SWAYSOCK")));
        QVERIFY(platform->workAreas);
        auto workAreas = [&] {
            QList<QRect> areas;
            for (const ScreenInfo& screen : platform->screens->screens())
                areas.append(platform->workAreas->outputWorkArea(screen));
            return areas;
        };
        auto swayAreas = [&] {
            return QList<QRect>{swayArea(QStringLiteral("HEADLESS-1")),
                                swayArea(QStringLiteral("HEADLESS-2"))};
        };
        QTRY_COMPARE_WITH_TIMEOUT(workAreas(), swayAreas(), 5000);

        // The stopwatch low on the first output, the week in the middle of
        // the second, in record coordinates (bottom-left corner, y up).
        state().store().setValue(QStringLiteral("widgetpos_stopwatch"), QJsonArray{200.0, 10.0});
        state().store().setValue(QStringLiteral("widgetpos_week"), QJsonArray{1500.0, 300.0});
        DesktopWidgetController widgets(state());
        widgets.usePlatform(*platform);
        widgets.start();
        const QStringList ids{QStringLiteral("clock"), QStringLiteral("stopwatch"), QStringLiteral("week")};
        state().setEnabledWidgets(QSet<QString>(ids.cbegin(), ids.cend()));
        QVERIFY(QTest::qWaitFor(
            [&] {
                return std::all_of(ids.cbegin(), ids.cend(), [&](const QString& id) {
                    WidgetWindow* w = widgets.window(id);
                    auto* surface = w ? qobject_cast<WaylandWidgetSurface*>(w->surface()) : nullptr;
                    return surface && surface->isMapped();
                });
            },
            10000));
        WidgetWindow* clock = widgets.window(QStringLiteral("clock"));
        WidgetWindow* stopwatch = widgets.window(QStringLiteral("stopwatch"));
        WidgetWindow* week = widgets.window(QStringLiteral("week"));
        const QRect top = swayArea(QStringLiteral("HEADLESS-1"));
        QCOMPARE(clock->geometry().top(), top.top() + 30);
        QCOMPARE(clock->geometry().right() + 1, 1280 - 30);
        const QPoint stopwatchPlace(200, 720 - 10 - stopwatch->height());
        QCOMPARE(stopwatch->pos(), stopwatchPlace);
        const QPoint weekPlace = week->pos();
        QCOMPARE(weekPlace, QPoint(1500, 720 - 300 - week->height()));

        // The bottom bar comes: it covers the stopwatch, which goes where a
        // widget never moved goes; the others stay.
        QVERIFY(own.msg({QStringLiteral("bar"), QStringLiteral("lower"), QStringLiteral("mode"),
                         QStringLiteral("dock")})
                    .contains(QLatin1String("true")));
        QTRY_VERIFY_WITH_TIMEOUT(swayArea(QStringLiteral("HEADLESS-1")).bottom() < 719, 10000);
        QTRY_COMPARE_WITH_TIMEOUT(workAreas(), swayAreas(), 5000);
        const QPoint stopwatchDefault(1280 - 30 - stopwatch->width(), top.top() + 30 + 40 * 10);
        QTRY_COMPARE_WITH_TIMEOUT(stopwatch->pos(), stopwatchDefault, 5000);
        QCOMPARE(week->pos(), weekPlace);
        QCOMPARE(clock->geometry().top(), top.top() + 30);
        // The record stays, for when the bar goes again.
        QCOMPARE(state().store().value(QStringLiteral("widgetpos_stopwatch")),
                 QJsonValue(QJsonArray{200.0, 10.0}));
        auto* surface = qobject_cast<WaylandWidgetSurface*>(stopwatch->surface());
        QTRY_VERIFY_WITH_TIMEOUT(surface->isMapped(), 5000);

        QVERIFY(own.msg({QStringLiteral("bar"), QStringLiteral("lower"), QStringLiteral("mode"),
                         QStringLiteral("invisible")})
                    .contains(QLatin1String("true")));
        QTRY_COMPARE_WITH_TIMEOUT(stopwatch->pos(), stopwatchPlace, 10000);
    }

    // The compositor goes away under a widget (the session ends, or it
    // crashes): the widget lives on without a surface, can still be moved and
    // redrawn, and nothing crashes.
    void compositorGoingAwayLeavesTheWidgetUsable()
    {
        HeadlessSway own;
        QVERIFY2(own.start(), qPrintable(own.error()));
        std::unique_ptr<PlatformServices> platform = platformOn(own.socket());
        DesktopWidgetController widgets(state());
        widgets.usePlatform(*platform);
        widgets.start();
        state().setEnabledWidgets({QStringLiteral("clock")});
        WidgetWindow* clock = nullptr;
        QVERIFY(QTest::qWaitFor(
            [&] {
                clock = widgets.window(QStringLiteral("clock"));
                auto* surface = clock ? qobject_cast<WaylandWidgetSurface*>(clock->surface()) : nullptr;
                return surface && surface->isMapped();
            },
            10000));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("lost the connection")));
        own.stop();
        QTRY_VERIFY_WITH_TIMEOUT(!qobject_cast<WaylandWidgetSurface*>(clock->surface())->isMapped(), 10000);
        clock->move(clock->pos() + QPoint(-10, 10));
        clock->repaint();
        QTest::qWait(1200); // a tick of the clock
        QCOMPARE(widgets.window(QStringLiteral("clock")), clock);
    }
};

int main(int argc, char** argv)
{
    WidgetWindow::configureApplication();
    QApplication app(argc, argv);
    TestWaylandWidgets test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_wayland_widgets.moc"
