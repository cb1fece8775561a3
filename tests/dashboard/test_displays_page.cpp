#include "PageTestSupport.h"
#include "dashboard/DisplayList.h"
#include "dashboard/DisplaysPage.h"
#include "dashboard/SwitchToggle.h"
#include "platform/ScreenInfo.h"

#include <QGuiApplication>
#include <QLabel>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>

using namespace nivora;
using namespace nivora::test;

// The displays page on the real X display: one screen as Xvfb starts, two
// monitors laid over it with xrandr --setmonitor, which Qt reports as screens
// being added and removed.
class TestDisplaysPage : public QObject
{
    Q_OBJECT

public:
    static void initMain()
    {
        static QTemporaryDir config;
        qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    }

private:
    static void run(const QString& line)
    {
        QProcess::execute(QStringLiteral("sh"), {QStringLiteral("-c"), line});
    }

    static void splitIntoTwo()
    {
        run(QStringLiteral("xrandr --setmonitor left 960/254x1080/286+0+0 screen"));
        run(QStringLiteral("xrandr --setmonitor right 960/254x1080/286+960+0 none"));
    }

    static QSet<quint32> ids(const QStringList& names)
    {
        QSet<quint32> out;
        for (const QString& n : names)
            out.insert(displayIdentifier(n));
        return out;
    }

private Q_SLOTS:
    void cleanup()
    {
        run(QStringLiteral(
            "xrandr --delmonitor right >/dev/null 2>&1; xrandr --delmonitor left >/dev/null 2>&1; "
            "true"));
        QTRY_COMPARE_WITH_TIMEOUT(QGuiApplication::screens().size(), 1, 10000);
        AppState::shared().setEnabledDisplays({});
    }

    void oneScreenCannotBeSwitchedOff()
    {
        AppState& state = AppState::shared();
        auto* page = new DisplaysPage;
        PageHost host(page);
        QVERIFY(host.exposed());
        QCOMPARE(page->switches().size(), 1);
        const DisplayRow row = page->displays().rows().first();
        QScreen* screen = QGuiApplication::primaryScreen();
        QCOMPARE(row.displayID, displayIdentifier(screen->name()));
        QCOMPARE(row.detail, QStringLiteral("%1 × %2 · Écran principal")
                                 .arg(screen->geometry().width())
                                 .arg(screen->geometry().height()));
        const QList<QLabel*> labels = page->findChildren<QLabel*>();
        QVERIFY(
            std::any_of(labels.begin(), labels.end(), [&](QLabel* l) { return l->text() == row.detail; }));

        SwitchToggle* only = page->switches().first();
        QVERIFY(only->isOn());
        host.click(only);
        QVERIFY(only->isOn());
        QVERIFY(state.enabledDisplays().isEmpty());
    }

    void twoScreensOffAndOnAgain()
    {
        AppState& state = AppState::shared();
        auto* page = new DisplaysPage;
        PageHost host(page);
        QVERIFY(host.exposed());
        QCOMPARE(page->switches().size(), 1);

        // Added while the page is shown: rows appear without reopening it.
        splitIntoTwo();
        QTRY_COMPARE_WITH_TIMEOUT(page->switches().size(), 2, 10000);
        const QList<DisplayRow> rows = page->displays().rows();
        QCOMPARE(ids({rows.at(0).title, rows.at(1).title}), ids({"left", "right"}));
        QVERIFY(rows.at(0).detail.endsWith(QStringLiteral(" · Écran principal")));
        QCOMPARE(rows.at(1).detail, QStringLiteral("960 × 1080"));

        const int second = rows.at(1).title == QStringLiteral("right") ? 1 : 0;
        const quint32 kept = rows.at(1 - second).displayID;
        host.click(page->switches().at(second));
        QCOMPARE(state.enabledDisplays(), QSet<quint32>{kept});
        QVERIFY(!page->switches().at(second)->isOn());
        QVERIFY(page->switches().at(1 - second)->isOn());

        // The last one left stays on.
        host.click(page->switches().at(1 - second));
        QCOMPARE(state.enabledDisplays(), QSet<quint32>{kept});
        QVERIFY(page->switches().at(1 - second)->isOn());

        host.click(page->switches().at(second));
        QVERIFY(state.enabledDisplays().isEmpty());
        QVERIFY(page->switches().at(second)->isOn());

        // A screen that goes away takes its row with it; a stored identifier
        // of a screen that is away is kept.
        host.click(page->switches().at(second));
        run(QStringLiteral("xrandr --delmonitor right"));
        QTRY_COMPARE_WITH_TIMEOUT(page->switches().size(), 1, 10000);
        QCOMPARE(state.enabledDisplays(), QSet<quint32>{kept});
    }
};

QTEST_MAIN(TestDisplaysPage)
#include "test_displays_page.moc"
