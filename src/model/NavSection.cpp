#include "model/NavSection.h"

#include "design/Theme.h"

namespace nivora::NavSections {

namespace {

struct Entry
{
    NavSection section;
    const char* rawValue;
    const char* title;
    const char* icon;
    QColor (*accent)();
};

const Entry& entry(NavSection section)
{
    static const Entry entries[] = {
        {NavSection::Scenes, "scenes", "Scènes", "scribble.variable", &Theme::coral},
        {NavSection::Media, "media", "Média", "photo.on.rectangle.angled", &Theme::blue},
        {NavSection::Icons, "icons", "Icônes", "folder.fill", &Theme::green},
        {NavSection::Colors, "colors", "Couleurs", "paintpalette.fill", &Theme::purple},
        {NavSection::Widgets, "widgets", "Widgets", "rectangle.3.group.fill", &Theme::pink},
        {NavSection::Displays, "displays", "Écrans", "display.2", &Theme::green},
        {NavSection::Performance, "performance", "Performance", "bolt.fill", &Theme::yellow},
        {NavSection::About, "about", "À propos", "info.circle.fill", &Theme::coral},
        {NavSection::Account, "account", "Compte", "person.crop.circle.fill", &Theme::blue},
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

QColor accent(NavSection section)
{
    return entry(section).accent();
}

} // namespace nivora::NavSections
