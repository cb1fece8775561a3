#include "model/NavSection.h"

#include <QCoreApplication>

namespace nivora::NavSections {

namespace {

struct Entry
{
    NavSection section;
    const char* rawValue;
    const char* title;
    const char* icon;
};

const Entry& entry(NavSection section)
{
    static const Entry entries[] = {
        {NavSection::Scenes, "scenes", QT_TRANSLATE_NOOP("NavSection", "Scènes"), "scribble.variable"},
        {NavSection::Media, "media", QT_TRANSLATE_NOOP("NavSection", "Média"), "photo.on.rectangle.angled"},
        {NavSection::Icons, "icons", QT_TRANSLATE_NOOP("NavSection", "Icônes"), "folder.fill"},
        {NavSection::Colors, "colors", QT_TRANSLATE_NOOP("NavSection", "Couleurs"), "paintpalette.fill"},
        {NavSection::Widgets, "widgets", QT_TRANSLATE_NOOP("NavSection", "Widgets"),
         "rectangle.3.group.fill"},
        {NavSection::Displays, "displays", QT_TRANSLATE_NOOP("NavSection", "Écrans"), "display.2"},
        {NavSection::Performance, "performance", QT_TRANSLATE_NOOP("NavSection", "Performance"), "bolt.fill"},
        {NavSection::About, "about", QT_TRANSLATE_NOOP("NavSection", "À propos"), "info.circle.fill"},
        {NavSection::Account, "account", QT_TRANSLATE_NOOP("NavSection", "Compte"),
         "person.crop.circle.fill"},
    };
    return entries[static_cast<int>(section)];
}

} // namespace

const QList<NavSection>& all()
{
    static const QList<NavSection> sections{
        NavSection::Scenes,      NavSection::Media,   NavSection::Icons,
        NavSection::Colors,      NavSection::Widgets, NavSection::Displays,
        NavSection::Performance, NavSection::About,   NavSection::Account};
    return sections;
}

QString rawValue(NavSection section)
{
    return QString::fromLatin1(entry(section).rawValue);
}

std::optional<NavSection> fromRawValue(QStringView text)
{
    for (NavSection section : all()) {
        if (text == QLatin1String(entry(section).rawValue))
            return section;
    }
    return std::nullopt;
}

QStringList rawValues()
{
    QStringList values;
    for (NavSection section : all())
        values << rawValue(section);
    return values;
}

QString title(NavSection section)
{
    return QCoreApplication::translate("NavSection", entry(section).title);
}

QString icon(NavSection section)
{
    return QString::fromLatin1(entry(section).icon);
}

} // namespace nivora::NavSections
