#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace nivora {

// The languages the interface speaks. French is the language the texts are
// written in; English is the translation everyone else gets.
enum class UiLanguage
{
    French,
    English
};

namespace UiLanguages {

// The values of the `language` setting: "auto" follows the system.
QString autoValue();
const QStringList& settingValues();

// The language the system asks for, as gettext reads it: the first non-empty
// of LANGUAGE, LC_ALL, LC_MESSAGES and LANG. LANGUAGE may list several
// languages separated by colons; the first one Nivora speaks wins. French for
// any "fr" locale, English for everything else ("C", German, nothing at all).
UiLanguage fromEnvironment(const std::function<QString(const char* name)>& variable);
UiLanguage fromSystem();

// What the interface speaks: the setting when it names a language, the
// system's language for "auto" or anything unknown.
UiLanguage resolve(const QString& setting, UiLanguage system);

// "fr" or "en": names the translation file and the setting's value.
QString code(UiLanguage language);
// The ICU locale that formats dates and numbers in that language.
QByteArray icuLocale(UiLanguage language);

// A text of a catalog table (a scene's name, a palette's, a widget's) in the
// interface's language. The tables keep the French texts, which also serve
// as identifiers, and mark them with QT_TRANSLATE_NOOP under `context`.
QString translate(const char* context, const QString& text);

// The language the process speaks now; French until the application chose.
// Main thread only.
UiLanguage current();
void setCurrent(UiLanguage language);

} // namespace UiLanguages
} // namespace nivora
