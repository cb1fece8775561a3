#include "PageTestSupport.h"
#include "dashboard/DashboardPages.h"
#include "dashboard/DisplayList.h"
#include "dashboard/DisplaysPage.h"
#include "dashboard/PageContext.h"
#include "dashboard/ScreenSourceEditor.h"
#include "dashboard/ScreenTargetBar.h"
#include "dashboard/SwitchToggle.h"
#include "design/SceneCard.h"
#include "design/SegmentedSelector.h"
#include "platform/ScreenInfo.h"

#include <QGuiApplication>
#include <QJsonObject>
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
        AppState::shared().setScreenOverrides({});
    }

    // "Personnalisé" on a row makes that screen the Scenes page's target: a
    // card chosen there is that screen's scene, and the main settings stay.
    // The selector moves back to a screen that follows them, by keyboard too,
    // and "Comme l'écran principal" drops the screen's own values.
    void customScreenIsTheScenesPageTarget()
    {
        AppState& state = AppState::shared();
        state.setSceneIndex(2);
        splitIntoTwo();
        QTRY_COMPARE_WITH_TIMEOUT(QGuiApplication::screens().size(), 2, 10000);
        PageContext context(state);
        QWidget* scenes = createPage(NavSection::Scenes, context, nullptr);
        auto* displays = qobject_cast<DisplaysPage*>(createPage(NavSection::Displays, context, nullptr));
        QVERIFY(displays);
        PageHost displaysHost(displays);
        QVERIFY(displaysHost.exposed());
        QTRY_COMPARE(displays->sourceChoices().size(), 2);
        const int right = displays->displays().rows().at(1).name == QStringLiteral("right") ? 1 : 0;
        SegmentedSelector* choice = displays->sourceChoices().at(right);
        QCOMPARE(choice->selection(), 0);
        QCOMPARE(choice->segments().at(1)->accessibleName(), QStringLiteral("Personnalisé"));
        displaysHost.click(choice->segments().at(1));
        QVERIFY(state.screenOverrides().contains(QStringLiteral("right")));
        QCOMPARE(context.sourceEditor().target(), QStringLiteral("right"));

        PageHost scenesHost(scenes);
        QVERIFY(scenesHost.exposed());
        auto* bar = scenes->findChild<ScreenTargetBar*>();
        QVERIFY(bar && bar->isVisible());
        QCOMPARE(bar->selector()->selectedIndex(), right);
        QVERIFY(bar->selector()->segments().at(right)->accessibleName().startsWith(
            QStringLiteral("right · 960 × 1080")));
        const auto card = [&](int id) {
            for (SceneCard* c : scenes->findChildren<SceneCard*>()) {
                if (c->info().id == id)
                    return c;
            }
            return static_cast<SceneCard*>(nullptr);
        };
        scenesHost.click(card(5));
        QCOMPARE(state.screenOverrides().value(QStringLiteral("right")).value("sceneIndex").toInteger(), 5);
        QCOMPARE(state.sceneIndex(), 2);
        QVERIFY(card(5)->isSelected());

        // Home on the focused selector: the primary screen, which follows the
        // main settings, so the cards edit them again.
        bar->selector()->setFocus();
        QTest::keyClick(bar->selector(), right == 0 ? Qt::Key_End : Qt::Key_Home);
        QCOMPARE(context.sourceEditor().target(), displays->displays().rows().at(1 - right).name);
        QVERIFY(card(2)->isSelected());
        scenesHost.click(card(7));
        QCOMPARE(state.sceneIndex(), 7);
        QCOMPARE(state.screenOverrides().value(QStringLiteral("right")).value("sceneIndex").toInteger(), 5);

        displaysHost.click(choice->segments().at(0));
        QVERIFY(state.screenOverrides().isEmpty());
        QCOMPARE(choice->selection(), 0);

        // With one screen the selector is not shown.
        run(QStringLiteral("xrandr --delmonitor right; xrandr --delmonitor left"));
        QTRY_VERIFY_WITH_TIMEOUT(!bar->isVisible(), 10000);
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
