#pragma once

#include "design/PageHeader.h"
#include "model/NavSection.h"

#include <QColor>
#include <QString>

namespace nivora {

// What the header of a section's page says, and in which accent: the one list
// the pages and the placeholder pages of the dashboard read.
struct PageHeaderText
{
    QString eyebrow;
    QString title;
    QString subtitle;
    QColor accent;
};

PageHeaderText pageHeaderText(NavSection section);
// A header showing pageHeaderText(section).
PageHeader* makePageHeader(NavSection section, QWidget* parent);

} // namespace nivora
