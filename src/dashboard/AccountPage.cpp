#include "dashboard/AccountPage.h"

#include "account/AccountStore.h"
#include "assets/FaceIcons.h"
#include "assets/Fonts.h"
#include "dashboard/PageHeaders.h"
#include "dashboard/PageText.h"
#include "dashboard/SketchField.h"
#include "design/Eyebrow.h"
#include "design/PageHeader.h"
#include "design/PaperCard.h"
#include "design/SketchButton.h"
#include "design/Theme.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace nivora {

namespace {

using PageText::label;

QString unavailableText()
{
    return QCoreApplication::translate("AccountPage",
                                       "Le compte n'est pas disponible dans cette version de Nivora.");
}

// The form is this wide at most: a sign-in field across a 1000-pixel page reads badly.
constexpr int kFormMaxWidth = 460;

} // namespace

AccountPage::AccountPage(QWidget* parent) : AccountPage(AccountStore::shared(), parent) {}

AccountPage::AccountPage(AccountStore& store, QWidget* parent) : QWidget(parent), m_store(store)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(22);
    // The title and the subtitle follow the state of the session.
    const PageHeaderText header = pageHeaderText(NavSection::Account);
    m_header = new PageHeader(header.eyebrow, QString(), QString(), header.accent, this);
    layout->addWidget(m_header);

    m_signedInCard = new PaperCard(buildSignedInCard(), this);
    m_signedInCard->setSeed(140);
    m_signedInCard->setObjectName(QStringLiteral("signed-in-card"));
    layout->addWidget(m_signedInCard);

    m_formCard = new PaperCard(buildFormCard(), this);
    m_formCard->setSeed(141);
    m_formCard->setObjectName(QStringLiteral("form-card"));
    layout->addWidget(m_formCard);
    layout->addStretch(1);

    connect(&m_store, &AccountStore::changed, this, &AccountPage::refresh);
    m_wasSignedIn = m_store.signedIn();
    refresh();
}

QWidget* AccountPage::buildSignedInCard()
{
    auto* content = new QWidget;
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(12);

    auto* row = new QHBoxLayout;
    row->setSpacing(12);
    auto* avatar = new QLabel(content);
    avatar->setPixmap(
        FaceIcons::pixmap(QStringLiteral("person.crop.circle.fill"), 36, Theme::blue(), devicePixelRatioF()));
    avatar->setFixedSize(36, 36);
    row->addWidget(avatar, 0, Qt::AlignVCenter);
    auto* details = new QVBoxLayout;
    details->setSpacing(2);
    m_emailLabel = label(QString(), Fonts::font(15, QFont::Bold), Theme::ink(), content);
    m_emailLabel->setObjectName(QStringLiteral("account-email"));
    m_emailLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    details->addWidget(m_emailLabel);
    row->addLayout(details);
    row->addStretch(1);
    column->addLayout(row);

    m_signOut = new SketchButton(QCoreApplication::translate("AccountPage", "Se déconnecter"), content);
    m_signOut->setFill(Theme::paper3());
    m_signOut->setSeed(41);
    connect(m_signOut, &SketchButton::clicked, this, [this] { m_store.signOut(); });
    column->addWidget(m_signOut, 0, Qt::AlignLeft);
    return content;
}

QWidget* AccountPage::buildFormCard()
{
    auto* content = new QWidget;
    content->setMaximumWidth(kFormMaxWidth);
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(12);

    m_eyebrow = new Eyebrow(QString(), Theme::blue(), content);
    m_eyebrow->setObjectName(QStringLiteral("account-form-eyebrow"));
    column->addWidget(m_eyebrow);

    m_unavailable = label(unavailableText(), Fonts::font(12, QFont::DemiBold), Theme::inkSoft(), content);
    m_unavailable->setObjectName(QStringLiteral("account-unavailable"));
    m_unavailable->setWordWrap(true);
    column->addWidget(m_unavailable);

    m_google = new SketchButton(QCoreApplication::translate("AccountPage", "Continuer avec Google"), content);
    m_google->setIcon(
        QIcon(FaceIcons::pixmap(QStringLiteral("globe"), 14, Theme::ink(), devicePixelRatioF())));
    m_google->setIconSize(QSize(14, 14));
    m_google->setFill(Theme::paper());
    m_google->setSeed(43);
    m_google->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    connect(m_google, &SketchButton::clicked, this, [this] { m_store.signInWithGoogle(); });
    column->addWidget(m_google);

    QLabel* separator = label(QCoreApplication::translate("AccountPage", "ou"),
                              Fonts::font(11, QFont::DemiBold), Theme::inkSoft(), content);
    separator->setAlignment(Qt::AlignHCenter);
    column->addWidget(separator);

    m_email = new SketchField(QCoreApplication::translate("AccountPage", "Email"), false, content);
    m_email->setObjectName(QStringLiteral("account-email-field"));
    column->addWidget(m_email);
    m_password = new SketchField(QCoreApplication::translate("AccountPage", "Mot de passe"), true, content);
    m_password->setObjectName(QStringLiteral("account-password-field"));
    column->addWidget(m_password);

    m_error = label(QString(), Fonts::font(12, QFont::DemiBold), Theme::coral(), content);
    m_error->setObjectName(QStringLiteral("account-error"));
    m_error->setWordWrap(true);
    m_error->setTextInteractionFlags(Qt::TextSelectableByMouse);
    column->addWidget(m_error);

    m_main = new SketchButton(content);
    m_main->setFill(Theme::coral());
    m_main->setSeed(42);
    connect(m_main, &SketchButton::clicked, this, &AccountPage::submit);
    column->addWidget(m_main, 0, Qt::AlignLeft);

    m_modeSwitch = new QPushButton(content);
    m_modeSwitch->setFlat(true);
    m_modeSwitch->setCursor(Qt::PointingHandCursor);
    m_modeSwitch->setFont(Fonts::font(12, QFont::DemiBold));
    m_modeSwitch->setStyleSheet(
        QStringLiteral("QPushButton { border: none; background: transparent; padding: 0; "
                       "color: %1; text-align: left; }")
            .arg(Theme::blue().name()));
    connect(m_modeSwitch, &QPushButton::clicked, this, &AccountPage::toggleMode);
    column->addWidget(m_modeSwitch, 0, Qt::AlignLeft);

    // Return in the e-mail field moves on; in the password field it submits.
    connect(m_email->editor(), &QLineEdit::returnPressed, this, [this] { m_password->editor()->setFocus(); });
    connect(m_password->editor(), &QLineEdit::returnPressed, this, &AccountPage::submit);
    setTabOrder(m_email->editor(), m_password->editor());
    setTabOrder(m_password->editor(), m_main);
    setTabOrder(m_main, m_modeSwitch);
    setTabOrder(m_modeSwitch, m_google);
    return content;
}

QLineEdit* AccountPage::emailField() const
{
    return m_email->editor();
}

QLineEdit* AccountPage::passwordField() const
{
    return m_password->editor();
}

void AccountPage::refresh()
{
    const bool signedIn = m_store.signedIn();
    m_header->setTitle(signedIn ? QCoreApplication::translate("AccountPage", "Mon compte")
                                : QCoreApplication::translate("AccountPage", "Connexion"));
    m_header->setSubtitle(signedIn ? QCoreApplication::translate("AccountPage", "Tu es connecté à Nivora.")
                                   : QCoreApplication::translate(
                                         "AccountPage", "Connecte-toi avec le compte créé sur le site."));
    m_signedInCard->setVisible(signedIn);
    m_formCard->setVisible(!signedIn);
    m_emailLabel->setText(m_store.email());

    m_eyebrow->setSourceText(m_signupMode ? QCoreApplication::translate("AccountPage", "Créer un compte")
                                          : QCoreApplication::translate("AccountPage", "Se connecter"));
    m_main->setText(m_signupMode ? QCoreApplication::translate("AccountPage", "Créer mon compte")
                                 : QCoreApplication::translate("AccountPage", "Se connecter"));
    m_modeSwitch->setText(m_signupMode
                              ? QCoreApplication::translate("AccountPage", "J'ai déjà un compte")
                              : QCoreApplication::translate("AccountPage", "Pas de compte ? En créer un"));

    // Without a backend the form stays visible, so the user sees what the page is
    // for, but nothing in it can be used.
    const bool configured = m_store.configured();
    m_unavailable->setVisible(!configured);
    for (QWidget* w : {static_cast<QWidget*>(m_google), static_cast<QWidget*>(m_email),
                       static_cast<QWidget*>(m_password), static_cast<QWidget*>(m_modeSwitch)})
        w->setEnabled(configured);
    m_main->setEnabled(configured && !m_store.busy());

    const auto& message = m_store.errorMessage();
    m_error->setText(message.value_or(QString()));
    m_error->setVisible(message.has_value());

    if (m_wasSignedIn && !signedIn)
        focusEmailIfSignedOut();
    m_wasSignedIn = signedIn;
}

void AccountPage::submit()
{
    if (!m_main->isEnabled())
        return;
    if (m_signupMode)
        m_store.signUp(m_email->text(), m_password->text());
    else
        m_store.signIn(m_email->text(), m_password->text());
}

void AccountPage::toggleMode()
{
    m_signupMode = !m_signupMode;
    m_store.clearErrorMessage();
    refresh();
}

void AccountPage::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    focusEmailIfSignedOut();
}

void AccountPage::focusEmailIfSignedOut()
{
    if (m_store.signedIn() || !m_store.configured())
        return;
    // After the show has settled: focus given during it is lost to the window's
    // own choice of first widget.
    QTimer::singleShot(0, m_email->editor(),
                       [editor = m_email->editor()] { editor->setFocus(Qt::OtherFocusReason); });
}

} // namespace nivora
