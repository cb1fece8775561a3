#include "design/CatalogAccents.h"

#include "design/Theme.h"

namespace nivora {

QColor sceneCategoryAccent(const QString& category)
{
    if (category == QStringLiteral("Atmosphère"))
        return Theme::purple();
    if (category == QStringLiteral("Fluide"))
        return Theme::blue();
    if (category == QStringLiteral("Géométrie"))
        return Theme::coral();
    if (category == QStringLiteral("Météo"))
        return Theme::green();
    return Theme::ink();
}

QColor NavSections::accent(NavSection section)
{
    switch (section) {
    case NavSection::Scenes:
    case NavSection::About:
        return Theme::coral();
    case NavSection::Media:
    case NavSection::Account:
        return Theme::blue();
    case NavSection::Icons:
    case NavSection::Displays:
        return Theme::green();
    case NavSection::Colors:
        return Theme::purple();
    case NavSection::Widgets:
        return Theme::pink();
    case NavSection::Performance:
        return Theme::yellow();
    }
    return Theme::ink();
}

} // namespace nivora
