#pragma once

#include "model/UiLanguage.h"

#include <QObject>

namespace nivora {

class AppState;

// Puts the interface in one language: installs the bundled translation of
// that language (and Qt's own, for its dialogs, where the system has it), sets
// the default locale and the process's current language. Installing sends
// QEvent::LanguageChange to every widget, so open windows re-translate.
// Main thread, after the application object exists.
namespace Translations {

void apply(UiLanguage language);

// The language a process that has no settings object (`nivora ctl`) speaks:
// the stored `language` setting, read without touching the file, or the
// system's language.
UiLanguage forCommandLine();

} // namespace Translations

// Every QCoreApplication this program makes is put in that language as it
// is constructed (a startup function); a process that has settings keeps
// following them with LanguageFollower.

// Keeps the application in the language the settings choose, now and after
// every change of `language`.
class LanguageFollower : public QObject
{
    Q_OBJECT

public:
    explicit LanguageFollower(AppState& state, QObject* parent = nullptr);

private:
    void follow(const QString& setting);

    UiLanguage m_system;
};

} // namespace nivora
