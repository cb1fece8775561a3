#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace nivora {

// The nine sections of the dashboard's sidebar, in sidebar order. Each has a
// stable raw value (used by `nivora ctl dashboard SECTION`), a French title, a
// symbol; its accent colour is the design's (design/CatalogAccents.h).
enum class NavSection
{
    Scenes,
    Media,
    Icons,
    Colors,
    Widgets,
    Displays,
    Performance,
    About,
    Account,
};

namespace NavSections {

// Every section in sidebar order.
const QList<NavSection>& all();

QString rawValue(NavSection section);
// The section of a raw value ("scenes" …), or nothing for any other text.
std::optional<NavSection> fromRawValue(QStringView rawValue);
// Every raw value in sidebar order.
QStringList rawValues();

QString title(NavSection section);
QString icon(NavSection section);

} // namespace NavSections
} // namespace nivora
