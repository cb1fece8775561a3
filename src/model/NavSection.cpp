#include "model/NavSection.h"

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
        {NavSection::Scenes, "scenes", "Scènes", "scribble.variable"},
        {NavSection::Media, "media", "Média", "photo.on.rectangle.angled"},
        {NavSection::Icons, "icons", "Icônes", "folder.fill"},
        {NavSection::Colors, "colors", "Couleurs", "paintpalette.fill"},
        {NavSection::Widgets, "widgets", "Widgets", "rectangle.3.group.fill"},
        {NavSection::Displays, "displays", "Écrans", "display.2"},
        {NavSection::Performance, "performance", "Performance", "bolt.fill"},
        {NavSection::About, "about", "À propos", "info.circle.fill"},
        {NavSection::Account, "account", "Compte", "person.crop.circle.fill"},
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
    return QString::fromUtf8(entry(section).title);
}

QString icon(NavSection section)
{
    return QString::fromLatin1(entry(section).icon);
}

} // namespace nivora::NavSections
