// The tray popover as a Wayland client of a real sway: Qt runs on its Wayland
// platform here, as the application does on a layer-shell desktop.

#include "AccessibleWindows.h"
#include "HeadlessSway.h"
#include "app/PopoverWindow.h"

#include <QAccessible>
#include <QApplication>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>
#include <memory>

using nivora::PopoverWindow;
using nivora::testing::HeadlessSway;

namespace {

// Stopped only after the application has gone: Qt ends a process whose
// Wayland connection breaks.
std::unique_ptr<HeadlessSway> sway;
QString swayProblem;

// The node sway keeps for the window titled `title`, and whether it floats.
QJsonObject findNode(const QJsonObject& node, const QString& title, bool floating, bool* isFloating)
{
    if (node.value(QStringLiteral("name")).toString() == title) {
        *isFloating = floating;
        return node;
    }
    for (const char* key : {"nodes", "floating_nodes"}) {
        for (const QJsonValue& child : node.value(QLatin1String(key)).toArray()) {
            const QJsonObject found = findNode(child.toObject(), title,
                                               floating || qstrcmp(key, "floating_nodes") == 0, isFloating);
            if (!found.isEmpty())
                return found;
        }
    }
    return {};
}

} // namespace

class TestPopoverWayland : public QObject
{
    Q_OBJECT

public:
    static void initMain()
    {
        // The compositor must exist before the application picks its platform.
        if (!HeadlessSway::isInstalled()) {
            swayProblem = QStringLiteral("sway, swaymsg or grim is not installed");
        } else {
            sway = std::make_unique<HeadlessSway>();
            if (!sway->start())
                swayProblem = sway->error();
        }
        if (swayProblem.isEmpty()) {
            qputenv("WAYLAND_DISPLAY", sway->socket().toLocal8Bit());
            qputenv("QT_QPA_PLATFORM", "wayland");
            qunsetenv("DISPLAY");
        }
        qputenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
    }

private Q_SLOTS:
    void reachableAndClosedBySwitchingAway()
    {
        if (!swayProblem.isEmpty())
            QFAIL(qPrintable(swayProblem));
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("wayland"));

        PopoverWindow popover(new QWidget);
        popover.toggle(QRect(600, 0, 24, 24), PopoverWindow::Trigger::Command);
        QVERIFY(QTest::qWaitForWindowExposed(&popover));

        // A screen reader finds it where it looks: among the application's windows.
        QVERIFY(nivora::testing::isAccessibleWindow(&popover));

        // Sway floats it over the user's windows rather than tiling it among them.
        bool floating = false;
        QTRY_VERIFY(!findNode(QJsonDocument::fromJson(sway->msg({"-t", "get_tree"}).toUtf8()).object(),
                              popover.windowTitle(), false, &floating)
                         .isEmpty());
        QVERIFY(floating);

        // The compositor gives it the keyboard; moving the focus to another
        // window (what a click elsewhere does) closes it, and the tray's own
        // click that came with it does not open it again.
        QTRY_VERIFY(popover.isActiveWindow());
        QWidget other;
        other.setWindowTitle(QStringLiteral("nivora-test-other"));
        other.resize(200, 200);
        other.show();
        QVERIFY(QTest::qWaitForWindowExposed(&other));
        QTRY_VERIFY(!findNode(QJsonDocument::fromJson(sway->msg({"-t", "get_tree"}).toUtf8()).object(),
                              other.windowTitle(), false, &floating)
                         .isEmpty());
        const QString focused = sway->msg({QStringLiteral("[title=\"nivora-test-other\"] focus")});
        QVERIFY2(focused.contains("true"), qPrintable(focused));
        QTRY_VERIFY(!popover.isVisible());
        popover.toggle(QRect(600, 0, 24, 24), PopoverWindow::Trigger::TrayClick);
        QVERIFY(!popover.isVisible());

        // Opened again, it stays open while it has the keyboard and Escape closes it.
        QTest::qWait(PopoverWindow::reopenGuardMs + 50);
        popover.toggle(QRect(600, 0, 24, 24), PopoverWindow::Trigger::TrayClick);
        QVERIFY(QTest::qWaitForWindowExposed(&popover));
        QTRY_VERIFY(popover.isActiveWindow());
        QTest::qWait(200);
        QVERIFY(popover.isVisible());
        QTest::keyClick(&popover, Qt::Key_Escape);
        QTRY_VERIFY(!popover.isVisible());
    }
};

QTEST_MAIN(TestPopoverWayland)
#include "test_popover_wayland.moc"
