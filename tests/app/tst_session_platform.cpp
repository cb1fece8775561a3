// The window system is chosen before Qt starts: the layer shell when the
// compositor offers it, X11 through XWayland on a compositor without it
// (GNOME), a clear refusal when neither can put anything behind the windows,
// and the user's QT_QPA_PLATFORM honoured unless it would make the wallpaper
// an ordinary window.
#include "platform/SessionPlatform.h"

#include <QTest>

using namespace nivora;
using Env = SessionPlatform::Environment;
using Compositor = SessionPlatform::Compositor;
using Desktop = SessionPlatform::Desktop;

Q_DECLARE_METATYPE(Env)

class TestSessionPlatform : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void choice_data()
    {
        QTest::addColumn<Env>("env");
        QTest::addColumn<int>("desktop");
        QTest::addColumn<QByteArray>("qtPlatform");
        QTest::addColumn<QString>("errorMentions"); // empty: no error

        auto env = [](bool wayland, bool x11, Compositor compositor, QByteArray qpa = {}) {
            return Env{wayland, x11, std::move(qpa), compositor};
        };
        const int x11 = int(Desktop::X11);
        const int layer = int(Desktop::LayerShell);
        QTest::newRow("X11 session") << env(false, true, Compositor::None) << x11 << QByteArray()
                                     << QString();
        QTest::newRow("sway") << env(true, true, Compositor::LayerShell) << layer << QByteArray()
                              << QString();
        QTest::newRow("sway without XWayland")
            << env(true, false, Compositor::LayerShell) << layer << QByteArray() << QString();
        QTest::newRow("GNOME: the whole process on xcb")
            << env(true, true, Compositor::NoLayerShell) << x11 << QByteArray("xcb") << QString();
        QTest::newRow("hung compositor, X display")
            << env(true, true, Compositor::Unreachable) << x11 << QByteArray("xcb") << QString();
        QTest::newRow("GNOME without XWayland")
            << env(true, false, Compositor::NoLayerShell) << x11 << QByteArray() << QStringLiteral("DISPLAY");
        QTest::newRow("no display at all") << env(false, false, Compositor::None) << x11 << QByteArray()
                                           << QStringLiteral("WAYLAND_DISPLAY");
        QTest::newRow("user's xcb on sway keeps the layer shell")
            << env(true, true, Compositor::LayerShell, "xcb") << layer << QByteArray() << QString();
        QTest::newRow("user's wayland on GNOME is refused")
            << env(true, true, Compositor::NoLayerShell, "wayland") << x11 << QByteArray()
            << QStringLiteral("ordinary window");
        QTest::newRow("user's wayland-egl on sway")
            << env(true, true, Compositor::LayerShell, "wayland-egl") << layer << QByteArray() << QString();
        QTest::newRow("user's xcb without DISPLAY is refused")
            << env(true, false, Compositor::LayerShell, "xcb") << layer << QByteArray()
            << QStringLiteral("DISPLAY");
        QTest::newRow("offscreen, for scripts and tests")
            << env(false, false, Compositor::None, "offscreen") << x11 << QByteArray() << QString();
    }

    void choice()
    {
        QFETCH(Env, env);
        QFETCH(int, desktop);
        QFETCH(QByteArray, qtPlatform);
        QFETCH(QString, errorMentions);
        const SessionPlatform chosen = SessionPlatform::choose(env);
        if (!errorMentions.isEmpty()) {
            QVERIFY2(chosen.error.contains(errorMentions), qPrintable(chosen.error));
            return;
        }
        QVERIFY2(chosen.error.isEmpty(), qPrintable(chosen.error));
        QCOMPARE(int(chosen.desktop), desktop);
        QCOMPARE(chosen.qtPlatform, qtPlatform);
        QVERIFY(!chosen.reason.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestSessionPlatform)
#include "tst_session_platform.moc"
