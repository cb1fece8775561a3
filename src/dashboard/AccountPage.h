#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace nivora {

class AccountStore;
class Eyebrow;
class PageHeader;
class PaperCard;
class SketchButton;
class SketchField;

// The Account page: the sign-in / sign-up form while signed out, the account and
// a sign-out button while signed in. All behaviour is the store's; the page keeps
// only what is being typed and whether the form creates an account. Typed text is
// never stored and stays in the fields after a sign-in.
//
// Keyboard: the e-mail field has the focus when the page opens signed out; Tab
// goes e-mail → password → main button; Return in the e-mail field moves on to the
// password, Return in the password field submits.
class AccountPage : public QWidget
{
    Q_OBJECT

public:
    explicit AccountPage(QWidget* parent = nullptr);
    // A page over any store (tests); the store must outlive the page.
    explicit AccountPage(AccountStore& store, QWidget* parent = nullptr);

    bool signupMode() const { return m_signupMode; }

    PageHeader* header() const { return m_header; }
    PaperCard* signedInCard() const { return m_signedInCard; }
    PaperCard* formCard() const { return m_formCard; }
    QLabel* emailLabel() const { return m_emailLabel; }
    QLineEdit* emailField() const;
    QLineEdit* passwordField() const;
    SketchButton* googleButton() const { return m_google; }
    SketchButton* mainButton() const { return m_main; }
    SketchButton* signOutButton() const { return m_signOut; }
    QPushButton* modeSwitch() const { return m_modeSwitch; }
    QLabel* errorLabel() const { return m_error; }
    QLabel* unavailableNote() const { return m_unavailable; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildSignedInCard();
    QWidget* buildFormCard();
    void refresh();
    void submit();
    void toggleMode();
    void focusEmailIfSignedOut();

    AccountStore& m_store;
    bool m_signupMode = false;
    bool m_wasSignedIn = false;

    PageHeader* m_header = nullptr;
    PaperCard* m_signedInCard = nullptr;
    PaperCard* m_formCard = nullptr;
    QLabel* m_emailLabel = nullptr;
    SketchButton* m_signOut = nullptr;
    Eyebrow* m_eyebrow = nullptr;
    SketchButton* m_google = nullptr;
    SketchField* m_email = nullptr;
    SketchField* m_password = nullptr;
    QLabel* m_error = nullptr;
    QLabel* m_unavailable = nullptr;
    SketchButton* m_main = nullptr;
    QPushButton* m_modeSwitch = nullptr;
};

} // namespace nivora
