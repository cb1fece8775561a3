#include "model/UiLanguage.h"

#include <QCoreApplication>

namespace nivora::UiLanguages {

namespace {

UiLanguage g_current = UiLanguage::French;

// A locale name ("fr_CA.UTF-8@euro", "en", "C") as one of ours, or none.
std::optional<UiLanguage> fromLocaleName(const QString& name)
{
    const QString language = name.section(QLatin1Char('_'), 0, 0)
                                 .section(QLatin1Char('.'), 0, 0)
                                 .section(QLatin1Char('@'), 0, 0)
                                 .section(QLatin1Char('-'), 0, 0)
                                 .toLower();
    if (language == QLatin1String("fr"))
        return UiLanguage::French;
    if (language == QLatin1String("en"))
        return UiLanguage::English;
    return std::nullopt;
}

} // namespace

QString autoValue()
{
    return QStringLiteral("auto");
}

const QStringList& settingValues()
{
    static const QStringList values{autoValue(), QStringLiteral("fr"), QStringLiteral("en")};
    return values;
}

UiLanguage fromEnvironment(const std::function<QString(const char* name)>& variable)
{
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QString value = variable(name).trimmed();
        if (value.isEmpty())
            continue;
        for (const QString& entry : value.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
            if (const auto language = fromLocaleName(entry))
                return *language;
        }
        return UiLanguage::English;
    }
    return UiLanguage::English;
}

UiLanguage fromSystem()
{
    return fromEnvironment([](const char* name) { return qEnvironmentVariable(name); });
}

UiLanguage resolve(const QString& setting, UiLanguage system)
{
    if (setting == QLatin1String("fr"))
        return UiLanguage::French;
    if (setting == QLatin1String("en"))
        return UiLanguage::English;
    return system;
}

QString code(UiLanguage language)
{
    return language == UiLanguage::French ? QStringLiteral("fr") : QStringLiteral("en");
}

QByteArray icuLocale(UiLanguage language)
{
    return language == UiLanguage::French ? QByteArrayLiteral("fr_FR") : QByteArrayLiteral("en_US");
}

QString translate(const char* context, const QString& text)
{
    return QCoreApplication::translate(context, text.toUtf8().constData());
}

UiLanguage current()
{
    return g_current;
}

void setCurrent(UiLanguage language)
{
    g_current = language;
}

} // namespace nivora::UiLanguages
