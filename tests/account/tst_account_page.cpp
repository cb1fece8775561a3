// The Account page over a real store and a loopback backend: the keyboard path
// through the form, the busy state, the mode switch and the unconfigured build.
#include "LoopbackBackend.h"
#include "account/AccountStore.h"
#include "dashboard/AccountPage.h"
#include "design/Eyebrow.h"
#include "design/PageHeader.h"
#include "design/PaperCard.h"
#include "design/SketchButton.h"
#include "state/DefaultsStore.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace nivora;

class TestAccountPage : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<LoopbackBackend> m_backend;
    std::unique_ptr<DefaultsStore> m_defaults;
    std::unique_ptr<AccountStore> m_store;

    void makeStore(bool configured)
    {
        const SupabaseConfig config =
            configured ? SupabaseConfig::fromValues(m_backend->url(), LoopbackBackend::anonKey())
                       : SupabaseConfig();
        m_store = std::make_unique<AccountStore>(*m_defaults, config);
    }

    static QWidget* focused() { return QApplication::focusWidget(); }

    static void showPage(AccountPage& page)
    {
        page.resize(900, 700);
        page.show();
        QVERIFY(QTest::qWaitForWindowActive(&page));
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_backend = std::make_unique<LoopbackBackend>();
        m_defaults = std::make_unique<DefaultsStore>(m_dir->filePath("defaults.json"));
    }

    void cleanup()
    {
        m_store.reset();
        m_defaults.reset();
        m_backend.reset();
        m_dir.reset();
    }

    void keyboardSignInAndOut()
    {
        makeStore(true);
        AccountPage page(*m_store);
        showPage(page);
        QVERIFY(page.formCard()->isVisible());
        QVERIFY(!page.signedInCard()->isVisible());
        QCOMPARE(page.header()->title(), "Connexion");
        QVERIFY(!page.errorLabel()->isVisible());
        QTRY_COMPARE(focused(), page.emailField());

        QTest::keyClicks(focused(), "ada@example.org");
        QTest::keyClick(focused(), Qt::Key_Tab);
        QCOMPARE(focused(), page.passwordField());
        QTest::keyClicks(focused(), "correct horse");
        QCOMPARE(page.passwordField()->echoMode(), QLineEdit::Password);
        QTest::keyClick(focused(), Qt::Key_Tab);
        QCOMPARE(focused(), static_cast<QWidget*>(page.mainButton()));
        QTest::keyClick(focused(), Qt::Key_Backtab);
        QCOMPARE(focused(), page.passwordField());

        QTest::keyClick(focused(), Qt::Key_Return);
        // The reply needs the event loop, so the request is still out here.
        QVERIFY(m_store->busy());
        QVERIFY(!page.mainButton()->isEnabled());
        QVERIFY(page.googleButton()->isEnabled());
        QVERIFY(page.emailField()->isEnabled() && page.passwordField()->isEnabled());
        QVERIFY(page.modeSwitch()->isEnabled());
        // A second Return while busy sends nothing more.
        QTest::keyClick(page.passwordField(), Qt::Key_Return);

        QTRY_VERIFY(page.signedInCard()->isVisible());
        QCOMPARE(m_backend->requests.size(), 1);
        QVERIFY(!page.formCard()->isVisible());
        QCOMPARE(page.emailLabel()->text(), "ada@example.org");
        QCOMPARE(page.header()->title(), "Mon compte");
        QCOMPARE(page.header()->subtitle(), "Tu es connecté à Nivora.");
        // What was typed stays typed.
        QCOMPARE(page.emailField()->text(), "ada@example.org");

        QTest::mouseClick(page.signOutButton(), Qt::LeftButton);
        QVERIFY(!m_store->signedIn());
        QVERIFY(page.formCard()->isVisible());
        QVERIFY(!page.signedInCard()->isVisible());
        QVERIFY(page.mainButton()->isEnabled());
        QTRY_COMPARE(focused(), page.emailField());
    }

    void modeSwitchKeepsFieldsAndClearsTheError()
    {
        makeStore(true);
        AccountPage page(*m_store);
        showPage(page);
        page.emailField()->setText("ada@example.org");
        page.passwordField()->setText("wrong");
        QTest::keyClick(page.passwordField(), Qt::Key_Return);
        QTRY_VERIFY(page.errorLabel()->isVisible());
        QCOMPARE(page.errorLabel()->text(), "Email ou mot de passe incorrect.");

        QTest::mouseClick(page.modeSwitch(), Qt::LeftButton);
        QVERIFY(page.signupMode());
        QVERIFY(!page.errorLabel()->isVisible());
        QVERIFY(!m_store->errorMessage());
        QCOMPARE(page.emailField()->text(), "ada@example.org");
        QCOMPARE(page.passwordField()->text(), "wrong");
        QCOMPARE(page.mainButton()->text(), "Créer mon compte");
        QCOMPARE(page.modeSwitch()->text(), "J'ai déjà un compte");
        QCOMPARE(page.findChild<Eyebrow*>("account-form-eyebrow")->text(), "CRÉER UN COMPTE");

        QTest::mouseClick(page.mainButton(), Qt::LeftButton);
        QTRY_VERIFY(!m_store->busy());
        QCOMPARE(m_backend->requests.last().target, "/auth/v1/signup");
        QCOMPARE(page.errorLabel()->text(), "Compte créé ! Confirme ton email, puis connecte-toi.");

        QTest::mouseClick(page.modeSwitch(), Qt::LeftButton);
        QVERIFY(!page.signupMode());
        QCOMPARE(page.mainButton()->text(), "Se connecter");
        QCOMPARE(page.modeSwitch()->text(), "Pas de compte ? En créer un");
        QVERIFY(!page.errorLabel()->isVisible());
    }

    // A kept session that the backend no longer renews is not shown as signed in.
    void refusedRefreshShowsTheFormAndSaysWhy()
    {
        m_defaults->setValue("sb_access", LoopbackBackend::jwt(-60));
        m_defaults->setValue("sb_refresh", "tok-revoked");
        m_defaults->setValue("sb_email", "ada@example.org");
        makeStore(true);
        AccountPage page(*m_store);
        showPage(page);
        QVERIFY(page.signedInCard()->isVisible());
        m_store->resumeSession();
        QTRY_VERIFY(page.formCard()->isVisible());
        QVERIFY(!page.signedInCard()->isVisible());
        QCOMPARE(page.header()->title(), "Connexion");
        QVERIFY(page.errorLabel()->isVisible());
        QCOMPARE(page.errorLabel()->text(), "Session expirée, reconnecte-toi.");
        QTRY_COMPARE(focused(), page.emailField());
    }

    void unconfiguredFormIsShownDisabledAndSendsNothing()
    {
        makeStore(false);
        AccountPage page(*m_store);
        showPage(page);
        QVERIFY(page.formCard()->isVisible());
        QVERIFY(page.unavailableNote()->isVisible());
        QCOMPARE(page.unavailableNote()->text(),
                 "Le compte n'est pas disponible dans cette version de Nivora.");
        for (QWidget* w :
             {static_cast<QWidget*>(page.googleButton()), static_cast<QWidget*>(page.mainButton()),
              static_cast<QWidget*>(page.emailField()), static_cast<QWidget*>(page.passwordField())})
            QVERIFY(!w->isEnabled());
        QTest::mouseClick(page.mainButton(), Qt::LeftButton);
        QTest::mouseClick(page.googleButton(), Qt::LeftButton);
        QTest::keyClick(page.passwordField(), Qt::Key_Return);
        QTest::qWait(100);
        QVERIFY(!m_store->networkStarted());
        QCOMPARE(m_backend->connections, 0);
        QVERIFY(!page.errorLabel()->isVisible());
    }
};

QTEST_MAIN(TestAccountPage)
#include "tst_account_page.moc"
