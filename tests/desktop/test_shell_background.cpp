// GNOME's own background follows the wallpaper while the switch is on, and
// the user's picture comes back exactly when it is turned off: the real
// GSettings schema (keyfile backend in a private folder), the real binary's
// render command, a real PNG on disk.
#include "desktop/ShellBackgroundSync.h"
#include "platform/gnome/GnomeBackgroundSettings.h"
#include "state/AppState.h"
#include "state/DefaultsStore.h"

#include <QApplication>
#include <QImage>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace nivora;

class TestShellBackground : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void followsAndPutsBack()
    {
        if (!GnomeBackgroundSettings::available())
            QSKIP("GNOME's background schema is not installed (scripts/setup installs it)");
        const GnomeBackgroundSettings::Pictures mine{
            QStringLiteral("file:///home/me/Pictures/lake.jpg"),
            QStringLiteral("file:///home/me/Pictures/lake-night.jpg")};
        QVERIFY(GnomeBackgroundSettings::write(mine));

        DefaultsStore store(m_dir.filePath(QStringLiteral("defaults.json")));
        AppState state(store, false);
        state.setSceneIndex(4);
        // Values a hand-edited file may hold, which the wallpaper clamps: the
        // still is made all the same.
        state.setSpeed(2.0);
        state.setIntensity(-0.5);
        ShellBackgroundSync sync(state);
        sync.setRenderProgram(qEnvironmentVariable("NIVORA_BINARY"));
        QVERIFY(sync.isOffered());
        QVERIFY(sync.isEnabled()); // on by default on GNOME
        QSignalSpy applied(&sync, &ShellBackgroundSync::applied);
        sync.start();
        QVERIFY(applied.wait(60000));
        QVERIFY(!sync.renderFailed());

        // A still of the scene, set for both light and dark styles.
        const auto now = GnomeBackgroundSettings::read();
        QVERIFY(now);
        QCOMPARE(now->dark, now->light);
        const QString file = QUrl(now->light).toLocalFile();
        QVERIFY2(file.startsWith(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                                 QStringLiteral("/nivora/")),
                 qPrintable(now->light));
        const QImage still(file);
        QVERIFY(!still.isNull());
        QVERIFY(still.width() >= 640);
        QVERIFY(still.pixelColor(still.width() / 4, still.height() / 4) !=
                    still.pixelColor(3 * still.width() / 4, 3 * still.height() / 4) ||
                still.pixelColor(0, 0) != still.pixelColor(still.width() - 1, still.height() - 1));

        // Changes right after one another wait for the next minute.
        state.setSceneIndex(6);
        state.setSpeed(1.7);
        QVERIFY(!applied.wait(2500));
        QCOMPARE(applied.count(), 1);

        // Off: the user's own pictures, exactly, and nothing of ours left.
        sync.setEnabled(false);
        const auto back = GnomeBackgroundSettings::read();
        QVERIFY(back);
        QCOMPARE(back->light, mine.light);
        QCOMPARE(back->dark, mine.dark);
        QVERIFY(!store.contains(QLatin1String(ShellBackgroundSync::savedKey)));
        QVERIFY(!QFile::exists(file));
        QCOMPARE(store.value(QLatin1String(ShellBackgroundSync::enabledKey)).toBool(false), false);

        // Off stays off for the next run.
        ShellBackgroundSync later(state);
        QVERIFY(!later.isEnabled());

        // A still that cannot be made is reported, not only logged.
        later.setRenderProgram(QStringLiteral("/nonexistent/nivora"));
        QSignalSpy failed(&later, &ShellBackgroundSync::renderFailedChanged);
        later.setEnabled(true);
        later.start();
        QVERIFY(failed.wait(10000));
        QVERIFY(later.renderFailed());
        later.setEnabled(false);
    }

private:
    QTemporaryDir m_dir;
};

int main(int argc, char** argv)
{
    // Before GIO picks its settings backend: a private keyfile, never the
    // user's own desktop settings.
    QTemporaryDir home;
    qputenv("GSETTINGS_BACKEND", "keyfile");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path() + QStringLiteral("/config")));
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.path() + QStringLiteral("/data")));
    qputenv("XDG_CURRENT_DESKTOP", "GNOME");
    QApplication app(argc, argv);
    TestShellBackground test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_shell_background.moc"
