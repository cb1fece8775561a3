// The dashboard in English: every page, the sidebar and the popover without a
// French word left, and the language control switching an open window both
// ways.
#include "app/MenuBarView.h"
#include "app/Translations.h"
#include "dashboard/AboutPage.h"
#include "dashboard/DashboardView.h"
#include "dashboard/DashboardWindow.h"
#include "dashboard/SidebarRow.h"
#include "dashboard/SidebarView.h"
#include "design/SegmentedSelector.h"
#include "model/NavSection.h"
#include "state/AppState.h"
#include "state/DefaultsStore.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using namespace nivora;

namespace {

// Every text a person can read or hear in `root`: labels, buttons, and what
// the controls drawn by hand tell the accessibility bridge.
QStringList readableTexts(QWidget* root)
{
    QStringList texts;
    const QList<QWidget*> widgets = root->findChildren<QWidget*>();
    for (QWidget* w : widgets) {
        if (!w->isVisibleTo(root))
            continue;
        if (auto* label = qobject_cast<QLabel*>(w))
            texts << label->text();
        if (auto* button = qobject_cast<QAbstractButton*>(w))
            texts << button->text();
        if (QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w)) {
            texts << a->text(QAccessible::Name) << a->text(QAccessible::Description)
                  << a->text(QAccessible::Value);
            for (int i = 0; i < a->childCount(); ++i) {
                if (QAccessibleInterface* child = a->child(i); child && !child->object())
                    texts << child->text(QAccessible::Name) << child->text(QAccessible::Description);
            }
        }
    }
    texts.removeAll(QString());
    texts.removeDuplicates();
    return texts;
}

// The French texts the English translation replaces by other words: a
// page that shows one of them as it stands forgot to translate it (a scene's
// name, a single word without accents).
QSet<QString> translatedFrenchTexts()
{
    QFile file(QStringLiteral(NIVORA_SOURCE_DIR "/i18n/nivora_en.ts"));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(file.fileName()));
    static const QRegularExpression pair(
        QStringLiteral("<source>([^<]*)</source>\\s*<translation>([^<]*)</translation>"));
    const auto unescape = [](QString text) {
        return text.replace(QLatin1String("&apos;"), QLatin1String("'"))
            .replace(QLatin1String("&quot;"), QLatin1String("\""))
            .replace(QLatin1String("&lt;"), QLatin1String("<"))
            .replace(QLatin1String("&gt;"), QLatin1String(">"))
            .replace(QLatin1String("&amp;"), QLatin1String("&"));
    };
    QSet<QString> french;
    const QString ts = QString::fromUtf8(file.readAll());
    for (auto it = pair.globalMatch(ts); it.hasNext();) {
        const auto m = it.next();
        const QString source = unescape(m.captured(1)).trimmed();
        if (source != unescape(m.captured(2)).trimmed() && !source.contains(QLatin1Char('%')))
            french.insert(source);
    }
    return french;
}

// French letters, the short words French cannot do without, and the French
// texts the translation replaces. The one French word an English page shows
// is the language's own name on the language control.
QStringList frenchAmong(const QStringList& texts)
{
    static const QSet<QString> translated = translatedFrenchTexts();
    static const QRegularExpression french(
        QStringLiteral("[àâçéèêëîïôûùüœæ«»]|\\b(de|du|des|le|la|les|un|une|et|au|aux|pour|sur|avec|sans|"
                       "dans|ton|ta|tes|votre|vos|ou|est)\\b"),
        QRegularExpression::CaseInsensitiveOption);
    QStringList found;
    for (const QString& text : texts) {
        if (text != QStringLiteral("Français") &&
            (french.match(text).hasMatch() || translated.contains(text.trimmed())))
            found << text;
    }
    return found;
}

} // namespace

class TestDashboardLanguage : public QObject
{
    Q_OBJECT

    QTemporaryDir m_home;

private Q_SLOTS:
    void cleanup() { Translations::apply(UiLanguage::French); }

    void pagesInEnglishShowNoFrench_data()
    {
        QTest::addColumn<bool>("signedIn");
        QTest::newRow("signed out") << false;
        QTest::newRow("signed in") << true;
    }

    void pagesInEnglishShowNoFrench()
    {
        QFETCH(bool, signedIn);
        DefaultsStore store(m_home.filePath(QStringLiteral("english.json")));
        AppState state(store, false);
        Translations::apply(UiLanguage::English);
        DashboardWindow window(state, signedIn);
        window.resize(DashboardWindow::minimumContentSize);
        window.present();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        // Kept beside the test binary for review by eye, at the smallest size
        // the window takes, where long English texts would be cut first.
        const QDir shots(QCoreApplication::applicationDirPath() + QStringLiteral("/screenshots-en"));
        QVERIFY(QDir().mkpath(shots.path()));
        QStringList faults;
        for (NavSection section : NavSections::all()) {
            window.setSection(section);
            QTRY_VERIFY(!window.view()->isFading());
            QTest::qWait(50);
            QVERIFY(window.grab().save(shots.filePath(
                QStringLiteral("%1-%2.png").arg(NavSections::rawValue(section), signedIn ? "in" : "out"))));
            const QStringList texts = readableTexts(&window);
            QVERIFY2(texts.size() > 5, qPrintable(NavSections::rawValue(section)));
            for (const QString& text : frenchAmong(texts))
                faults << NavSections::rawValue(section) + QStringLiteral(": ") + text;
        }
        faults.removeDuplicates();
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));

        MenuBarView popover(state, {}, {});
        popover.show();
        QVERIFY(QTest::qWaitForWindowExposed(&popover));
        QVERIFY(popover.grab().save(shots.filePath(QStringLiteral("popover.png"))));
        const QStringList popoverFrench = frenchAmong(readableTexts(&popover));
        QVERIFY2(popoverFrench.isEmpty(), qPrintable(popoverFrench.join(QLatin1Char('\n'))));
    }

    // The control on the About page changes the setting, and the open window,
    // sidebar included, speaks the new language at once, on the same page.
    void languageControlSwitchesTheOpenWindow()
    {
        DefaultsStore store(m_home.filePath(QStringLiteral("switch.json")));
        AppState state(store, false);
        LanguageFollower follower(state);
        state.setLanguage(QStringLiteral("fr"));
        DashboardWindow window(state, true);
        window.present();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.setSection(NavSection::About);
        QTRY_VERIFY(!window.view()->isFading());

        const auto sidebarTitle = [&window] {
            for (SidebarRow* row : window.view()->sidebar()->findChildren<SidebarRow*>()) {
                if (row->section() == NavSection::Scenes)
                    return row->text();
            }
            return QString();
        };
        const auto chooseLanguage = [&window](int option) {
            auto* about = qobject_cast<AboutPage*>(window.view()->page());
            QVERIFY(about);
            SegmentedSelector* selector = about->languageSelector();
            QTest::mouseClick(selector->segments().at(option), Qt::LeftButton);
        };
        QCOMPARE(sidebarTitle(), QStringLiteral("Scènes"));
        chooseLanguage(2);
        QCOMPARE(state.language(), QStringLiteral("en"));
        QTRY_COMPARE(sidebarTitle(), QStringLiteral("Scenes"));
        QCOMPARE(window.section(), NavSection::About);
        QCOMPARE(qobject_cast<AboutPage*>(window.view()->page())->languageSelector()->selection(), 2);
        chooseLanguage(1);
        QCOMPARE(state.language(), QStringLiteral("fr"));
        QTRY_COMPARE(sidebarTitle(), QStringLiteral("Scènes"));
        QCOMPARE(window.section(), NavSection::About);
    }
};

QTEST_MAIN(TestDashboardLanguage)
#include "test_dashboard_language.moc"
