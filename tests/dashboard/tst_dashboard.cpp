// The dashboard window on the test display: the first section, the sidebar
// following the settings whoever changes them, one window for the whole run,
// section changes, the keyboard, and a screenshot of every page.
#include "app/AppDelegate.h"
#include "app/ControlCommands.h"
#include "assets/Fonts.h"
#include "dashboard/AboutPage.h"
#include "dashboard/ColorsPage.h"
#include "dashboard/DashboardView.h"
#include "dashboard/DashboardWindow.h"
#include "dashboard/SidebarRow.h"
#include "dashboard/SidebarView.h"
#include "design/ColorWellRow.h"
#include "design/MiniPreview.h"
#include "design/SketchButton.h"
#include "design/StatBadge.h"
#include "design/Theme.h"
#include "model/NavSection.h"
#include "model/SceneCatalog.h"
#include "state/AppState.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLayout>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace nivora;

namespace {

ControlReply ctl(const QString& command, const QStringList& args, AppDelegate* delegate = nullptr)
{
    return ControlCommands(AppState::shared(), delegate, [] { return QJsonObject(); }).handle(command, args);
}

int bluePixels(const QImage& image)
{
    const QColor blue = Theme::blue();
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - blue.red()) < 30 && std::abs(c.green() - blue.green()) < 30 &&
                std::abs(c.blue() - blue.blue()) < 30)
                ++n;
        }
    }
    return n;
}

int dashboardWindows()
{
    int n = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        n += qobject_cast<DashboardWindow*>(w) ? 1 : 0;
    return n;
}

} // namespace

class TestDashboard : public QObject
{
    Q_OBJECT

    QTemporaryDir m_home;

private Q_SLOTS:
    void initTestCase();
    void firstSectionFollowsTheSession();
    void sidebarFollowsTheSettings();
    void ctlDashboardSection();
    void dialogsOutliveTheirPage();
    void oneWindowForTheRun();
    void sectionChangeScrollsUpAndFades();
    void keyboardWalk();
    void aboutPage();
    void screenshotsOfEveryPage();
};

void TestDashboard::initTestCase()
{
    // The settings store lives in a private folder, never the user's own.
    qputenv("XDG_CONFIG_HOME", m_home.filePath(QStringLiteral("config")).toUtf8());
    qputenv("XDG_DATA_HOME", m_home.filePath(QStringLiteral("data")).toUtf8());
    QVERIFY(Fonts::load());
    AppState::shared().setSaveDelayForTesting(10);
}

void TestDashboard::firstSectionFollowsTheSession()
{
    DashboardView signedOut(AppState::shared(), false);
    QCOMPARE(signedOut.section(), NavSection::Account);
    QVERIFY(signedOut.sidebar()->row(NavSection::Account)->isSelected());
    QVERIFY(!signedOut.sidebar()->row(NavSection::Scenes)->isSelected());
    QCOMPARE(signedOut.page()->objectName(), QStringLiteral("page-account"));

    DashboardView signedIn(AppState::shared(), true);
    QCOMPARE(signedIn.section(), NavSection::Scenes);
    QVERIFY(signedIn.sidebar()->row(NavSection::Scenes)->isSelected());
    QCOMPARE(signedIn.page()->objectName(), QStringLiteral("page-scenes"));

    // Nine rows in order, named by their titles.
    const QList<SidebarRow*>& rows = signedIn.sidebar()->rows();
    QCOMPARE(rows.size(), 9);
    QCOMPARE(rows.first()->text(), QStringLiteral("Scènes"));
    QCOMPARE(rows.last()->text(), QStringLiteral("Compte"));
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(rows.first());
    QCOMPARE(iface->role(), QAccessible::PageTab);
    QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("Scènes"));
    QVERIFY(iface->state().selected);
}

void TestDashboard::sidebarFollowsTheSettings()
{
    DashboardView view(AppState::shared(), true);
    SidebarView* sidebar = view.sidebar();

    QCOMPARE(ctl(QStringLiteral("set"), {QStringLiteral("isRunning"), QStringLiteral("false")}).status, 0);
    QCOMPARE(sidebar->masterText(), QStringLiteral("Fond en pause"));
    QCOMPARE(sidebar->masterButton()->fill(), Theme::paper3());
    QAccessibleInterface* master = QAccessible::queryAccessibleInterface(sidebar->masterButton());
    QCOMPARE(master->text(QAccessible::Name), QStringLiteral("Fond en pause"));
    // A screen reader hears a switch and its state, not only the changing label.
    QCOMPARE(master->role(), QAccessible::CheckBox);
    QVERIFY(master->state().checkable && !master->state().checked);
    QCOMPARE(ctl(QStringLiteral("set"), {QStringLiteral("isRunning"), QStringLiteral("true")}).status, 0);
    QCOMPARE(sidebar->masterText(), QStringLiteral("Fond actif"));
    QCOMPARE(sidebar->masterButton()->fill(), Theme::green());
    QVERIFY(master->state().checked);

    // The master button toggles the setting itself.
    sidebar->masterButton()->click();
    QVERIFY(!AppState::shared().isRunning());
    QCOMPARE(sidebar->masterText(), QStringLiteral("Fond en pause"));
    sidebar->masterButton()->click();
    QVERIFY(AppState::shared().isRunning());

    for (const char* fps : {"30", "120", "60"}) {
        QCOMPARE(ctl(QStringLiteral("set"), {QStringLiteral("fps"), QString::fromLatin1(fps)}).status, 0);
        QCOMPARE(sidebar->fpsBadge()->text(), QString::fromLatin1(fps) + QStringLiteral(" FPS"));
        QCOMPARE(QAccessible::queryAccessibleInterface(sidebar->fpsBadge())->text(QAccessible::Name),
                 QString::fromLatin1(fps) + QStringLiteral(" FPS"));
    }

    QCOMPARE(ctl(QStringLiteral("set"), {QStringLiteral("sceneIndex"), QStringLiteral("4")}).status, 0);
    QCOMPARE(sidebar->sceneBadge()->text(), availableScenes().at(4).name);
    QCOMPARE(sidebar->preview()->seed(), qint64(4));
    QCOMPARE(ctl(QStringLiteral("set"), {QStringLiteral("paletteName"), QStringLiteral("\"Jade\"")}).status,
             0);
    QCOMPARE(sidebar->preview()->colors(), AppState::shared().paletteColors());
}

void TestDashboard::ctlDashboardSection()
{
    const ControlReply refused = ctl(QStringLiteral("dashboard"), {QStringLiteral("réglages")});
    QCOMPARE(refused.status, 2);
    for (const QString& raw : NavSections::rawValues())
        QVERIFY2(refused.output.contains(raw), qPrintable(refused.output));
    QCOMPARE(ctl(QStringLiteral("dashboard"), {QStringLiteral("about"), QStringLiteral("account")}).status,
             2);

    AppDelegate delegate;
    QCOMPARE(ctl(QStringLiteral("dashboard"), {QStringLiteral("performance")}, &delegate).status, 0);
    QVERIFY(delegate.dashboardWindow());
    QCOMPARE(delegate.dashboardWindow()->section(), NavSection::Performance);
    QVERIFY(delegate.dashboardWindow()->isVisible());
    QCOMPARE(ctl(QStringLiteral("dashboard"), {}, &delegate).status, 0);
    QCOMPARE(delegate.dashboardWindow()->section(), NavSection::Performance);
    delegate.dashboardWindow()->hide();
}

// A file dialog runs its own event loop, and the dashboard may replace the
// page that opened it meanwhile (here `ctl dashboard`, as a command or a
// second launch does). Whatever the user then chooses goes nowhere; nothing
// crashes and nothing is applied.
void TestDashboard::dialogsOutliveTheirPage()
{
    QTemporaryDir files;
    const QString folder = files.filePath(QStringLiteral("dossier"));
    QVERIFY(QDir().mkpath(folder));
    const QString picture = files.filePath(QStringLiteral("photo.png"));
    QImage image(64, 64, QImage::Format_RGB32);
    image.fill(Qt::red);
    QVERIFY(image.save(picture));
    AppState& state = AppState::shared();
    state.setWallpaperMode(WallpaperMode::Image);
    state.setMediaPath(QString());
    const QList<QColor> colours = state.paletteColors();

    AppDelegate delegate;
    auto open = [&](const char* section) {
        QCOMPARE(ctl(QStringLiteral("dashboard"), {QLatin1String(section)}, &delegate).status, 0);
    };
    auto pageButton = [&](const QString& text) -> QAbstractButton* {
        for (auto* button : delegate.dashboardWindow()->view()->page()->findChildren<QAbstractButton*>()) {
            if (button->text() == text)
                return button;
        }
        return nullptr;
    };
    // Answers the next file dialog with `chosen`, after replacing the page
    // when `leave` is set.
    auto answer = [&](const QString& chosen, bool leave) {
        QTimer::singleShot(0, &delegate, [&, chosen, leave] {
            QTRY_VERIFY(qobject_cast<QFileDialog*>(QApplication::activeModalWidget()));
            const QPointer<QFileDialog> dialog =
                qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (leave) {
                open("scenes");
                QCOMPARE(delegate.dashboardWindow()->view()->page()->objectName(),
                         QStringLiteral("page-scenes"));
            }
            QVERIFY(dialog);
            dialog->selectFile(chosen);
            QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
        });
    };
    auto noDialogLeft = [] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (qobject_cast<QFileDialog*>(w))
                return false;
        }
        return true;
    };

    // The Icons page's folders.
    open("icons");
    answer(folder, true);
    pageButton(QStringLiteral("Choisir des dossiers…"))->click();
    QTRY_VERIFY(noDialogLeft());
    QCOMPARE(delegate.dashboardWindow()->section(), NavSection::Scenes);

    // The Icons page's image, once folders are chosen: no folder is dressed.
    open("icons");
    answer(folder, false);
    pageButton(QStringLiteral("Choisir des dossiers…"))->click();
    QTRY_VERIFY(noDialogLeft());
    QVERIFY(pageButton(QStringLiteral("Importer une image…")));
    answer(picture, true);
    pageButton(QStringLiteral("Importer une image…"))->click();
    QTRY_VERIFY(noDialogLeft());
    const QDir icons(m_home.filePath(QStringLiteral("data/nivora/folder-icons")));
    QVERIFY2(!icons.exists() || icons.isEmpty(), qPrintable(icons.entryList().join(QLatin1Char(' '))));

    // The Media page's file.
    open("media");
    answer(picture, true);
    pageButton(QStringLiteral("Choisir un fichier…"))->click();
    QTRY_VERIFY(noDialogLeft());
    QCOMPARE(state.mediaPath(), QString());

    // The Colours page's picker edits live: it goes with its page.
    open("colors");
    auto* page = qobject_cast<ColorsPage*>(delegate.dashboardWindow()->view()->page());
    QVERIFY(page);
    ColorWellRow* well = page->colorWells().at(2);
    well->openPicker();
    const QPointer<QColorDialog> picker = well->picker();
    QTRY_VERIFY(picker && picker->isVisible());
    open("scenes");
    QTRY_VERIFY(!picker);
    QCOMPARE(state.paletteColors(), colours);

    state.setWallpaperMode(WallpaperMode::Scene);
    delegate.dashboardWindow()->hide();
}

void TestDashboard::oneWindowForTheRun()
{
    QCOMPARE(dashboardWindows(), 0);
    {
        AppDelegate delegate;
        delegate.openSettings();
        DashboardWindow* window = delegate.dashboardWindow();
        QVERIFY(window);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QCOMPARE(window->windowTitle(), QStringLiteral("Nivora"));
        QCOMPARE(window->size(), QSize(1080, 720));
        QCOMPARE(window->minimumSize(), QSize(1040, 700));
        // Centred on the screen's available area (the frame may shift it a little).
        const QPoint centre = window->screen()->availableGeometry().center();
        QVERIFY((window->frameGeometry().center() - centre).manhattanLength() < 40);

        delegate.openSettings();
        QCOMPARE(delegate.dashboardWindow(), window);
        QCOMPARE(dashboardWindows(), 1);

        // Closing hides; the next opening shows the same window on the same page.
        window->setSection(NavSection::About);
        QVERIFY(window->close());
        QVERIFY(!window->isVisible());
        QCOMPARE(dashboardWindows(), 1);
        delegate.openSettings();
        QCOMPARE(delegate.dashboardWindow(), window);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QCOMPARE(window->section(), NavSection::About);

        // Minimised, it comes back too.
        window->showMinimized();
        QTRY_VERIFY(window->isMinimized());
        delegate.openSettings();
        QTRY_VERIFY(!window->isMinimized());
        QCOMPARE(dashboardWindows(), 1);
    }
    QCOMPARE(dashboardWindows(), 0);
}

void TestDashboard::sectionChangeScrollsUpAndFades()
{
    DashboardWindow window(AppState::shared(), true);
    window.present();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    DashboardView* view = window.view();

    // Make the page taller than the window and scroll to its end.
    auto* tall = new QWidget;
    tall->setFixedHeight(3000);
    view->page()->layout()->addWidget(tall);
    QTRY_VERIFY(view->scrollArea()->verticalScrollBar()->maximum() > 1000);
    view->scrollArea()->verticalScrollBar()->setValue(view->scrollArea()->verticalScrollBar()->maximum());
    QVERIFY(view->scrollArea()->verticalScrollBar()->value() > 0);

    QSignalSpy changed(view, &DashboardView::sectionChanged);
    QTest::mouseClick(view->sidebar()->row(NavSection::Colors), Qt::LeftButton);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(view->section(), NavSection::Colors);
    QCOMPARE(view->page()->objectName(), QStringLiteral("page-colors"));
    QCOMPARE(view->scrollArea()->verticalScrollBar()->value(), 0);
    QVERIFY(view->isFading());
    QTRY_VERIFY(!view->isFading());

    // The page is at most 1000 wide and padded 30 from the sidebar and the top.
    window.resize(1400, 800);
    QTRY_COMPARE(view->page()->width(), DashboardView::pageMaximumWidth);
    const QPoint topLeft = view->page()->mapTo(view, QPoint(0, 0));
    QCOMPARE(topLeft, QPoint(SidebarView::fixedWidth + 30, 30));

    // Selecting the shown section again changes nothing.
    view->setSection(NavSection::Colors);
    QCOMPARE(changed.count(), 1);
}

void TestDashboard::keyboardWalk()
{
    DashboardWindow window(AppState::shared(), false);
    window.present();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    SidebarView* sidebar = window.view()->sidebar();

    // Nothing is focused on opening; Tab visits the rows in reading order, then
    // the master control and "Quitter Nivora", and wraps.
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(&window));
    QTest::keyClick(&window, Qt::Key_Tab);
    QList<QWidget*> visited{QApplication::focusWidget()};
    for (int i = 0; i < 11; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.append(QApplication::focusWidget());
    }
    for (int i = 0; i < 9; ++i)
        QCOMPARE(visited.at(i), static_cast<QWidget*>(sidebar->rows().at(i)));
    QCOMPARE(visited.at(9), static_cast<QWidget*>(sidebar->masterButton()));
    QCOMPARE(visited.at(10)->objectName(), QStringLiteral("quit"));
    QCOMPARE(visited.at(11), static_cast<QWidget*>(sidebar->rows().first()));

    // The focused row carries a visible blue mark.
    SidebarRow* about = sidebar->row(NavSection::About);
    const QImage unfocused = about->grab().toImage();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(sidebar->rows().first()));
    for (int i = 0; i < 7; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(about));
    const QImage focused = about->grab().toImage();
    QVERIFY2(bluePixels(focused) > bluePixels(unfocused) + 40,
             qPrintable(QStringLiteral("%1 vs %2").arg(bluePixels(focused)).arg(bluePixels(unfocused))));

    // Enter and Space choose the focused section.
    QTest::keyClick(about, Qt::Key_Return);
    QCOMPARE(window.section(), NavSection::About);
    QCOMPARE(window.view()->page()->objectName(), QStringLiteral("page-about"));
    QTest::keyClick(about, Qt::Key_Down);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCOMPARE(window.section(), NavSection::Account);

    // Space on the master control pauses the wallpaper; Enter resumes it.
    sidebar->masterButton()->setFocus(Qt::TabFocusReason);
    QTest::keyClick(sidebar->masterButton(), Qt::Key_Space);
    QVERIFY(!AppState::shared().isRunning());
    QTest::keyClick(sidebar->masterButton(), Qt::Key_Return);
    QTRY_VERIFY(AppState::shared().isRunning());
}

void TestDashboard::aboutPage()
{
    QSignalSpy touched(&AppState::shared(), &AppState::willChange);
    AboutPage page(AppState::shared());
    QCOMPARE(touched.count(), 0);
    auto* version = page.findChild<QLabel*>(QStringLiteral("version"));
    QVERIFY(version);
    QCOMPARE(version->text(), QStringLiteral("Version " NIVORA_VERSION));
    QVERIFY(QStringLiteral(NIVORA_VERSION) != QStringLiteral("1.0"));
    QCOMPARE(AboutPage::versionFor(QString()), QStringLiteral("1.0"));
    QCOMPARE(AboutPage::versionFor(QStringLiteral("  ")), QStringLiteral("1.0"));
    QCOMPARE(AboutPage::versionFor(QStringLiteral("2.3.1")), QStringLiteral("2.3.1"));
    QList<StatBadge*> badges = page.findChildren<StatBadge*>();
    QCOMPARE(badges.size(), 1);
    QCOMPARE(badges.first()->text(), QStringLiteral("Sans télémétrie"));
}

void TestDashboard::screenshotsOfEveryPage()
{
    // Kept beside the test binary for review by eye.
    const QDir dir(QCoreApplication::applicationDirPath() + QStringLiteral("/screenshots"));
    QVERIFY(QDir().mkpath(dir.path()));
    DashboardWindow window(AppState::shared(), true);
    window.present();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    for (NavSection section : NavSections::all()) {
        window.setSection(section);
        QTRY_VERIFY(!window.view()->isFading());
        QTest::qWait(50);
        const QImage shot = window.grab().toImage();
        QCOMPARE(shot.size(), QSize(1080, 720) * window.devicePixelRatio());
        // The sidebar's paper and the page's backdrop are where they belong
        // (left of the scroll bar that pages taller than the window get).
        QCOMPARE(shot.pixelColor(4, 640 * window.devicePixelRatio()), Theme::paper2());
        QCOMPARE(shot.pixelColor(1050 * window.devicePixelRatio(), 710 * window.devicePixelRatio()),
                 Theme::paper());
        QVERIFY(shot.save(dir.filePath(NavSections::rawValue(section) + QStringLiteral(".png"))));
    }
}

QTEST_MAIN(TestDashboard)
#include "tst_dashboard.moc"
