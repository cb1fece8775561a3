#include "app/Translations.h"

#include "state/AppState.h"
#include "state/DefaultsStore.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace nivora {

namespace Translations {

namespace {

// Both translators live as long as the application; only their contents change.
QTranslator* translator(const char* name)
{
    auto* app = QCoreApplication::instance();
    auto* existing = app->findChild<QTranslator*>(QLatin1String(name), Qt::FindDirectChildrenOnly);
    if (existing)
        return existing;
    auto* created = new QTranslator(app);
    created->setObjectName(QLatin1String(name));
    return created;
}

} // namespace

void apply(UiLanguage language)
{
    Q_ASSERT(QCoreApplication::instance());
    const QString code = UiLanguages::code(language);
    UiLanguages::setCurrent(language);
    QLocale::setDefault(QLocale(QString::fromLatin1(UiLanguages::icuLocale(language))));

    QTranslator* ours = translator("nivora-translation");
    QCoreApplication::removeTranslator(ours);
    if (ours->load(QStringLiteral(":/i18n/nivora_%1.qm").arg(code)))
        QCoreApplication::installTranslator(ours);
    else
        qWarning("Nivora: the %s translation is missing from the binary", qPrintable(code));

    QTranslator* qt = translator("qt-translation");
    QCoreApplication::removeTranslator(qt);
    if (qt->load(QStringLiteral("qtbase_%1").arg(code), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
}

UiLanguage forCommandLine()
{
    QString setting;
    QFile file(DefaultsStore::standardPath());
    if (file.open(QIODevice::ReadOnly))
        setting =
            QJsonDocument::fromJson(file.readAll()).object().value(QStringLiteral("language")).toString();
    return UiLanguages::resolve(setting, UiLanguages::fromSystem());
}

} // namespace Translations

namespace {

// Every application object of the process, whichever command made it
// (`ctl`, `folder-icon`, the app itself), starts in the language the stored
// setting and the system choose; the app then follows the setting's changes.
void speakTheChosenLanguage()
{
    Translations::apply(Translations::forCommandLine());
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(speakTheChosenLanguage)

LanguageFollower::LanguageFollower(AppState& state, QObject* parent)
    : QObject(parent), m_system(UiLanguages::fromSystem())
{
    follow(state.language());
    connect(&state, &AppState::languageChanged, this, &LanguageFollower::follow);
}

void LanguageFollower::follow(const QString& setting)
{
    const UiLanguage language = UiLanguages::resolve(setting, m_system);
    if (language == UiLanguages::current() &&
        QCoreApplication::instance()->findChild<QTranslator*>(QStringLiteral("nivora-translation")))
        return;
    Translations::apply(language);
}

} // namespace nivora
