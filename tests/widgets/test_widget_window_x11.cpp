// Widget windows on a real X server with a real window manager (Xvfb and
// openbox), configured as the application configures them: their hints, their
// stacking layer, dragging them, clicking their buttons and what their repaints
// leave on the screen.
#include "design/Theme.h"
#include "platform/CompositorWatcher.h"
#include "state/AppState.h"
#include "state/DefaultsStore.h"
#include "widgets/DesktopWidgetController.h"
#include "widgets/TimerFaceView.h"
#include "widgets/WidgetCard.h"
#include "widgets/WidgetWindow.h"

#include <QApplication>
#include <QGuiApplication>
#include <QImage>
#include <QJsonArray>
#include <QPixmap>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QScreen>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <cstdlib>

using namespace nivora;

namespace {

QString run(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(5000))
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

QString xprop(WId window, const QStringList& properties)
{
    return run(QStringLiteral("xprop"), QStringList{"-id", QString::number(window)} + properties);
}

// Client windows from the bottom of the stack to the top.
QList<quint64> stackingOrder()
{
    const QString out = run(QStringLiteral("xprop"), {"-root", "_NET_CLIENT_LIST_STACKING"});
    QList<quint64> ids;
    static const QRegularExpression hex(QStringLiteral("0x[0-9a-fA-F]+"));
    for (auto it = hex.globalMatch(out); it.hasNext();)
        ids << it.next().captured().toULongLong(nullptr, 16);
    return ids;
}

// What the screen shows at `at` (global coordinates), whoever drew it.
QColor screenPixel(const QPoint& at)
{
    return QGuiApplication::primaryScreen()->grabWindow(0, at.x(), at.y(), 1, 1).toImage().pixelColor(0, 0);
}

bool near(const QColor& a, const QColor& b, int tolerance = 6)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

QString describe(const QColor& c)
{
    return c.name();
}

// Shown by the window manager: mapped, and neither iconic nor hidden (window
// managers that composite may keep the windows they hide mapped).
bool shownByWindowManager(WId window)
{
    if (!run(QStringLiteral("xwininfo"), {"-id", QString::number(window)})
             .contains(QLatin1String("IsViewable")))
        return false;
    const QString states = xprop(window, {"_NET_WM_STATE", "WM_STATE"});
    return !states.contains(QLatin1String("_NET_WM_STATE_HIDDEN")) &&
           !states.contains(QLatin1String("Iconic"));
}

void xdotool(const QStringList& args)
{
    QProcess::execute(QStringLiteral("xdotool"), args);
    QTest::qWait(80);
}

} // namespace

class TestWidgetWindowX11 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void windowHints();
    void stacksBetweenDesktopAndNormalWindows();
    void dragMovesAndRecords();
    void clicksReachButtonsAndRepaintsReachTheScreen();
    void startedProgramsKeepQtDefaults();
    void cutToTheCardWithoutCompositor();
    void staysWhileTheDesktopIsShown();

private:
    WidgetWindow* show(const QString& identifier);
    WidgetWindow* showClock() { return show(QStringLiteral("clock")); }

    QTemporaryDir m_dir;
    std::unique_ptr<DefaultsStore> m_store;
    std::unique_ptr<AppState> m_state;
    std::unique_ptr<DesktopWidgetController> m_controller;
};

void TestWidgetWindowX11::initTestCase()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        QSKIP("needs an X display with a window manager (scripts/with-display)");
    if (run(QStringLiteral("xprop"), {"-root", "_NET_SUPPORTING_WM_CHECK"}).indexOf("window id") < 0)
        QSKIP("no EWMH window manager is running");
}

void TestWidgetWindowX11::init()
{
    QFile::remove(m_dir.filePath(QStringLiteral("defaults.json")));
    m_store = std::make_unique<DefaultsStore>(m_dir.filePath(QStringLiteral("defaults.json")));
    m_state = std::make_unique<AppState>(*m_store, false);
    m_controller = std::make_unique<DesktopWidgetController>(*m_state);
    m_controller->start();
}

void TestWidgetWindowX11::cleanup()
{
    m_controller.reset();
    m_state.reset();
    m_store.reset();
}

WidgetWindow* TestWidgetWindowX11::show(const QString& identifier)
{
    QSignalSpy spy(m_controller.get(), &DesktopWidgetController::reconciled);
    m_state->setEnabledWidgets({identifier});
    if (!spy.wait(3000))
        return nullptr;
    WidgetWindow* window = m_controller->window(identifier);
    if (!window || !QTest::qWaitForWindowExposed(window))
        return nullptr;
    QTest::qWait(200); // let the window manager settle its properties
    return window;
}

void TestWidgetWindowX11::windowHints()
{
    WidgetWindow* window = showClock();
    QVERIFY(window);
    const QString props = xprop(
        window->winId(), {"_NET_WM_STATE", "_NET_WM_DESKTOP", "_NET_WM_WINDOW_TYPE", "_MOTIF_WM_HINTS"});
    QVERIFY2(props.contains("_NET_WM_STATE_BELOW"), qPrintable(props));
    QVERIFY2(props.contains("_NET_WM_STATE_SKIP_TASKBAR"), qPrintable(props));
    QVERIFY2(props.contains("_NET_WM_STATE_SKIP_PAGER"), qPrintable(props));
    QVERIFY2(QRegularExpression("_NET_WM_DESKTOP\\(CARDINAL\\) = 4294967295").match(props).hasMatch(),
             qPrintable(props));
    QVERIFY2(props.contains("_NET_WM_WINDOW_TYPE_NORMAL"), qPrintable(props));
    // A visual with alpha, so that the desktop shows around the card.
    const QString info = run("xwininfo", {"-id", QString::number(window->winId())});
    QVERIFY2(info.contains("Depth: 32"), qPrintable(info));
    QVERIFY2(!props.contains("_NET_WM_WINDOW_TYPE_UTILITY"), qPrintable(props));
    // Motif hints flags 2 (decorations) with decorations 0: no frame.
    QVERIFY2(
        QRegularExpression("_MOTIF_WM_HINTS\\(_MOTIF_WM_HINTS\\) = 0x[0-9a-f]*[2367abef], 0x[0-9a-f]+, 0x0")
            .match(props)
            .hasMatch(),
        qPrintable(props));
    // Sticky: it stays mapped on another workspace.
    const QString desktops = run("xprop", {"-root", "_NET_NUMBER_OF_DESKTOPS"});
    if (!desktops.contains(QLatin1String("= 1\n"))) {
        xdotool({"set_desktop", "1"});
        QTest::qWait(200);
        const QString info = run("xwininfo", {"-id", QString::number(window->winId())});
        xdotool({"set_desktop", "0"});
        QVERIFY2(info.contains("IsViewable"), qPrintable(info));
    }
    // The window is placed by the default rule on the real primary screen.
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    QCOMPARE(window->geometry().right() + 1, available.right() + 1 - 30);
    QCOMPARE(window->geometry().top(), available.top() + 30);
}

void TestWidgetWindowX11::stacksBetweenDesktopAndNormalWindows()
{
    QWidget desktop;
    desktop.setWindowTitle("desktop");
    desktop.setGeometry(QGuiApplication::primaryScreen()->geometry());
    desktop.winId();
    desktop.setAttribute(Qt::WA_X11NetWmWindowTypeDesktop);
    desktop.show();
    QVERIFY(QTest::qWaitForWindowExposed(&desktop));

    WidgetWindow* window = showClock();
    QVERIFY(window);

    QWidget normal;
    normal.setWindowTitle("normal");
    normal.setGeometry(window->geometry().adjusted(-50, -50, 50, 50));
    normal.show();
    QVERIFY(QTest::qWaitForWindowExposed(&normal));

    const auto check = [&] {
        const auto order = stackingOrder();
        const qsizetype d = order.indexOf(desktop.winId());
        const qsizetype w = order.indexOf(window->winId());
        const qsizetype n = order.indexOf(normal.winId());
        return d >= 0 && w >= 0 && n >= 0 && d < w && w < n;
    };
    QTRY_VERIFY2(check(), qPrintable(run("xprop", {"-root", "_NET_CLIENT_LIST_STACKING"})));

    // Activating the widget does not lift it above ordinary windows.
    window->activateWindow();
    window->raise();
    QTest::qWait(300);
    QVERIFY2(check(), qPrintable(run("xprop", {"-root", "_NET_CLIENT_LIST_STACKING"})));
}

void TestWidgetWindowX11::dragMovesAndRecords()
{
    WidgetWindow* window = showClock();
    QVERIFY(window);
    QVERIFY(!m_store->contains("widgetpos_clock"));
    const QPoint start = window->pos();
    // Grab the card away from the text, near its top edge.
    const QPoint grab = window->mapToGlobal(QPoint(window->width() - 20, 8));
    xdotool({"mousemove", QString::number(grab.x()), QString::number(grab.y())});
    xdotool({"mousedown", "1"});
    QTest::qWait(200);
    for (int i = 1; i <= 10; ++i)
        xdotool({"mousemove", QString::number(grab.x() - 20 * i), QString::number(grab.y() + 10 * i)});
    xdotool({"mouseup", "1"});

    QTRY_COMPARE(window->pos(), start + QPoint(-200, 100));
    QTRY_VERIFY(m_store->contains("widgetpos_clock"));
    const QRect primary = QGuiApplication::primaryScreen()->geometry();
    const QJsonArray expected{double(window->x() - primary.x()),
                              double(primary.y() + primary.height() - window->y() - window->height())};
    QTRY_COMPARE(m_store->value("widgetpos_clock").toArray(), expected);

    // Disabled and enabled again, the clock comes back where it was dropped.
    QSignalSpy spy(m_controller.get(), &DesktopWidgetController::reconciled);
    m_state->setEnabledWidgets({});
    QVERIFY(spy.wait(3000));
    m_state->setEnabledWidgets({"clock"});
    QVERIFY(spy.wait(3000));
    QCOMPARE(m_controller->window("clock")->pos(), start + QPoint(-200, 100));
}

void TestWidgetWindowX11::clicksReachButtonsAndRepaintsReachTheScreen()
{
    WidgetWindow* window = show(QStringLiteral("stopwatch"));
    QVERIFY(window);
    auto* face = qobject_cast<TimerFaceView*>(window->face());
    QVERIFY(face);
    face->model().setTickIntervalForTesting(60);
    const auto click = [&](int button) {
        const QPoint at = face->mapToGlobal(face->buttonRects().at(button).center().toPoint());
        xdotool({"mousemove", QString::number(at.x()), QString::number(at.y())});
        xdotool({"click", "1"});
    };
    const QPoint start = window->pos();

    click(0);
    QTRY_VERIFY(face->model().running());
    // Every tick redraws only the digits that changed.
    QTRY_VERIFY(face->model().displaySeconds() >= 4);
    click(0);
    QTRY_VERIFY(!face->model().running());
    QCOMPARE(window->pos(), start); // a click on a button does not move the window
    QTest::qWait(300);

    const auto onScreen = [&] {
        return window->screen()->grabWindow(window->winId()).toImage().convertToFormat(QImage::Format_RGB32);
    };
    const QImage afterTicks = onScreen();
    QCOMPARE(afterTicks.size(), window->size());
    // The screen holds what a repaint of the whole window draws.
    window->repaint();
    QTest::qWait(300);
    const QImage whole = onScreen();
    QCOMPARE(afterTicks, whole);
    // And that is the face showing the stopped count, not the first frame.
    face->model().reset();
    QTRY_COMPARE(face->model().displaySeconds(), 0);
    QTest::qWait(300);
    QVERIFY(onScreen() != whole);
}

void TestWidgetWindowX11::startedProgramsKeepQtDefaults()
{
    // The configuration is for this process's own connection only.
    const QString environment = run(QStringLiteral("env"), {});
    QVERIFY(environment.contains(QLatin1String("DISPLAY=")));
    QVERIFY2(!environment.contains(QLatin1String("QT_XCB_NO_MITSHM")), qPrintable(environment));
}

void TestWidgetWindowX11::cutToTheCardWithoutCompositor()
{
    if (QStandardPaths::findExecutable(QStringLiteral("xcompmgr")).isEmpty())
        QSKIP("xcompmgr is not installed (scripts/setup)");
    CompositorWatcher& watcher = CompositorWatcher::shared();
    QVERIFY2(!watcher.active(), "a compositing manager already runs on this display");

    // A wallpaper of a colour nothing else uses, under the widget.
    const QColor wallpaperColour(40, 140, 90);
    QWidget desktop;
    desktop.setGeometry(QGuiApplication::primaryScreen()->geometry());
    QPalette palette;
    palette.setColor(QPalette::Window, wallpaperColour);
    desktop.setPalette(palette);
    desktop.setAutoFillBackground(true);
    desktop.winId();
    desktop.setAttribute(Qt::WA_X11NetWmWindowTypeDesktop);
    desktop.show();
    QVERIFY(QTest::qWaitForWindowExposed(&desktop));

    // Outside the frame: three corners of the window (the fourth may hold the
    // shadow). Inside: near the top edge, in the middle, where no face draws.
    const auto checkPixels = [&](WidgetWindow* window, const char* when) {
        const QRect g = window->geometry();
        const QList<QPoint> outside{g.topLeft() + QPoint(1, 1), g.topRight() + QPoint(-1, 1),
                                    g.bottomLeft() + QPoint(1, -1)};
        for (const QPoint& at : outside) {
            const QColor c = screenPixel(at);
            if (!near(c, wallpaperColour))
                return QStringLiteral("%1: %2 at a corner, wallpaper expected").arg(when, describe(c));
        }
        const QColor inside = screenPixel(QPoint(g.center().x(), g.top() + 10));
        if (!near(inside, Theme::paper()))
            return QStringLiteral("%1: %2 inside the card, paper expected").arg(when, describe(inside));
        return QString();
    };
    const auto showShape = [&](const QString& shape) -> WidgetWindow* {
        QSignalSpy spy(m_controller.get(), &DesktopWidgetController::reconciled);
        m_state->setWidgetShapes({{QStringLiteral("clock"), shape}});
        if (!spy.wait(3000))
            return nullptr;
        WidgetWindow* window = m_controller->window(QStringLiteral("clock"));
        if (!window || !QTest::qWaitForWindowExposed(window))
            return nullptr;
        QTest::qWait(300);
        return window;
    };
    const QStringList shapes{"card", "rounded", "pill", "circle"};

    QVERIFY(showClock());
    // Every shape, without a compositing manager: cut, corners show the
    // wallpaper. Each shape change builds its window again, cut to the new
    // outline.
    QRegion previous;
    for (const QString& shape : shapes) {
        WidgetWindow* window = showShape(shape);
        QVERIFY2(window, qPrintable(shape));
        QVERIFY2(!window->mask().isEmpty(), qPrintable(shape));
        QVERIFY2(window->mask() != previous, qPrintable(shape));
        previous = window->mask();
        QString failure;
        // Retried: the compositor or the server may not have drawn yet.
        QTRY_VERIFY2((failure = checkPixels(window, qPrintable(shape))).isEmpty(), qPrintable(failure));
    }

    // A compositing manager started while the widget is shown: the window
    // drops its cut and is blended instead; the corners still show the
    // wallpaper, for every shape.
    QProcess xcompmgr;
    xcompmgr.start(QStringLiteral("xcompmgr"), {});
    QVERIFY(xcompmgr.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(watcher.active(), 5000);
    WidgetWindow* window = m_controller->window(QStringLiteral("clock"));
    QTRY_VERIFY(window->mask().isEmpty());
    QTest::qWait(300);
    {
        QString failure;
        // Retried: the compositor or the server may not have drawn yet.
        QTRY_VERIFY2((failure = checkPixels(window, "circle, composited")).isEmpty(), qPrintable(failure));
    }
    for (const QString& shape : shapes) {
        window = showShape(shape);
        QVERIFY2(window, qPrintable(shape));
        QVERIFY2(window->mask().isEmpty(), qPrintable(shape));
        QString failure;
        // Retried: the compositor or the server may not have drawn yet.
        QTRY_VERIFY2(
            (failure = checkPixels(window, qPrintable(shape + QStringLiteral(", composited")))).isEmpty(),
            qPrintable(failure));
    }

    // Stopped again: back to the cut, on the live window.
    xcompmgr.terminate();
    QVERIFY(xcompmgr.waitForFinished(3000));
    QTRY_VERIFY_WITH_TIMEOUT(!watcher.active(), 5000);
    QTRY_VERIFY(!window->mask().isEmpty());
    QCOMPARE(window->mask(), WidgetCard::frameRegion(WidgetShape::Circle, window->size()));
    QTest::qWait(300);
    QString failure;
    // Retried: the compositor or the server may not have drawn yet.
    QTRY_VERIFY2((failure = checkPixels(window, "circle, compositor gone")).isEmpty(), qPrintable(failure));
}

void TestWidgetWindowX11::staysWhileTheDesktopIsShown()
{
    if (QStandardPaths::findExecutable(QStringLiteral("wmctrl")).isEmpty())
        QSKIP("wmctrl is not installed (scripts/setup)");
    const QColor wallpaperColour(40, 140, 90);
    QWidget desktop;
    desktop.setGeometry(QGuiApplication::primaryScreen()->geometry());
    QPalette palette;
    palette.setColor(QPalette::Window, wallpaperColour);
    desktop.setPalette(palette);
    desktop.setAutoFillBackground(true);
    desktop.winId();
    desktop.setAttribute(Qt::WA_X11NetWmWindowTypeDesktop);
    desktop.show();
    QVERIFY(QTest::qWaitForWindowExposed(&desktop));

    WidgetWindow* window = showClock();
    QVERIFY(window);
    const QPoint where = window->pos();
    const QPoint inWidget(window->geometry().center().x(), window->geometry().top() + 10);

    // An ordinary window of another program beside the widget, of a colour of
    // its own (a window of this process would share the desktop's window
    // group, which some window managers keep up with the desktop).
    const QColor normalColour(200, 60, 60);
    const QRect normalArea(window->geometry().topLeft() - QPoint(500, 0), QSize(300, 200));
    QProcess normal;
    normal.start(QStringLiteral("xmessage"),
                 {"-title", "nivora-ordinary-window", "-geometry",
                  QStringLiteral("%1x%2+%3+%4")
                      .arg(normalArea.width())
                      .arg(normalArea.height())
                      .arg(normalArea.x())
                      .arg(normalArea.y()),
                  "-xrm", "*background: " + normalColour.name(), "-xrm",
                  "*foreground: " + normalColour.name(), "-xrm", "*borderWidth: 0", " "});
    QVERIFY(normal.waitForStarted());
    const auto stopNormal = qScopeGuard([&] {
        normal.kill();
        normal.waitForFinished();
    });
    const auto normalWindow = [] {
        return run(QStringLiteral("xdotool"), {"search", "--name", "nivora-ordinary-window"})
            .trimmed()
            .toULongLong();
    };
    QTRY_VERIFY(normalWindow() != 0);
    const WId normalId = normalWindow();
    QTRY_VERIFY(shownByWindowManager(normalId));
    // Active, as the program in use would be (some window managers keep a
    // new window that did not ask for focus below the others).
    QProcess::execute(QStringLiteral("wmctrl"), {"-i", "-a", QString::number(normalId)});
    // Where the window manager put it, inside its border.
    const QString info = run(QStringLiteral("xwininfo"), {"-id", QString::number(normalId)});
    const auto number = [&](const char* label) {
        return QRegularExpression(QString::fromLatin1(label) + QStringLiteral(":\\s+(-?\\d+)"))
            .match(info)
            .captured(1)
            .toInt();
    };
    const QPoint inNormal(number("Absolute upper-left X") + 20, number("Absolute upper-left Y") + 20);
    QTRY_VERIFY2(near(screenPixel(inNormal), normalColour), qPrintable(describe(screenPixel(inNormal))));

    // Showing the desktop takes the ordinary window away (hidden, or covered
    // by the desktop, as the window manager does it) and leaves the widget.
    QProcess::execute(QStringLiteral("wmctrl"), {"-k", "on"});
    QTRY_VERIFY(run("xprop", {"-root", "_NET_SHOWING_DESKTOP"}).contains(QLatin1String("= 1")));
    QTRY_VERIFY2(near(screenPixel(inNormal), wallpaperColour), qPrintable(describe(screenPixel(inNormal))));
    QTest::qWait(300);
    QVERIFY(shownByWindowManager(window->winId()));
    QTRY_VERIFY2(near(screenPixel(inWidget), Theme::paper()), qPrintable(describe(screenPixel(inWidget))));

    // Back again: the window returns, the widget has not moved.
    QProcess::execute(QStringLiteral("wmctrl"), {"-k", "off"});
    QTRY_VERIFY2(near(screenPixel(inNormal), normalColour), qPrintable(describe(screenPixel(inNormal))));
    QVERIFY(shownByWindowManager(normalId));
    QVERIFY(shownByWindowManager(window->winId()));
    QCOMPARE(window->pos(), where);
    QTRY_VERIFY2(near(screenPixel(inWidget), Theme::paper()), qPrintable(describe(screenPixel(inWidget))));
}

int main(int argc, char** argv)
{
    WidgetWindow::configureApplication();
    QApplication app(argc, argv);
    TestWidgetWindowX11 test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "test_widget_window_x11.moc"
